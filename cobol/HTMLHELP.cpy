      *> HTMLHELP: opens a help page through openhelps.vbs of the home folder
      *> (XM-HOME-FOLDER and XM-FOLDER-LENGTH of X-MISC-EXTERNAL-WS).
      *>   CALL "HTMLHELP" USING HELP-REQUEST
       01  HELP-REQUEST.
           05  HR-RESERVED             PIC X(4) VALUE LOW-VALUES.
      *> Help file; ends at two consecutive spaces.
           05  HR-HELP-FILE            PIC X(128).
      *> Page; may be blank.
           05  HR-PAGE                 PIC X(50).
      *> Anchor on the page; may be blank.
           05  HR-TOPIC                PIC X(50).
