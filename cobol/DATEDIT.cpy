      *> DATEDIT: splits, completes, checks and rewrites a typed date ("1/2/20" becomes
      *> " 1/02/2020"). DE-RESULT "00" valid, "99" invalid, "04" no date in the text (or the
      *> count of parts when the text had too many separators). DE-PIVOT and DE-MONTH-YEAR
      *> are put back to "50" and "N" by the call; the switches of DE-CHECK (a DATECHK
      *> record) to "N".
      *>   CALL "DATEDIT" USING DATEDIT-RECORD
       01  DATEDIT-RECORD.
           05  DE-DATE-TEXT            PIC X(10).
           05  DE-LAST-DAY             PIC X.
           05  DE-RESULT               PIC 99.
           05  DE-PIVOT                PIC 99.
           05  DE-MONTH-YEAR           PIC X.
           05  DE-CHECK.
               10  DE-MONTH            PIC S99.
               10  DE-DAY              PIC S99.
               10  DE-YEAR             PIC S9(4).
               10  DE-CHECK-RESULT     PIC 99.
               10  DE-ZERO-MONTH       PIC X.
               10  DE-ZERO-DAY         PIC X.
               10  DE-YEAR-CHECK       PIC X.
