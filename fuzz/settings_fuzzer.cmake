# libFuzzer target of the settings-file functions (platform/ini_file.cpp), which need Qt Core
# only: the functions and the code page conversion are compiled again with the instrumentation.
find_package(Qt6 6.2 COMPONENTS Core)
if(NOT Qt6Core_FOUND)
  message(WARNING "Qt6 Core not found: the settings fuzzer is not built.")
  return()
endif()
add_executable(settings_fuzzer settings_fuzzer.cpp ${CMAKE_SOURCE_DIR}/platform/ini_file.cpp
               ${CMAKE_SOURCE_DIR}/date/codepage.cpp ${CMAKE_SOURCE_DIR}/date/codepage_iconv.cpp
               ${CMAKE_SOURCE_DIR}/date/file_read.cpp)
target_include_directories(settings_fuzzer PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(settings_fuzzer PRIVATE ${ZELVAR_FUZZ_FLAGS})
target_link_options(settings_fuzzer PRIVATE ${ZELVAR_FUZZ_FLAGS})
target_link_libraries(settings_fuzzer PRIVATE Qt6::Core zelvar_files zelvar_warnings)
set_target_properties(settings_fuzzer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
