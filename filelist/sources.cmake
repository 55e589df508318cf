list(APPEND PURE_SOURCES
  filelist/current_folder.cpp
  filelist/folder_walk.cpp
  filelist/found_name.cpp
  filelist/path_args.cpp
  filelist/path_text.cpp
  filelist/picker_rules.cpp
  filelist/row_text.cpp
  filelist/search_history.cpp)
list(APPEND WIN_SOURCES
  filelist/add_paths.cpp
  filelist/file_list.cpp
  filelist/file_rows.cpp
  filelist/folder_picker.cpp
  filelist/found_entry.cpp
  filelist/gather.cpp
  filelist/path_resolve.cpp
  filelist/search.cpp)
