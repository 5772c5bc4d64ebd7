# A private print queue for the tests that print: a cupsd of the test run's
# own, started on a folder of the build tree before the first such test and
# stopped after the last one, even when tests fail.
#
# qw_use_print_queue(<test>...) lets tests print to it: its PDF printer is
# their default printer, and QW_PRINT_OUT names the folder where each job
# lands as a PDF (tests/reports/PrintQueue.h reads it).
# qw_keep_from_printers(<test>...) gives tests a print server that does not
# exist, so that they see no printer at all and never reach a system queue.
set(QW_PRINT_QUEUE_DIR ${CMAKE_BINARY_DIR}/print-queue)
set(QW_PRINT_QUEUE_SOCKET ${QW_PRINT_QUEUE_DIR}/cups.sock)
set(QW_NO_PRINT_SERVER ${CMAKE_BINARY_DIR}/no-print-server.sock)
# A unix socket path holds at most 107 bytes: a deep build tree gets its
# socket in a short folder under /tmp, named after the build tree.
string(LENGTH "${QW_PRINT_QUEUE_SOCKET}" socket_length)
if(socket_length GREATER 99)
  string(MD5 build_tree_hash "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${build_tree_hash}" 0 12 build_tree_hash)
  set(QW_PRINT_QUEUE_SOCKET /tmp/qwcups-${build_tree_hash}/cups.sock)
  set(QW_NO_PRINT_SERVER /tmp/qwcups-${build_tree_hash}-none.sock)
endif()

# Only the windows' build prints; the sanitizer build (no GUI) never starts
# a print server.
if(QW_BUILD_GUI)
  add_test(NAME print_queue_start
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/print-queue.sh start
            ${QW_PRINT_QUEUE_DIR} ${QW_PRINT_QUEUE_SOCKET})
  add_test(NAME print_queue_stop
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/print-queue.sh stop ${QW_PRINT_QUEUE_DIR})
  set_tests_properties(print_queue_start PROPERTIES
    FIXTURES_SETUP print_queue LABELS "reports;print-queue" TIMEOUT 120)
  set_tests_properties(print_queue_stop PROPERTIES
    FIXTURES_CLEANUP print_queue LABELS "reports;print-queue" TIMEOUT 120)
endif()

function(qw_use_print_queue)
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED print_queue)
    # One printing test at a time: each waits for the queue to be empty.
    set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK print_queue)
    # The queue's own settings folder holds no client settings, so that a
    # default printer chosen system-wide with lpoptions cannot hide its one.
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
      "CUPS_SERVER=${QW_PRINT_QUEUE_SOCKET}" "CUPS_SERVERROOT=${QW_PRINT_QUEUE_DIR}/etc"
      "QW_PRINT_OUT=${QW_PRINT_QUEUE_DIR}/out")
    # Either would name another printer than the queue's default.
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
      "PRINTER=unset:" "LPDEST=unset:")
  endforeach()
endfunction()

function(qw_keep_from_printers)
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "CUPS_SERVER=${QW_NO_PRINT_SERVER}")
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
      "PRINTER=unset:" "LPDEST=unset:")
  endforeach()
endfunction()

# Every test of this folder labelled gui or reports (quiverwise-sheet is
# built with the windows, so every test running it is among these) that
# does not print to the queue.
function(qw_keep_other_tests_from_printers)
  get_property(tests DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTY TESTS)
  foreach(test IN LISTS tests)
    get_test_property(${test} LABELS labels)
    get_test_property(${test} FIXTURES_REQUIRED fixtures)
    get_test_property(${test} FIXTURES_SETUP setup)
    get_test_property(${test} FIXTURES_CLEANUP cleanup)
    if("print_queue" IN_LIST fixtures OR "print_queue" IN_LIST setup
       OR "print_queue" IN_LIST cleanup)
      continue()
    endif()
    if("gui" IN_LIST labels OR "reports" IN_LIST labels)
      qw_keep_from_printers(${test})
    endif()
  endforeach()
endfunction()
