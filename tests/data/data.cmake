# The data tests run the build tool and read what it wrote into the
# program's folder, so both must be built first.
foreach(target IN ITEMS data_tst_catalogue data_tst_datacheck data_tst_rebuild)
  if(TARGET ${target})
    add_dependencies(${target} quiverwise-data qw_data qw_test_tables)
  endif()
endforeach()

# The tables of this build tree, checked as the program needs them.
add_test(NAME data_check_built_tables COMMAND quiverwise-data check ${QW_TABLES_DIR})
set_tests_properties(data_check_built_tables PROPERTIES LABELS "data;unit")

# The rules of the data check, tested on their own.
if(TARGET data_tst_textrules)
  target_link_libraries(data_tst_textrules PRIVATE qw_databuild)
endif()
