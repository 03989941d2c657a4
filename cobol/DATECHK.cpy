      *> DATECHK: checks a month/day/year date. DC-RESULT "00" valid, "99" invalid. The
      *> three switches ("N" = closed) are put back to "N" by every call.
      *>   CALL "DATECHK" USING DATECHK-RECORD
      *> The same record is the first parameter of GETDAY.
       01  DATECHK-RECORD.
           05  DC-MONTH                PIC S99.
           05  DC-DAY                  PIC S99.
           05  DC-YEAR                 PIC S9(4).
           05  DC-RESULT               PIC 99.
           05  DC-ZERO-MONTH           PIC X.
           05  DC-ZERO-DAY             PIC X.
           05  DC-YEAR-CHECK           PIC X.
