      *> GETCSZ: an address line "city/state/postal code" split into its fields,
      *> state and postal code in upper case, the state looked up by GETSTATE in
      *> the caller's GETSTATE-RECORD (COPY "GETSTATE.cpy"; set GS-COUNTRY).
      *>   CALL "GETCSZ" USING GETCSZ-RECORD GETSTATE-RECORD
       01  GETCSZ-RECORD.
           05  CSZ-LINE-IN             PIC X(40).
           05  CSZ-CITY                PIC X(40).
           05  CSZ-STATE               PIC X(20).
           05  CSZ-POSTAL-CODE         PIC X(20).
      *> "70" not two "/" (nothing else written), "79" all empty, "78" no city,
      *> otherwise the return code of GETSTATE.
           05  CSZ-RETURN-CODE         PIC X(2).
