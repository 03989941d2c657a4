# The Debian package of the release build RELEASE: built with CPack, its dependencies
# declared, its contents under /usr; unpacked into a throwaway root, its quarn runs and the
# example EXAMPLE builds against it and prints what matches EXPECT.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack -G DEB --config ${RELEASE}/CPackConfig.cmake -B ${WORK}/packages
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs ${WORK}/packages/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb -f ${debs} Package Version Depends
  OUTPUT_VARIABLE fields RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT fields MATCHES "Package: quarn-m\nVersion: ${VERSION}\n")
  message(FATAL_ERROR "package fields:\n${fields}")
endif()
foreach(dependency libc6 libsqlite3-0 libstdc\\+\\+6)
  if(NOT fields MATCHES "Depends:[^\n]*${dependency} \\(>=")
    message(FATAL_ERROR "the package does not depend on ${dependency}:\n${fields}")
  endif()
endforeach()
if(fields MATCHES "Depends:[^\n]*quarn")
  message(FATAL_ERROR "the package depends on itself:\n${fields}")
endif()

execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
string(REGEX MATCH "^[0-9]+" major "${VERSION}")
foreach(file usr/lib/libquarn-m.so.${major} usr/lib/libquarn-m.so usr/bin/quarn
    usr/libexec/quarn-m/quarn-xcopy usr/include/quarn/quarn-m.h
    usr/share/quarn-m/cobol/IXIOSTAT.cpy usr/lib/cmake/QuarnM/QuarnMConfig.cmake
    usr/lib/pkgconfig/quarn-m.pc usr/share/man/man1/quarn.1 usr/share/man/man3/quarn-m.3
    usr/bin/quarn-cheques usr/share/quarn-m/examples/cheques/demo.batch)
  string(FIND "${listing}" " ./${file}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks /${file}:\n${listing}")
  endif()
endforeach()

set(root ${WORK}/root)
execute_process(COMMAND dpkg -x ${debs} ${root} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg -x failed")
endif()
execute_process(COMMAND env -u LD_LIBRARY_PATH ${root}/usr/bin/quarn --version
  OUTPUT_VARIABLE version RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT version STREQUAL "quarn ${VERSION}\n")
  message(FATAL_ERROR "the packaged quarn --version gave (${rc}) '${version}'")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -DEXAMPLE=${EXAMPLE} -DWORK=${WORK}/example -DPREFIX=${root}/usr
          -DEXPECT=${EXPECT} -P ${CMAKE_CURRENT_LIST_DIR}/run_example.cmake
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the example ${EXAMPLE} against the package failed")
endif()
message(STATUS "${debs}\n${fields}")
