# jw_add_gtest(target): one ctest entry per test executable. Results go to
# test-results/<target>.xml, which scripts/test adds up for its closing line.
set(JW_TEST_RESULTS "${CMAKE_BINARY_DIR}/test-results")
file(MAKE_DIRECTORY "${JW_TEST_RESULTS}")
function(jw_add_gtest target)
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gmock)
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <windows.h>)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_compile_definitions(${target} PRIVATE
    "JW_SAMPLES_DIR=L\"Z:${JW_SAMPLES_PATH}\""
    "JW_BIN_DIR=L\"Z:${CMAKE_BINARY_DIR}/bin\"")
  add_test(NAME ${target} COMMAND ${target} "--gtest_output=xml:Z:${JW_TEST_RESULTS}/${target}.xml")
  set_tests_properties(${target} PROPERTIES TIMEOUT 1500)
endfunction()

# The deliverables' formats, exports and imports, checked on the Linux side.
add_test(NAME binaries COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-binaries
         ${CMAKE_BINARY_DIR} ${JW_TEST_RESULTS}/binaries.xml)
