# The safe replacement of a file, without Qt: the programs, the command-line tool's tests and the
# fuzz targets all use it, so it exists in every configuration (also without the GUI layers).
# One file per system for what differs: the calls that replace a file and name its failures.
if(WIN32)
  set(ZELVAR_FILE_REPLACE_SYSTEM file_replace_windows.cpp)
else()
  set(ZELVAR_FILE_REPLACE_SYSTEM file_replace_posix.cpp)
endif()
add_library(zelvar_files STATIC ${CMAKE_CURRENT_LIST_DIR}/file_replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${ZELVAR_FILE_REPLACE_SYSTEM})
zelvar_expose_layer(zelvar_files platform)
target_link_libraries(zelvar_files PUBLIC zelvar_date PRIVATE zelvar_warnings)

# Where the programs keep their files (file_locations.h): korin links it too, so it is built
# without the Qt programs as well.
add_library(zelvar_file_locations STATIC ${CMAKE_CURRENT_LIST_DIR}/file_locations.cpp)
zelvar_expose_layer(zelvar_file_locations platform)
target_link_libraries(zelvar_file_locations PRIVATE zelvar_warnings)
