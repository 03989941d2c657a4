      *> WORDTOHEX: a 16-bit word as four hexadecimal digits, returned as the result.
      *>   CALL "WORDTOHEX" USING WORDTOHEX-WORD WORDTOHEX-BYTE-ORDER
      *>       RETURNING WORDTOHEX-RESULT
      *> The four characters then read as WORDTOHEX-DIGITS: RETURNING takes a signed
      *> native binary item, which redefines them.
       01  WORDTOHEX-WORD              BINARY-SHORT.
      *>   "Y" puts the low byte's two digits first
       01  WORDTOHEX-BYTE-ORDER        PIC X.
       01  WORDTOHEX-DIGITS            PIC X(4).
       01  WORDTOHEX-RESULT REDEFINES WORDTOHEX-DIGITS BINARY-LONG.
