# From the print command to the setup sheet's PDF written, and to its job
# handed to the default printer (see bench_reports.cpp), per page.
if(TARGET qw_reports)
  add_executable(bench_reports ${CMAKE_CURRENT_SOURCE_DIR}/bench_reports.cpp)
  set_target_properties(bench_reports PROPERTIES AUTOMOC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(bench_reports PRIVATE qw_reports benchmark::benchmark)
  target_compile_definitions(bench_reports PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
  if(TARGET qw_data)
    add_dependencies(bench_reports qw_data)
  endif()
endif()
