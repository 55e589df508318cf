list(APPEND WIN_SOURCES
  app/about_dialog.cpp
  app/entry.cpp
  app/handed_files.cpp
  app/commands.cpp
  app/main_window.cpp)
