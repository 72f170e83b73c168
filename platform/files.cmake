# The safe replacement of a file, without Qt: the programs, the command-line tool's tests and the
# fuzz targets all use it, so it exists in every configuration (also without the GUI layers).
add_library(zelvar_files STATIC ${CMAKE_CURRENT_LIST_DIR}/file_replace.cpp)
zelvar_expose_layer(zelvar_files platform)
target_link_libraries(zelvar_files PRIVATE zelvar_warnings)
