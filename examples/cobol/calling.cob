      *> Results, OMITTED and missing records from GnuCOBOL.
       IDENTIFICATION DIVISION.
       PROGRAM-ID. CALLING.
       DATA DIVISION.
       WORKING-STORAGE SECTION.
       COPY "WORDTOHEX.cpy".
       COPY "GETRESOURCESTRING.cpy".
       COPY "GETCSZ.cpy".
       COPY "POP.cpy".
       LINKAGE SECTION.
       01  LS-STRING                   PIC X(100).
       PROCEDURE DIVISION.
      *>   WORDTOHEX answers in its result: four characters.
           MOVE 4660 TO WORDTOHEX-WORD
           MOVE "N" TO WORDTOHEX-BYTE-ORDER
           CALL "WORDTOHEX" USING WORDTOHEX-WORD WORDTOHEX-BYTE-ORDER
               RETURNING WORDTOHEX-RESULT
           DISPLAY "WORDTOHEX: " WORDTOHEX-DIGITS
      *>   GETRESOURCESTRING answers with the address of its area.
           MOVE "no-such-program.exe" TO RS-FILE-NAME
           MOVE "ProductVersion" TO RS-STRING-NAME
           CALL "GETRESOURCESTRING" USING RS-RESULT RS-FILE-NAME
               RS-STRING-NAME RETURNING RS-RESULT-POINTER
           SET ADDRESS OF LS-STRING TO RS-RESULT-POINTER
           IF ADDRESS OF LS-STRING = ADDRESS OF RS-RESULT
               DISPLAY "GETRESOURCESTRING: [" FUNCTION TRIM(LS-STRING)
                   "] in RS-RESULT"
           END-IF
      *>   OMITTED passes no record: POP without a form starts a
      *>   document (INI) but writes nothing.
           MOVE SPACES TO POP-REQUEST-RECORD POP-CALLER-RECORD
           MOVE "INI" TO POP-REQUEST
           CALL "POP" USING POP-REQUEST-RECORD POP-CALLER-RECORD
               OMITTED
           MOVE "WRI" TO POP-REQUEST
           CALL "POP" USING POP-REQUEST-RECORD POP-CALLER-RECORD
               OMITTED
           DISPLAY "POP: " POP-STATUS " "
               FUNCTION TRIM(POP-MESSAGE-TEXT)
      *>   A record left out: GETCSZ reports a run-time error and
      *>   leaves its record alone.
           MOVE "MOBILE/AL/36602" TO CSZ-LINE-IN
           MOVE "--" TO CSZ-RETURN-CODE
           CALL "GETCSZ" USING GETCSZ-RECORD
           DISPLAY "GETCSZ: " CSZ-RETURN-CODE
           STOP RUN.
