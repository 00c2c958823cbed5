# Helpers that turn folders of sources into test, fuzz and benchmark targets.

# One test executable per folder of tests: every .cpp in DIR, linked with the
# libraries and GoogleTest, each test discovered and run as its own CTest test.
# Extra arguments: LIBS <targets...> LABELS <labels...> SOURCES <more sources...>
function(talix_add_test_folder name dir)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS;SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_executable(${name} ${sources} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE talix talix-platform GTest::gtest GTest::gtest_main
                        GTest::gmock Threads::Threads ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${dir})
  target_compile_definitions(${name} PRIVATE
    TALIX_TEST_DATA_DIR="${dir}/data" TALIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set(props TIMEOUT 300)
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${TALIX_BIN_DIR}
    PROPERTIES ${props})
endfunction()

# A fuzz target: DIR holds the sources defining LLVMFuzzerTestOneInput and a
# corpus/ folder. In the fuzz build it is a libFuzzer binary; in the other
# builds it is linked with a replay driver and its corpus runs as a test.
function(talix_add_fuzz_target name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_executable(fuzz_${name} ${sources})
  target_link_libraries(fuzz_${name} PRIVATE talix talix-platform Threads::Threads ${ARG_LIBS})
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(TALIX_FUZZ)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    add_test(NAME fuzz_corpus.${name} COMMAND fuzz_${name} ${dir}/corpus)
    set_tests_properties(fuzz_corpus.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
  endif()
endfunction()
