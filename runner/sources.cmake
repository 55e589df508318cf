list(APPEND PURE_SOURCES
  runner/command_line.cpp
  runner/job_path.cpp
  runner/progress_rules.cpp
  runner/run_blocks.cpp
  runner/status_format.cpp
  runner/time_limit.cpp)
list(APPEND WIN_SOURCES
  runner/launch_handover.cpp
  runner/main_thread_wait.cpp
  runner/progress.cpp
  runner/run.cpp
  runner/status_texts.cpp
  runner/stopping_dialog.cpp
  runner/taskbar_progress.cpp
  runner/termination.cpp
  runner/worker.cpp)
