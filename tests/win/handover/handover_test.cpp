// Paths handed over from outside: every argument form, a drop, a second start.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "common/app_state.h"
#include "filelist/add_paths.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "runner/job_table.h"

namespace {

std::wstring Wide(const std::string& s) {
  std::wstring w(s.size() + 1, L'\0');
  w.resize(MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], static_cast<int>(w.size())) - 1);
  return w;
}

std::string BuildDir() {
  char path[MAX_PATH] = {};
  std::string exe(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return exe.substr(0, exe.rfind('\\') + 1);
}

class Handover : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteFileBytes(dir + "\\plimsar.ini", "filetypemax=1\r\nfile_type0=dwg\r\np=" + BuildDir() + "standin.exe\r\n");
    StartApp();
  }
  std::vector<std::string> Rows() {  // "folder|name" in list order
    std::vector<std::string> rows;
    for (int r = 0; r < RowCount(); ++r) {
      char name[256], folder[256];
      GetRowText(r, 0, name, sizeof name);
      GetRowText(r, 1, folder, sizeof folder);
      rows.push_back(std::string(folder) + "|" + name);
    }
    return rows;
  }
  void Drop(const std::string& paths) {  // zero-separated
    std::wstring names = Wide(paths + '|');
    std::replace(names.begin(), names.end(), L'|', L'\0');
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  }
};

TEST_F(Handover, ArgumentFormsBecomeRowsAndOneWarningNamesTheFirstFailure) {
  const std::string d = dir;
  CreateDirectoryA((d + "\\sub").c_str(), nullptr);
  for (const char* f : {"\\a.txt", "\\w1.dwg", "\\w2.dwg", "\\sub\\b.dwg", "\\sub\\c.txt", "\\lf.dwg", "\\表.dwg"}) {
    WriteFileBytes(d + f, "x");
  }
  WriteFileBytes(d + "\\list.txt", "\r\n; a comment\r\nlf.dwg\n  \"表.dwg\"  \r\n");
  const std::wstring lost = Wide(d) + L"\\\U00020BB7\U0001F600.dwg";  // outside code page 932
  CloseHandle(CreateFileW(lost.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  AddPaths(main, ResolvePaths({L"a.txt", Wide(d) + L"\\sub\\", Wide(d) + L"\\w*.dwg", L"@list.txt",
                               Wide(d) + L"\\missing.dwg", Wide(d + "\\" + std::string(300, 'x') + ".dwg"), lost}));
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 7u);
  std::sort(rows.begin() + 2, rows.begin() + 4);  // the file system's order of a wildcard's matches
  EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.end() - 1),
            (std::vector<std::string>{d + "|a.txt", d + "\\sub|b.dwg", d + "|w1.dwg", d + "|w2.dwg", d + "|lf.dwg",
                                      d + "|表.dwg"}));
  // The name the code page lacks arrives by its short form, which opens the same file.
  std::string shortPath = rows[6].replace(rows[6].find('|'), 1, "\\");
  EXPECT_EQ(shortPath.find('?'), std::string::npos) << shortPath;
  EXPECT_NE(GetFileAttributesA(shortPath.c_str()), INVALID_FILE_ATTRIBUTES) << shortPath;
  ExpectBoxes(1, main, ("読込出来ません！\n" + d + "\\missing.dwg").c_str(), "ファイル追加操作", MB_ICONWARNING);
}

TEST_F(Handover, DropsAddRowsIdleAndDuringARunWithoutTouchingIt) {
  WriteFileBytes(dir + "\\job.dwg", "sleep 3000");
  WriteFileBytes(dir + "\\late.dwg", "exit");
  Drop(dir + "\\job.dwg");
  ASSERT_EQ(Rows(), std::vector<std::string>{dir + "|job.dwg"});
  Command(37832);  // run the whole list
  ASSERT_TRUE(PumpUntil([] { return g_jobTable.jobs[0].state == kJobRunning; }, 10000));
  Drop(dir + "\\late.dwg|" + dir + "\\gone.dwg");
  EXPECT_EQ(Rows(), (std::vector<std::string>{dir + "|job.dwg", dir + "|late.dwg"}));
  EXPECT_EQ(g_jobTable.count, 1);
  EXPECT_EQ(g_run.running, 1);
  ExpectBoxes(1, main, ("読込出来ません！\n" + dir + "\\gone.dwg").c_str(), "ファイル追加操作", MB_ICONWARNING);
  Command(336);  // stop
}

TEST_F(Handover, SecondStartWithPathsFillsTheOpenWindowAndLeavesItsSettingsAlone) {
  std::string work = MakeTempDir("second-start");
  WriteFileBytes(work + "\\rel.dwg", "x");
  std::string line = "\"" + BuildDir() + "plimsar.exe\" rel.dwg";
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &si, &pi));
  EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 20000));
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(PumpUntil([&] { return RowCount() == 1; }, 5000));
  EXPECT_EQ(Rows(), std::vector<std::string>{work + "|rel.dwg"});
  EXPECT_FALSE(FileExists(work + "\\plimsar.ini"));  // the second start never read or wrote one
}

}  // namespace
