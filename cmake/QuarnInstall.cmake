# Install rules, the CMake package QuarnM and the pkg-config file quarn-m.pc.
#
# The installed tree:
#   lib/libquarn-m.so*                 the library (SONAME libquarn-m.so.<major>)
#   lib/quarn-m/libquarn-m-qt.so       the Qt form runtime, where it is built
#   include/quarn/                     the C header and the C++ API
#   share/quarn-m/cobol/               the copybooks
#   bin/quarn                          the tool
#   libexec/quarn-m/                   the helper programs; the library looks for them in
#                                      ../libexec/quarn-m from its own folder
#   lib/cmake/QuarnM/, lib/pkgconfig/  the CMake package and quarn-m.pc
#   share/man/man1/quarn.1, share/man/man3/quarn-m.3, share/doc/quarn-m/
# Installed programs find the library through a $ORIGIN-relative run path, so neither the
# tree's place nor LD_LIBRARY_PATH matters.

include(CMakePackageConfigHelpers)
set(QUARN_INSTALL_HELPERDIR ${CMAKE_INSTALL_LIBEXECDIR}/quarn-m)
set(QUARN_INSTALL_COPYBOOKDIR ${CMAKE_INSTALL_DATADIR}/quarn-m/cobol)
set(QUARN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuarnM)

# add_subdirectory and FetchContent users link QuarnM::quarn-m as find_package users do.
add_library(QuarnM::quarn-m ALIAS quarn-m)

# The include folder of the build tree for add_subdirectory users, the installed one for
# find_package users; C++ callers of quarn.hpp need C++17.
set_property(TARGET quarn-m PROPERTY INTERFACE_INCLUDE_DIRECTORIES
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(quarn-m INTERFACE cxx_std_17)

# Run paths of the installed programs and modules, relative to their own folders.
file(RELATIVE_PATH quarn_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
set_property(TARGET quarn PROPERTY INSTALL_RPATH "$ORIGIN/${quarn_bin_to_lib}")

install(TARGETS quarn-m EXPORT QuarnMTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/quarn DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/cobol/ DESTINATION ${QUARN_INSTALL_COPYBOOKDIR}
  FILES_MATCHING PATTERN "*.cpy")
install(TARGETS quarn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(quarn_helpers quarn-xcopy quarn-zip quarn-hex2bin quarn-wscript)
install(TARGETS ${quarn_helpers} RUNTIME DESTINATION ${QUARN_INSTALL_HELPERDIR})

# What an install takes, without the tests and benchmarks: scripts/dev install builds this.
add_custom_target(quarn-installable)
add_dependencies(quarn-installable quarn-m quarn ${quarn_helpers})

# The Qt form runtime is loaded on demand from lib/quarn-m/; it links Qt and nothing of
# the library.
if(TARGET quarn-m-qt)
  install(TARGETS quarn-m-qt
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quarn-m NAMELINK_SKIP)
  add_dependencies(quarn-installable quarn-m-qt)
endif()

# The COBOL cheque application, where cobc built it, with its sources and demo batch.
if(TARGET quarn-cheques)
  install(PROGRAMS ${QUARN_CHEQUES_EXE} DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/cobol/cheques/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/quarn-m/examples/cheques
    FILES_MATCHING PATTERN "*.cob" PATTERN "*.cpy" PATTERN "*.batch"
    PATTERN "CMakeLists.txt" EXCLUDE)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/cheques.csv
    DESTINATION ${CMAKE_INSTALL_DATADIR}/quarn-m/examples/cheques)
  add_dependencies(quarn-installable quarn-cheques)
endif()

# Man pages: quarn(1) from the commands' own help, quarn-m(3) written.
set(quarn_man1 ${PROJECT_BINARY_DIR}/man/quarn.1)
add_custom_command(OUTPUT ${quarn_man1}
  COMMAND ${CMAKE_COMMAND} -DQUARN=$<TARGET_FILE:quarn> -DOUTPUT=${quarn_man1}
          -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/docs/man/quarn-man.cmake
  DEPENDS quarn ${PROJECT_SOURCE_DIR}/docs/man/quarn-man.cmake
  COMMENT "quarn(1) from the commands' help" VERBATIM)
add_custom_target(quarn-man ALL DEPENDS ${quarn_man1})
add_dependencies(quarn-installable quarn-man)
install(FILES ${quarn_man1} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/quarn-m.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(licence LICENSE LICENSE.md COPYING)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${licence})
    install(FILES ${PROJECT_SOURCE_DIR}/${licence} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  endif()
endforeach()

# The CMake package: find_package(QuarnM) gives QuarnM::quarn-m and QuarnM_COPYBOOK_DIR.
install(EXPORT QuarnMTargets NAMESPACE QuarnM:: DESTINATION ${QUARN_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuarnMConfig.cmake.in
  ${PROJECT_BINARY_DIR}/cmake/QuarnMConfig.cmake
  INSTALL_DESTINATION ${QUARN_INSTALL_CMAKEDIR}
  PATH_VARS QUARN_INSTALL_COPYBOOKDIR CMAKE_INSTALL_INCLUDEDIR)
# The SONAME changes with the major version, so only the same major version is compatible.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/QuarnMConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cmake/QuarnMConfig.cmake
              ${PROJECT_BINARY_DIR}/cmake/QuarnMConfigVersion.cmake
  DESTINATION ${QUARN_INSTALL_CMAKEDIR})

# pkg-config: paths relative to the file's own folder, so a tree moved elsewhere (or
# unpacked from the Debian package into another root) still works.
file(RELATIVE_PATH quarn_pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" quarn_pc_to_prefix "${quarn_pc_to_prefix}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/quarn-m.pc.in ${PROJECT_BINARY_DIR}/quarn-m.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quarn-m.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
