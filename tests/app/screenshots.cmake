# A helper for looking at the windows: shows the real main window over a
# copy of the build's tables and saves a screenshot of each page (run it under Xvfb,
# see tests/app/screenshots.sh). Not a test and not part of the product.
if(TARGET qw_app)
  add_executable(qw-screenshots ${CMAKE_CURRENT_LIST_DIR}/screenshots_main.cpp)
  target_link_libraries(qw-screenshots PRIVATE qw_app)
  set_target_properties(qw-screenshots PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(qw-screenshots PRIVATE QW_TABLES_DIR="${QW_TABLES_DIR}")
  add_dependencies(qw-screenshots qw_test_tables)
endif()
