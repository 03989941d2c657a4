# The Debian package (scripts/dev package, or cpack in a release build): the library, its
# development files (headers, copybooks, CMake and pkg-config files), the tools and the man
# pages, installed under /usr. The libraries it needs are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarn-m)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "routines and forms of the suite's business applications, called by name")
set(CPACK_PACKAGE_DESCRIPTION
    "libquarn-m.so holds the programs that the suite's business applications call by name
with fixed-width parameter records: amounts in words, mixed case, numeric editing, names and
addresses, dates, file-status messages, the control file, document output and the report
control file verifier. The package has the library, the C header and the C++ API, the
GnuCOBOL copybooks, the CMake package QuarnM, quarn-m.pc, the quarn tool, its helper
programs and the man pages quarn(1) and quarn-m(3).")
set(CPACK_PACKAGE_CONTACT "QUARN-M maintainers <quarn-m@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps resolves bin/quarn's libquarn-m.so.0 inside the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/lib)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# GnuCOBOL callers compile against the copybooks; the helpers run zip and xdg-open.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnucobol3, pkg-config, zip, xdg-utils")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
include(CPack)
