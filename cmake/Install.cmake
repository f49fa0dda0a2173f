# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts beside the programs, and the .deb that `make package` builds.
# Programs go to <prefix>/bin, data to <prefix>/share/orvane (cmake/OrvaneData.cmake); the
# licence, changelog, manual pages and AppStream metadata come from packaging/.
include(GNUInstallDirs)
set(ORVANE_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(ORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/orvane)
set(ORVANE_MAINTAINER "ORVANE maintainers <maintainers@orvane.org>" CACHE STRING
  "The package's maintainer, \"Name <address>\" (the environment's ORVANE_MAINTAINER wins at cpack time)")
set(ORVANE_HOMEPAGE "https://orvane.org/" CACHE STRING
  "The project's home page; the AppStream screenshots are under its screenshots/")

# The changelog's newest entry names the version and the release date; a version bumped in one
# place only stops the configure rather than shipping a package that contradicts itself.
file(STRINGS ${ORVANE_PACKAGING}/changelog changelog_lines)
list(GET changelog_lines 0 newest)
if(NOT newest MATCHES "^orvane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}: ${newest}")
endif()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    string(LENGTH "${month}" digits)
    if(digits EQUAL 1)
      set(month 0${month})
    endif()
    set(ORVANE_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
    break()
  endif()
endforeach()

# Debian wants manual pages and a changelog compressed, without a time stamp in the header.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(packaged "")
function(orvane_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${output}
    DEPENDS ${source} VERBATIM)
  set(packaged ${packaged} ${output} PARENT_SCOPE)
endfunction()

set(ORVANE_MANUAL_PAGES orvane orvane-cli orvane-sim)
foreach(language en pl)
  foreach(page IN LISTS ORVANE_MANUAL_PAGES)
    set(configured ${PROJECT_BINARY_DIR}/man/${language}/${page}.1)
    configure_file(${ORVANE_PACKAGING}/man/${language}/${page}.1 ${configured} @ONLY)
    orvane_gzip(${configured} ${configured}.gz)
    set(folder ${CMAKE_INSTALL_MANDIR}/man1)
    if(NOT language STREQUAL "en")
      set(folder ${CMAKE_INSTALL_MANDIR}/${language}/man1)
    endif()
    install(FILES ${configured}.gz DESTINATION ${folder})
  endforeach()
endforeach()
orvane_gzip(${ORVANE_PACKAGING}/changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_target(orvane_packaging ALL DEPENDS ${packaged})

string(REGEX REPLACE "/+$" "" ORVANE_SCREENSHOTS "${ORVANE_HOMEPAGE}")
string(APPEND ORVANE_SCREENSHOTS /screenshots)
set(ORVANE_METAINFO ${PROJECT_BINARY_DIR}/org.orvane.Orvane.metainfo.xml)
configure_file(${ORVANE_PACKAGING}/org.orvane.Orvane.metainfo.xml.in ${ORVANE_METAINFO} @ONLY)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${ORVANE_PACKAGING}/copyright
  ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${ORVANE_DOC_DIR})
install(FILES ${ORVANE_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ORVANE_PACKAGING}/orvane.lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME orvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "ORVANE")
set(CPACK_PACKAGE_CONTACT "${ORVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "development environment for the ORVANE servo controller")
# Debian shows the extended description as it stands: lines of at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Writes, runs and compiles control scripts for the ORVANE servo controller,\n"
  "an AVR board that drives up to 16 hobby servos over RS232. Scripts run from\n"
  "the PC one statement at a time or are compiled to AVR assembler, assembled\n"
  "with avra and written into the board's flash through its boot loader.\n"
  "The window orvane, the terminal program orvane-cli and the virtual\n"
  "controller orvane-sim share one core.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY orvane)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVANE_HOMEPAGE}")
# The libraries come from dpkg-shlibdeps; the rest are loaded at run time: Qt's platform and SVG
# plugins, its Polish translations, and the assembler a compile runs.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, avra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info")
set(CPACK_PROJECT_CONFIG_FILE ${ORVANE_PACKAGING}/CPackMaintainer.cmake)
include(CPack)

if(BUILD_TESTING)
  # Every option and command of each program's --help in its Polish and English pages, and back.
  foreach(page IN LISTS ORVANE_MANUAL_PAGES)
    if(TARGET ${page})
      add_test(NAME install.ManualPageOf_${page}_MatchesItsHelp
        COMMAND sh ${ORVANE_PACKAGING}/check-manpages.sh $<TARGET_FILE:${page}>
        ${ORVANE_PACKAGING}/man/pl/${page}.1 ${ORVANE_PACKAGING}/man/en/${page}.1)
      set_tests_properties(install.ManualPageOf_${page}_MatchesItsHelp PROPERTIES
        LABELS e2e TIMEOUT 30 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
    endif()
  endforeach()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    add_test(NAME install.AppStreamMetadataValidates
      COMMAND ${APPSTREAMCLI} validate --no-net ${ORVANE_METAINFO})
    set_tests_properties(install.AppStreamMetadataValidates PROPERTIES LABELS e2e TIMEOUT 30)
  endif()
endif()
