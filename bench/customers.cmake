# Customer retrieval over a customer table of 100,000 records: opening the
# retrieval model until its first record is shown, Search, and Return Data
# until the main window's grid is recomputed.
add_executable(bench_retrieval ${CMAKE_CURRENT_LIST_DIR}/bench_retrieval.cpp)
target_link_libraries(bench_retrieval PRIVATE qw_customers benchmark::benchmark)
target_compile_definitions(bench_retrieval PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
set_target_properties(bench_retrieval PROPERTIES AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
