      *> GETSTATE: a state, province or district of the US, Canada, Bermuda or
      *> Singapore looked up by code (request "01") or number (request "02"),
      *> within GS-COUNTRY when it is not spaces, and the postal code checked
      *> against that country's pattern. Also the second record of GETCSZ.
      *>   CALL "GETSTATE" USING GETSTATE-RECORD
       01  GETSTATE-RECORD.
           05  GS-POSTAL-CODE          PIC X(20).
           05  GS-STATE-CODE           PIC X(5).
           05  GS-STATE-NUMBER         PIC 9(3).
           05  GS-STATE-NAME           PIC X(20).
           05  GS-COUNTRY              PIC X(2).
      *> In: the request. Out: "00" found, "70" bad request, "71" not found,
      *> "72" bad number, "73" postal code does not fit, "74" bad country.
           05  GS-REQUEST-STATUS       PIC X(2).
