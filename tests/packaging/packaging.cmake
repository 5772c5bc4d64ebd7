# The Debian package of this build tree, judged by the distribution's own
# validators (tests/packaging/validate.sh). It needs the whole build, and
# CPack writes under the build tree, so it runs alone.
if(QW_BUILD_GUI)
  add_test(NAME package_validators
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/validate.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_validators PROPERTIES LABELS package TIMEOUT 900 RUN_SERIAL TRUE)
endif()
