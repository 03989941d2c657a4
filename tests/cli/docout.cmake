# quarn report and quarn qim, in a home folder of the build tree that a setup test empties.
set(report_home ${CMAKE_CURRENT_BINARY_DIR}/report_home)
set(docout_data ${CMAKE_CURRENT_SOURCE_DIR}/../data/docout)
add_test(NAME cli.report_setup COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0\"" ${report_home})
set_tests_properties(cli.report_setup PROPERTIES FIXTURES_SETUP report_home)

set(report_cases "")
macro(report_case name)
  quarn_cli_test(${name} ${ARGN})
  set_tests_properties(cli.${name} PROPERTIES FIXTURES_REQUIRED report_home
                       DEPENDS "${report_cases}")
  list(APPEND report_cases cli.${name})
endmacro()

report_case(qim_create ARGS qim create ${docout_data}/square.png ${report_home}/square.qim
  EXPECT "square.qim\n$")
report_case(qim_extract ARGS qim extract ${report_home}/square.qim ${report_home}/back.png
  EXPECT "back.png\n$")
report_case(qim_not_a_picture ARGS qim create ${docout_data}/report.txt ${report_home}/x.qim
  EXPECT "is not a JPEG or PNG picture" EXIT 1)
report_case(report_writes ARGS report --home ${report_home} ${docout_data}/report.txt
  EXPECT "report_home/PRINT.rtf\n$")
report_case(report_bad_directive ARGS report --home ${report_home} ${docout_data}/bad.txt
  EXPECT "bad.txt:3: unknown directive 'colour'" EXIT 1)
report_case(report_missing_picture ARGS report --home ${report_home} ${docout_data}/nopic.txt
  EXPECT "POP PIC status XX: ERROR opening QUARN Image file! Filename=no-such.qim" EXIT 1)
quarn_cli_test(report_no_file ARGS report EXPECT "expects one report description" EXIT 2)
quarn_cli_test(report_help ARGS report --help EXPECT "usage: quarn report")
quarn_cli_test(qim_help ARGS qim --help EXPECT "usage: quarn qim create")
