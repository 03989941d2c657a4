      *> CHEQUES: writes the cheques of a cheque file and prints their
      *> register.
      *>
      *> Signs on (home folder, station, user in X-MISC-EXTERNAL-WS),
      *> takes the organisation's name from the home folder's ORGFILE
      *> (opening ORGEDIT when there is none), lets the user choose the
      *> cheque file (FLBROWSE, starting where the last one was), and
      *> for each cheque splits the payee's name and city line
      *> (GETNAME, GETCSZ, MIXCASE), edits the typed date (DATEDIT,
      *> GETDAY), reads the amount (NUMEDIT) and words it (AMTNAME),
      *> keeps the payee in the payee file (CHQPAYEE) and writes the
      *> cheque into the register through POP. The register ends with
      *> the total and the payees on file; it is previewed (CLV), or
      *> only closed (CLS) in batch mode. The last cheque file and the
      *> forms' place are remembered in the control file.
      *>
      *>   quarn-cheques [--home DIR] [--station N] [--user ID]
      *>                 [--batch FILE]
      *>
      *> --batch FILE: no person at hand; the forms run headless and
      *> FILE says what is typed and chosen in them (see demo.batch).
       IDENTIFICATION DIVISION.
       PROGRAM-ID. CHEQUES.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT ORG-FILE ASSIGN TO WS-ORG-FILE-NAME
               ORGANIZATION LINE SEQUENTIAL
               FILE STATUS WS-ORG-STATUS.
           SELECT CHEQUE-FILE ASSIGN TO WS-CHEQUE-FILE-NAME
               ORGANIZATION LINE SEQUENTIAL
               FILE STATUS WS-CHEQUE-STATUS.
       DATA DIVISION.
       FILE SECTION.
       FD  ORG-FILE.
       01  ORG-LINE                    PIC X(40).
       FD  CHEQUE-FILE.
       01  CHEQUE-FILE-LINE            PIC X(400).
       WORKING-STORAGE SECTION.
       COPY "X-MISC-EXTERNAL-WS.cpy".
       COPY "QUARN-CTLFL-EXTERNAL-VALUES.cpy".
       COPY "CONTROL-REQUEST.cpy".
       COPY "CTL-MESSAGE.cpy".
       COPY "FORM-PARAMETERS.cpy".
       COPY "IXIOSTAT.cpy".
       COPY "GETNAME.cpy".
       COPY "GETCSZ.cpy".
       COPY "GETSTATE.cpy".
       COPY "MIXCASE.cpy".
       COPY "DATEDIT.cpy".
       COPY "GETDAY.cpy".
       COPY "NUMEDIT.cpy".
       COPY "AMTNAME.cpy".
       COPY "POP.cpy".
       COPY "PAYEE-REQUEST.cpy".
       COPY "PAYEE-RECORD.cpy".
       COPY "CHEQUE-LINE.cpy".

      *> The program's name for the control file and the window key
      *> "Cheques-WINDOW".
       01  PROGRAM-ID-NAME             PIC X(14) VALUE "Cheques".
       01  FORM-ID-NAME                PIC X(16) VALUE SPACES.

       01  WS-RUN-STATUS               PIC 9 VALUE 0.
           88  RUN-OK                  VALUE 0.
      *>   1 a cheque or the organisation missing, 2 the command line,
      *>   3 a file that cannot be opened
       01  WS-STOP-SWITCH              PIC X VALUE "N".
           88  STOP-NOW                VALUE "Y".
       01  WS-BATCH-SWITCH             PIC X VALUE "N".
           88  BATCH-MODE              VALUE "Y".

      *> The command line.
       01  WS-ARG-COUNT                PIC 99.
       01  WS-ARG-INDEX                PIC 99.
       01  WS-ARG                      PIC X(200).
       01  WS-OPTION                   PIC X(20).
       01  WS-BATCH-FILE               PIC X(200) VALUE SPACES.
       01  WS-HOME-ARG                 PIC X(200) VALUE SPACES.
       01  WS-STATION-ARG              PIC X(10) VALUE "1".
       01  WS-USER-ARG                 PIC X(20) VALUE SPACES.

      *> Folders and files.
       01  WS-CURRENT-DIR              PIC X(200).
       01  WS-HOME                     PIC X(200).
       01  WS-HOME-LENGTH              PIC 999.
       01  WS-ORG-FILE-NAME            PIC X(120).
       01  WS-ORG-STATUS               PIC X(2).
       01  WS-CHEQUE-FILE-NAME         PIC X(200).
       01  WS-CHEQUE-FILE-SHOWN        PIC X(100).
       01  WS-CHEQUE-STATUS            PIC X(2).
       01  WS-FILE-FLAGS               PIC X(20).
       01  WS-LENGTH                   PIC 999.
       01  WS-AT                       PIC 999.
       01  WS-LAST-SLASH               PIC 999.

      *> The organisation.
       01  WS-ORGANISATION             PIC X(40) VALUE SPACES.
       01  WS-ORG-LINE-NO              PIC 9.

      *> The place of the forms: four signed nine-digit numbers and
      *> commas, top, left, width, height, as the suite stores a
      *> window's location.
       01  WS-WINDOW-LOCATION.
           05  WL-TOP                  PIC S9(9).
           05  WL-COMMA-1              PIC X.
           05  WL-LEFT                 PIC S9(9).
           05  WL-COMMA-2              PIC X.
           05  WL-WIDTH                PIC S9(9).
           05  WL-COMMA-3              PIC X.
           05  WL-HEIGHT               PIC S9(9).

      *> A line of the cheque file split into its fields.
       01  WS-LINE-NO                  PIC 9(5) VALUE 0.
       01  WS-LINE-NO-EDIT             PIC Z(4)9.
       01  WS-LINE-LENGTH              PIC 999.
       01  WS-CHAR                     PIC X.
       01  WS-NEXT-CHAR                PIC X.
       01  WS-QUOTED                   PIC X.
           88  IN-QUOTES               VALUE "Y".
       01  WS-FIELD-AT                 PIC 99.
       01  WS-FIELD-WORK               PIC X(60).
       01  WS-FIELD-OUT                PIC X(60).
       01  WS-IN                       PIC 99.
       01  WS-OUT                      PIC 99.
       01  WS-FIELD-NO                 PIC 9.

      *> Pieces of names and places.
       01  WS-PIECE                    PIC X(40).
       01  WS-PAYEE-WORK               PIC X(100).
       01  WS-PIECE-JOINED             PIC X(100).
       01  WS-CITY                     PIC X(40).
       01  WS-STATE                    PIC X(20).
       01  WS-POSTAL                   PIC X(20).
       01  WS-WEEKDAY-NAMES            PIC X(21)
               VALUE "SunMonTueWedThuFriSat".
       01  FILLER REDEFINES WS-WEEKDAY-NAMES.
           05  WS-WEEKDAY-NAME         PIC X(3) OCCURS 7 TIMES.
       01  WS-DATE-TEXT                PIC X(10).

      *> Amounts.
       01  WS-MONEY-EDIT               PIC Z,ZZZ,ZZZ,ZZZ,ZZ9.99.
       01  WS-TOTAL                    PIC S9(12)V99 VALUE 0.
       01  WS-COUNT                    PIC 9(5) VALUE 0.
       01  WS-COUNT-EDIT               PIC Z(4)9.
       01  WS-COUNT-TEXT               PIC X(20).
       01  WS-REJECTED                 PIC 9(5) VALUE 0.

      *> Marks of POP's lines and layouts.
       01  POP-END-MARK                PIC X VALUE X"03".
       01  POP-TAB                     PIC X VALUE X"09".
       01  POP-RIGHT                   PIC X VALUE X"13".
       01  POP-FONT-MARK               PIC X VALUE X"14".
       01  POP-TAB-STOP                PIC X VALUE X"15".
       01  POP-CELL                    PIC X VALUE X"16".
       01  POP-PARAGRAPH               PIC X VALUE X"17".
       01  WS-CELLS                    PIC X(80).
       01  WS-CLOSE-REQUEST            PIC X(3).

       PROCEDURE DIVISION.
       0000-MAIN.
           PERFORM 1000-READ-COMMAND-LINE
           IF RUN-OK AND NOT STOP-NOW
               PERFORM 1500-SIGN-ON
           END-IF
           IF RUN-OK AND NOT STOP-NOW
               PERFORM 2000-LOAD-ORGANISATION
           END-IF
           IF RUN-OK AND NOT STOP-NOW
               PERFORM 3000-CHOOSE-CHEQUE-FILE
           END-IF
           IF RUN-OK AND NOT STOP-NOW
               PERFORM 4000-WRITE-REGISTER
           END-IF
           MOVE WS-RUN-STATUS TO RETURN-CODE
           STOP RUN.

      *>--------------------------------------------------------------
      *> The command line.
      *>--------------------------------------------------------------
       1000-READ-COMMAND-LINE.
           ACCEPT WS-ARG-COUNT FROM ARGUMENT-NUMBER
           MOVE 1 TO WS-ARG-INDEX
           PERFORM UNTIL WS-ARG-INDEX > WS-ARG-COUNT
                      OR NOT RUN-OK OR STOP-NOW
               ACCEPT WS-ARG FROM ARGUMENT-VALUE
               MOVE WS-ARG TO WS-OPTION
               EVALUATE WS-OPTION
                   WHEN "--help"
                   WHEN "-h"
                       PERFORM 1900-SHOW-HELP
                       SET STOP-NOW TO TRUE
                   WHEN "--batch"
                       PERFORM 1100-OPTION-VALUE
                       MOVE WS-ARG TO WS-BATCH-FILE
                       SET BATCH-MODE TO TRUE
                   WHEN "--home"
                       PERFORM 1100-OPTION-VALUE
                       MOVE WS-ARG TO WS-HOME-ARG
                   WHEN "--station"
                       PERFORM 1100-OPTION-VALUE
                       MOVE WS-ARG TO WS-STATION-ARG
                   WHEN "--user"
                       PERFORM 1100-OPTION-VALUE
                       MOVE WS-ARG TO WS-USER-ARG
                   WHEN OTHER
                       DISPLAY "quarn-cheques: unknown argument "
                           FUNCTION TRIM(WS-ARG) UPON SYSERR
                       PERFORM 1800-USAGE-ERROR
               END-EVALUATE
               ADD 1 TO WS-ARG-INDEX
           END-PERFORM
           IF RUN-OK AND NOT STOP-NOW
               PERFORM 1200-CHECK-OPTIONS
           END-IF.

       1100-OPTION-VALUE.
           IF WS-ARG-INDEX >= WS-ARG-COUNT
               DISPLAY "quarn-cheques: " FUNCTION TRIM(WS-OPTION)
                   " needs a value" UPON SYSERR
               PERFORM 1800-USAGE-ERROR
               MOVE SPACES TO WS-ARG
           ELSE
               ADD 1 TO WS-ARG-INDEX
               ACCEPT WS-ARG FROM ARGUMENT-VALUE
           END-IF.

       1200-CHECK-OPTIONS.
           IF FUNCTION TRIM(WS-STATION-ARG) IS NOT NUMERIC
               OR FUNCTION LENGTH(FUNCTION TRIM(WS-STATION-ARG)) > 3
               OR FUNCTION NUMVAL(WS-STATION-ARG) = 0
               DISPLAY "quarn-cheques: the station is a number from "
                   "1 to 999, not " FUNCTION TRIM(WS-STATION-ARG)
                   UPON SYSERR
               PERFORM 1800-USAGE-ERROR
           END-IF
           IF BATCH-MODE AND RUN-OK
      *>       The run-time system reads a bare one-letter name as a
      *>       device; "./" keeps every relative name a file's.
               IF WS-BATCH-FILE(1:1) NOT = "/"
                   MOVE WS-BATCH-FILE TO WS-ARG
                   MOVE SPACES TO WS-BATCH-FILE
                   STRING "./" WS-ARG DELIMITED BY SIZE
                       INTO WS-BATCH-FILE
               END-IF
               MOVE SPACES TO WS-FILE-FLAGS
               CALL "CBL_CHECK_FILE_EXIST" USING WS-BATCH-FILE
                   WS-FILE-FLAGS
               IF RETURN-CODE NOT = 0
                   DISPLAY "quarn-cheques: the batch file "
                       FUNCTION TRIM(WS-BATCH-FILE)
                       " cannot be read" UPON SYSERR
                   MOVE 3 TO WS-RUN-STATUS
               END-IF
               MOVE 0 TO RETURN-CODE
           END-IF.

       1800-USAGE-ERROR.
           DISPLAY "usage: quarn-cheques [--home DIR] [--station N] "
               "[--user ID] [--batch FILE] (--help: more)" UPON SYSERR
           MOVE 2 TO WS-RUN-STATUS.

       1900-SHOW-HELP.
           DISPLAY "usage: quarn-cheques [--home DIR] [--station N] "
               "[--user ID] [--batch FILE]"
           DISPLAY " "
           DISPLAY "Writes the cheques of a cheque file (CSV: number,"
               "payee,city,date,amount,"
           DISPLAY "the payee as FIRST/MIDDLE/LAST, the city line as "
               "CITY/ST/CODE) and prints"
           DISPLAY "their register through the document writer, with "
               "the amounts in words."
           DISPLAY "The organisation's name comes from ORGFILE in the "
               "home folder (the"
           DISPLAY "organisation form opens when there is none); the "
               "payees are kept in"
           DISPLAY "CHQPAYEE.DAT there; the last cheque file is "
               "remembered in QUARN.CTL."
           DISPLAY " "
           DISPLAY "  --home DIR     the suite's home folder (default: "
               "the current folder)"
           DISPLAY "  --station N    the station number (default 1)"
           DISPLAY "  --user ID      the user signed on (default: the "
               "login name, 4 letters)"
           DISPLAY "  --batch FILE   no person at hand: the forms run "
               "headless, FILE holds"
           DISPLAY "                 the steps taken in them; the "
               "register is closed, not"
           DISPLAY "                 previewed"
           DISPLAY " "
           DISPLAY "Exit status: 0 written, 1 a cheque refused or no "
               "organisation or file,"
           DISPLAY "2 a wrong command line, 3 a file that cannot be "
               "opened.".

      *>--------------------------------------------------------------
      *> Sign-on: the home folder, station and user in the external
      *> area that every program of the library reads.
      *>--------------------------------------------------------------
       1500-SIGN-ON.
           MOVE SPACES TO WS-CURRENT-DIR
           CALL "CBL_GET_CURRENT_DIR" USING BY VALUE 0 BY VALUE 200
               BY REFERENCE WS-CURRENT-DIR
           INSPECT WS-CURRENT-DIR REPLACING ALL X"00" BY SPACE
           MOVE SPACES TO WS-HOME
           EVALUATE TRUE
               WHEN WS-HOME-ARG = SPACES
                   MOVE WS-CURRENT-DIR TO WS-HOME
               WHEN WS-HOME-ARG(1:1) = "/"
                   MOVE WS-HOME-ARG TO WS-HOME
               WHEN OTHER
                   STRING FUNCTION TRIM(WS-CURRENT-DIR) "/"
                       FUNCTION TRIM(WS-HOME-ARG)
                       DELIMITED BY SIZE INTO WS-HOME
           END-EVALUATE
           MOVE FUNCTION LENGTH(FUNCTION TRIM(WS-HOME TRAILING))
               TO WS-HOME-LENGTH
           IF WS-HOME(WS-HOME-LENGTH:1) NOT = "/"
               ADD 1 TO WS-HOME-LENGTH
               MOVE "/" TO WS-HOME(WS-HOME-LENGTH:1)
           END-IF
           IF WS-HOME-LENGTH > 67
               DISPLAY "quarn-cheques: the home folder's name "
                   FUNCTION TRIM(WS-HOME) " is longer than 67 "
                   "characters" UPON SYSERR
               MOVE 2 TO WS-RUN-STATUS
           ELSE
               MOVE LOW-VALUES TO XM-HOME-FOLDER
               MOVE WS-HOME(1:WS-HOME-LENGTH) TO
                   XM-HOME-FOLDER(1:WS-HOME-LENGTH)
               MOVE WS-HOME-LENGTH TO XM-FOLDER-LENGTH
               MOVE FUNCTION NUMVAL(WS-STATION-ARG) TO XM-STATION-NO
               IF WS-USER-ARG = SPACES
                   ACCEPT WS-USER-ARG FROM ENVIRONMENT "USER"
               END-IF
               IF WS-USER-ARG = SPACES
                   MOVE "CHQ" TO WS-USER-ARG
               END-IF
               MOVE FUNCTION UPPER-CASE(WS-USER-ARG) TO XM-USER-ID
               MOVE SPACES TO XM-DOCUMENT-FOLDER
               MOVE WS-HOME(1:WS-HOME-LENGTH) TO XM-DOCUMENT-FOLDER
               MOVE SPACES TO QUARN-CTLFL-EXTERNAL-VALUES
               PERFORM 1600-LOAD-PREFERENCES
               PERFORM 1700-CHOOSE-FORM-RUNTIME
           END-IF.

      *> The station's preference options; "SA" when it has none.
       1600-LOAD-PREFERENCES.
           MOVE "GetUserStationControl" TO CTL-METHOD
           MOVE "PREFERENCE-OPTIONS" TO CTL-SECTION
           PERFORM 8000-CALL-CONTROL-FILE
           EVALUATE CTL-STATUS
               WHEN "00"
                   MOVE CTL-VALUE(1:8) TO XM-PREFERENCES
               WHEN "23"
                   MOVE "SA" TO XM-PREFERENCES
               WHEN OTHER
                   PERFORM 8100-SHOW-CONTROL-FILE-ERROR
                   MOVE 3 TO WS-RUN-STATUS
           END-EVALUATE.

      *> In batch mode the forms run headless from the batch file;
      *> otherwise the library shows them on the display when there
      *> is one.
       1700-CHOOSE-FORM-RUNTIME.
           IF BATCH-MODE
               DISPLAY "QUARN_FORMS" UPON ENVIRONMENT-NAME
               DISPLAY "headless" UPON ENVIRONMENT-VALUE
               DISPLAY "QUARN_FORMS_SCRIPT" UPON ENVIRONMENT-NAME
               DISPLAY WS-BATCH-FILE UPON ENVIRONMENT-VALUE
           END-IF.

      *>--------------------------------------------------------------
      *> The organisation: line 1 of ORGFILE in the home folder. With
      *> no ORGFILE the organisation form opens on the home folder.
      *>--------------------------------------------------------------
       2000-LOAD-ORGANISATION.
           MOVE SPACES TO WS-ORG-FILE-NAME
           STRING WS-HOME(1:WS-HOME-LENGTH) "ORGFILE"
               DELIMITED BY SIZE INTO WS-ORG-FILE-NAME
           PERFORM 2100-READ-ORGFILE
           IF WS-ORG-STATUS = "35"
               PERFORM 2200-RESTORE-FORM-PLACE
               CALL "ORGEDIT" USING FORM-OWNER FORM-MODAL-STYLE
                   FORM-OUTCOME FORM-PLACE FORM-RUNTIME
               PERFORM 2300-KEEP-FORM-PLACE
               IF FORM-OUTCOME = 1
                   PERFORM 2100-READ-ORGFILE
               END-IF
           END-IF
           EVALUATE TRUE
               WHEN WS-ORG-STATUS = "00" AND WS-ORGANISATION NOT =
                       SPACES
                   CONTINUE
               WHEN WS-ORG-STATUS = "00"
                   DISPLAY "quarn-cheques: no organisation name in "
                       FUNCTION TRIM(WS-ORG-FILE-NAME)
                       "; the register needs one" UPON SYSERR
                   MOVE 1 TO WS-RUN-STATUS
               WHEN WS-ORG-STATUS = "35"
                   DISPLAY "quarn-cheques: no ORGFILE in "
                       WS-HOME(1:WS-HOME-LENGTH) " (the organisation "
                       "form was closed without saving); the register "
                       "needs the organisation's name" UPON SYSERR
                   MOVE 1 TO WS-RUN-STATUS
               WHEN OTHER
                   MOVE WS-ORG-STATUS TO IX-STATUS-CODE
                   PERFORM 8200-SHOW-FILE-ERROR
                   DISPLAY "    " FUNCTION TRIM(WS-ORG-FILE-NAME)
                       UPON SYSERR
                   MOVE 3 TO WS-RUN-STATUS
           END-EVALUATE.

       2100-READ-ORGFILE.
           MOVE SPACES TO WS-ORGANISATION
           OPEN INPUT ORG-FILE
           IF WS-ORG-STATUS = "00"
               READ ORG-FILE
                   AT END MOVE SPACES TO ORG-LINE
               END-READ
               MOVE ORG-LINE TO WS-ORGANISATION
               CLOSE ORG-FILE
               MOVE "00" TO WS-ORG-STATUS
           END-IF.

      *> Where the forms were last time, when the station keeps
      *> window places (first preference option "S").
       2200-RESTORE-FORM-PLACE.
           IF XM-PREFERENCES(1:1) = "S"
               MOVE "SetUserWindowLocation" TO CTL-METHOD
               PERFORM 8000-CALL-CONTROL-FILE
               MOVE CTL-VALUE(1:39) TO WS-WINDOW-LOCATION
               IF CTL-STATUS = "00" AND WL-TOP IS NUMERIC
                   AND WL-COMMA-1 = "," AND WL-COMMA-2 = ","
                   AND WL-COMMA-3 = ","
                   AND WL-LEFT IS NUMERIC AND WL-WIDTH IS NUMERIC
                   AND WL-HEIGHT IS NUMERIC
                   MOVE WL-TOP TO FORM-PLACE-TOP
                   MOVE WL-LEFT TO FORM-PLACE-LEFT
                   MOVE WL-WIDTH TO FORM-PLACE-WIDTH
                   MOVE WL-HEIGHT TO FORM-PLACE-HEIGHT
               END-IF
           END-IF.

      *> The place a form was in at its end; a form that was not
      *> shown (width 0) or minimised (height below 20) changes
      *> nothing.
       2300-KEEP-FORM-PLACE.
           IF XM-PREFERENCES(1:1) = "S" AND FORM-PLACE-WIDTH > 0
               AND FORM-PLACE-HEIGHT >= 20
               MOVE FORM-PLACE-TOP TO WL-TOP
               MOVE FORM-PLACE-LEFT TO WL-LEFT
               MOVE FORM-PLACE-WIDTH TO WL-WIDTH
               MOVE FORM-PLACE-HEIGHT TO WL-HEIGHT
               MOVE "," TO WL-COMMA-1 WL-COMMA-2 WL-COMMA-3
               MOVE "SaveUserWindowLocation" TO CTL-METHOD
               MOVE WS-WINDOW-LOCATION TO CTL-VALUE
               PERFORM 8000-CALL-CONTROL-FILE
               IF CTL-STATUS NOT = "00"
                   PERFORM 8100-SHOW-CONTROL-FILE-ERROR
               END-IF
           END-IF.

      *>--------------------------------------------------------------
      *> The cheque file, chosen in the file dialog, which starts in
      *> the folder of the last one.
      *>--------------------------------------------------------------
       3000-CHOOSE-CHEQUE-FILE.
           MOVE "GetUserStationControl" TO CTL-METHOD
           MOVE "CHEQUES-LAST-FILE" TO CTL-SECTION
           PERFORM 8000-CALL-CONTROL-FILE
           MOVE SPACES TO XM-BROWSE-FOLDER
           IF CTL-STATUS = "00"
               PERFORM 3100-FOLDER-OF-LAST-FILE
           END-IF
           IF XM-BROWSE-FOLDER = SPACES
               MOVE WS-HOME(1:WS-HOME-LENGTH) TO XM-BROWSE-FOLDER
           END-IF
           MOVE LOW-VALUES TO XM-BROWSE-PATH
           STRING "Cheque files" X"00" "*.csv" X"00"
                  "All files" X"00" "*" X"00" X"00"
               DELIMITED BY SIZE INTO XM-BROWSE-PATH
           MOVE "Cheques to write" TO XM-BROWSE-TITLE
           PERFORM 2200-RESTORE-FORM-PLACE
           CALL "FLBROWSE" USING FORM-OWNER FORM-MODAL-STYLE
               FORM-OUTCOME FORM-PLACE FORM-RUNTIME
           PERFORM 2300-KEEP-FORM-PLACE
           IF XM-BROWSE-RESULT NOT = "0001"
                   OR XM-BROWSE-PATH(1:1) = X"00" OR SPACE
               DISPLAY "quarn-cheques: no cheque file chosen; "
                   "nothing written" UPON SYSERR
               MOVE 1 TO WS-RUN-STATUS
           ELSE
               PERFORM 3200-TAKE-CHOSEN-FILE
           END-IF.

      *> The folder of the remembered file, up to its last "/".
       3100-FOLDER-OF-LAST-FILE.
           MOVE 0 TO WS-LAST-SLASH
           PERFORM VARYING WS-AT FROM 1 BY 1 UNTIL WS-AT > 100
               IF CTL-VALUE(WS-AT:1) = "/"
                   MOVE WS-AT TO WS-LAST-SLASH
               END-IF
           END-PERFORM
           IF WS-LAST-SLASH > 0 AND WS-LAST-SLASH <= 64
               MOVE CTL-VALUE(1:WS-LAST-SLASH) TO XM-BROWSE-FOLDER
           END-IF.

      *> The chosen path ends at its first zero byte; a relative one
      *> is taken from the current folder. It is remembered for the
      *> next run when it fits the setting's 100 characters.
       3200-TAKE-CHOSEN-FILE.
           MOVE SPACES TO WS-CHEQUE-FILE-NAME
           MOVE 0 TO WS-LENGTH
           INSPECT XM-BROWSE-PATH TALLYING WS-LENGTH
               FOR CHARACTERS BEFORE INITIAL X"00"
           IF XM-BROWSE-PATH(1:1) = "/"
               MOVE XM-BROWSE-PATH(1:WS-LENGTH) TO WS-CHEQUE-FILE-NAME
           ELSE
               STRING FUNCTION TRIM(WS-CURRENT-DIR) "/"
                   XM-BROWSE-PATH(1:WS-LENGTH)
                   DELIMITED BY SIZE INTO WS-CHEQUE-FILE-NAME
           END-IF
           IF FUNCTION LENGTH(FUNCTION TRIM(WS-CHEQUE-FILE-NAME))
                   <= 100
               MOVE "SaveUserStationControl" TO CTL-METHOD
               MOVE "CHEQUES-LAST-FILE" TO CTL-SECTION
               MOVE WS-CHEQUE-FILE-NAME TO CTL-VALUE
               PERFORM 8000-CALL-CONTROL-FILE
               IF CTL-STATUS NOT = "00"
                   PERFORM 8100-SHOW-CONTROL-FILE-ERROR
               END-IF
           END-IF
      *>   The register names the file without its folder.
           MOVE 0 TO WS-LAST-SLASH
           PERFORM VARYING WS-AT FROM 1 BY 1 UNTIL WS-AT > 200
               IF WS-CHEQUE-FILE-NAME(WS-AT:1) = "/"
                   MOVE WS-AT TO WS-LAST-SLASH
               END-IF
           END-PERFORM
           MOVE SPACES TO WS-CHEQUE-FILE-SHOWN
           IF WS-LAST-SLASH < 200
               MOVE WS-CHEQUE-FILE-NAME(WS-LAST-SLASH + 1:) TO
                   WS-CHEQUE-FILE-SHOWN
           END-IF.

      *>--------------------------------------------------------------
      *> The register.
      *>--------------------------------------------------------------
       4000-WRITE-REGISTER.
           OPEN INPUT CHEQUE-FILE
           IF WS-CHEQUE-STATUS NOT = "00"
               MOVE WS-CHEQUE-STATUS TO IX-STATUS-CODE
               PERFORM 8200-SHOW-FILE-ERROR
               DISPLAY "    " FUNCTION TRIM(WS-CHEQUE-FILE-NAME)
                   UPON SYSERR
               MOVE 3 TO WS-RUN-STATUS
           ELSE
               PERFORM 4100-OPEN-PAYEES
               IF RUN-OK
                   PERFORM 5000-START-DOCUMENT
               END-IF
               IF RUN-OK
      *>           The first line names the columns.
                   READ CHEQUE-FILE
                       AT END MOVE "10" TO WS-CHEQUE-STATUS
                   END-READ
                   ADD 1 TO WS-LINE-NO
                   PERFORM 4200-NEXT-CHEQUE
                       UNTIL WS-CHEQUE-STATUS NOT = "00"
                          OR POP-STATUS NOT = "00"
                          OR WS-RUN-STATUS = 3
               END-IF
               CLOSE CHEQUE-FILE
               IF POP-STATUS = "00" AND WS-RUN-STATUS NOT = 3
                   PERFORM 5300-WRITE-TOTAL
                   PERFORM 5400-WRITE-PAYEES
                   PERFORM 5500-CLOSE-DOCUMENT
               END-IF
               MOVE "CLOS" TO PQ-ACTION
               CALL "CHQPAYEE" USING PAYEE-REQUEST PAYEE-RECORD
           END-IF.

       4100-OPEN-PAYEES.
           MOVE "OPEN" TO PQ-ACTION
           MOVE SPACES TO PQ-FILE-NAME
           STRING WS-HOME(1:WS-HOME-LENGTH) "CHQPAYEE.DAT"
               DELIMITED BY SIZE INTO PQ-FILE-NAME
           CALL "CHQPAYEE" USING PAYEE-REQUEST PAYEE-RECORD
           IF PQ-STATUS NOT = "00"
               MOVE PQ-STATUS TO IX-STATUS-CODE
               PERFORM 8200-SHOW-FILE-ERROR
               DISPLAY "    " FUNCTION TRIM(PQ-FILE-NAME) UPON SYSERR
               MOVE 3 TO WS-RUN-STATUS
           END-IF.

       4200-NEXT-CHEQUE.
           READ CHEQUE-FILE
               AT END MOVE "10" TO WS-CHEQUE-STATUS
           END-READ
           IF WS-CHEQUE-STATUS = "00"
               ADD 1 TO WS-LINE-NO
               IF CHEQUE-FILE-LINE NOT = SPACES
                   PERFORM 4300-MAKE-CHEQUE
                   IF CM-PROBLEM = SPACES
                       PERFORM 4800-KEEP-PAYEE
                       PERFORM 5200-WRITE-CHEQUE
                       ADD CM-AMOUNT TO WS-TOTAL
                       ADD 1 TO WS-COUNT
                   ELSE
                       MOVE WS-LINE-NO TO WS-LINE-NO-EDIT
                       DISPLAY "quarn-cheques: "
                           FUNCTION TRIM(WS-CHEQUE-FILE-SHOWN) ":"
                           FUNCTION TRIM(WS-LINE-NO-EDIT) ": "
                           FUNCTION TRIM(CM-PROBLEM)
                           UPON SYSERR
                       ADD 1 TO WS-REJECTED
                       MOVE 1 TO WS-RUN-STATUS
                   END-IF
               END-IF
           END-IF.

      *> One cheque from the five fields of its line.
       4300-MAKE-CHEQUE.
           INITIALIZE CHEQUE-MADE
           PERFORM 4400-SPLIT-LINE
           IF CM-PROBLEM = SPACES
               MOVE CQ-FIELD(1) TO CM-NUMBER
               PERFORM 4500-PAYEE-NAME
           END-IF
           IF CM-PROBLEM = SPACES
               PERFORM 4600-PAYEE-PLACE
           END-IF
           IF CM-PROBLEM = SPACES
               PERFORM 4650-CHEQUE-DATE
           END-IF
           IF CM-PROBLEM = SPACES
               PERFORM 4700-CHEQUE-AMOUNT
           END-IF.

      *> The fields are separated by commas; a field in double quotes
      *> may hold commas, and a quote inside it is doubled.
       4400-SPLIT-LINE.
      *>   A file written with CR LF line ends keeps its CR.
           INSPECT CHEQUE-FILE-LINE REPLACING ALL X"0D" BY SPACE
           MOVE SPACES TO CHEQUE-LINE
           MOVE 1 TO CQ-FIELD-COUNT
           MOVE 0 TO WS-FIELD-AT
           MOVE "N" TO WS-QUOTED
           MOVE FUNCTION LENGTH(FUNCTION TRIM(CHEQUE-FILE-LINE
               TRAILING)) TO WS-LINE-LENGTH
           PERFORM VARYING WS-AT FROM 1 BY 1
                   UNTIL WS-AT > WS-LINE-LENGTH OR CM-PROBLEM NOT =
                       SPACES
               MOVE CHEQUE-FILE-LINE(WS-AT:1) TO WS-CHAR
               MOVE SPACE TO WS-NEXT-CHAR
               IF WS-AT < WS-LINE-LENGTH
                   MOVE CHEQUE-FILE-LINE(WS-AT + 1:1) TO WS-NEXT-CHAR
               END-IF
               EVALUATE TRUE
                   WHEN IN-QUOTES AND WS-CHAR = '"'
                           AND WS-NEXT-CHAR = '"'
                       PERFORM 4410-ADD-CHARACTER
                       ADD 1 TO WS-AT
                   WHEN IN-QUOTES AND WS-CHAR = '"'
                       MOVE "N" TO WS-QUOTED
                   WHEN WS-CHAR = '"' AND WS-FIELD-AT = 0
                       MOVE "Y" TO WS-QUOTED
                   WHEN WS-CHAR = "," AND NOT IN-QUOTES
                       ADD 1 TO CQ-FIELD-COUNT
                       MOVE 0 TO WS-FIELD-AT
                       IF CQ-FIELD-COUNT > 5
                           MOVE "more than five fields"
                               TO CM-PROBLEM
                       END-IF
                   WHEN OTHER
                       PERFORM 4410-ADD-CHARACTER
               END-EVALUATE
           END-PERFORM
           EVALUATE TRUE
               WHEN CM-PROBLEM NOT = SPACES
                   CONTINUE
               WHEN IN-QUOTES
                   MOVE "a quoted field does not end on its line"
                       TO CM-PROBLEM
               WHEN CQ-FIELD-COUNT < 5
                   MOVE "expected number,payee,city,date,amount"
                       TO CM-PROBLEM
               WHEN OTHER
                   PERFORM 4420-TEXT-TO-RECORD
                       VARYING WS-FIELD-NO FROM 1 BY 1
                       UNTIL WS-FIELD-NO > 5
           END-EVALUATE.

       4410-ADD-CHARACTER.
           IF WS-FIELD-AT >= 60
               MOVE "a field is longer than 60 characters"
                   TO CM-PROBLEM
           ELSE
               ADD 1 TO WS-FIELD-AT
               MOVE WS-CHAR TO
                   CQ-FIELD(CQ-FIELD-COUNT)(WS-FIELD-AT:1)
           END-IF.

      *> The records hold text in code page 1252. A cheque file saved
      *> as UTF-8 has its accented letters as two bytes (C2 or C3 and
      *> a byte from 80 to BF); each becomes its one byte of 1252.
       4420-TEXT-TO-RECORD.
           MOVE CQ-FIELD(WS-FIELD-NO) TO WS-FIELD-WORK
           MOVE SPACES TO WS-FIELD-OUT
           MOVE 1 TO WS-OUT
           PERFORM VARYING WS-IN FROM 1 BY 1 UNTIL WS-IN > 60
               MOVE WS-FIELD-WORK(WS-IN:1) TO WS-CHAR
               IF WS-IN < 60
                   MOVE WS-FIELD-WORK(WS-IN + 1:1) TO WS-NEXT-CHAR
               ELSE
                   MOVE SPACE TO WS-NEXT-CHAR
               END-IF
               EVALUATE TRUE
                   WHEN WS-CHAR = X"C3" AND WS-NEXT-CHAR >= X"80"
                           AND WS-NEXT-CHAR <= X"BF"
                       MOVE FUNCTION CHAR(FUNCTION ORD(WS-NEXT-CHAR)
                           + 64) TO WS-FIELD-OUT(WS-OUT:1)
                       ADD 1 TO WS-IN
                   WHEN WS-CHAR = X"C2" AND WS-NEXT-CHAR >= X"80"
                           AND WS-NEXT-CHAR <= X"BF"
                       MOVE WS-NEXT-CHAR TO WS-FIELD-OUT(WS-OUT:1)
                       ADD 1 TO WS-IN
                   WHEN OTHER
                       MOVE WS-CHAR TO WS-FIELD-OUT(WS-OUT:1)
               END-EVALUATE
               ADD 1 TO WS-OUT
           END-PERFORM
           MOVE WS-FIELD-OUT TO CQ-FIELD(WS-FIELD-NO).

      *> GETNAME splits the payee; its parts, in mixed case, make the
      *> name on the cheque, its sort name the payee's key.
       4500-PAYEE-NAME.
           MOVE SPACES TO GETNAME-RECORD
           MOVE CQ-FIELD(2) TO GN-NAME-IN
           CALL "GETNAME" USING GETNAME-RECORD
           IF GN-RETURN-CODE NOT = "00"
               STRING "GETNAME cannot split the payee (code "
                   GN-RETURN-CODE ")" DELIMITED BY SIZE INTO CM-PROBLEM
           ELSE
               MOVE GN-SORT-NAME TO CM-SORT-NAME
               MOVE SPACES TO WS-PAYEE-WORK
               MOVE GN-PART-1 TO WS-PIECE
               PERFORM 4510-ADD-NAME-PIECE
               MOVE GN-PART-2 TO WS-PIECE
               PERFORM 4510-ADD-NAME-PIECE
               MOVE GN-PART-3 TO WS-PIECE
               PERFORM 4510-ADD-NAME-PIECE
               MOVE GN-PART-4 TO WS-PIECE
               PERFORM 4510-ADD-NAME-PIECE
               MOVE SPACES TO MIXCASE-RECORD
               MOVE "N" TO MC-EXCEPTION-SET
               MOVE WS-PAYEE-WORK TO MC-TEXT
               CALL "MIXCASE" USING MIXCASE-RECORD
               MOVE MC-TEXT TO CM-PAYEE
           END-IF.

      *> A piece of output ends at its "/" end mark.
       4510-ADD-NAME-PIECE.
           INSPECT WS-PIECE REPLACING FIRST "/" BY SPACE
           IF WS-PIECE NOT = SPACES
               IF WS-PAYEE-WORK = SPACES
                   MOVE FUNCTION TRIM(WS-PIECE) TO WS-PAYEE-WORK
               ELSE
                   MOVE SPACES TO WS-PIECE-JOINED
                   STRING FUNCTION TRIM(WS-PAYEE-WORK) " "
                       FUNCTION TRIM(WS-PIECE)
                       DELIMITED BY SIZE INTO WS-PIECE-JOINED
                   MOVE WS-PIECE-JOINED TO WS-PAYEE-WORK
               END-IF
           END-IF.

      *> GETCSZ splits the city line and looks the state up; the city
      *> is put in mixed case, the state and code stay upper case.
       4600-PAYEE-PLACE.
           MOVE SPACES TO GETCSZ-RECORD GETSTATE-RECORD
           MOVE CQ-FIELD(3) TO CSZ-LINE-IN
           CALL "GETCSZ" USING GETCSZ-RECORD GETSTATE-RECORD
           IF CSZ-RETURN-CODE NOT = "00"
               STRING "GETCSZ does not know the city line (code "
                   CSZ-RETURN-CODE ")" DELIMITED BY SIZE INTO CM-PROBLEM
           ELSE
               MOVE CSZ-CITY TO WS-CITY
               MOVE CSZ-STATE TO WS-STATE
               MOVE CSZ-POSTAL-CODE TO WS-POSTAL
               INSPECT WS-CITY REPLACING FIRST "/" BY SPACE
               INSPECT WS-STATE REPLACING FIRST "/" BY SPACE
               INSPECT WS-POSTAL REPLACING FIRST "/" BY SPACE
               MOVE SPACES TO MIXCASE-RECORD
               MOVE "A" TO MC-EXCEPTION-SET
               MOVE WS-CITY TO MC-TEXT
               CALL "MIXCASE" USING MIXCASE-RECORD
               STRING FUNCTION TRIM(MC-TEXT) ", "
                   FUNCTION TRIM(WS-STATE) " " FUNCTION TRIM(WS-POSTAL)
                   DELIMITED BY SIZE INTO CM-PLACE
           END-IF.

      *> DATEDIT completes and checks the typed date (years below 50
      *> are 20xx); GETDAY gives its day of the week.
       4650-CHEQUE-DATE.
           MOVE SPACES TO DATEDIT-RECORD
           MOVE CQ-FIELD(4) TO DE-DATE-TEXT
           MOVE 50 TO DE-PIVOT
           MOVE "N" TO DE-MONTH-YEAR DE-ZERO-MONTH DE-ZERO-DAY
               DE-YEAR-CHECK
           CALL "DATEDIT" USING DATEDIT-RECORD
           IF DE-RESULT NOT = 0
               STRING "DATEDIT rejects the date "
                   FUNCTION TRIM(CQ-FIELD(4))
                   DELIMITED BY SIZE INTO CM-PROBLEM
           ELSE
               MOVE SPACES TO GETDAY-RECORD
               MOVE DE-MONTH TO GY-MONTH
               MOVE DE-DAY TO GY-DAY
               MOVE DE-YEAR TO GY-YEAR
               CALL "GETDAY" USING DE-CHECK GETDAY-RECORD
               MOVE DE-DATE-TEXT TO WS-DATE-TEXT
               INSPECT WS-DATE-TEXT(1:1) REPLACING ALL SPACE BY "0"
               IF GY-WEEKDAY >= 1 AND GY-WEEKDAY <= 7
                   STRING WS-WEEKDAY-NAME(GY-WEEKDAY) " "
                       WS-DATE-TEXT DELIMITED BY SIZE INTO CM-DATE
               ELSE
                   MOVE WS-DATE-TEXT TO CM-DATE
               END-IF
           END-IF.

      *> NUMEDIT reads the amount as typed ("1,250.00"); AMTNAME
      *> words it with its cents.
       4700-CHEQUE-AMOUNT.
           MOVE SPACES TO NUMEDIT-RECORD
           MOVE CQ-FIELD(5) TO NE-TEXT
           CALL "NUMEDIT" USING NUMEDIT-RECORD
           EVALUATE TRUE
               WHEN CQ-FIELD(5)(25:36) NOT = SPACES
                   MOVE "the amount is longer than 24 characters"
                       TO CM-PROBLEM
               WHEN NE-NUMBER NOT > 0
                   STRING "the amount " FUNCTION TRIM(CQ-FIELD(5))
                       " is not an amount above zero"
                       DELIMITED BY SIZE INTO CM-PROBLEM
               WHEN NE-NUMBER > 999999999999.99
                   STRING "the amount " FUNCTION TRIM(CQ-FIELD(5))
                       " is too large for a cheque"
                       DELIMITED BY SIZE INTO CM-PROBLEM
               WHEN OTHER
                   COMPUTE CM-AMOUNT ROUNDED = NE-NUMBER
                   MOVE CM-AMOUNT TO WS-MONEY-EDIT
                   MOVE FUNCTION TRIM(WS-MONEY-EDIT) TO CM-AMOUNT-TEXT
                   MOVE SPACES TO AMTNAME-RECORD
                   MOVE CM-AMOUNT TO AN-AMOUNT
                   MOVE "2" TO AN-CENTS-OPTION
                   MOVE "Dollars" TO AN-TRAILING-TEXT
                   CALL "AMTNAME" USING AMTNAME-RECORD
                   MOVE AN-WORDS TO CM-WORDS
           END-EVALUATE.

      *> The payee file keeps every payee with its latest cheque.
       4800-KEEP-PAYEE.
           MOVE SPACES TO PAYEE-RECORD
           MOVE CM-SORT-NAME TO PY-KEY
           MOVE CM-PAYEE TO PY-NAME
           MOVE CM-PLACE TO PY-PLACE
           MOVE CM-NUMBER TO PY-LAST-CHEQUE
           MOVE CM-DATE TO PY-LAST-DATE
           MOVE CM-AMOUNT TO PY-LAST-AMOUNT
           MOVE "SAVE" TO PQ-ACTION
           CALL "CHQPAYEE" USING PAYEE-REQUEST PAYEE-RECORD
           IF PQ-STATUS NOT = "00"
               MOVE PQ-STATUS TO IX-STATUS-CODE
               PERFORM 8200-SHOW-FILE-ERROR
               MOVE 3 TO WS-RUN-STATUS
           END-IF.

      *>--------------------------------------------------------------
      *> The document, through POP.
      *>--------------------------------------------------------------
      *> The page header names the organisation and the cheque file;
      *> the cheques are a table: number, date, payee with place and
      *> the amount in words, amount.
       5000-START-DOCUMENT.
           CALL "quarn_runtime_form" RETURNING POP-FORM
           MOVE SPACES TO POP-REQUEST-RECORD POP-CALLER-RECORD
           MOVE "CHEQUES" TO POP-PROGRAM-NAME
           MOVE "CHEQUE REGISTER" TO POP-REPORT-TITLE
           MOVE "INI" TO POP-REQUEST
           PERFORM 5900-CALL-POP
           IF POP-STATUS = "00"
               MOVE WS-ORGANISATION TO POP-HEADING-LINE-1
               STRING "Cheques from " WS-CHEQUE-FILE-SHOWN
                   DELIMITED BY SIZE INTO POP-HEADING-LINE-2
               MOVE SPACES TO WS-CELLS
               STRING POP-CELL "0070 1 1      "
                      POP-CELL "0200 1 1      "
                      POP-CELL "0630 1 1      "
                      POP-CELL "0750 111      " POP-END-MARK
                   DELIMITED BY SIZE INTO WS-CELLS
               MOVE WS-CELLS TO POP-HEADER-ROW-LAYOUT POP-ROW-LAYOUT
               STRING POP-FONT-MARK "110B      No." POP-TAB "Date"
                      POP-TAB "Payee" POP-TAB POP-RIGHT "Amount"
                      POP-END-MARK
                   DELIMITED BY SIZE INTO POP-HEADER-ROW-TEXT
               MOVE "C" TO POP-LINE-MODE
           END-IF.

       5200-WRITE-CHEQUE.
           MOVE SPACES TO POP-LINE-TEXT
           STRING FUNCTION TRIM(CM-NUMBER) POP-TAB
                  FUNCTION TRIM(CM-DATE) POP-TAB
                  FUNCTION TRIM(CM-PAYEE) POP-PARAGRAPH
                  FUNCTION TRIM(CM-PLACE) POP-PARAGRAPH
                  POP-FONT-MARK "010  I    " FUNCTION TRIM(CM-WORDS)
                  POP-TAB POP-RIGHT FUNCTION TRIM(CM-AMOUNT-TEXT)
                  POP-END-MARK
               DELIMITED BY SIZE INTO POP-LINE-TEXT
           MOVE "WRI" TO POP-REQUEST
           PERFORM 5900-CALL-POP.

      *> After the table: the count and the total, right-aligned.
       5300-WRITE-TOTAL.
           MOVE " " TO POP-LINE-MODE
           MOVE SPACES TO POP-LINE-LAYOUT POP-LINE-TEXT
           STRING POP-TAB-STOP "0750R     " POP-END-MARK
               DELIMITED BY SIZE INTO POP-LINE-LAYOUT
           PERFORM 5310-COUNT-OF-CHEQUES
           MOVE WS-TOTAL TO WS-MONEY-EDIT
           STRING POP-FONT-MARK "110B      "
                  FUNCTION TRIM(WS-COUNT-TEXT) POP-TAB
                  FUNCTION TRIM(WS-MONEY-EDIT) POP-END-MARK
               DELIMITED BY SIZE INTO POP-LINE-TEXT
           MOVE "WRI" TO POP-REQUEST
           PERFORM 5900-CALL-POP.

       5310-COUNT-OF-CHEQUES.
           MOVE WS-COUNT TO WS-COUNT-EDIT
           MOVE SPACES TO WS-COUNT-TEXT
           IF WS-COUNT = 1
               MOVE "1 cheque" TO WS-COUNT-TEXT
           ELSE
               STRING FUNCTION TRIM(WS-COUNT-EDIT) " cheques"
                   DELIMITED BY SIZE INTO WS-COUNT-TEXT
           END-IF.

      *> The payees on file, in the order of their sort names, with
      *> the latest cheque of each.
       5400-WRITE-PAYEES.
           IF POP-STATUS = "00"
               MOVE SPACES TO POP-LINE-LAYOUT POP-LINE-TEXT
               STRING POP-FONT-MARK "110B      Payees on file"
                   POP-END-MARK DELIMITED BY SIZE INTO POP-LINE-TEXT
               MOVE "WRI" TO POP-REQUEST
               PERFORM 5900-CALL-POP
               STRING POP-TAB-STOP "0300L     "
                      POP-TAB-STOP "0570L     "
                      POP-TAB-STOP "0750R     " POP-END-MARK
                   DELIMITED BY SIZE INTO POP-LINE-LAYOUT
               MOVE "FRST" TO PQ-ACTION
               CALL "CHQPAYEE" USING PAYEE-REQUEST PAYEE-RECORD
               PERFORM 5410-WRITE-PAYEE
                   UNTIL PQ-STATUS NOT = "00" OR POP-STATUS NOT = "00"
               IF PQ-STATUS NOT = "10" AND POP-STATUS = "00"
                   MOVE PQ-STATUS TO IX-STATUS-CODE
                   PERFORM 8200-SHOW-FILE-ERROR
                   MOVE 3 TO WS-RUN-STATUS
               END-IF
           END-IF.

       5410-WRITE-PAYEE.
           MOVE PY-LAST-AMOUNT TO WS-MONEY-EDIT
           MOVE SPACES TO POP-LINE-TEXT
           STRING FUNCTION TRIM(PY-NAME) POP-TAB
                  FUNCTION TRIM(PY-PLACE) POP-TAB
                  "No. " FUNCTION TRIM(PY-LAST-CHEQUE) ", "
                  FUNCTION TRIM(PY-LAST-DATE) POP-TAB
                  FUNCTION TRIM(WS-MONEY-EDIT) POP-END-MARK
               DELIMITED BY SIZE INTO POP-LINE-TEXT
           MOVE "WRI" TO POP-REQUEST
           PERFORM 5900-CALL-POP
           MOVE "NEXT" TO PQ-ACTION
           CALL "CHQPAYEE" USING PAYEE-REQUEST PAYEE-RECORD.

      *> A person sees the register in the preview (CLV); a batch run
      *> only closes it (CLS). Either says where it is, also when the
      *> preview program could not be started.
       5500-CLOSE-DOCUMENT.
           IF POP-STATUS = "00"
               IF BATCH-MODE
                   MOVE "CLS" TO WS-CLOSE-REQUEST
               ELSE
                   MOVE "CLV" TO WS-CLOSE-REQUEST
               END-IF
               MOVE WS-CLOSE-REQUEST TO POP-REQUEST
               PERFORM 5900-CALL-POP
           END-IF
           PERFORM 5310-COUNT-OF-CHEQUES
           MOVE WS-TOTAL TO WS-MONEY-EDIT
           DISPLAY FUNCTION TRIM(WS-COUNT-TEXT) ", "
               FUNCTION TRIM(WS-MONEY-EDIT)
           IF POP-PRINT-FILE-NAME NOT = SPACES
               DISPLAY "The register is "
                   FUNCTION TRIM(POP-PRINT-FILE-NAME)
           END-IF
           IF WS-REJECTED > 0
               MOVE WS-REJECTED TO WS-COUNT-EDIT
               DISPLAY "quarn-cheques: " FUNCTION TRIM(WS-COUNT-EDIT)
                   " line(s) refused; the register has the others"
                   UPON SYSERR
           END-IF.

      *> A refused request ends the run with POP's own words.
       5900-CALL-POP.
           CALL "POP" USING POP-REQUEST-RECORD POP-CALLER-RECORD
               BY VALUE POP-FORM
           IF POP-STATUS NOT = "00"
               DISPLAY "quarn-cheques: the register failed at "
                   POP-REQUEST ":" UPON SYSERR
               DISPLAY FUNCTION TRIM(POP-MESSAGE-TEXT) UPON SYSERR
               MOVE 3 TO WS-RUN-STATUS
           END-IF.

      *>--------------------------------------------------------------
      *> The control file and file errors.
      *>--------------------------------------------------------------
       8000-CALL-CONTROL-FILE.
           MOVE SPACES TO CTL-MESSAGE
           IF CTL-METHOD(1:3) = "Get" OR CTL-METHOD(1:3) = "Set"
               MOVE SPACES TO CTL-VALUE
           END-IF
           CALL "quarn_control_file" USING CONTROL-REQUEST CTL-MESSAGE
               PROGRAM-ID-NAME FORM-ID-NAME.

       8100-SHOW-CONTROL-FILE-ERROR.
           DISPLAY "quarn-cheques: the control file QUARN.CTL in "
               WS-HOME(1:WS-HOME-LENGTH) " answered " CTL-STATUS ":"
               UPON SYSERR
           DISPLAY FUNCTION TRIM(CTL-MESSAGE) UPON SYSERR.

      *> The suite's words for the file status in IX-STATUS-CODE.
       8200-SHOW-FILE-ERROR.
           CALL "IXIOSTAT" USING IXIOSTAT-RECORD
           DISPLAY "quarn-cheques: " FUNCTION TRIM(IX-STATUS-MESSAGE)
               UPON SYSERR.
