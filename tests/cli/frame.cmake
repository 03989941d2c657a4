# quarn --help, --version, programs, ixiostat and call.
quarn_cli_test(help ARGS --help EXPECT "usage: quarn COMMAND.*ixiostat")
string(REPLACE "." "\\." quarn_version_regex "${PROJECT_VERSION}")
quarn_cli_test(version ARGS --version EXPECT "^quarn ${quarn_version_regex}\n$")
quarn_cli_test(no_command EXIT 2 EXPECT "^usage: quarn COMMAND")
quarn_cli_test(unknown_command ARGS frobnicate EXIT 2 EXPECT "unknown command 'frobnicate'")
quarn_cli_test(programs ARGS programs
  EXPECT "^PROGRAM +RECORD LENGTHS [^\n]*\n.*IXIOSTAT +64\n.*POP +[0-9]+ 886 form\n")

quarn_cli_test(ixiostat ARGS ixiostat 23 EXPECT "^=23 - READ/REWRITE: Record Not Found! \\|\n$")
quarn_cli_test(ixiostat_fallback ARGS ixiostat 7Z
  EXPECT "^>XX - Unresolved error status 7Z! \\|\n$")
quarn_cli_test(ixiostat_help ARGS ixiostat --help EXPECT "usage: quarn ixiostat CODE")
quarn_cli_test(ixiostat_too_long ARGS ixiostat 123 EXIT 2
  EXPECT "a status code has 3 characters. at most 2 fit")

quarn_cli_test(call_text ARGS call IXIOSTAT --param 23
  EXPECT "result: 0\nrecord 1: \\[23=23 - READ/REWRITE: Record Not Found! \\| +\\]")
string(REPEAT "20" 62 hex_spaces)
quarn_cli_test(call_hex ARGS call IXIOSTAT --param hex:4F42${hex_spaces}
  EXPECT "record 1: \\[OB>9X - ACM: Output Messages > Max! \\| +\\]")
quarn_cli_test(call_hex_short ARGS call IXIOSTAT --param hex:4F42 EXIT 2
  EXPECT "hex: takes two hex digits per byte, 128 for the 64-byte record. 4 given")
quarn_cli_test(call_hex_bad ARGS call IXIOSTAT --param hex:4G${hex_spaces}20 EXIT 2
  EXPECT "hex: holds 'G' at digit 2, which is not a hex digit")
quarn_cli_test(call_hex_odd ARGS call IXIOSTAT --param hex:zz EXIT 2
  EXPECT "hex: holds 'z' at digit 1, which is not a hex digit")
quarn_cli_test(call_unknown ARGS call NO-SUCH-PROG EXIT 2
  EXPECT "no program is called 'NO-SUCH-PROG' \\(see quarn programs\\)")
quarn_cli_test(call_too_long ARGS call IXIOSTAT
  --param 0123456789012345678901234567890123456789012345678901234567890123456789 EXIT 2
  EXPECT "record 1: text has 70 characters. the record has 64")
quarn_cli_test(call_count ARGS call IXIOSTAT EXIT 2 EXPECT "IXIOSTAT takes 1 record\\(s\\). 0 given")
quarn_cli_test(call_bad_option ARGS call IXIOSTAT --frob EXIT 2 EXPECT "unknown option '--frob'")

# POP's third parameter is the caller's form, a struct of callbacks: quarn call passes the
# form runtime's own and never fills it from the command line.
set(pop_data ${PROJECT_SOURCE_DIR}/tests/data/docout)
quarn_cli_test(call_pop_form ARGS call POP --param file:${pop_data}/pop-wri.rec --param REPORT
  EXPECT "^result: 0\nrecord 1: [^\n]*WRI[^\n]*XX--Uninitialized data area\\.[|] *\\]\nrecord 2: \\[REPORT +\\]\nrecord 3: \\(the caller's form: the form runtime's\\)\n$")
quarn_cli_test(call_pop_junk ARGS call POP --param file:${pop_data}/pop-junk.rec --param JUNK
  EXPECT "^result: 0\nrecord 1: \\[[^\n]*\\]\nrecord 2: \\[[^\n]*\\]\nrecord 3: \\(the caller's form")
quarn_cli_test(call_pop_form_given ARGS call POP --param a --param b --param c EXIT 2
  EXPECT "POP takes 2 record\\(s\\). 3 given \\(its caller's form is passed by quarn call itself\\)")
quarn_cli_test(call_record_file_missing ARGS call IXIOSTAT --param file:/no/such.rec EXIT 3
  EXPECT "record 1: the record file: cannot open '/no/such.rec': No such file or directory")
