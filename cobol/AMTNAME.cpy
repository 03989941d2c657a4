      *> AMTNAME: an amount of money in words for a cheque.
      *>   CALL "AMTNAME" USING AMTNAME-RECORD
       01  AMTNAME-RECORD.
      *>   the amount; a negative amount is worded as zero
           05  AN-AMOUNT               PIC S9(12)V99.
      *>   out: "**One Thousand Two Hundred Thirty-Four & 56/100 Dollars"
           05  AN-WORDS                PIC X(80).
      *>   "2" adds the cents as "& 56/100"
           05  AN-CENTS-OPTION         PIC X.
      *>   a word after the amount, e.g. "Dollars"; may be spaces
           05  AN-TRAILING-TEXT        PIC X(10).
      *>   out: always "00"
           05  AN-RESULT-CODE          PIC 9(2).
