# The Debian package (make package): every installed file, its dependencies computed from the
# programs' shared libraries (dpkg-shlibdeps), plus the packages the programs start at run time.
set(CPACK_PACKAGE_NAME orvobuilder)
set(CPACK_PACKAGE_VENDOR "The OrvoBuilder developers")
set(CPACK_PACKAGE_CONTACT "OrvoBuilder developers <orvobuilder@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for ORVO5 surface-water quality model datasets")
set(CPACK_PACKAGE_DESCRIPTION
  "ORVO Builder draws rivers, lakes and estuaries as networks of segments and exchanges, edits\n\
the ten data groups of the FENU5, VERDA5 and KOBAL5 simulation programs, writes and reads\n\
their fixed-column input decks, runs the bundled simulation programs and shows the results.\n\
The orvo command line does the same work without windows.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The revision store runs the RCS programs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "rcs")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
