# Helpers that every subsystem's CMakeLists uses, so that adding a test
# program, a fuzzer or a benchmark is one line where the code lives.

set(TESSALY_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

function(tessaly_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Woverloaded-virtual -Wimplicit-fallthrough)
  if(TESSALY_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Where tests find their data, as the test program itself sees the path:
# under Wine a Unix path is reached through drive Z:.
if(WIN32)
  set(TESSALY_TEST_DATA_DIR "Z:${PROJECT_SOURCE_DIR}/tests/data")
else()
  set(TESSALY_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/tests/data")
endif()

# tessaly_add_test_program(NAME <name> SOURCES ... [LIBRARIES ...] [WIN32_ONLY] [NATIVE_ONLY])
# A GoogleTest program. Natively every test case becomes a ctest test; under
# Wine each program is one ctest test, because every start of a Windows
# program costs far more than a test case does.
function(tessaly_add_test_program)
  cmake_parse_arguments(ARG "WIN32_ONLY;NATIVE_ONLY" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  if(ARG_WIN32_ONLY AND NOT WIN32)
    return()
  endif()
  if(ARG_NATIVE_ONLY AND WIN32)
    return()
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  target_include_directories(${ARG_NAME} PRIVATE ${TESSALY_SOURCE_ROOT} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${ARG_NAME} PRIVATE TESSALY_TEST_DATA_DIR="${TESSALY_TEST_DATA_DIR}")
  tessaly_warnings(${ARG_NAME})
  if(WIN32)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} --gtest_brief=1)
    set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# tessaly_add_fuzzer(NAME <name> SOURCES ... [LIBRARIES ...] [RUNS <n>])
# A libFuzzer target fuzz_<name>, and a ctest test that runs it for a fixed
# number of inputs from the seeds in fuzz/corpus/<name>. New inputs go to a
# corpus directory in the build tree, never into the source tree.
function(tessaly_add_fuzzer)
  cmake_parse_arguments(ARG "" "NAME;RUNS" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_RUNS)
    set(ARG_RUNS 20000)
  endif()
  set(target fuzz_${ARG_NAME})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  target_include_directories(${target} PRIVATE ${TESSALY_SOURCE_ROOT})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  tessaly_warnings(${target})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/corpus/${ARG_NAME})
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${target}
           COMMAND ${target} -runs=${ARG_RUNS} -seed=1 -max_len=65536 -rss_limit_mb=2048 ${work}
                   ${PROJECT_SOURCE_DIR}/fuzz/corpus/${ARG_NAME})
  set_tests_properties(${target} PROPERTIES TIMEOUT 600)
endfunction()
