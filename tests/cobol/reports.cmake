# A check of the report control files, built from the text fixtures by the quarn tool.
set(rpt_cobol_home ${CMAKE_CURRENT_BINARY_DIR}/rptctl_home)
set(rpt_data ${PROJECT_SOURCE_DIR}/tests/data/rptctl)
add_test(NAME cobol.rptctl_setup COMMAND sh -c
  "rm -rf \"$1\" && mkdir -p \"$1\" && \"$0\" indexed import \"$1/QUARN-STD.RPT\" --record-length 256 --key-length 17 \"$2/standard.txt\" && \"$0\" indexed import \"$1/QUARN.RPT\" --record-length 213 --key-length 17 \"$2/customer.txt\""
  $<TARGET_FILE:quarn> ${rpt_cobol_home} ${rpt_data})
set_tests_properties(cobol.rptctl_setup PROPERTIES FIXTURES_SETUP rpt_cobol_home
  ENVIRONMENT "${cobol_env}")
quarn_cobol_test(rptctl_check rptctl_check.cob)
set_property(TEST cobol.rptctl_check APPEND PROPERTY ENVIRONMENT QUARN_RPT_HOME=${rpt_cobol_home})
set_tests_properties(cobol.rptctl_check PROPERTIES FIXTURES_REQUIRED rpt_cobol_home)
