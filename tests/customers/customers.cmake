# Helpers and extra wiring of the customer record tests.

# Saves customers through the entry model until it is killed or done; the
# crash and two-writer tests start it.
add_executable(customer_writer ${CMAKE_CURRENT_LIST_DIR}/customer_writer.cpp)
target_link_libraries(customer_writer PRIVATE qw_customers)
target_include_directories(customer_writer PRIVATE ${CMAKE_CURRENT_LIST_DIR})
set_target_properties(customer_writer PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC OFF)
if(TARGET customers_tst_writers)
  add_dependencies(customers_tst_writers customer_writer)
  target_compile_definitions(customers_tst_writers PRIVATE
    QW_CUSTOMER_WRITER="$<TARGET_FILE:customer_writer>")
endif()
# The command-line tests run the tools from the program's folder.
if(TARGET customers_tst_cli)
  add_dependencies(customers_tst_cli quiverwise-customers quiverwise-select)
endif()
# The hostile-input test runs every command-line tool.
if(TARGET customers_tst_hostile)
  add_dependencies(customers_tst_hostile quiverwise-customers quiverwise-select quiverwise-calc
    quiverwise-dbf)
  if(TARGET quiverwise-sheet)
    add_dependencies(customers_tst_hostile quiverwise-sheet)
  endif()
endif()

# libFuzzer target of the command-line tools (argument parsing, the customer
# commands over a fuzzed table, the JSON writer): built with QW_FUZZ (clang),
# run for about 20 seconds over its seed corpus as a "fuzz" test.
if(QW_FUZZ)
  add_executable(fuzz_tools ${CMAKE_CURRENT_LIST_DIR}/fuzz/fuzz_tools.cpp)
  target_link_libraries(fuzz_tools PRIVATE qw_customers_cli)
  target_include_directories(fuzz_tools PRIVATE ${PROJECT_SOURCE_DIR}/tools/customers)
  target_compile_definitions(fuzz_tools PRIVATE QW_TABLES_DIR="${QW_TABLES_DIR}")
  target_link_options(fuzz_tools PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz_tools PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC OFF)
  add_dependencies(fuzz_tools qw_data)
  set(work ${CMAKE_BINARY_DIR}/fuzz/tools)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME customers_fuzz_tools
    COMMAND fuzz_tools -max_total_time=20 -timeout=10 -rss_limit_mb=2048
            -artifact_prefix=${work}/ ${work} ${PROJECT_SOURCE_DIR}/tests/fixtures/tools/fuzz)
  set_tests_properties(customers_fuzz_tools PROPERTIES LABELS "customers;fuzz" TIMEOUT 120
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
