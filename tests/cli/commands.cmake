# Every command of the tool, one row each: a good input and what it prints, then a bad
# value and the usage error it gives (each row also runs an unknown option and --help; see
# quarn_cli_command in CMakeLists.txt). Commands that work on files share a home folder.
set(table_home ${CMAKE_CURRENT_BINARY_DIR}/table_home)
set(data ${PROJECT_SOURCE_DIR}/tests/data)
quarn_cli_home(table_home ${table_home} ctl report)
string(REPEAT "X" 129 x129)
string(REPEAT "D" 70 long_folder)

quarn_cli_command(amtname GOOD 1234.56 --cents --text=Dollars
  EXPECT "^\\*\\*One Thousand Two Hundred Thirty-Four & 56/100 Dollars\n$"
  BAD 1.234 BAD_EXPECT "'1.234' is not an amount")
quarn_cli_command(andedit GOOD "R&D & CO" EXPECT "^R&&D && CO\n$"
  BAD ${x129} BAD_EXPECT "the text has 129 characters. at most 128 fit")
quarn_cli_command(call GOOD IXIOSTAT --param=23 EXPECT "^result: 0\nrecord 1: \\[23=23 - READ/REWRITE: Record Not Found! \\| +\\]\n$"
  BAD IXIOSTAT --param hex:zz BAD_EXPECT "record 1: hex: holds 'z' at digit 1")
quarn_cli_command(check-registration GOOD --home ${data}/registry
  EXPECT "^all components are registered\n$"
  BAD --home= BAD_EXPECT "--home needs a folder")
quarn_cli_command(checkpath GOOD ${CMAKE_CURRENT_BINARY_DIR}/ EXPECT "^00 the folder exists"
  BAD ${x129} BAD_EXPECT "a path has at most 128 characters")
quarn_cli_command(cheque-register FIXTURE table_home GOOD --home ${table_home}
  ${PROJECT_SOURCE_DIR}/examples/cheques.csv EXPECT "table_home/PRINT.rtf\n$"
  BAD --home ${long_folder} x.csv BAD_EXPECT "--home takes a folder of at most 66 characters")
quarn_cli_command(completions GOOD getname EXPECT "^--encoding\n--help\n$"
  BAD nosuch BAD_EXPECT "no command is called 'nosuch'")
quarn_cli_command(compress GOOD "  A  B" EXPECT "^A B\n$"
  BAD "Ā" BAD_EXPECT "the character 'Ā' \\(U\\+0100\\) in 'Ā' has no form in code page 1252")
quarn_cli_command(ctl FIXTURE table_home GOOD list --home ${table_home}/ctl --user AB EXPECT "^$"
  BAD list --home /tmp --user AB --station 12a BAD_EXPECT "--station takes 1 to 3 digits, not '12a'")
quarn_cli_command(cwd GOOD EXPECT "^/[^\n]*\n$"
  BAD extra BAD_EXPECT "takes no operands, but 'extra' was given")
quarn_cli_command(datechk GOOD 01/31/2020 EXPECT "^result:   00 \\(valid\\)\nswitches: NNN\n$"
  BAD --switches YN 1/1/2020 BAD_EXPECT "--switches takes 3 character\\(s\\), not 'YN'")
quarn_cli_command(datedit GOOD --pivot=30 12/31/29 EXPECT "^text:       \\[12/31/2029\\]\nresult:     00"
  BAD --pivot ab 1/2/04 BAD_EXPECT "--pivot takes 1 or 2 digits, not 'ab'")
quarn_cli_command(getcsz GOOD "BIRMINGHAM/AL/35203" --country US EXPECT "return code  00 \\(found\\)\n$"
  BAD "A/B/C" --country USA BAD_EXPECT "a country has 3 characters. at most 2 fit")
quarn_cli_command(getdate GOOD 80355 EXPECT "^date:   01/01/2020"
  BAD 12x BAD_EXPECT "'12x' is not a number")
quarn_cli_command(getday GOOD 01/01/2020 EXPECT "^day number:   080355\n"
  BAD 13-01-2020 BAD_EXPECT "'13-01-2020' is not MM/DD/YYYY")
quarn_cli_command(getname GOOD "JOHN/SMITH" EXPECT "part 3 +\\[SMITH/\\]\n.*return code  00"
  BAD "Ā/B" BAD_EXPECT "the character 'Ā'")
quarn_cli_command(getstate GOOD --code=al EXPECT "state name +\\[Alabama/\\]"
  BAD --number 1234 BAD_EXPECT "a state number has 4 characters. at most 3 fit")
