# Assembles the folder a Windows user unzips and runs (DIST, named Zelvar-<version>-win64), and
# the zip of it (ZIP) with that one folder at its root: the programs, the definition files, Qt's
# DLLs, the plugins the programs load and Qt's Japanese translation, the toolchain's runtime DLLs,
# a README.txt in Japanese and the licence notices of everything shipped. Run by the
# `windows_dist` target with -D for every variable below.
#   PROGRAMS      the built .exe files
#   DATA_FILES    Korin1.csv and Korin2.csv
#   QT_BIN_DIR    Qt's bin folder; QT_PLUGIN_DIR its plugins folder
#   QT_TRANSLATION the qtbase_ja.qm that matches that Qt
#   RUNTIME_DLLS  the toolchain's DLLs
#   README        README.txt.in; VERSION the program version it names
#   LICENSES      the licence files, each as name=source (the name it has in licenses/)
#   STRIP         the toolchain's strip
#   DIST, ZIP     what is made
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${DIST}")
file(MAKE_DIRECTORY "${DIST}")
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name "${program}" NAME)
  execute_process(COMMAND "${STRIP}" --strip-unneeded -o "${DIST}/${name}" "${program}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(COPY ${DATA_FILES} DESTINATION "${DIST}")
# The toolchain's DLLs carry their symbols: stripped they are a tenth of the size.
foreach(dll IN LISTS RUNTIME_DLLS)
  get_filename_component(name "${dll}" NAME)
  execute_process(COMMAND "${STRIP}" --strip-unneeded -o "${DIST}/${name}" "${dll}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
foreach(module Core Gui Widgets)
  file(COPY "${QT_BIN_DIR}/Qt6${module}.dll" DESTINATION "${DIST}")
endforeach()
# The plugins beside the programs in the folders Qt looks in first: the Windows platform, the
# native style and the .ico reader (the window icon).
file(COPY "${QT_PLUGIN_DIR}/platforms/qwindows.dll" DESTINATION "${DIST}/platforms")
file(COPY "${QT_PLUGIN_DIR}/styles/qwindowsvistastyle.dll" DESTINATION "${DIST}/styles")
file(COPY "${QT_PLUGIN_DIR}/imageformats/qico.dll" DESTINATION "${DIST}/imageformats")
# Qt's own texts (the boxes' context menus, the colour dialog) in Japanese; the programs load it
# from translations/ beside themselves.
file(COPY "${QT_TRANSLATION}" DESTINATION "${DIST}/translations")

# README.txt for Notepad: UTF-8 with a byte-order mark and CR LF line ends.
file(READ "${README}" readme)
string(REPLACE "@VERSION@" "${VERSION}" readme "${readme}")
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
string(ASCII 239 187 191 bom)
file(WRITE "${DIST}/README.txt" "${bom}${readme}")

file(MAKE_DIRECTORY "${DIST}/licenses")
foreach(license IN LISTS LICENSES)
  string(REPLACE "=" ";" parts "${license}")
  list(GET parts 0 name)
  list(GET parts 1 source)
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "The licence notice ${source} is missing")
  endif()
  file(COPY_FILE "${source}" "${DIST}/licenses/${name}")
endforeach()

# The zip holds the one folder, its entries in a stable order; each file keeps the time this
# build made or copied it.
file(REMOVE "${ZIP}")
get_filename_component(parent "${DIST}" DIRECTORY)
get_filename_component(folder "${DIST}" NAME)
file(GLOB_RECURSE entries RELATIVE "${parent}" "${DIST}/*")
list(SORT entries)
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip -- ${entries}
                WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
file(SIZE "${ZIP}" zip_size)
math(EXPR zip_kib "${zip_size} / 1024")
message(STATUS "${ZIP}: ${zip_kib} KiB")
