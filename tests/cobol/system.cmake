# START-EXE (a program's exit code), GET-CURRENT-DIR, CHECKPATH and GETRESOURCESTRING
# (RETURNING a pointer), by dynamic and static CALL.
foreach(mode dynamic static)
  if(mode STREQUAL "static")
    quarn_cobol_test(system_calls_${mode} system_calls.cob STATIC)
  else()
    quarn_cobol_test(system_calls_${mode} system_calls.cob)
  endif()
  # The version fixture, by a path short enough for the 50-character file name.
  file(RELATIVE_PATH dll ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR}/tests/data/version/plain.dll)
  set_property(TEST cobol.system_calls_${mode} APPEND PROPERTY ENVIRONMENT QUARN_TEST_DLL=${dll})
  set_property(TEST cobol.system_calls_${mode} PROPERTY WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endforeach()
