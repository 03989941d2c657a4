# quarn indexed and quarn rptctl: report control files built from the text fixtures in a
# home folder of the build tree that a setup test empties first. The cases run in order, on
# both backends.
set(rpt_data ${PROJECT_SOURCE_DIR}/tests/data/rptctl)
macro(quarn_cli_rpt_cases)
set(rpt_home ${CMAKE_CURRENT_BINARY_DIR}/rpt_home${QUARN_CLI_SUFFIX})
quarn_cli_home(rpt_home ${rpt_home} empty)

quarn_cli_step(rpt_home rptctl_no_files ARGS rptctl update --home ${rpt_home}/empty EXIT 1
  EXPECT "RptCtlFILE2 ERROR: 35>91 - OPEN: File Does Not Exist! [|]\nresult 9: a file failed")
quarn_cli_step(rpt_home indexed_import_standard ARGS indexed import ${rpt_home}/QUARN-STD.RPT
  --record-length 256 --key-length 17 ${rpt_data}/standard.txt EXPECT "^$")
quarn_cli_step(rpt_home indexed_import_customer ARGS indexed import ${rpt_home}/QUARN.RPT
  --record-length 213 --key-length 17 ${rpt_data}/customer.txt EXPECT "^$")
quarn_cli_step(rpt_home rptctl_check ARGS rptctl check --home ${rpt_home}
  EXPECT "^Check Started [0-9][0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9] [0-9:]+\n ---- Controls Version Number ----\n    -Out Of Sync\n.*    Loop Status = 10\n.*result 2: the customer's file differs from the standard\n$")
quarn_cli_step(rpt_home rptctl_check_again ARGS rptctl check --home ${rpt_home}
  EXPECT "^result 1: a log exists: the check has been done before\nquarn rptctl: the log '[^']*rpt_home(_pg)?/Update.LOG' is there from an earlier check. remove it to check again\n$")
quarn_cli_step(rpt_home rptctl_update ARGS rptctl update --home ${rpt_home}
  EXPECT "^Update Started .*    Updated Controls = 2\n ---- Styles Update ----\n    Updated Styles = 0\nresult 2: differences found or records updated\n$")
quarn_cli_step(rpt_home indexed_export_customer ARGS indexed export ${rpt_home}/QUARN.RPT
  --record-length 213 --key-length 17
  EXPECT "^CCHEQUE REG   000             CHEQUE REGISTER  [^\n]*\nCCHEQUE REG   001             DETAIL LINES [^\n]*\nCTRIAL BAL    000[^\n]*\nSPLAIN [^\n]*\n$")
quarn_cli_step(rpt_home rptctl_update_again ARGS rptctl update --home ${rpt_home}
  EXPECT "Updated Controls = 0\n.*result 0: nothing to report\n$")
quarn_cli_step(rpt_home indexed_wrong_layout ARGS indexed export ${rpt_home}/QUARN.RPT
  --record-length 256 --key-length 17 EXIT 3
  EXPECT "cannot open [^\n]*QUARN.RPT: the file was made with other lengths than --record-length 256 --key-length 17 [^\n]*\n>9X - OPEN: File Attribute Conflict! [|]\n$")
quarn_cli_step(rpt_home indexed_bad_line ARGS indexed import ${rpt_home}/SHORT.RPT
  --record-length 100 --key-length 17 ${rpt_data}/standard.txt EXIT 1
  EXPECT "line 1 has 211 characters, more than the record's 100")
quarn_cli_step(rpt_home indexed_empty_refused ARGS indexed import ${rpt_home}/QUARN.RPT
  --record-length 213 --key-length 17 /dev/null EXIT 1
  EXPECT "the text holds no records: .*QUARN.RPT is left as it was")
quarn_cli_step(rpt_home indexed_other_length_refused ARGS indexed import ${rpt_home}/QUARN.RPT
  --record-length 256 --key-length 17 ${rpt_data}/standard.txt EXIT 3
  EXPECT "cannot open [^\n]*QUARN.RPT: the file was made with other lengths than --record-length 256 --key-length 17")
quarn_cli_step(rpt_home indexed_kept_whole ARGS indexed export ${rpt_home}/QUARN.RPT
  --record-length 213 --key-length 17 EXPECT "^CCHEQUE REG   000[^\n]*\n[^\n]*\n[^\n]*\nSPLAIN [^\n]*\n$")
quarn_cli_step(rpt_home indexed_allow_empty ARGS indexed import ${rpt_home}/QUARN.RPT
  --record-length 213 --key-length 17 --allow-empty /dev/null EXPECT "^$")
quarn_cli_step(rpt_home indexed_emptied ARGS indexed export ${rpt_home}/QUARN.RPT
  --record-length 213 --key-length 17 EXPECT "^$")
endmacro()
quarn_cli_on_both_backends(quarn_cli_rpt_cases)

quarn_cli_test(rptctl_no_folder ARGS rptctl check --home ${CMAKE_CURRENT_BINARY_DIR}/no/such
  EXIT 1 EXPECT "result 9: a file failed\n.*Log File ERROR: 35>91 - OPEN: File Does Not Exist! [|]")
