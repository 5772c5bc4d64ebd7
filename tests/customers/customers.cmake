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
