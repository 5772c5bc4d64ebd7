# libFuzzer targets for the IDX readers and the key expression parser, each
# run for a short while as a CTest test over the seed corpus in
# tests/fixtures/idx/. New inputs go to a corpus folder in the build tree;
# inputs that once broke something are kept in the seed folders.
if(QW_FUZZ)
  foreach(fuzzer fuzz_idx fuzz_keyexpr)
    add_executable(${fuzzer} ${CMAKE_CURRENT_LIST_DIR}/fuzz/${fuzzer}.cpp)
    set_target_properties(${fuzzer} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${fuzzer} PRIVATE qw_storage)
    target_compile_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
    target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
    string(REPLACE "fuzz_" "" corpus ${fuzzer})
    set(work_corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${corpus})
    file(MAKE_DIRECTORY ${work_corpus} ${CMAKE_BINARY_DIR}/fuzz-artifacts)
    add_test(NAME storage_${fuzzer}
      COMMAND ${fuzzer} -max_total_time=20 -timeout=10 -rss_limit_mb=2048
        -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-artifacts/${fuzzer}-
        ${work_corpus} ${PROJECT_SOURCE_DIR}/tests/fixtures/idx/corpus-${corpus})
    # LeakSanitizer cannot run where ptrace is restricted (containers); the
    # leak checks belong to the sanitizer unit-test run, not to the fuzzers.
    set_tests_properties(storage_${fuzzer} PROPERTIES LABELS "storage;fuzz" TIMEOUT 120
      ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
  endforeach()
endif()
