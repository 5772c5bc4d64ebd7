# The sheet tests read the shipped tables in the program's folder and run
# quiverwise-sheet.
if(TARGET reports_tst_setupsheets)
  foreach(needed quiverwise-sheet qw_data)
    if(TARGET ${needed})
      add_dependencies(reports_tst_setupsheets ${needed})
    endif()
  endforeach()
endif()
