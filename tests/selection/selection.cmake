# The shipped-catalogue test runs quiverwise-select and reads the tables the
# data build writes into the program's folder.
if(TARGET selection_tst_shippedcatalogue)
  foreach(needed quiverwise-select qw_data)
    if(TARGET ${needed})
      add_dependencies(selection_tst_shippedcatalogue ${needed})
    endif()
  endforeach()
endif()
