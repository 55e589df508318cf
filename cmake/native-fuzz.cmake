# The settings-file fuzzer needs clang's libFuzzer; ctest replays its corpus and fuzzes 30 s.
find_program(CLANGXX clang++)
if(CLANGXX)
  add_test(NAME settings_fuzz COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fuzz.sh 30)
  set_tests_properties(settings_fuzz PROPERTIES TIMEOUT 300)
endif()
