      *> PAYEE-RECORD: one payee of the cheque application's payee
      *> file CHQPAYEE.DAT (indexed, keyed by the sort name that
      *> GETNAME gives: "SMITH JR, JOHN A").
       01  PAYEE-RECORD.
           05  PY-KEY                  PIC X(40).
           05  PY-NAME                 PIC X(60).
           05  PY-PLACE                PIC X(60).
           05  PY-LAST-CHEQUE          PIC X(8).
           05  PY-LAST-DATE            PIC X(14).
           05  PY-LAST-AMOUNT          PIC S9(12)V99.
           05  FILLER                  PIC X(20).
