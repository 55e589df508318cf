# The main window's layout in a process that sees 144 DPI: the prefix's
# LogPixels is set around the run and put back after it, so every other
# suite still sees 96 (ctest runs them one after another).
if(TARGET win_app)
  add_test(NAME win_app_dpi144
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/run-at-dpi.sh 144 $<TARGET_FILE:win_app> --gtest_filter=*Dpi*)
  set_tests_properties(win_app_dpi144 PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()
