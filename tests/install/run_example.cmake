# Copies the example folder EXAMPLE into WORK and runs its build.sh there (the README's
# commands for it) with PREFIX set and no LD_LIBRARY_PATH; its output must match EXPECT.
file(REMOVE_RECURSE ${WORK})
file(COPY ${EXAMPLE}/ DESTINATION ${WORK})
execute_process(
  COMMAND env -u LD_LIBRARY_PATH -u COB_LIBRARY_PATH -u COB_PRE_LOAD PREFIX=${PREFIX}
          sh -e build.sh
  WORKING_DIRECTORY ${WORK} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "build.sh of ${EXAMPLE} failed (${rc}):\n${out}\n${err}")
endif()
if(NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "${EXAMPLE} printed:\n${out}\nexpected to match:\n${EXPECT}")
endif()
message(STATUS "${out}")
