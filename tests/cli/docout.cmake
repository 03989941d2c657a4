# quarn report and quarn qim, in a home folder of the build tree that a setup test empties.
set(report_home ${CMAKE_CURRENT_BINARY_DIR}/report_home)
set(docout_data ${CMAKE_CURRENT_SOURCE_DIR}/../data/docout)
quarn_cli_home(report_home ${report_home})

quarn_cli_step(report_home qim_create ARGS qim create ${docout_data}/square.png ${report_home}/square.qim
  EXPECT "square.qim\n$")
quarn_cli_step(report_home qim_extract ARGS qim extract ${report_home}/square.qim ${report_home}/back.png
  EXPECT "back.png\n$")
quarn_cli_step(report_home qim_not_a_picture ARGS qim create ${docout_data}/report.txt ${report_home}/x.qim
  EXPECT "is not a JPEG or PNG picture" EXIT 1)
quarn_cli_step(report_home report_writes ARGS report --home ${report_home} ${docout_data}/report.txt
  EXPECT "report_home/PRINT.rtf\n$")
quarn_cli_step(report_home report_bad_directive ARGS report --home ${report_home} ${docout_data}/bad.txt
  EXPECT "bad.txt:3: unknown directive 'colour'" EXIT 1)
quarn_cli_step(report_home report_missing_picture ARGS report --home ${report_home} ${docout_data}/nopic.txt
  EXPECT "nopic.txt:[0-9]+: cannot open the picture. make it with 'quarn qim create' \\(POP PIC, status XX\\):\nERROR opening QUARN Image file! Filename=no-such.qim" EXIT 3)
quarn_cli_test(report_no_file ARGS report EXPECT "expects one report description" EXIT 2)
quarn_cli_test(report_help ARGS report --help EXPECT "usage: quarn report")
quarn_cli_test(qim_help ARGS qim --help EXPECT "usage: quarn qim create")
quarn_cli_test(report_unreadable ARGS report /no/such/report.txt EXIT 3
  EXPECT "^quarn report: cannot open '/no/such/report.txt': No such file or directory\n$")
quarn_cli_test(report_no_home_folder ARGS report --home ${CMAKE_CURRENT_BINARY_DIR}/no/such
  ${docout_data}/report.txt EXIT 3
  EXPECT "^quarn report: cannot write the print file in '[^']*/no/such'. check that the folder exists and is writable \\(POP WRI, status XX\\):\n--Program provided invalid parameters to CBL_CREATE_FILE call[|]\\.=91 - OPEN: Path Invalid or File Does Not Exist! [|]\n$")
quarn_cli_test(cheque_register_unreadable ARGS cheque-register /no/such.csv EXIT 3
  EXPECT "cannot open '/no/such.csv'")
