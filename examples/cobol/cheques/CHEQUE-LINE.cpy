      *> CHEQUE-LINE: one cheque of the cheque file, as its five
      *> comma-separated fields (number, payee as FIRST/MIDDLE/LAST,
      *> city line as CITY/ST/CODE, typed date, amount), and the
      *> cheque made of them.
       01  CHEQUE-LINE.
           05  CQ-FIELD                PIC X(60) OCCURS 5 TIMES.
           05  CQ-FIELD-COUNT          PIC 99.
       01  CHEQUE-MADE.
           05  CM-NUMBER               PIC X(8).
           05  CM-DATE                 PIC X(14).
           05  CM-PAYEE                PIC X(60).
           05  CM-PLACE                PIC X(60).
           05  CM-SORT-NAME            PIC X(40).
           05  CM-AMOUNT               PIC S9(12)V99.
           05  CM-AMOUNT-TEXT          PIC X(20).
           05  CM-WORDS                PIC X(80).
           05  CM-PROBLEM              PIC X(60).
