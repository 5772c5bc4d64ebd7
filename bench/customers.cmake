# Customer record benchmarks over a 100,000-customer table: Save Record
# (post and index rebuild) and the export.
add_executable(bench_customers ${CMAKE_CURRENT_LIST_DIR}/bench_customers.cpp)
target_link_libraries(bench_customers PRIVATE qw_customers benchmark::benchmark)
target_compile_definitions(bench_customers PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
set_target_properties(bench_customers PROPERTIES AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
