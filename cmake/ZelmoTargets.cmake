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

# zelmo_test(NAME <name> SOURCES <files...> LIBS <targets...> [SERIAL])
# One GoogleTest executable, each case registered with CTest. SERIAL cases run alone (tests that
# show windows and type into them must not lose the focus to another test).
function(zelmo_test)
  cmake_parse_arguments(T "SERIAL" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE ZELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${T_NAME}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300 RUN_SERIAL ${T_SERIAL})
endfunction()

# zelmo_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
function(zelmo_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${B_NAME} PRIVATE ZELMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
endfunction()
