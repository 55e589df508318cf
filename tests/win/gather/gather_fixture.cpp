#include "gather_fixture.h"

#include <commctrl.h>

#include <mutex>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "settings/settings.h"
#include "settings/settings_lock.h"

namespace {

std::wstring Wide(const std::string& path) {
  std::wstring out(path.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &out[0], static_cast<int>(out.size()));
  out.resize(n > 0 ? n - 1 : 0);
  return L"\\\\?\\" + out;
}

}  // namespace

void MakeDir(const std::string& path) {
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) ADD_FAILURE() << "cannot make " << path;
}

void MakeFile(const std::string& path, size_t bytes) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot make " << path;
  std::string data(bytes, 'x');
  DWORD written = 0;
  WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  CloseHandle(file);
}

void SetAttributes(const std::string& path, DWORD attributes) {
  ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), attributes)) << path;
}

void RemoveTree(const std::string& path) {
  std::wstring wide = Wide(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(wide.c_str());
    return;
  }
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((wide + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      char narrow[MAX_PATH * 2] = {};
      WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
      RemoveTree(path + "\\" + narrow);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(wide.c_str());
}

std::string DeepFolder(const std::string& path, size_t length) {
  MakeDir(path);
  std::string deep = path;
  while (deep.size() + 1 < length) {
    size_t left = length - deep.size();  // each step takes "\" and the name
    size_t name = left > 101 ? (left - 101 == 1 ? 99 : 100) : left - 1;
    deep += "\\" + std::string(name, 'x');
    MakeDir(deep);
  }
  EXPECT_EQ(deep.size(), length);
  return deep;
}

void GatherTest::TearDown() {
  AppTest::TearDown();
  for (auto it = cleanup_.rbegin(); it != cleanup_.rend(); ++it) RemoveTree(*it);
}

void GatherTest::Preset(const std::string& f, int fileselect) {
  WriteFileBytes(dir + "\\plimsar.ini", "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=dxf\r\nfile_type2=\r\n"
                                        "fileselect=" + std::to_string(fileselect) + "\r\nf=" + f + "\r\n");
}

std::string GatherTest::Unique() {
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
         std::to_string(++serial_);
}

std::string GatherTest::NewTree(const std::string& parent, const std::string& tag) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string path = parent + (parent.back() == '\\' ? "" : "\\") + "gt-" + tag + "-" + info->name() + "-" + Unique();
  MakeDir(path);
  cleanup_.push_back(path);
  return path;
}

std::string GatherTest::CurrentFolder() {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  return g_settings.f;
}

std::vector<FileRowTexts> GatherTest::Rows() {
  std::vector<FileRowTexts> rows;
  for (int row = 0; row < RowCount(); ++row) {
    char texts[4][300];
    for (int column = 0; column < 4; ++column) GetRowText(row, column, texts[column], sizeof texts[column]);
    rows.push_back({texts[0], texts[1], texts[2], texts[3]});
  }
  return rows;
}

std::vector<std::string> GatherTest::Names() {
  std::vector<std::string> names;
  for (const auto& row : Rows()) names.push_back(row.name);
  return names;
}

std::vector<int> GatherTest::MarkedRows() {
  // The list keeps the focus on one row only: a marked row shows the other two bits.
  const UINT bits = LVIS_SELECTED | LVIS_DROPHILITED;
  std::vector<int> marked;
  for (int row = 0; row < RowCount(); ++row) {
    if (SendMessageA(g_fileList, LVM_GETITEMSTATE, row, bits) == static_cast<LRESULT>(bits)) {
      marked.push_back(row);
    }
  }
  return marked;
}
