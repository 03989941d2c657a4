# FLBROWSE and ORGEDIT opened headless with a script, their results read from EXTERNAL
# records; the test runs in a folder of its own, where it makes its home folder.
quarn_cobol_test(forms_headless forms_headless.cob)
set(forms_run ${CMAKE_CURRENT_BINARY_DIR}/forms-run)
file(MAKE_DIRECTORY ${forms_run})
set_property(TEST cobol.forms_headless PROPERTY WORKING_DIRECTORY ${forms_run})
set_property(TEST cobol.forms_headless APPEND PROPERTY ENVIRONMENT
  QUARN_FORMS=headless QUARN_FORMS_SCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/forms_headless.script)
