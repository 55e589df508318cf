list(APPEND PURE_SOURCES
  filelist/cp932.cpp
  filelist/row_text.cpp)
list(APPEND WIN_SOURCES
  filelist/file_list.cpp
  filelist/folder_picker.cpp
  filelist/gather.cpp
  filelist/search.cpp)
