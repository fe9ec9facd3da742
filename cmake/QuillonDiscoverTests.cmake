# gtest_discover_tests() with several labels. Its PROPERTIES lose a list on the way to the file
# it writes ("LABELS a;b" arrives as LABELS a, then a property named b), so the labels are set
# afterwards by a file of our own that ctest reads after the discovered tests: it names them by
# the list the discovery leaves in <target>_TESTS.
include(GoogleTest)
function(quillon_discover_tests target)
  cmake_parse_arguments(arg "" "DISCOVERY_TIMEOUT;TEST_FILTER" "LABELS;PROPERTIES" ${ARGN})
  set(forwarded)
  if(arg_DISCOVERY_TIMEOUT)
    list(APPEND forwarded DISCOVERY_TIMEOUT ${arg_DISCOVERY_TIMEOUT})
  endif()
  if(arg_TEST_FILTER)
    list(APPEND forwarded TEST_FILTER ${arg_TEST_FILTER})
  endif()
  if(arg_PROPERTIES)
    list(APPEND forwarded PROPERTIES ${arg_PROPERTIES})
  endif()
  gtest_discover_tests(${target} ${forwarded} TEST_LIST ${target}_TESTS)
  if(arg_LABELS)
    set(file ${CMAKE_CURRENT_BINARY_DIR}/${target}_labels.cmake)
    string(JOIN ";" labels ${arg_LABELS})
    file(WRITE ${file} "if(${target}_TESTS)\n"
                       "  set_tests_properties(\${${target}_TESTS} PROPERTIES LABELS \"${labels}\")\n"
                       "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
  endif()
endfunction()
