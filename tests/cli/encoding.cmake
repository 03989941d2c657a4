# Text at the tool's boundary: typed in UTF-8, held in the records as code page 1252, shown
# in UTF-8 again; what the programs do to the letters is what they do to the 1252 bytes.
set(enc_home ${CMAKE_CURRENT_BINARY_DIR}/enc_home)
set(docout_data ${PROJECT_SOURCE_DIR}/tests/data/docout)
quarn_cli_home(enc_home ${enc_home} report register unclosed)

quarn_cli_test(utf8_getname ARGS getname "JOSÉ/M/GARCÍA"
  EXPECT "part 1 +\\[JOSÉ/\\]\npart 2 +\\[M/\\]\npart 3 +\\[GARCÍA/\\]\npart 4 +\\[/\\]\nsort name +\\[GARCÍA, JOSÉ M/\\]\nreturn code  00")
# One character, one byte: 40 accented letters fit the 40-character field, 41 do not.
string(REPEAT "É" 40 e40)
quarn_cli_test(utf8_counts_characters ARGS getname "${e40}" EXPECT "part 3 +\\[${e40}\\]")
quarn_cli_test(utf8_too_long ARGS getname "${e40}É" EXIT 2
  EXPECT "a name has 41 characters. at most 40 fit")
# MIXCASE changes the case of A-Z only; the code page 1252 letters stay as they are given.
quarn_cli_test(utf8_mixcase ARGS mixcase "été" EXPECT "^éTé\n$")
quarn_cli_test(utf8_mixcase_upper ARGS mixcase "CAFÉ ÉTÉ" EXPECT "^CafÉ ÉTÉ\n$")
# The code page's characters beyond Latin-1 (0x80-0x9F) both ways.
quarn_cli_test(utf8_cp1252_high ARGS compress "€  Œ  “x”" EXPECT "^€ Œ “x”\n$")
quarn_cli_test(utf8_no_cp1252_form ARGS getname "ĀDAM/Ω" EXIT 2
  EXPECT "^quarn getname: the character 'Ā' \\(U\\+0100\\) in 'ĀDAM/Ω' has no form in code page 1252[^\n]*--encoding raw")
quarn_cli_test(utf8_call_text ARGS call IXIOSTAT --param "É"
  EXPECT "record 1: \\[É >XX - Unresolved error status É ! \\|")
# --encoding raw: bytes in and out as they are (a UTF-8 É is two bytes, shown as \xHH).
quarn_cli_test(raw_getname ARGS getname --encoding raw "JOSÉ"
  EXPECT "part 3 +\\[JOS\\\\xC3\\\\x89/\\]")
quarn_cli_test(raw_mixcase ARGS mixcase --encoding=raw "été" EXPECT "^éTé\n$")
quarn_cli_test(encoding_bad ARGS mixcase --encoding latin1 X EXIT 2
  EXPECT "--encoding takes cp1252 or raw, not 'latin1'")

# A report description and a CSV in UTF-8: the document holds the same letters, as the
# word processor reads them (it shows the document's spaces as no-break spaces).
quarn_cli_step(enc_home utf8_report ARGS report --home ${enc_home}/report ${docout_data}/accents.txt
  EXPECT "report/PRINT.rtf\n$")
quarn_cli_document(enc_home utf8_report_text ${enc_home}/report/PRINT.rtf
  EXPECT "Crème.+brûlée\t€.+4\\.50\nGARCÍA.+“quoted”.+Œuvre")
quarn_cli_step(enc_home utf8_report_refused ARGS report --home ${enc_home}/report
  ${docout_data}/no-cp1252.txt EXIT 1 EXPECT "no-cp1252.txt:2: the character 'ő' \\(U\\+0151\\)")
quarn_cli_step(enc_home csv_quoted_fields ARGS cheque-register --home ${enc_home}/register
  ${docout_data}/cheques-quoted.csv EXPECT "register/PRINT.rtf\n$")
quarn_cli_document(enc_home csv_quoted_fields_text ${enc_home}/register/PRINT.rtf
  EXPECT "JosÉ.+GarcÍA\n.*1,250\\.00\n.*Smith,.+John\n.*Ann.+O\"Neil\n.*3.+cheques\t1,335\\.00")
quarn_cli_step(enc_home csv_unclosed_quote ARGS cheque-register --home ${enc_home}/unclosed
  ${docout_data}/cheques-unclosed.csv EXIT 1
  EXPECT "cheques-unclosed.csv: line 3: a quoted field has no closing quote")
