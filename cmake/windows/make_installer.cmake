# Builds the Windows installer (SETUP) from the assembled folder (DIST) with NSIS: writes the
# lists of files it installs and removes into WORK, then runs makensis on SCRIPT.
#   MAKENSIS the NSIS compiler; SCRIPT the installer's script
#   DIST     the folder of the zip; every file in it is installed
#   VERSION  the program version; ICON the installer's icon
#   WORK     a scratch folder for the generated lists; SETUP the installer made
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# An installed copy keeps the user's files in the user's own folders: the same marker as the
# Debian package's shared folder.
file(WRITE "${WORK}/per-user-files"
     "The programs in this folder keep each user's settings and edited definition files in %APPDATA%\\Zelvar.\r\n")

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${DIST}" "${DIST}/*")
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(current_folder "-")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL current_folder)
    if(folder STREQUAL "")
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      list(APPEND folders "${windows_folder}")
    endif()
    set(current_folder "${folder}")
  endif()
  string(APPEND install "File \"${DIST}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# Folders last, deepest first; a folder the user put files into stays.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(APPEND uninstall "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE "${WORK}/install-files.nsh" "${install}")
file(WRITE "${WORK}/uninstall-files.nsh" "${uninstall}")

execute_process(
  COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${VERSION}" "-DICON=${ICON}"
          "-DWORK=${WORK}" "-DOUTFILE=${SETUP}" "${SCRIPT}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "makensis failed (${status}) on ${SCRIPT}")
endif()
file(SIZE "${SETUP}" setup_size)
math(EXPR setup_kib "${setup_size} / 1024")
message(STATUS "${SETUP}: ${setup_kib} KiB")
