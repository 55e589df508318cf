# Native Linux build: the window-free logic and its unit tests, plain and under sanitizers.
add_subdirectory(${GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)

function(plimsar_native_tests suffix)
  add_library(plimsar_pure${suffix} STATIC ${PURE_SOURCES})
  target_include_directories(plimsar_pure${suffix} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources)
  target_compile_options(plimsar_pure${suffix} PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS} -Werror ${ARGN})
  target_link_options(plimsar_pure${suffix} PUBLIC ${ARGN})
  add_executable(unit_tests${suffix} ${NATIVE_TEST_SOURCES})
  target_compile_options(unit_tests${suffix} PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${ARGN})
  target_link_libraries(unit_tests${suffix} PRIVATE plimsar_pure${suffix} gtest_main)
  add_test(NAME native_unit${suffix} COMMAND unit_tests${suffix})
endfunction()

plimsar_native_tests("")
plimsar_native_tests("_asan" -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set_tests_properties(native_unit_asan PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1")

# Further native targets (fuzzing, benchmarks) add themselves here.
file(GLOB NATIVE_EXTRA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/native-*.cmake)
list(REMOVE_ITEM NATIVE_EXTRA ${CMAKE_SOURCE_DIR}/cmake/native.cmake)
foreach(extra ${NATIVE_EXTRA})
  include(${extra})
endforeach()

# The folders stay layered: a test fails on an include that points up.
add_test(NAME include_rules COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-includes.sh ${CMAKE_SOURCE_DIR})
