# Generated checks of the copybooks against the library: for every copybook, a COBOL
# program that COPYs it and prints the length of each record its CALL passes by reference
# and of each EXTERNAL area it declares; the test cobol.copybook_lengths compares them with
# the lengths the library declares (`quarn programs`) and with the sizes the C header
# asserts for the external areas (QUARN_RECORD_SIZE).
file(GLOB cpy_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/cobol/*.cpy)
# Which copybook declares each 01 record, so that a CALL may use a record of another one.
foreach(cpy ${cpy_files})
  file(STRINGS ${cpy} levels REGEX "^ +01 +[A-Z0-9-]+")
  foreach(line ${levels})
    string(REGEX REPLACE "^ +01 +([A-Z0-9-]+).*" "\\1" record "${line}")
    set(copybook_of_${record} ${cpy})
  endforeach()
endforeach()

set(length_programs "")
foreach(cpy ${cpy_files})
  get_filename_component(stem ${cpy} NAME_WE)
  file(READ ${cpy} text)
  # The CALL of the usage comment, with its continuation lines, up to BY or RETURNING.
  set(program "")
  set(records "")
  string(REGEX MATCH "CALL \"([A-Za-z0-9_-]+)\" USING ([^\n]*(\n +\\*>      [^\n]*)*)" call "${text}")
  if(call)
    set(program ${CMAKE_MATCH_1})
    string(REGEX REPLACE "\n +\\*>" " " using "${CMAKE_MATCH_2}")
    string(REGEX REPLACE " (BY|RETURNING) .*" "" using "${using}")
    string(REGEX MATCHALL "[A-Z0-9-]+" records "${using}")
  endif()
  set(areas "")
  string(REGEX MATCHALL "\n +01 +[A-Z0-9-]+ +EXTERNAL" externals "${text}")
  foreach(e ${externals})
    string(REGEX REPLACE ".*01 +([A-Z0-9-]+) +EXTERNAL" "\\1" area "${e}")
    list(APPEND areas ${area})
  endforeach()
  if(NOT records AND NOT areas)
    continue()
  endif()
  # Fields of the caller's own (quarn_control_file's PROGRAM-ID-NAME) end the list.
  set(copies ${cpy})
  set(declared_records "")
  foreach(record ${records})
    if(NOT DEFINED copybook_of_${record})
      break()
    endif()
    list(APPEND copies ${copybook_of_${record}})
    list(APPEND declared_records ${record})
  endforeach()
  set(records ${declared_records})
  list(REMOVE_DUPLICATES copies)
  set(source "IDENTIFICATION DIVISION.\nPROGRAM-ID. LENGTHS.\nDATA DIVISION.\nWORKING-STORAGE SECTION.\n")
  foreach(copy ${copies})
    get_filename_component(copy_name ${copy} NAME)
    string(APPEND source "COPY \"${copy_name}\".\n")
  endforeach()
  string(APPEND source "PROCEDURE DIVISION.\n")
  # A record of another copybook (GETDAY's DATECHK-RECORD) is checked for equality there;
  # here it must only hold what the program reads ("SHARED").
  foreach(record ${records})
    set(kind RECORD)
    if(NOT copybook_of_${record} STREQUAL cpy)
      set(kind SHARED)
    endif()
    string(APPEND source "    DISPLAY \"${kind} ${program} ${record} \" FUNCTION LENGTH(${record}).\n")
  endforeach()
  foreach(area ${areas})
    string(APPEND source "    DISPLAY \"AREA ${area} \" FUNCTION LENGTH(${area}).\n")
  endforeach()
  string(APPEND source "    STOP RUN.\n")
  set(src ${CMAKE_CURRENT_BINARY_DIR}/lengths/${stem}.cob)
  file(CONFIGURE OUTPUT ${src} CONTENT "${source}")
  set(exe ${CMAKE_CURRENT_BINARY_DIR}/lengths/${stem})
  add_custom_command(OUTPUT ${exe}
    COMMAND ${COBC} -x -free -I ${PROJECT_SOURCE_DIR}/cobol -o ${exe} ${src}
    DEPENDS ${src} ${copies}
    COMMENT "cobc lengths of ${stem}.cpy" VERBATIM)
  list(APPEND length_programs ${exe})
endforeach()
add_custom_target(cobol_copybook_lengths ALL DEPENDS ${length_programs})
add_test(NAME cobol.copybook_lengths
  COMMAND ${CMAKE_COMMAND} "-DPROGRAMS=${length_programs}" -DQUARN=$<TARGET_FILE:quarn>
          -DHEADER=${PROJECT_SOURCE_DIR}/include/quarn/quarn-m.h
          -P ${PROJECT_SOURCE_DIR}/cmake/check_copybook_lengths.cmake)
set_tests_properties(cobol.copybook_lengths PROPERTIES ENVIRONMENT "${cobol_env}")
