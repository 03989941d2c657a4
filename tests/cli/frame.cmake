# quarn --help, --version, programs, ixiostat and call.
quarn_cli_test(help ARGS --help EXPECT "usage: quarn COMMAND.*ixiostat")
string(REPLACE "." "\\." quarn_version_regex "${PROJECT_VERSION}")
quarn_cli_test(version ARGS --version EXPECT "^quarn ${quarn_version_regex}\n$")
quarn_cli_test(no_command EXIT 2 EXPECT "usage: quarn COMMAND")
quarn_cli_test(unknown_command ARGS frobnicate EXIT 2 EXPECT "unknown command 'frobnicate'")
quarn_cli_test(programs ARGS programs EXPECT "IXIOSTAT +64\n")

quarn_cli_test(ixiostat ARGS ixiostat 23 EXPECT "^=23 - READ/REWRITE: Record Not Found! \\|\n$")
quarn_cli_test(ixiostat_fallback ARGS ixiostat 7Z
  EXPECT "^>XX - Unresolved error status 7Z! \\|\n$")
quarn_cli_test(ixiostat_help ARGS ixiostat --help EXPECT "usage: quarn ixiostat CODE")
quarn_cli_test(ixiostat_too_long ARGS ixiostat 123 EXIT 2 EXPECT "two characters")

quarn_cli_test(call_text ARGS call IXIOSTAT --param 23
  EXPECT "result: 0\nrecord 1: \\[23=23 - READ/REWRITE: Record Not Found! \\| +\\]")
string(REPEAT "20" 62 hex_spaces)
quarn_cli_test(call_hex ARGS call IXIOSTAT --param hex:4F42${hex_spaces}
  EXPECT "record 1: \\[OB>9X - ACM: Output Messages > Max! \\| +\\]")
quarn_cli_test(call_hex_short ARGS call IXIOSTAT --param hex:4F42 EXIT 1
  EXPECT "hex record has 2 bytes; the record has 64")
quarn_cli_test(call_hex_bad ARGS call IXIOSTAT --param hex:4G${hex_spaces}20 EXIT 1
  EXPECT "not a hex digit")
quarn_cli_test(call_unknown ARGS call NO-SUCH-PROG EXIT 1
  EXPECT "no program is called 'NO-SUCH-PROG'")
quarn_cli_test(call_too_long ARGS call IXIOSTAT
  --param 0123456789012345678901234567890123456789012345678901234567890123456789 EXIT 1
  EXPECT "record 1: text has 70 characters; the record has 64")
quarn_cli_test(call_count ARGS call IXIOSTAT EXIT 1 EXPECT "IXIOSTAT takes 1 record\\(s\\); 0 given")
quarn_cli_test(call_bad_option ARGS call IXIOSTAT --frob EXIT 2 EXPECT "unexpected '--frob'")
