      *> X-MISC-EXTERNAL-WS: sign-on state, the suite's folders and screen
      *> information, one block per process. Fill XM-HOME-FOLDER (ending with a
      *> separator, then X"00"), XM-FOLDER-LENGTH, XM-STATION-NO and XM-USER-ID
      *> before calling a program that uses them.
       01  X-MISC-EXTERNAL-WS EXTERNAL.
           05  XM-LEVEL                PIC S9.
           05  XM-HOME-FOLDER          PIC X(67).
           05  XM-FOLDER-LENGTH        PIC S9(4) COMP.
           05  XM-STATION-NO           PIC S9(3).
           05  FILLER                  PIC X(14).
           05  XM-SIGN-ON-87           PIC X(15).
           05  XM-USER-ID              PIC X(4).
           05  XM-SIGN-ON-106          PIC X(30).
           05  FILLER                  PIC X.
           05  XM-SIGN-ON-137          PIC X(450).
           05  FILLER                  PIC X(15).
           05  XM-PREFERENCES          PIC X(8).
           05  FILLER                  PIC X(40).
           05  XM-WORK-AREA.
               10  XM-WORK-AREA-TOP    BINARY-LONG.
               10  XM-WORK-AREA-LEFT   BINARY-LONG.
               10  XM-WORK-AREA-WIDTH  BINARY-LONG.
               10  XM-WORK-AREA-HEIGHT BINARY-LONG.
               10  XM-WORK-AREA-666    BINARY-SHORT.
               10  XM-WORK-AREA-668    BINARY-LONG.
           05  FILLER                  PIC X(1026).
           05  XM-DOCUMENT-FOLDER      PIC X(100).
           05  XM-BROWSE-PATH          PIC X(128).
           05  XM-BROWSE-TITLE         PIC X(32).
           05  XM-BROWSE-RESULT        PIC X(4).
           05  XM-BROWSE-FOLDER        PIC X(64).
           05  FILLER                  PIC X(102).
