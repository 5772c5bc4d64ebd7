# The sheet and printing tests read the shipped tables in the program's folder and run
# quiverwise-sheet. Their targets are made after this file is read, so the
# dependencies are added once the whole folder is.
function(qw_reports_test_dependencies)
  foreach(test reports_tst_setupsheets app_tst_printbuttons)
    foreach(needed quiverwise-sheet qw_data)
      if(TARGET ${test} AND TARGET ${needed})
        add_dependencies(${test} ${needed})
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER CALL qw_reports_test_dependencies)