quarn_cli_command(help GOOD datechk EXPECT "^usage: quarn datechk MM/DD/YYYY"
  BAD nosuch BAD_EXPECT "no command is called 'nosuch'")
quarn_cli_command(indexed FIXTURE table_home GOOD import ${table_home}/QUARN-STD.RPT
  --record-length 256 --key-length=17 ${data}/rptctl/standard.txt EXPECT "^$"
  BAD export x.rpt --record-length 0 --key-length 1
  BAD_EXPECT "--record-length needs a number above 0, not '0'")
quarn_cli_step(table_home table_customer_file ARGS indexed import ${table_home}/QUARN.RPT
  --record-length 213 --key-length 17 ${data}/rptctl/customer.txt EXPECT "^$")
quarn_cli_command(ixiostat GOOD 23 EXPECT "^=23 - READ/REWRITE: Record Not Found! \\|\n$"
  BAD 123 BAD_EXPECT "a status code has 3 characters. at most 2 fit")
quarn_cli_command(mixcase GOOD --names "JOHN SMITH PHD" EXPECT "^John Smith PhD\n$"
  BAD "ĀB" BAD_EXPECT "the character 'Ā'")
quarn_cli_command(numedit GOOD -1.5 EXPECT "^-1.50000\n$"
  BAD 1234567890123456789012345 BAD_EXPECT "the text has 25 characters. at most 24 fit")
quarn_cli_command(open-help GOOD --home ${data}/web guide.chm index.htm
  EXPECT "^openhelps guide.chm index.htm\n$"
  BAD guide.chm ${x129} BAD_EXPECT "a page or topic has at most 50 characters")
quarn_cli_command(programs GOOD EXPECT "^PROGRAM +RECORD LENGTHS"
  BAD extra BAD_EXPECT "takes no operands, but 'extra' was given")
quarn_cli_command(qim FIXTURE table_home GOOD create ${data}/docout/square.png
  ${table_home}/square.qim EXPECT "square.qim\n$"
  BAD convert a b BAD_EXPECT "expects create or extract, not 'convert'")
quarn_cli_command(report FIXTURE table_home GOOD --home ${table_home}/report
  ${data}/docout/report.txt EXPECT "report/PRINT.rtf\n$"
  BAD --home=${long_folder} x.txt BAD_EXPECT "--home takes a folder of at most 66 characters")
quarn_cli_command(rptctl FIXTURE table_home GOOD check --home ${table_home}
  EXPECT "result 2: the customer's file differs from the standard\n$"
  BAD verify --home /tmp BAD_EXPECT "expects check or update, not 'verify'")
quarn_cli_command(start-exe GOOD --wait "sh -c \"exit 0\"" EXPECT "^started\nexit code: 0\n$"
  BAD --wait=yes x BAD_EXPECT "--wait takes no value")
quarn_cli_command(toweb GOOD ${data}/web/ 1 EXPECT "started"
  BAD ${data}/web/ 12 BAD_EXPECT "ARG is one character")
quarn_cli_command(version-string GOOD ${data}/version/plain.dll ProductVersion
  EXPECT "^2\\.1\\.0\\.7\n$"
  BAD ${data}/version/plain.dll "Product Version" BAD_EXPECT "a string name has no spaces")
quarn_cli_command(wordtohex GOOD -32768 EXPECT "^8000\n$"
  BAD 32768 BAD_EXPECT "'32768' is not a 16-bit word")
quarn_cli_command(xkeycode GOOD 0x41 EXPECT "^character 'A' index 18\n$"
  BAD 0x10000 BAD_EXPECT "'0x10000' is not a key code")

# The rule of the exit statuses, told where a person looks for it.
quarn_cli_test(help_exit_statuses ARGS --help
  EXPECT "exit status: 0 the program answered success. 1 it answered a failure code")
quarn_cli_test(help_is_command_help ARGS help getname EXPECT "^usage: quarn getname NAME\n")
quarn_cli_test(no_command_on_stderr EXIT 2 EXPECT "^usage: quarn COMMAND" STDOUT "^$")
quarn_cli_test(usage_error_on_stderr ARGS getname --bogus X EXIT 2 EXPECT "unknown option" STDOUT "^$")
quarn_cli_test(failure_output_on_stdout ARGS getname "A/B/C/D/E" EXIT 1
  EXPECT "quarn getname: return code 70" STDOUT "^part 1 [^\n]*\n(.*\n)?return code  70 [^\n]*\n$")
quarn_cli_command(storage FIXTURE table_home GOOD check --home ${table_home}
  EXPECT "^backend: sqlite\nfiles: in [^\n]*table_home\n$"
  BAD check --home BAD_EXPECT "--home needs a value")
