# mingw-w64 build: the tool, its Windows tests (run under Wine) and their helpers.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_subdirectory(${GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Pictures are drawn by a script, never committed as binaries.
set(PICTURE_DIR ${CMAKE_BINARY_DIR}/pictures)
set(PICTURE_NAMES toolbar.bmp toolbar_150.bmp toolbar_200.bmp about.bmp app.ico app_small.ico filerow.ico
    filerow_150.ico filerow_200.ico folder_up.ico
    folder.ico drive_fixed.ico drive_cdrom.ico drive_removable.ico drive_remote.ico drive_ramdisk.ico)
list(TRANSFORM PICTURE_NAMES PREPEND ${PICTURE_DIR}/ OUTPUT_VARIABLE PICTURE_FILES)
find_program(PYTHON3 python3 REQUIRED)
add_custom_command(OUTPUT ${PICTURE_FILES}
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/scripts/make_pictures.py ${PICTURE_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_pictures.py
  COMMENT "Drawing the tool's pictures")
add_custom_target(pictures DEPENDS ${PICTURE_FILES})

file(GLOB RC_FRAGMENTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
     ${CMAKE_SOURCE_DIR}/resources/*.manifest)
add_library(plimsar_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/plimsar.rc)
target_include_directories(plimsar_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources ${PICTURE_DIR})
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/plimsar.rc PROPERTIES
  OBJECT_DEPENDS "${PICTURE_FILES};${RC_FRAGMENTS}")
add_dependencies(plimsar_resources pictures)

set(PLIMSAR_WIN_LIBS comctl32 comdlg32 shell32 ole32 imagehlp gdi32 user32 kernel32)

add_library(plimsar_core STATIC ${PURE_SOURCES} ${WIN_SOURCES})
target_include_directories(plimsar_core PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources)
target_compile_options(plimsar_core PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS} -Werror)
target_compile_definitions(plimsar_core PUBLIC WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600)
target_link_libraries(plimsar_core PUBLIC ${PLIMSAR_WIN_LIBS})

# The tool itself: one static executable needing only Windows' own DLLs.
add_executable(plimsar WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp $<TARGET_OBJECTS:plimsar_resources>)
target_compile_options(plimsar PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS})
target_link_libraries(plimsar PRIVATE plimsar_core)
target_link_options(plimsar PRIVATE -static -s)

# Windows tests: every folder under tests/win/ except the harness is one test program.
file(GLOB HARNESS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/harness/*.cpp)
add_library(win_harness STATIC ${HARNESS_SOURCES})
target_include_directories(win_harness PUBLIC ${CMAKE_SOURCE_DIR}/tests/win/harness)
target_compile_options(win_harness PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS})
target_link_libraries(win_harness PUBLIC plimsar_core gtest_main version)

file(GLOB WIN_SUITES CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/win/*)
foreach(suite_dir ${WIN_SUITES})
  get_filename_component(suite ${suite_dir} NAME)
  if(NOT IS_DIRECTORY ${suite_dir} OR suite STREQUAL "harness")
    continue()
  endif()
  file(GLOB suite_sources CONFIGURE_DEPENDS ${suite_dir}/*.cpp)
  if(NOT suite_sources)
    continue()
  endif()
  add_executable(win_${suite} ${suite_sources} $<TARGET_OBJECTS:plimsar_resources>)
  target_compile_options(win_${suite} PRIVATE ${PLIMSAR_CHARSET_FLAGS} ${PLIMSAR_WARNINGS})
  target_link_libraries(win_${suite} PRIVATE win_harness)
  target_link_options(win_${suite} PRIVATE -static)
  add_test(NAME win_${suite} COMMAND win_${suite})
  set_tests_properties(win_${suite} PROPERTIES TIMEOUT 900)
endforeach()


# Further Windows targets (test programs, benchmarks) add themselves here.
file(GLOB WINDOWS_EXTRA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/windows-*.cmake)
foreach(extra ${WINDOWS_EXTRA})
  include(${extra})
endforeach()
