# Runs the quarn tool once and checks its exit status and output (see CMakeLists.txt).
string(ASCII 31 separator)
string(REPLACE "${separator}" ";" args "${ARGS}")
execute_process(COMMAND ${QUARN} ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
set(all "${out}${err}")
if(NOT "${status}" STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}; output:\n${all}")
endif()
if(NOT all MATCHES "${EXPECT}")
  message(FATAL_ERROR "output does not match '${EXPECT}':\n${all}")
endif()
