# The running program's folder, calendar time and standard streams, without Qt: korin and its
# tests use it, so it exists in every configuration (also without the GUI layers).
add_library(zelvar_environment STATIC ${CMAKE_CURRENT_LIST_DIR}/program_environment.cpp)
zelvar_expose_layer(zelvar_environment platform)
target_link_libraries(zelvar_environment PRIVATE zelvar_warnings)
if(WIN32)
  # CommandLineToArgvW
  target_link_libraries(zelvar_environment PRIVATE shell32)
endif()
