      *> CHECK-DLL-REG: whether the suite's seven components are registered.
      *>   CALL "CHECK-DLL-REG" USING DR-MISSING-NAME DR-RESULT
      *> Spaces, or the identifier of the first component not registered.
       01  DR-MISSING-NAME             PIC X(127).
      *> 0, or the error of the first missing key (2 = not found).
       01  DR-RESULT                   BINARY-LONG.