quarn_cli_test(rptctl_help ARGS rptctl --help EXPECT "usage: quarn rptctl check[|]update --home DIR")
quarn_cli_test(rptctl_no_home ARGS rptctl check EXIT 2 EXPECT "--home is required")
quarn_cli_test(rptctl_bad_action ARGS rptctl verify --home /tmp EXIT 2
  EXPECT "expects check or update")
quarn_cli_test(indexed_help ARGS indexed --help EXPECT "usage: quarn indexed export FILE")
quarn_cli_test(indexed_no_lengths ARGS indexed export x.rpt EXIT 2
  EXPECT "--record-length is required")
quarn_cli_test(indexed_long_key ARGS indexed import x.rpt --record-length 10 --key-length 11
  EXIT 2 EXPECT "the key cannot be longer than the record")
quarn_cli_test(indexed_bad_number ARGS indexed import x.rpt --record-length 1O --key-length 1
  EXIT 2 EXPECT "--record-length needs a number above 0")

# quarn indexed copy and quarn storage check: a report control file moved from a folder of
# SQLite files to a folder on the tests' server and back, record for record.
set(move_home ${CMAKE_CURRENT_BINARY_DIR}/move_home)
quarn_cli_home(move_home ${move_home} files server)
add_test(NAME cli.move_home_server_conf
  COMMAND sh -c "printf 'backend = postgresql\\nconnection = host=${QUARN_TEST_PG_FOLDER} dbname=postgres user=quarn-test password=hidden\\nschema = move_home\\n' >\"$0/server/quarn-storage.conf\"" ${move_home})
set_tests_properties(cli.move_home_server_conf PROPERTIES
  FIXTURES_REQUIRED "move_home;postgresql" DEPENDS cli.move_home_setup)
set_property(GLOBAL APPEND PROPERTY quarn_cli_steps_move_home cli.move_home_server_conf)
quarn_cli_step(move_home storage_check_files ARGS storage check --home ${move_home}/files
  EXPECT "^backend: sqlite\nfiles: in [^\n]*/files\n$")
quarn_cli_step(move_home storage_check_server ARGS storage check --home ${move_home}/server
  EXPECT "^backend: postgresql\nconnection: [^\n]*password=[*]+[^\n]*\nschema: move_home\nserver: answers, PostgreSQL [0-9]")
quarn_cli_step(move_home move_import ARGS indexed import ${move_home}/files/QUARN.RPT
  --record-length 213 --key-length 17 ${rpt_data}/customer.txt EXPECT "^$")
quarn_cli_step(move_home move_to_server ARGS indexed copy ${move_home}/files/QUARN.RPT
  ${move_home}/server/QUARN.RPT --record-length 213 --key-length 17
  EXPECT "^[1-9][0-9]* records copied from [^\n]*/files/QUARN.RPT to [^\n]*/server/QUARN.RPT\n$")
quarn_cli_step(move_home move_wrong_layout ARGS indexed copy ${move_home}/server/QUARN.RPT
  ${move_home}/files/OTHER.RPT --record-length 256 --key-length 17 EXIT 3
  EXPECT "cannot open [^\n]*/server/QUARN.RPT: the file was made with other lengths")
quarn_cli_step(move_home move_back ARGS indexed copy ${move_home}/server/QUARN.RPT
  ${move_home}/files/BACK.RPT --record-length 213 --key-length 17 EXPECT "records copied")
quarn_cli_step(move_home move_export_there ARGS indexed export ${move_home}/files/QUARN.RPT
  --record-length 213 --key-length 17 ${move_home}/there.txt EXPECT "^$")
quarn_cli_step(move_home move_back_same ARGS indexed export ${move_home}/files/BACK.RPT
  --record-length 213 --key-length 17 ${move_home}/back.txt EXPECT "^$")
add_test(NAME cli.move_home_round_trip
  COMMAND ${CMAKE_COMMAND} -E compare_files ${move_home}/there.txt ${move_home}/back.txt)
set_tests_properties(cli.move_home_round_trip PROPERTIES FIXTURES_REQUIRED move_home
  DEPENDS cli.move_back_same)
quarn_cli_test(storage_help ARGS storage --help EXPECT "usage: quarn storage check --home DIR")
quarn_cli_test(storage_no_home ARGS storage check EXIT 2 EXPECT "check needs --home DIR")
quarn_cli_test(storage_not_a_server ARGS storage check --home ${PROJECT_SOURCE_DIR}/tests/data/storage/no_server
  EXIT 1 EXPECT "server: does not answer: [^\n]*no_server_here")
quarn_cli_test(storage_bad_conf ARGS storage check --home ${PROJECT_SOURCE_DIR}/tests/data/storage/bad_conf
  EXIT 1 EXPECT "quarn-storage.conf:2: backend must be sqlite or postgresql")
quarn_cli_test(indexed_copy_one_name ARGS indexed copy a.rpt --record-length 10 --key-length 2
  EXIT 2 EXPECT "copy expects FROM and TO")
# The README's example: read whole; its service is not defined here, so it does not answer.
quarn_cli_test(storage_readme_example ARGS storage check --home ${PROJECT_SOURCE_DIR}/tests/data/storage/example
  EXIT 1 EXPECT "^backend: postgresql\nconnection: service=quarn-office\nschema: office1\nserver: does not answer: [^\n]*quarn-office")
