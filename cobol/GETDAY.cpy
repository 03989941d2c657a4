      *> GETDAY: the day number (1 January 1801 is 367) and day of the week ("01" Sunday to
      *> "07" Saturday) of a date. The first parameter is a DATECHK record whose result is
      *> "00" (or spaces); GY-DAY-NUMBER "000000" means nothing was computed.
      *>   CALL "GETDAY" USING DATECHK-RECORD GETDAY-RECORD
       01  GETDAY-RECORD.
           05  GY-MONTH                PIC 99.
           05  GY-DAY                  PIC 99.
           05  GY-YEAR                 PIC 9(4).
           05  GY-CHECK-RESULT         PIC 99.
           05  GY-WEEKDAY              PIC 99.
           05  GY-DAY-NUMBER           PIC 9(6).
