# Installation: one folder that holds the programs, the definition files and the icons, plus the
# desktop entries, the icons in the user's icon theme and a `korin` link on the user's PATH.
#
# The programs read and write their files beside themselves (the settings file, and the
# definition files that Korinset edits), so the folder must be one the user can write: by default
# ~/.local/opt/zelvar. Everything installed is listed with its checksum in the folder's
# install-manifest.txt, which the folder's uninstall.sh reads to remove exactly that.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  if(WIN32)
    set(ZELVAR_DEFAULT_PREFIX "$ENV{LOCALAPPDATA}/Programs/Zelvar")
  else()
    set(ZELVAR_DEFAULT_PREFIX "$ENV{HOME}/.local/opt/zelvar")
  endif()
  file(TO_CMAKE_PATH "${ZELVAR_DEFAULT_PREFIX}" ZELVAR_DEFAULT_PREFIX)
  set(CMAKE_INSTALL_PREFIX "${ZELVAR_DEFAULT_PREFIX}"
      CACHE PATH "Folder that receives the programs and their files" FORCE)
endif()

if(UNIX AND NOT APPLE)
  set(ZELVAR_DESKTOP_DEFAULT ON)
else()
  set(ZELVAR_DESKTOP_DEFAULT OFF)
endif()
option(ZELVAR_DESKTOP_INTEGRATION
       "Install desktop entries, icons and the korin link into the user's home" ${ZELVAR_DESKTOP_DEFAULT})

set(ZELVAR_INSTALL_PROGRAMS)
foreach(program Zelvar Korinset korin)
  if(TARGET ${program})
    list(APPEND ZELVAR_INSTALL_PROGRAMS ${program})
  endif()
endforeach()

set(ZELVAR_INSTALL_DEFINITIONS)
foreach(file Korin1.csv Korin2.csv)
  if(EXISTS ${CMAKE_SOURCE_DIR}/data/${file})
    list(APPEND ZELVAR_INSTALL_DEFINITIONS ${file})
  endif()
endforeach()

# Values the install-time scripts need, fixed at configure time.
install(CODE "
set(ZELVAR_SOURCE_DIR \"${CMAKE_SOURCE_DIR}\")
set(ZELVAR_PROGRAMS \"${ZELVAR_INSTALL_PROGRAMS}\")
set(ZELVAR_DEFINITIONS \"${ZELVAR_INSTALL_DEFINITIONS}\")
set(ZELVAR_DESKTOP_INTEGRATION \"${ZELVAR_DESKTOP_INTEGRATION}\")
")

# A definition file that the user has edited since the last installation is kept beside the new
# one as <name>.bak before the shipped file replaces it.
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_keep_edits.cmake)

if(ZELVAR_INSTALL_PROGRAMS)
  install(TARGETS ${ZELVAR_INSTALL_PROGRAMS} RUNTIME DESTINATION .)
endif()
foreach(file IN LISTS ZELVAR_INSTALL_DEFINITIONS)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${file} DESTINATION .)
endforeach()
if(EXISTS ${CMAKE_SOURCE_DIR}/data/README.md)
  install(FILES ${CMAKE_SOURCE_DIR}/data/README.md DESTINATION . RENAME Korin-README.md)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/resources/icons/zelvar.svg)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/icons/hicolor DESTINATION icons)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/zelvar.svg
          DESTINATION icons/hicolor/scalable/apps)
endif()
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/uninstall.sh DESTINATION .)

# Desktop entries, icon theme, korin link; then the manifest of everything above.
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_desktop.cmake)
