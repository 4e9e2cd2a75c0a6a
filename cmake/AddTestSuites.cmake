# Run after a test executable is built: lists its GoogleTest suites and writes OUTPUT, a CTest
# file with one test per suite, named "<executable>/<suite>" and running just that suite.
#   cmake -D EXECUTABLE=... -D OUTPUT=... -D WORKING_DIRECTORY=... -D TIMEOUT=... -D PROCESSORS=... -D COST=...
#         -P AddTestSuites.cmake
execute_process(
  COMMAND ${EXECUTABLE} --gtest_list_tests
  WORKING_DIRECTORY ${WORKING_DIRECTORY}
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE} --gtest_list_tests failed (${result}):\n${listing}${errors}")
endif()

get_filename_component(name ${EXECUTABLE} NAME)
string(REPLACE "\n" ";" lines "${listing}")
set(content "")
foreach(line IN LISTS lines)
  # Suites are the unindented lines ending in a dot (typed and value-parameterised ones carry a
  # comment after it); the cases under them are indented.
  if(line MATCHES "^([A-Za-z_0-9/]+)\\.( +#.*)?$")
    set(suite ${CMAKE_MATCH_1})
    string(APPEND content
      "add_test([==[${name}/${suite}]==] [==[${EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${name}/${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==]"
      " TIMEOUT ${TIMEOUT} PROCESSORS ${PROCESSORS} COST ${COST})\n")
  endif()
endforeach()
if(content STREQUAL "")
  message(FATAL_ERROR "${EXECUTABLE} lists no test suite")
endif()
file(WRITE ${OUTPUT} "${content}")
