      *> POP: one request of a report to the document writer, and the
      *> document's state between requests (keep the record intact while
      *> a document is open).
      *>   CALL "POP" USING POP-REQUEST-RECORD POP-CALLER-RECORD
      *>                    BY VALUE POP-FORM
      *> POP-FORM is a form of the caller's (NULL: every request but INI
      *> fails with "--Caller did not provide a form. |"); for a program
      *> without a window of its own
      *>   CALL "quarn_runtime_form" RETURNING POP-FORM
      *> gives one that passes messages to the library's form runtime.
      *> Fonts: X"14", font digit (0 Times, 1 Arial, 2 Courier), size,
      *> B, U/D/T/W/F, I, position digit. Line marks: X"03" end, X"09"
      *> tab, X"11"/X"12"/X"13" left, centre, right, X"14" font, X"17"
      *> paragraph, X"18" page number. Layouts: X"15" tab stop
      *> (position, kind L R C D), X"16" cell (right edge, borders
      *> TLBR), X"03" end.
       01  POP-REQUEST-RECORD.
      *> spaces
           05  POP-RESERVED                    PIC X(10).
      *> in: "P" PRINT.rtf, "F" PDF.rtf, "D" dPDF.rtf, else TEMP.rtf
           05  POP-OUTPUT-KIND                 PIC X(1).
      *> in: font of every line and paragraph ("110": Arial 10)
           05  POP-BODY-FONT                   PIC X(11).
      *> in: "P" portrait, "L" landscape
           05  POP-ORIENTATION                 PIC X(1).
      *> in: digits, hundredths of an inch ("0850")
           05  POP-PAPER-WIDTH                 PIC X(4).
      *> in: ("1100")
           05  POP-PAPER-HEIGHT                PIC X(4).
      *> in: ("0050")
           05  POP-LEFT-MARGIN                 PIC X(4).
      *> in: ("0050")
           05  POP-RIGHT-MARGIN                PIC X(4).
      *> in: also the header distance ("0050")
           05  POP-TOP-MARGIN                  PIC X(4).
      *> in: also the footer distance ("0050")
           05  POP-BOTTOM-MARGIN               PIC X(4).
      *> in: "Y" standard page header, "N" none, "1" none and the first
      *> page has its own header and footer (WH1, WF1)
           05  POP-HEADER-PAGE                 PIC X(1).
      *> in: the standard header's heading lines
           05  POP-HEADING-LINE-1              PIC X(100).
           05  POP-HEADING-LINE-2              PIC X(100).
           05  POP-HEADING-LINE-3              PIC X(100).
      *> in: tab-stop and cell blocks for WRI and headers, byte 3 ends
           05  POP-LINE-LAYOUT                 PIC X(512).
      *> in: the line of WRI, WHD, WH1, WFT, WF1
           05  POP-LINE-TEXT                   PIC X(768).
      *> in: the report title's font ("012B": Times 12 bold)
           05  POP-HEADING-FONT-0              PIC X(11).
      *> in: the heading lines' fonts
           05  POP-HEADING-FONT-1              PIC X(11).
           05  POP-HEADING-FONT-2              PIC X(11).
           05  POP-HEADING-FONT-3              PIC X(11).
      *> in: date, time and page number ("008": Times 8)
           05  POP-SMALL-FONT                  PIC X(11).
      *> in: ("010")
           05  POP-SECOND-BODY-FONT            PIC X(11).
      *> in: digits; non-zero restarts the page numbers there
           05  POP-STARTING-PAGE               PIC X(5).
      *> in: " " paragraphs, "C" or "F" table rows
           05  POP-LINE-MODE                   PIC X(1).
      *> in: cells of a table's column-heading row
           05  POP-HEADER-ROW-LAYOUT           PIC X(512).
      *> in: text of the column-heading row (tabs between cells)
           05  POP-HEADER-ROW-TEXT             PIC X(768).
      *> state: "1" in a table, then "1" a row is open
           05  POP-TABLE-STATE                 PIC X(2).
      *> in: cells of the table rows
           05  POP-ROW-LAYOUT                  PIC X(512).
      *> not used
           05  POP-ROW-TEXT                    PIC X(768).
      *> in: "9" each section on a new page, else continuous
           05  POP-SECTION-BREAK               PIC X(1).
      *> not used
           05  POP-PARAGRAPH-OPTION-1          PIC X(1).
      *> not used
           05  POP-PARAGRAPH-OPTION-2          PIC X(1).
      *> in: the underline used where a font says "F"
           05  POP-UNDERLINE-CODE              PIC X(1).
      *> in: the request code
           05  POP-REQUEST                     PIC X(3).
      *> in: "Y" show no message for this request; POP sets "N"
           05  POP-MESSAGE-SWITCH              PIC X(1).
      *> in: STA's text (blank removes the window); cleared by POP
           05  POP-PROGRESS-TEXT               PIC X(30).
      *> out: "Y" once Cancel was pressed in the progress window
           05  POP-CANCEL-SWITCH               PIC X(1).
           05  FILLER                          PIC X(1).
      *> in: "JPEG" or "PNG"; blank: the type of the QIM file
           05  POP-PICTURE-TYPE                PIC X(5).
      *> in: digits, hundredths of an inch from the page's left
           05  POP-PICTURE-X                   PIC X(4).
      *> in: digits, from the page's top
           05  POP-PICTURE-Y                   PIC X(4).
      *> in: the picture's QIM file name
           05  POP-PICTURE-FILE                PIC X(86).
      *> out: the print file of the current document
           05  POP-PRINT-FILE-NAME             PIC X(100).
      *> out: "00", "91" no picture name, "XX" failed, "XC" cancelled
           05  POP-STATUS                      PIC X(2).
      *> out: the last problem, "|" marks line breaks
           05  POP-MESSAGE-TEXT                PIC X(512).
      *> in: digits, twips of space before a plain line; blank none
           05  POP-SPACING-BEFORE              PIC X(4).
           05  FILLER                          PIC X(8).
      *> state: the page in twips (landscape already exchanged)
           05  POP-PAPER-WIDTH-TWIPS           PIC X(5).
           05  POP-PAPER-HEIGHT-TWIPS          PIC X(5).
           05  POP-LEFT-MARGIN-TWIPS           PIC X(5).
           05  POP-RIGHT-MARGIN-TWIPS          PIC X(5).
           05  POP-TOP-MARGIN-TWIPS            PIC X(5).
           05  POP-BOTTOM-MARGIN-TWIPS         PIC X(5).
           05  FILLER                          PIC X(2).
      *> in: "B" POP writes its standard page header, "H" none
           05  POP-HEADER-STYLE                PIC X(1).
           05  FILLER                          PIC X(100).
      *> in: "Y" or "1": plain lines get the line spacing
           05  POP-LINE-SPACING-SWITCH         PIC X(1).
      *> in: two digits, written after "\sl-"
           05  POP-LINE-SPACING                PIC X(2).
      *> not used
           05  POP-HELD-LAYOUT                 PIC X(512).
      *> in: "Y" or "1": plain lines start a new page
           05  POP-PAGE-BREAK-BEFORE           PIC X(1).
      *> in: "Y" or "1": plain lines keep with the next
           05  POP-KEEP-WITH-NEXT              PIC X(1).
      *> state: the font last written
           05  POP-CURRENT-FONT                PIC X(11).
      *> state: "Y" once a document is open
           05  POP-DOCUMENT-STARTED            PIC X(1).
      *> not used
           05  POP-HELD-TEXT                   PIC X(768).
      *> state: "Y" a table's column-heading row is still due
           05  POP-HEADER-ROW-PENDING          PIC X(1).
      *> state: the print file's name without letter and ".rtf"
           05  POP-PRINT-FOLDER                PIC X(100).
      *> state: "Y" while the document's first section is empty
           05  POP-FIRST-SECTION               PIC X(1).
      *> state: big-endian binary, 0 while no print file is open
           05  POP-FILE-HANDLE                 PIC S9(9) COMP.
           05  POP-BINARY-1                    PIC S9(4) COMP.
           05  POP-BINARY-2                    PIC S9(4) COMP.
      *> state: big-endian binary, the document's length so far
           05  POP-FILE-OFFSET                 PIC S9(9) COMP.
           05  POP-BINARY-3                    PIC S9(9) COMP.
      *> state: "COKY" after INI
           05  POP-MARKER                      PIC X(4).
      *> state: " "
           05  POP-MARKER-END                  PIC X(1).
      *> The caller record: the program name (its first word titles
      *> messages) and the report title of the standard page header.
       01  POP-CALLER-RECORD.
           05  POP-PROGRAM-NAME            PIC X(14).
           05  FILLER                      PIC X(832).
           05  POP-REPORT-TITLE            PIC X(40).
       01  POP-FORM                        USAGE POINTER.
