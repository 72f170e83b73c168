# Assembles the folder a Windows user unzips and runs (DIST), and the zip of it (ZIP):
# the programs, the definition files, Qt's DLLs and the plugins the programs load, and the
# toolchain's runtime DLLs. Run by the `windows_dist` target with -D for every variable below.
#   PROGRAMS     the built .exe files
#   DATA_FILES   Korin1.csv and Korin2.csv
#   QT_BIN_DIR   Qt's bin folder; QT_PLUGIN_DIR its plugins folder
#   RUNTIME_DLLS the toolchain's DLLs
#   STRIP        the toolchain's strip
#   ERFA_LICENSE the licence of the ERFA linked into the programs
#   DIST, ZIP    what is made
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${DIST}")
file(MAKE_DIRECTORY "${DIST}")
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name "${program}" NAME)
  execute_process(COMMAND "${STRIP}" --strip-unneeded -o "${DIST}/${name}" "${program}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(COPY ${DATA_FILES} DESTINATION "${DIST}")
# The programs carry ERFA's code (BSD-3-Clause), whose notice must travel with them.
configure_file("${ERFA_LICENSE}" "${DIST}/ERFA-LICENSE.txt" COPYONLY)
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

# The zip holds the folder's contents at its root, in a stable order and with one date, so that
# the same build gives the same bytes.
file(REMOVE "${ZIP}")
file(GLOB_RECURSE entries RELATIVE "${DIST}" "${DIST}/*")
list(SORT entries)
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip --mtime=2000-01-01
                        -- ${entries}
                WORKING_DIRECTORY "${DIST}" COMMAND_ERROR_IS_FATAL ANY)
file(SIZE "${ZIP}" zip_size)
math(EXPR zip_kib "${zip_size} / 1024")
message(STATUS "${ZIP}: ${zip_kib} KiB")
