      *> COMPRESS: drops leading spaces and makes every run of spaces one, in place.
      *>   CALL "COMPRESS" USING COMPRESS-RECORD
       01  COMPRESS-RECORD.
           05  CP-TEXT                 PIC X(100).
