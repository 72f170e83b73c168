# Benchmarks of the editor's holiday list (included from bench/CMakeLists.txt).
if(TARGET zelvar_editor)
  add_executable(zelvar_editor_bench ${CMAKE_CURRENT_LIST_DIR}/editor_bench.cpp)
    target_compile_definitions(zelvar_editor_bench PRIVATE ZELVAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(zelvar_editor_bench PRIVATE
    zelvar_editor Qt6::Test benchmark::benchmark zelvar_warnings)
  set_target_properties(zelvar_editor_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
