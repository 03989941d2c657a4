      *> PAYEE-REQUEST: one request to CHQPAYEE, the payee file's I/O
      *> module.
      *>   CALL "CHQPAYEE" USING PAYEE-REQUEST PAYEE-RECORD
      *> PQ-ACTION "OPEN" opens (and makes) the file PQ-FILE-NAME,
      *> "SAVE" writes PAYEE-RECORD (replacing the payee of its key),
      *> "FRST" reads the first payee, "NEXT" the next one, "CLOS"
      *> closes. PQ-STATUS is the file status: "00", "10" no more
      *> payees, anything else an error (word it with IXIOSTAT).
       01  PAYEE-REQUEST.
           05  PQ-ACTION               PIC X(4).
           05  PQ-FILE-NAME            PIC X(120).
           05  PQ-STATUS               PIC X(2).
