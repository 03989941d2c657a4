      *> IXIOSTAT: the file status to describe and the suite's message.
      *>   CALL "IXIOSTAT" USING IXIOSTAT-RECORD
       01  IXIOSTAT-RECORD.
           05  IX-STATUS-CODE          PIC X(2).
           05  IX-STATUS-MESSAGE       PIC X(62).
