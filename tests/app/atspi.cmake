# The program's buttons as a screen reader finds them on the accessibility
# bus (AT-SPI), with the real program under Xvfb.
if(TARGET quiverwise)
  add_test(NAME app_tst_atspi
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/atspi.sh $<TARGET_FILE:quiverwise> ${QW_TABLES_DIR})
  set_tests_properties(app_tst_atspi PROPERTIES LABELS "app;gui" TIMEOUT 240 RUN_SERIAL TRUE)
endif()
