*> IXIOSTAT called by a GnuCOBOL program through the copybook (built both for a dynamic
*> and for a static CALL).
IDENTIFICATION DIVISION.
PROGRAM-ID. IXIOSTAT-CALL.
DATA DIVISION.
WORKING-STORAGE SECTION.
COPY "IXIOSTAT.cpy".
01 WS-FAILURES PIC 9(4) VALUE 0.
PROCEDURE DIVISION.
    MOVE "23" TO IX-STATUS-CODE
    MOVE ALL "#" TO IX-STATUS-MESSAGE
    CALL "IXIOSTAT" USING IXIOSTAT-RECORD
    IF IX-STATUS-MESSAGE NOT = "=23 - READ/REWRITE: Record Not Found! |"
        DISPLAY "FAIL: 23 gave [" IX-STATUS-MESSAGE "]"
        ADD 1 TO WS-FAILURES
    END-IF
    IF RETURN-CODE NOT = 0
        DISPLAY "FAIL: RETURN-CODE " RETURN-CODE
        ADD 1 TO WS-FAILURES
    END-IF

    MOVE "7Z" TO IX-STATUS-CODE
    CALL "IXIOSTAT" USING IXIOSTAT-RECORD
    IF IX-STATUS-MESSAGE NOT = ">XX - Unresolved error status 7Z! |"
        DISPLAY "FAIL: 7Z gave [" IX-STATUS-MESSAGE "]"
        ADD 1 TO WS-FAILURES
    END-IF

    *> Called with no record at all: the library must not touch one, only report it.
    MOVE "00" TO IX-STATUS-CODE
    MOVE SPACES TO IX-STATUS-MESSAGE
    CALL "IXIOSTAT"
    IF IX-STATUS-MESSAGE NOT = SPACES
        DISPLAY "FAIL: a call without records changed the record"
        ADD 1 TO WS-FAILURES
    END-IF

    IF WS-FAILURES = 0
        DISPLAY "ixiostat: 3 passed, 0 failed"
        MOVE 0 TO RETURN-CODE
    ELSE
        MOVE 1 TO RETURN-CODE
    END-IF
    STOP RUN.
