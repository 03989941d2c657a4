      *> START-EXE: the command line and the start's results.
      *>   CALL "START-EXE" USING SE-COMMAND-LINE SE-SHOW-WINDOW SE-WAIT-FLAG
      *>                          SE-EXIT-CODE SE-STARTED
       01  SE-COMMAND-LINE             PIC X(255).
       01  SE-SHOW-WINDOW              BINARY-SHORT VALUE 1.
      *> 0 = return at once, anything else = wait for the program's end.
       01  SE-WAIT-FLAG                BINARY-SHORT VALUE 0.
       01  SE-EXIT-CODE                BINARY-LONG.
      *> Non-zero when the program started.
       01  SE-STARTED                  BINARY-LONG.
