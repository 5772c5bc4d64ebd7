# Click to painted window for the specifications and KE windows, against an
# empty dialog in the same run.
if(TARGET qw_app)
  add_executable(bench_calculators ${CMAKE_CURRENT_LIST_DIR}/bench_calculators.cpp)
  set_target_properties(bench_calculators PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_compile_definitions(bench_calculators PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
  target_link_libraries(bench_calculators PRIVATE qw_app benchmark::benchmark)
  if(TARGET qw_data)
    add_dependencies(bench_calculators qw_data)
  endif()
endif()
