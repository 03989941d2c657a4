      *> CHECKPATH: whether files can be created in the folder of CP-PATH.
      *>   CALL "CHECKPATH" USING CHECKPATH-RECORD
       01  CHECKPATH-RECORD.
      *> The folder with its final separator (what follows it is ignored).
           05  CP-PATH                 PIC X(128).
      *> "Y" = create the folder when it cannot be probed.
           05  CP-CREATE-FLAG          PIC X.
      *> "00" writable, "73" created, "74" not writable and not created,
      *> "75" probe not removed, "79" no separator.
           05  CP-STATUS               PIC XX.
