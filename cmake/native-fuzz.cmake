# The settings-file fuzzer needs clang's libFuzzer. ctest only replays its
# committed corpus (seconds); `make fuzz` fuzzes for five minutes.
find_program(CLANGXX clang++)
if(CLANGXX)
  add_test(NAME settings_fuzz COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fuzz.sh 0)
  set_tests_properties(settings_fuzz PROPERTIES TIMEOUT 120)
endif()
