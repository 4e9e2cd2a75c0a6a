# Every engine/ and game/ directory is one library target named after its path
# ("engine/util" -> engine_util); tests and benchmarks mirror that tree.

# Adds every PARENT/<name>/ that has a CMakeLists.txt, limited to ZELMO_MODULES when set.
# tests/engine/util and bench/engine/util count as module "engine/util".
function(zelmo_add_module_dirs parent)
  file(GLOB children RELATIVE ${PROJECT_SOURCE_DIR}/${parent} ${PROJECT_SOURCE_DIR}/${parent}/*/CMakeLists.txt)
  list(SORT children)
  foreach(child IN LISTS children)
    get_filename_component(name ${child} DIRECTORY)
    string(REGEX REPLACE "^(tests|bench)/" "" module "${parent}/${name}")
    if(NOT ZELMO_MODULES OR module IN_LIST ZELMO_MODULES)
      add_subdirectory(${parent}/${name})
    endif()
  endforeach()
endfunction()

# zelmo_test(NAME <name> SOURCES <files...> LIBS <targets...> [PROCESSORS <n>] [LONG])
# One GoogleTest executable, compiled as one unit (its files share the headers they parse and the
# templates they instantiate). Each of its test suites is one CTest test, "<name>/<suite>", run in
# a process of its own: starting a process (and under the sanitizers, checking it for leaks) costs
# more than most cases, so cases of a suite share one. PROCESSORS: how many cores a suite keeps
# busy, which CTest counts against its -j so that it never starts more than the machine runs in
# time (suites that drive the real game watch it draw in real time). LONG: suites that take a
# minute or more, which CTest starts first, so that the short ones fill the cores around them
# (a fresh build folder has no timings of earlier runs to order them by).
function(zelmo_test)
  cmake_parse_arguments(T "LONG" "NAME;PROCESSORS" "SOURCES;LIBS" ${ARGN})
  if(NOT T_PROCESSORS)
    set(T_PROCESSORS 1)
  endif()
  set(cost 0)
  if(T_LONG)
    set(cost 1000)
  endif()
  zelmo_test_precompiled_headers()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE ZELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_precompile_headers(${T_NAME} REUSE_FROM zelmo_test_pch)
  set_target_properties(${T_NAME} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  # In one unit every file's own fixtures count as coming from a header, for which GCC warns when
  # a test class derives from one in an anonymous namespace; here no other unit can see them.
  target_compile_options(${T_NAME} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>
                                            ${ZELMO_TEST_CODE_OPTIMISATION})

  set(suites ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_suites.cmake)
  add_custom_command(TARGET ${T_NAME} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D EXECUTABLE=$<TARGET_FILE:${T_NAME}> -D OUTPUT=${suites}
            -D WORKING_DIRECTORY=${PROJECT_SOURCE_DIR} -D TIMEOUT=900 -D PROCESSORS=${T_PROCESSORS} -D COST=${cost}
            -P ${PROJECT_SOURCE_DIR}/cmake/AddTestSuites.cmake
    BYPRODUCTS ${suites}
    VERBATIM)
  # CTest reads this before the executable may have been built.
  set(include ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_include.cmake)
  file(WRITE ${include}
    "if(EXISTS [==[${suites}]==])\n"
    "  include([==[${suites}]==])\n"
    "else()\n"
    "  add_test([==[${T_NAME}_NOT_BUILT]==] [==[${T_NAME}_NOT_BUILT]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include})
endfunction()

# The tests' own code is compiled without optimisation, which was most of the build's time; the
# engine and game libraries under test keep the build's (inline code that their headers give a
# test may be linked from either).
set(ZELMO_TEST_CODE_OPTIMISATION -O0)

# GoogleTest and GoogleMock are most of what every test file compiles: they are compiled once
# and shared by every test target.
function(zelmo_test_precompiled_headers)
  if(TARGET zelmo_test_pch)
    return()
  endif()
  add_library(zelmo_test_pch OBJECT ${PROJECT_SOURCE_DIR}/cmake/TestPrecompiled.cpp)
  target_compile_options(zelmo_test_pch PRIVATE ${ZELMO_TEST_CODE_OPTIMISATION})
  target_link_libraries(zelmo_test_pch PRIVATE GTest::gmock)
  target_compile_definitions(zelmo_test_pch PRIVATE ZELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_precompile_headers(zelmo_test_pch PRIVATE
    <gmock/gmock.h> <gtest/gtest.h> <functional> <map> <memory> <sstream> <string> <vector>)
endfunction()

# zelmo_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
function(zelmo_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${B_NAME} PRIVATE ZELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
endfunction()

# zelmo_schema_headers(<target> <schema names...>)
# flatc turns each data/<name>.fbs into "data/<name>_generated.h" in the build's generated folder
# before <target> compiles, so that data/ stays the one source of every schema. Each schema is
# generated by the one target that owns it.
function(zelmo_schema_headers target)
  set(dir ${PROJECT_BINARY_DIR}/generated/data)
  file(GLOB all_schemas ${PROJECT_SOURCE_DIR}/data/*.fbs)  # a schema may include another
  set(headers)
  foreach(schema IN LISTS ARGN)
    set(header ${dir}/${schema}_generated.h)
    add_custom_command(
      OUTPUT ${header}
      COMMAND ${FLATC} --cpp -o ${dir} -I ${PROJECT_SOURCE_DIR}/data ${PROJECT_SOURCE_DIR}/data/${schema}.fbs
      DEPENDS ${all_schemas}
      COMMENT "Generating ${schema}_generated.h")
    list(APPEND headers ${header})
  endforeach()
  add_custom_target(${target}_schemas DEPENDS ${headers})
  add_dependencies(${target} ${target}_schemas)
endfunction()
