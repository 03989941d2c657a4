      *> TOWEB: runs gotoweb.vbs of TW-SCRIPT-FOLDER with one argument character.
      *>   CALL "TOWEB" USING TOWEB-RECORD
       01  TOWEB-RECORD.
      *> Folder with its final separator, then X"00" unless it fills the field.
           05  TW-SCRIPT-FOLDER        PIC X(67).
      *> Non-zero when the script host started.
           05  TW-STARTED              BINARY-LONG.
           05  TW-SCRIPT-ARGUMENT      PIC X.
