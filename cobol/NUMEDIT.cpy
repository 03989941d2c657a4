      *> NUMEDIT: a number typed as free text ("$1,234.56-") as a signed number.
      *>   CALL "NUMEDIT" USING NUMEDIT-RECORD
       01  NUMEDIT-RECORD.
           05  NE-TEXT                 PIC X(24).
           05  NE-NUMBER               PIC S9(13)V9(5).
