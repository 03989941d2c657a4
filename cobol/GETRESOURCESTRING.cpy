      *> GETRESOURCESTRING: one string of a file's version resource.
      *>   CALL "GETRESOURCESTRING" USING RS-RESULT RS-FILE-NAME RS-STRING-NAME
      *>        RETURNING RS-RESULT-POINTER
      *> The result area: filled by the call; its address is the result.
       01  RS-RESULT                   PIC X(100).
       01  RS-FILE-NAME                PIC X(50).
      *> Ended by its first space, e.g. "ProductVersion".
       01  RS-STRING-NAME              PIC X(20).
       01  RS-RESULT-POINTER           USAGE POINTER.
