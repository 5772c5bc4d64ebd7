# One complete FindRec run per page on the shipped tables (already open, as
# in the window), against the storage work such a run cannot do without;
# and, where the window is built, a keystroke to the painted grid.
add_executable(bench_selection ${CMAKE_CURRENT_SOURCE_DIR}/bench_selection.cpp)
set_target_properties(bench_selection PROPERTIES AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_libraries(bench_selection PRIVATE qw_selection benchmark::benchmark)
target_compile_definitions(bench_selection PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
if(TARGET qw_data)
  add_dependencies(bench_selection qw_data)
endif()
if(TARGET qw_app)
  target_link_libraries(bench_selection PRIVATE qw_app)
  target_compile_definitions(bench_selection PRIVATE QW_BENCH_WINDOW)
endif()
