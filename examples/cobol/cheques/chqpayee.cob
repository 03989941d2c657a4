      *> CHQPAYEE: the payee file of the cheque application, an
      *> indexed file of its own keyed by the payee's sort name. The
      *> only program that opens, reads and writes it.
       IDENTIFICATION DIVISION.
       PROGRAM-ID. CHQPAYEE.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT PAYEE-FILE ASSIGN TO WS-PAYEE-FILE-NAME
               ORGANIZATION INDEXED
               ACCESS MODE DYNAMIC
               RECORD KEY PF-KEY
               FILE STATUS WS-PAYEE-STATUS.
       DATA DIVISION.
       FILE SECTION.
       FD  PAYEE-FILE.
       01  PAYEE-FILE-RECORD.
           05  PF-KEY                  PIC X(40).
           05  PF-DATA                 PIC X(176).
       WORKING-STORAGE SECTION.
       01  WS-PAYEE-FILE-NAME          PIC X(120).
       01  WS-PAYEE-STATUS             PIC X(2).
       01  WS-OPEN-SWITCH              PIC X VALUE "N".
           88  PAYEE-FILE-OPEN         VALUE "Y".
       LINKAGE SECTION.
       COPY "PAYEE-REQUEST.cpy".
       COPY "PAYEE-RECORD.cpy".
       PROCEDURE DIVISION USING PAYEE-REQUEST PAYEE-RECORD.
       0000-MAIN.
           MOVE "00" TO WS-PAYEE-STATUS
           EVALUATE PQ-ACTION
               WHEN "OPEN" PERFORM 1000-OPEN-PAYEES
               WHEN "SAVE" PERFORM 2000-SAVE-PAYEE
               WHEN "FRST" PERFORM 3000-READ-FIRST-PAYEE
               WHEN "NEXT" PERFORM 3100-READ-NEXT-PAYEE
               WHEN "CLOS" PERFORM 4000-CLOSE-PAYEES
               WHEN OTHER  MOVE "XX" TO WS-PAYEE-STATUS
           END-EVALUATE
           MOVE WS-PAYEE-STATUS TO PQ-STATUS
           GOBACK.

      *> A file that is not there yet is made empty.
       1000-OPEN-PAYEES.
           IF PAYEE-FILE-OPEN
               PERFORM 4000-CLOSE-PAYEES
           END-IF
           MOVE PQ-FILE-NAME TO WS-PAYEE-FILE-NAME
           OPEN I-O PAYEE-FILE
           IF WS-PAYEE-STATUS = "35"
               OPEN OUTPUT PAYEE-FILE
               IF WS-PAYEE-STATUS = "00"
                   CLOSE PAYEE-FILE
                   OPEN I-O PAYEE-FILE
               END-IF
           END-IF
           IF WS-PAYEE-STATUS = "00" OR "05"
               MOVE "00" TO WS-PAYEE-STATUS
               SET PAYEE-FILE-OPEN TO TRUE
           END-IF.

      *> A new payee is written; one already on file is replaced by
      *> what the latest cheque says of it.
       2000-SAVE-PAYEE.
           IF NOT PAYEE-FILE-OPEN
               MOVE "48" TO WS-PAYEE-STATUS
           ELSE
               MOVE PAYEE-RECORD TO PAYEE-FILE-RECORD
               WRITE PAYEE-FILE-RECORD
               IF WS-PAYEE-STATUS = "22"
                   REWRITE PAYEE-FILE-RECORD
               END-IF
           END-IF.

       3000-READ-FIRST-PAYEE.
           IF NOT PAYEE-FILE-OPEN
               MOVE "47" TO WS-PAYEE-STATUS
           ELSE
               MOVE LOW-VALUES TO PF-KEY
               START PAYEE-FILE KEY IS NOT LESS THAN PF-KEY
               IF WS-PAYEE-STATUS = "23"
                   MOVE "10" TO WS-PAYEE-STATUS
               END-IF
               IF WS-PAYEE-STATUS = "00"
                   PERFORM 3100-READ-NEXT-PAYEE
               END-IF
           END-IF.

       3100-READ-NEXT-PAYEE.
           IF NOT PAYEE-FILE-OPEN
               MOVE "47" TO WS-PAYEE-STATUS
           ELSE
               READ PAYEE-FILE NEXT RECORD
               IF WS-PAYEE-STATUS = "00"
                   MOVE PAYEE-FILE-RECORD TO PAYEE-RECORD
               END-IF
           END-IF.

       4000-CLOSE-PAYEES.
           IF PAYEE-FILE-OPEN
               CLOSE PAYEE-FILE
               MOVE "N" TO WS-OPEN-SWITCH
           END-IF.
