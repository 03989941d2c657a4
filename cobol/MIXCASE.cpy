      *> MIXCASE: upper-case text into mixed case, in place. Both option bytes read as
      *> spaces after every call: set them before each call.
      *>   CALL "MIXCASE" USING MIXCASE-RECORD
       01  MIXCASE-RECORD.
      *>   "S" sentence style; anything else word style
           05  MC-STYLE                PIC X.
      *>   "A" address words, "N" name suffixes and degrees
           05  MC-EXCEPTION-SET        PIC X.
           05  MC-TEXT                 PIC X(100).
