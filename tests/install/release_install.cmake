# Builds the project in release mode into BUILD (configured once, then kept, so a second
# run only rebuilds what changed) and installs it afresh into PREFIX.
if(NOT EXISTS ${BUILD}/CMakeCache.txt)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G ${GENERATOR}
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=${CC} -DCMAKE_CXX_COMPILER=${CXX}
            -DQUARN_TESTS=OFF -DQUARN_BENCH=OFF -DQUARN_SANITIZE=
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    file(REMOVE ${BUILD}/CMakeCache.txt)
    message(FATAL_ERROR "configuring the release build failed")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} -j2 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the release build failed")
endif()
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installing into ${PREFIX} failed")
endif()
