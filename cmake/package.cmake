# The Debian package: `cmake --build --preset default --target package` (or `make package`) makes
# zelvar_<version>_<architecture>.deb in the build folder.
#
# The package installs for every user: the programs with the shipped definition files in
# /usr/lib/zelvar (a folder no user writes to; the marker file "per-user-files" says so even to
# root), korin on /usr/bin, the desktop entries, the icons, the AppStream metainfo, a manual page
# and the documentation. Each user's settings and saved definition files go to the user's own
# folders (platform/file_locations.h).
#
# Its files are the install component "deb", left out of a plain `cmake --install`, which still
# makes the portable folder of cmake/install.cmake.

if(NOT UNIX OR APPLE)
  return()
endif()

set(ZELVAR_PACKAGE_MAINTAINER "Zelvar maintainers <maintainers@zelvar.example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(ZELVAR_APPSTREAM_ID "example.zelvar.Zelvar"
    CACHE STRING "AppStream component id (reverse domain name of the project's home)")
set(ZELVAR_PROJECT_LICENSE "LicenseRef-proprietary"
    CACHE STRING "SPDX licence of the project, for the metainfo and the copyright file")
set(ZELVAR_LICENSE_TEXT " No licence has been granted for Zelvar: all rights are reserved by its maintainers."
    CACHE STRING "Text of the licence paragraph in the copyright file (each line begins with a space)")

set(zelvar_pkg_lib lib/zelvar)       # relative to /usr
set(zelvar_pkg_root /usr/lib/zelvar) # as installed
set(zelvar_pkg_stage ${CMAKE_BINARY_DIR}/package)
set(zelvar_pkg_doc share/doc/zelvar)

# The release date: the last commit's, so that the package does not change with the day it is
# built; today's when the sources are no git checkout.
execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%cs
                OUTPUT_VARIABLE ZELVAR_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET RESULT_VARIABLE zelvar_git_failed)
execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%cD
                OUTPUT_VARIABLE ZELVAR_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET)
