# The installed tree under PREFIX: its files, the library's SONAME, the tool's run path,
# quarn --version, pkg-config, the man pages and the helper programs found by the library.
function(run out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${rc}):\n${stdout}\n${stderr}")
  endif()
  set(${out} "${stdout}" PARENT_SCOPE)
  set(${out}_err "${stderr}" PARENT_SCOPE)
endfunction()

string(REGEX MATCH "^[0-9]+" major "${VERSION}")
foreach(file
    lib/libquarn-m.so lib/libquarn-m.so.${major} lib/libquarn-m.so.${VERSION}
    lib/quarn-m/libquarn-m-qt.so
    include/quarn/quarn-m.h include/quarn/quarn.hpp
    share/quarn-m/cobol/IXIOSTAT.cpy share/quarn-m/cobol/X-MISC-EXTERNAL-WS.cpy
    bin/quarn libexec/quarn-m/quarn-xcopy libexec/quarn-m/quarn-zip libexec/quarn-m/quarn-hex2bin
    libexec/quarn-m/quarn-wscript
    lib/cmake/QuarnM/QuarnMConfig.cmake lib/cmake/QuarnM/QuarnMConfigVersion.cmake
    lib/cmake/QuarnM/QuarnMTargets.cmake lib/pkgconfig/quarn-m.pc
    share/man/man1/quarn.1 share/man/man3/quarn-m.3 share/doc/quarn-m/README.md
    bin/quarn-cheques share/quarn-m/examples/cheques/cheques.cob
    share/quarn-m/examples/cheques/demo.batch share/quarn-m/examples/cheques/cheques.csv)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} is not installed")
  endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
foreach(file ${installed})
  if(file MATCHES "(_test|_bench|recorder)")
    message(FATAL_ERROR "a test program was installed: ${file}")
  endif()
endforeach()

# The SONAME carries the major version; the tool finds the library relative to itself.
run(dynamic readelf -d ${PREFIX}/lib/libquarn-m.so.${VERSION})
if(NOT dynamic MATCHES "Library soname: \\[libquarn-m\\.so\\.${major}\\]")
  message(FATAL_ERROR "wrong SONAME:\n${dynamic}")
endif()
run(dynamic readelf -d ${PREFIX}/bin/quarn)
if(NOT dynamic MATCHES "Library runpath: \\[\\$ORIGIN/\\.\\./lib\\]")
  message(FATAL_ERROR "bin/quarn's run path is not $ORIGIN/../lib:\n${dynamic}")
endif()

set(clean env -u LD_LIBRARY_PATH PATH=/usr/bin:/bin)

# The COBOL cheque application finds the library relative to itself too.
run(dynamic readelf -d ${PREFIX}/bin/quarn-cheques)
if(NOT dynamic MATCHES "Library runpath: \\[\\$ORIGIN/\\.\\./lib\\]")
  message(FATAL_ERROR "bin/quarn-cheques's run path is not $ORIGIN/../lib:\n${dynamic}")
endif()
run(help ${clean} ${PREFIX}/bin/quarn-cheques --help)
if(NOT help MATCHES "^usage: quarn-cheques ")
  message(FATAL_ERROR "quarn-cheques --help printed '${help}'")
endif()
run(version ${clean} ${PREFIX}/bin/quarn --version)
if(NOT version STREQUAL "quarn ${VERSION}\n")
  message(FATAL_ERROR "quarn --version printed '${version}', expected 'quarn ${VERSION}'")
endif()

# pkg-config answers from the installed file, wherever the tree is.
set(pc env PKG_CONFIG_PATH=${PREFIX}/lib/pkgconfig pkg-config)
run(modversion ${pc} --modversion quarn-m)
run(cflags ${pc} --cflags quarn-m)
run(libs ${pc} --libs quarn-m)
run(copybooks ${pc} --variable=copybookdir quarn-m)
string(STRIP "${modversion}" modversion)
string(STRIP "${copybooks}" copybooks)
if(NOT modversion STREQUAL VERSION)
  message(FATAL_ERROR "pkg-config --modversion gave '${modversion}'")
endif()
if(NOT EXISTS ${copybooks}/IXIOSTAT.cpy)
  message(FATAL_ERROR "copybookdir '${copybooks}' has no IXIOSTAT.cpy")
endif()
string(REGEX MATCH "^-I([^ \n]+)" include_dir "${cflags}")
if(NOT EXISTS "${CMAKE_MATCH_1}/quarn/quarn-m.h")
  message(FATAL_ERROR "pkg-config --cflags '${cflags}' does not name the include folder")
endif()
string(REGEX MATCH "^-L([^ \n]+) -lquarn-m" lib_dir "${libs}")
if(NOT EXISTS "${CMAKE_MATCH_1}/libquarn-m.so")
  message(FATAL_ERROR "pkg-config --libs '${libs}' does not name the library")
endif()

# The man pages render without warnings; quarn(1) has every command of quarn --help.
foreach(page man1/quarn.1 man3/quarn-m.3)
  run(warnings groff -man -ww -z ${PREFIX}/share/man/${page})
  if(NOT warnings_err STREQUAL "")
    message(FATAL_ERROR "${page}: ${warnings_err}")
  endif()
endforeach()
run(page env MANWIDTH=100 man -l ${PREFIX}/share/man/man1/quarn.1)
run(help ${clean} ${PREFIX}/bin/quarn --help)
string(REGEX MATCHALL "\n  [a-z0-9-]+ " commands "${help}")
list(LENGTH commands count)
if(count LESS 20)
  message(FATAL_ERROR "quarn --help lists only ${count} commands")
endif()
foreach(command ${commands})
  string(STRIP "${command}" command)
  run(usage ${clean} ${PREFIX}/bin/quarn ${command} --help)
  string(REGEX MATCH "^usage: [^\n]*" usage "${usage}")
  string(FIND "${page}" "${usage}" at)
  if(at LESS 0)
    message(FATAL_ERROR "quarn(1) lacks '${usage}'")
  endif()
endforeach()
if(NOT page MATCHES "--version")
  message(FATAL_ERROR "quarn(1) does not tell of --version")
endif()
run(page env MANWIDTH=100 man -l ${PREFIX}/share/man/man3/quarn-m.3)
foreach(text "Calling rules" "quarn_call" "START__EXE" "pkg-config --cflags --libs quarn-m")
  string(FIND "${page}" "${text}" at)
  if(at LESS 0)
    message(FATAL_ERROR "quarn-m(3) lacks '${text}'")
  endif()
endforeach()

# The library starts its helpers from ../libexec/quarn-m of its own folder, not from PATH.
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/from/a.txt "copied\n")
execute_process(COMMAND ${clean} ${PREFIX}/bin/quarn start-exe --wait "XCOPY from to"
  WORKING_DIRECTORY ${WORK} OUTPUT_VARIABLE started RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT started MATCHES "exit code: 0" OR NOT EXISTS ${WORK}/to/a.txt)
  message(FATAL_ERROR "XCOPY through the installed quarn-xcopy failed (${rc}):\n${started}")
endif()
message(STATUS "${count} commands in quarn(1); quarn --version: ${version}")
