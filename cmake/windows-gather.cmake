# The gathering tests run in a Wine prefix of their own, whose drives are
# small temporary trees of known types (scripts/gather-test-prefix.sh).
set(GATHER_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-gather-tests)
add_test(NAME win_gather_prefix
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/gather-test-prefix.sh ${GATHER_TEST_PREFIX})
set_tests_properties(win_gather_prefix PROPERTIES
  FIXTURES_SETUP gather_prefix TIMEOUT 300 ENVIRONMENT "WINEPREFIX=${GATHER_TEST_PREFIX}")
if(TEST win_gather)
  set_tests_properties(win_gather PROPERTIES
    FIXTURES_REQUIRED gather_prefix ENVIRONMENT "WINEPREFIX=${GATHER_TEST_PREFIX}")
endif()