if(zelvar_git_failed OR ZELVAR_RELEASE_DATE STREQUAL "")
  string(TIMESTAMP ZELVAR_RELEASE_DATE "%Y-%m-%d" UTC)
  string(TIMESTAMP ZELVAR_RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
string(SUBSTRING "${ZELVAR_RELEASE_DATE}" 0 4 ZELVAR_COPYRIGHT_YEAR)

# Desktop entries that start the programs in the shared folder.
foreach(zelvar_program Zelvar Korinset)
  string(TOLOWER ${zelvar_program} zelvar_id)
  set(ZELVAR_EXEC_PATH ${zelvar_pkg_root}/${zelvar_program})
  set(ZELVAR_EXEC ${zelvar_pkg_root}/${zelvar_program})
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${zelvar_id}.desktop.in
                 ${zelvar_pkg_stage}/${zelvar_id}.desktop @ONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/zelvar.metainfo.xml.in
               ${zelvar_pkg_stage}/${ZELVAR_APPSTREAM_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${zelvar_pkg_stage}/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${zelvar_pkg_stage}/changelog @ONLY)
file(WRITE ${zelvar_pkg_stage}/per-user-files
     "Zelvar, Korinset and korin keep each user's settings in ~/.config/zelvar and the definition\n"
     "files a user saves in ~/.local/share/zelvar, because this file is here.\n")
file(CREATE_LINK ../lib/zelvar/korin ${zelvar_pkg_stage}/korin SYMBOLIC)

# Compressed as Debian wants them: gzip -9, without name or time stamp.
find_program(ZELVAR_GZIP gzip)
add_custom_command(
  OUTPUT ${zelvar_pkg_stage}/changelog.gz ${zelvar_pkg_stage}/korin.1.gz
  COMMAND ${ZELVAR_GZIP} -9nc ${zelvar_pkg_stage}/changelog > ${zelvar_pkg_stage}/changelog.gz
  COMMAND ${ZELVAR_GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/korin.1 > ${zelvar_pkg_stage}/korin.1.gz
  DEPENDS ${zelvar_pkg_stage}/changelog ${CMAKE_SOURCE_DIR}/packaging/korin.1
  VERBATIM)
add_custom_target(zelvar_package_files ALL
  DEPENDS ${zelvar_pkg_stage}/changelog.gz ${zelvar_pkg_stage}/korin.1.gz)

# The metainfo file is checked when the tool is there.
find_program(ZELVAR_APPSTREAMCLI appstreamcli)
if(ZELVAR_APPSTREAMCLI)
  add_custom_command(
    OUTPUT ${zelvar_pkg_stage}/metainfo.valid
    COMMAND ${ZELVAR_APPSTREAMCLI} validate --no-net
            ${zelvar_pkg_stage}/${ZELVAR_APPSTREAM_ID}.metainfo.xml
    COMMAND ${CMAKE_COMMAND} -E touch ${zelvar_pkg_stage}/metainfo.valid
    DEPENDS ${zelvar_pkg_stage}/${ZELVAR_APPSTREAM_ID}.metainfo.xml
    COMMENT "Validating the AppStream metainfo")
  add_custom_target(zelvar_metainfo_valid ALL DEPENDS ${zelvar_pkg_stage}/metainfo.valid)
endif()

set(zelvar_deb COMPONENT deb EXCLUDE_FROM_ALL)
foreach(zelvar_program Zelvar Korinset korin)
  if(TARGET ${zelvar_program})
    install(TARGETS ${zelvar_program} RUNTIME DESTINATION ${zelvar_pkg_lib} ${zelvar_deb})
  endif()
endforeach()
foreach(zelvar_file IN LISTS ZELVAR_DATA_FILES)
  install(FILES ${zelvar_file} DESTINATION ${zelvar_pkg_lib} ${zelvar_deb})
endforeach()
install(FILES ${zelvar_pkg_stage}/per-user-files DESTINATION ${zelvar_pkg_lib} ${zelvar_deb})
if(TARGET korin)
  install(FILES ${zelvar_pkg_stage}/korin DESTINATION bin ${zelvar_deb})
  install(FILES ${zelvar_pkg_stage}/korin.1.gz DESTINATION share/man/man1 ${zelvar_deb})
endif()
install(FILES ${zelvar_pkg_stage}/zelvar.desktop ${zelvar_pkg_stage}/korinset.desktop
        DESTINATION share/applications ${zelvar_deb})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/icons/hicolor DESTINATION share/icons ${zelvar_deb})
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/zelvar.svg
        DESTINATION share/icons/hicolor/scalable/apps ${zelvar_deb})
install(FILES ${zelvar_pkg_stage}/${ZELVAR_APPSTREAM_ID}.metainfo.xml
        DESTINATION share/metainfo ${zelvar_deb})
install(FILES ${zelvar_pkg_stage}/copyright ${zelvar_pkg_stage}/changelog.gz
        DESTINATION ${zelvar_pkg_doc} ${zelvar_deb})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME zelvar ${zelvar_deb})
if(EXISTS ${CMAKE_SOURCE_DIR}/data/README.md)
  install(FILES ${CMAKE_SOURCE_DIR}/data/README.md DESTINATION ${zelvar_pkg_doc}
          RENAME definitions.md ${zelvar_deb})
endif()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE zelvar_arch
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(zelvar_arch STREQUAL "")
  set(zelvar_arch amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZELVAR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese month calendar with public holidays and era years")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelvar is a small calendar window that shows one month at a time, with\n"
    "Saturdays, Sundays and the Japanese public holidays in their own colours\n"
    "and the year in the Japanese era reckoning. It can show a clock, stay above\n"
    "other windows and live in the notification area.\n"
    "\n"
    "Korinset edits the holiday and era definitions, and korin answers the same\n"
    "questions on the command line. The user interface is in Japanese.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL deb)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME zelvar)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${zelvar_arch})
set(CPACK_DEBIAN_FILE_NAME zelvar_${PROJECT_VERSION}_${zelvar_arch}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The IPA fonts stand in for the Japanese Windows fonts the windows name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# Qt's own Japanese texts (the colour chooser's).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
include(CPack)
