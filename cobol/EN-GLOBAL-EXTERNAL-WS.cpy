      *> EN-GLOBAL-EXTERNAL-WS: the master-organisation lookup of ORGEDIT,
      *> one block per process. EN-MODE "I" (an id of six characters that
      *> begins with "A") or "N"; EN-ID the id; EN-STATUS "1" going into the
      *> lookup ENLOOKUP and "0" back when it chose an id, whose name is in
      *> EN-NAME.
       01  EN-GLOBAL-EXTERNAL-WS EXTERNAL.
           05  EN-MODE                 PIC X.
           05  EN-ID                   PIC X(20).
           05  EN-STATUS               PIC X.
           05  EN-NAME                 PIC X(40).
           05  FILLER                  PIC X(17).
           05  EN-COUNTER              BINARY-SHORT.
           05  FILLER                  PIC X(47).
