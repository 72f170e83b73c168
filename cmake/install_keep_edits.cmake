# Runs at install time, before the shipped definition files are copied into the folder.
# A definition file that differs both from the file about to be installed and from what the last
# installation put there has been edited by the user (Korinset writes these files): it is kept as
# <name>.bak-<date and time> and named in a message, so that installing again loses no edit.

cmake_policy(PUSH) # this script's policies stay in it
cmake_policy(VERSION 3.25)

set(zelvar_folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(zelvar_previous "${zelvar_folder}/install-manifest.txt")
set(zelvar_recorded "")
if(EXISTS "${zelvar_previous}")
  file(STRINGS "${zelvar_previous}" zelvar_recorded)
endif()

foreach(zelvar_name IN LISTS ZELVAR_DEFINITIONS)
  set(zelvar_target "${zelvar_folder}/${zelvar_name}")
  if(NOT EXISTS "${zelvar_target}")
    continue()
  endif()
  file(SHA256 "${zelvar_target}" zelvar_present)
  file(SHA256 "${ZELVAR_SOURCE_DIR}/data/${zelvar_name}" zelvar_shipped)
  if(zelvar_present STREQUAL zelvar_shipped)
    continue()
  endif()
  set(zelvar_installed "")
  foreach(zelvar_line IN LISTS zelvar_recorded)
    if(zelvar_line MATCHES "^file\t([0-9a-f]+)\t(.*)$" AND CMAKE_MATCH_2 STREQUAL
                                                            "${CMAKE_INSTALL_PREFIX}/${zelvar_name}")
      set(zelvar_installed "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(zelvar_present STREQUAL zelvar_installed)
    continue() # as the last installation left it: the new shipped file simply replaces it
  endif()
  string(TIMESTAMP zelvar_stamp "%Y%m%d-%H%M%S")
  set(zelvar_backup "${zelvar_target}.bak-${zelvar_stamp}")
  file(COPY_FILE "${zelvar_target}" "${zelvar_backup}")
  message(STATUS "Kept the edited ${zelvar_name} as ${zelvar_backup}; "
                 "the shipped ${zelvar_name} replaces it (Korinset can enter the edits again)")
endforeach()

cmake_policy(POP)
