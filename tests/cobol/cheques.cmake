# The COBOL cheque application (examples/cobol/cheques) run in batch mode three times on
# one home folder; its register read back through the word processor.
if(TARGET quarn-cheques)
  add_test(NAME cobol.cheques_register
    COMMAND ${CMAKE_COMMAND} -DAPP=${QUARN_CHEQUES_EXE} -DQUARN=$<TARGET_FILE:quarn>
            -DSOURCE=${PROJECT_SOURCE_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cheques-run
            "-DRUN_ENV=${cobol_env}" -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/cheques_register.cmake)
  set_tests_properties(cobol.cheques_register PROPERTIES TIMEOUT 300)
endif()
