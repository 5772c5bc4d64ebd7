# From the print command to the setup sheet's job handed to the default
# printer, per page, on the shipped tables. Needs a print queue: see the
# comment at the top of bench_printing.cpp.
if(TARGET qw_reports)
  add_executable(bench_printing ${CMAKE_CURRENT_SOURCE_DIR}/bench_printing.cpp)
  set_target_properties(bench_printing PROPERTIES AUTOMOC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(bench_printing PRIVATE qw_reports benchmark::benchmark)
  target_compile_definitions(bench_printing PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
  if(TARGET qw_data)
    add_dependencies(bench_printing qw_data)
  endif()
endif()
