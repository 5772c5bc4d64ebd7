# The command-line tests run the tools from the program's folder.
if(TARGET customers_tst_cli)
  add_dependencies(customers_tst_cli quiverwise-customers quiverwise-select)
endif()
