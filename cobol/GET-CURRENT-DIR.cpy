      *> GET-CURRENT-DIR: the current folder.
      *>   CALL "GET-CURRENT-DIR" USING CD-FOLDER CD-LENGTH CD-STATUS
       01  CD-FOLDER                   PIC X(255).
      *> Characters in CD-FOLDER; 256 when the call failed.
       01  CD-LENGTH                   BINARY-LONG.
      *> 0 = success, 1 = failure.
       01  CD-STATUS                   BINARY-LONG.
