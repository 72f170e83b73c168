# Benchmarks of the calendar window (included from bench/CMakeLists.txt).
if(TARGET zelvar_calendar)
  add_executable(zelvar_calendar_bench ${CMAKE_CURRENT_LIST_DIR}/calendar_bench.cpp)
    target_compile_definitions(zelvar_calendar_bench PRIVATE ZELVAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(zelvar_calendar_bench PRIVATE
    zelvar_calendar zelvar_test_support Qt6::Test benchmark::benchmark zelvar_warnings)
  set_target_properties(zelvar_calendar_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()

# The start-up probe lies beside the programs, where the definition files are.
if(TARGET zelvar_calendar)
  add_executable(calendar_startup ${CMAKE_CURRENT_LIST_DIR}/calendar_startup.cpp)
  target_link_libraries(calendar_startup PRIVATE zelvar_calendar zelvar_warnings)
  add_dependencies(calendar_startup zelvar_data)
endif()
