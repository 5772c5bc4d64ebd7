# Helpers and extra wiring of the table storage tests.

# The writer that tst_crash_dbf kills at random moments.
add_executable(dbf_crash_writer ${CMAKE_CURRENT_LIST_DIR}/dbf_crash_writer.cpp)
target_link_libraries(dbf_crash_writer PRIVATE qw_storage)
set_target_properties(dbf_crash_writer PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC OFF)
if(TARGET storage_tst_crash_dbf)
  add_dependencies(storage_tst_crash_dbf dbf_crash_writer)
  target_compile_definitions(storage_tst_crash_dbf PRIVATE
    QW_CRASH_WRITER="$<TARGET_FILE:dbf_crash_writer>")
endif()

# The inspector is run as a separate program by its tests.
if(TARGET storage_tst_dbftool AND TARGET quiverwise-dbf)
  add_dependencies(storage_tst_dbftool quiverwise-dbf)
endif()

# libFuzzer targets of the table, memo and journal parsers: built with QW_FUZZ (clang),
# each run for about 20 seconds over its seed corpus as a "fuzz" test. New
# inputs go to a working corpus in the build tree; crashers are written
# there too, and are kept in the seed folder once understood.
if(QW_FUZZ)
  foreach(target fuzz_dbf fuzz_fpt fuzz_journal)
    string(REPLACE "fuzz_" "" kind ${target})
    add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/fuzz/${target}.cpp)
    target_link_libraries(${target} PRIVATE qw_storage)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${target} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests AUTOMOC OFF)
    set(work ${CMAKE_BINARY_DIR}/fuzz/${kind})
    file(MAKE_DIRECTORY ${work})
    add_test(NAME storage_${target}
      COMMAND ${target} -max_total_time=20 -timeout=10 -rss_limit_mb=2048
              -artifact_prefix=${work}/ ${work} ${PROJECT_SOURCE_DIR}/tests/fixtures/dbf/fuzz/${kind})
    set_tests_properties(storage_${target} PROPERTIES LABELS "storage;fuzz" TIMEOUT 120)
  endforeach()
endif()
