# One test executable per tests/<unit>/tst_*.cpp file, registered with CTest.
# qw_add_test_dir(<dir> LIBS <libs...> [LABELS <labels...>] [GUI])
# Every test runs under the offscreen platform with a fixed locale, finds the
# tools through QW_PROGRAM_DIR and copies its tables from QW_TABLES_DIR (the
# build's own pristine set, never the program folder's customer or shop
# tables).
function(qw_add_test_dir dir)
  cmake_parse_arguments(ARG "GUI" "" "LIBS;LABELS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS ${dir}/tst_*.cpp)
  foreach(src IN LISTS test_sources)
    get_filename_component(name ${src} NAME_WE)
    get_filename_component(unit ${dir} NAME)
    set(target ${unit}_${name})
    add_executable(${target} ${src})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} Qt6::Test)
    target_compile_definitions(${target} PRIVATE
      QW_PROGRAM_DIR="${QW_PROGRAM_DIR}"
      QW_TABLES_DIR="${QW_TABLES_DIR}"
      QW_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      QW_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
    add_dependencies(${target} qw_test_tables)
    add_test(NAME ${target} COMMAND ${target})
    set(labels ${unit} ${ARG_LABELS})
    if(ARG_GUI)
      list(APPEND labels gui)
    else()
      list(APPEND labels unit)
    endif()
    set_tests_properties(${target} PROPERTIES
      LABELS "${labels}"
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;QW_PROGRAM_DIR=${QW_PROGRAM_DIR};QW_TABLES_DIR=${QW_TABLES_DIR};QUIVERWISE_DATA="
      TIMEOUT 600)
  endforeach()
endfunction()
