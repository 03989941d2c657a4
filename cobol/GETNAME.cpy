      *> GETNAME: a personal name keyed as "/"-separated pieces (first, middle,
      *> last, suffix) split into its parts, with the sort name "LAST SUFFIX,
      *> FIRST MIDDLE". Each output text ends with "/" unless it fills its field.
      *>   CALL "GETNAME" USING GETNAME-RECORD
       01  GETNAME-RECORD.
           05  GN-NAME-IN              PIC X(40).
           05  GN-SORT-NAME            PIC X(40).
           05  GN-PART-1               PIC X(20).
           05  GN-PART-2               PIC X(40).
           05  GN-PART-3               PIC X(40).
           05  GN-PART-4               PIC X(20).
      *> "00" split, "70" more than four pieces, "79" no name.
           05  GN-RETURN-CODE          PIC X(2).
