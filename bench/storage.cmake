# Table storage benchmarks over a 100,000-record customer table, with the
# same scan by python3-dbfread for comparison.
add_executable(bench_storage ${CMAKE_CURRENT_LIST_DIR}/bench_storage.cpp)
target_link_libraries(bench_storage PRIVATE qw_storage benchmark::benchmark)
set_target_properties(bench_storage PROPERTIES AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
