# What `cmake --install` puts beside the programs, and the .deb that `make package` builds.
# Programs go to <prefix>/bin, data to <prefix>/share/orvane (cmake/OrvaneData.cmake).
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "ORVANE")
set(CPACK_PACKAGE_CONTACT "ORVANE <orvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Development environment for the ORVANE servo controller")
set(CPACK_PACKAGE_DESCRIPTION "Writes, runs and compiles control scripts for the ORVANE servo controller, switches its modes and writes its flash over RS232.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY orvane)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries come from dpkg-shlibdeps; the rest are loaded at run time: Qt's platform and SVG
# plugins, its Polish translations, and the assembler a compile runs.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, avra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info")
include(CPack)
