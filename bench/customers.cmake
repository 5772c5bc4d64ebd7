# Customer record benchmarks over a 100,000-customer table: Save Record
# (post and index rebuild) and the export; opening the retrieval model until
# its first record is shown, Search, and Return Data until the main window's
# grid is recomputed.
foreach(name bench_customers bench_retrieval)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE qw_customers benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
  set_target_properties(${name} PROPERTIES AUTOMOC OFF
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()
