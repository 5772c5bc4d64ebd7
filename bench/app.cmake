# Start-up time of the program against a bare Qt window, both launched as
# processes. The two probes are built from bench_startup.cpp as well, so the
# measured start-up is the program's own (qw::app::startUp).
if(TARGET qw_app)
  foreach(probe app bare)
    add_executable(bench_startup_probe_${probe} ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
    set_target_properties(bench_startup_probe_${probe} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  endforeach()
  target_compile_definitions(bench_startup_probe_app PRIVATE QW_STARTUP_PROBE_APP
    QW_PROGRAM_DIR="${QW_PROGRAM_DIR}")
  target_link_libraries(bench_startup_probe_app PRIVATE qw_app)
  target_compile_definitions(bench_startup_probe_bare PRIVATE QW_STARTUP_PROBE_BARE)
  target_link_libraries(bench_startup_probe_bare PRIVATE Qt6::Widgets)

  add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
  set_target_properties(bench_startup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_compile_definitions(bench_startup PRIVATE
    QW_PROBE_DIR="${CMAKE_BINARY_DIR}/bench")
  target_link_libraries(bench_startup PRIVATE Qt6::Core benchmark::benchmark)
  add_dependencies(bench_startup bench_startup_probe_app bench_startup_probe_bare)
endif()
