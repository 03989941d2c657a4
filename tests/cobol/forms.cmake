# FLBROWSE and ORGEDIT opened headless with a script, their results read from EXTERNAL
# records; the test runs in a folder of its own, where it makes its home folder.
quarn_cobol_test(forms_headless forms_headless.cob)
set(forms_run ${CMAKE_CURRENT_BINARY_DIR}/forms-run)
file(MAKE_DIRECTORY ${forms_run})
set_property(TEST cobol.forms_headless PROPERTY WORKING_DIRECTORY ${forms_run})
set_property(TEST cobol.forms_headless APPEND PROPERTY ENVIRONMENT
  QUARN_FORMS=headless QUARN_FORMS_SCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/forms_headless.script)

# QNBK-FOLDER preset from COBOL: the backup starts by itself and makes its zip file.
quarn_cobol_test(forms_backup forms_backup.cob)
set(backup_run ${CMAKE_CURRENT_BINARY_DIR}/backup-run)
file(MAKE_DIRECTORY ${backup_run})
set_property(TEST cobol.forms_backup PROPERTY WORKING_DIRECTORY ${backup_run})
set_property(TEST cobol.forms_backup APPEND PROPERTY ENVIRONMENT
  QUARN_FORMS=headless QUARN_FORMS_SCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/forms_backup.script)
# A fresh home folder for each run: a zip file of an earlier run in the same minute would be
# a file to replace.
add_test(NAME cobol.forms_backup_setup COMMAND ${CMAKE_COMMAND} -E rm -rf ${backup_run}/backup-home)
set_tests_properties(cobol.forms_backup_setup PROPERTIES FIXTURES_SETUP cobol_backup)
set_tests_properties(cobol.forms_backup PROPERTIES FIXTURES_REQUIRED cobol_backup)
