# The calculators' tests read the tables the data build writes into the
# program's folder; the tool's test runs quiverwise-calc from there.
foreach(test calculators_tst_calculators calculators_tst_calctool)
  if(TARGET ${test})
    foreach(needed quiverwise-calc qw_data)
      if(TARGET ${needed})
        add_dependencies(${test} ${needed})
      endif()
    endforeach()
  endif()
endforeach()
