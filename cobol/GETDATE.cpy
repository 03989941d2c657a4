      *> GETDATE: the date of a day number. GD-RESULT "00", or "99" for a number outside
      *> 1-109574 (the date is still given).
      *>   CALL "GETDATE" USING GETDATE-RECORD
       01  GETDATE-RECORD.
           05  GD-RESULT               PIC 99.
           05  GD-DAY-NUMBER           PIC S9(6).
           05  GD-MONTH                PIC 99.
           05  GD-DAY                  PIC 99.
           05  GD-YEAR                 PIC 9(4).
