# The artwork tool and the help topic it illustrates. The test runs the tool
# and compares its output with the pictures committed under data/.
if(QW_BUILD_GUI AND TARGET quiverwise-artwork)
  qw_add_test_dir(${CMAKE_CURRENT_LIST_DIR} LIBS Qt6::Gui GUI)
  target_compile_definitions(artwork_tst_artwork PRIVATE
    QW_ARTWORK_TOOL="$<TARGET_FILE:quiverwise-artwork>")
  add_dependencies(artwork_tst_artwork quiverwise-artwork)
endif()
