      *> The optional parameters of the form programs FLBROWSE (the first
      *> five) and ORGEDIT (all six); CALL "FLBROWSE" without USING is right
      *> too. FORM-OWNER the caller's window (NULL: none); FORM-MODAL-STYLE 0
      *> modal to the application, 1 to the owner only; FORM-OUTCOME set to 1
      *> when the form ended by its own work (a file chosen, an ORGFILE saved),
      *> 0 when it was cancelled; FORM-PLACE in: where to open (width 0: the
      *> form's own place), out: where it was; FORM-RUNTIME "headless" or "qt".
       01  FORM-OWNER                  USAGE POINTER VALUE NULL.
       01  FORM-MODAL-STYLE            BINARY-LONG VALUE 0.
       01  FORM-OUTCOME                BINARY-LONG VALUE 0.
       01  FORM-PLACE.
           05  FORM-PLACE-LEFT         BINARY-LONG VALUE 0.
           05  FORM-PLACE-TOP          BINARY-LONG VALUE 0.
           05  FORM-PLACE-WIDTH        BINARY-LONG VALUE 0.
           05  FORM-PLACE-HEIGHT       BINARY-LONG VALUE 0.
       01  FORM-RUNTIME                PIC X(8).
       01  FORM-RESERVED               PIC X(4).
