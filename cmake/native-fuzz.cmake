# The fuzzers need clang's libFuzzer. ctest only replays their committed
# corpora (seconds); `make fuzz` fuzzes each for five minutes.
find_program(CLANGXX clang++)
if(CLANGXX)
  foreach(target settings path_args)
    add_test(NAME ${target}_fuzz COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fuzz.sh 0 ${target})
    set_tests_properties(${target}_fuzz PROPERTIES TIMEOUT 120)
  endforeach()
endif()
