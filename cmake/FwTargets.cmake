# One static library per source folder: every .cpp of the folder belongs to it.
function(fw_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PKG" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# One test program per test folder, linking the libraries it tests.
function(fw_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} fw_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "FW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  # Tests find the build folder from their own place: <build>/tests/<folder>/.
endfunction()

# A fuzz target: a libFuzzer program in fuzz builds; otherwise a program that
# replays the seed files of tools/fuzz/corpus/<name>, run as a test.
function(fw_fuzz name source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  if(FW_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/fuzz/ReplayMain.cpp)
    target_link_libraries(${name} PRIVATE fw_platform_file)
    if(FW_TESTS)
      add_test(NAME fuzz_replay.${name}
               COMMAND ${name} ${PROJECT_SOURCE_DIR}/tools/fuzz/corpus/${name})
    endif()
  endif()
endfunction()
