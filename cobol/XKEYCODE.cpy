      *> XKEYCODE: the character of a virtual-key code and its index in the key tables.
      *>   CALL "XKEYCODE" USING XKEYCODE-RECORD
       01  XKEYCODE-RECORD.
           05  XK-KEY-CODE             BINARY-SHORT.
      *>   1 = shifted
           05  XK-SHIFT-STATE          BINARY-SHORT.
      *>   out: the character, or a space
           05  XK-CHARACTER            PIC X.
      *>   out: "1" when the key has no character
           05  XK-NO-CHARACTER         PIC X.
      *>   out: 01-64, "00" without a character
           05  XK-KEY-INDEX            PIC 9(2).
