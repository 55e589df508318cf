list(APPEND PURE_SOURCES
  app/help_address.cpp)
list(APPEND WIN_SOURCES
  app/about_dialog.cpp
  app/app_state.cpp
  app/commands.cpp
  app/help.cpp
  app/main_window.cpp
  app/modal.cpp)
