      *> ANDEDIT: doubles every "&" of a caption, in place; what passes 128 is lost.
      *>   CALL "ANDEDIT" USING ANDEDIT-RECORD
       01  ANDEDIT-RECORD.
           05  AE-TEXT                 PIC X(128).
