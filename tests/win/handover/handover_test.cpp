// Paths handed over from outside: every argument form, drops, a second start.
#include <windows.h>
#include <shlobj.h>

#include "common/app_state.h"
#include "filelist/add_paths.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "runner/job_table.h"

class Handover : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteFileBytes(dir + "\\plimsar.ini",
                   "filetypemax=1\r\nfile_type0=dwg\r\np=" + ProgramFolder() + "standin.exe\r\n");
    StartApp();
  }
  void Drop(const Texts& paths) {  // as Explorer hands them over
    std::wstring names;
    for (const std::string& path : paths) names += Wide(path) + L'\0';
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
  for (const char* f : {"\\a.txt", "\\w1.dwg", "\\w22.dwg", "\\sub\\b.dwg", "\\sub\\c.txt", "\\lf.dwg", "\\表.dwg"})
    WriteFileBytes(d + f, "x");
  WriteFileBytes(d + "\\list.txt", "\r\n; a comment\r\nlf.dwg\n  \"表.dwg\"  \r\n");
  const std::wstring lost = Wide(d + "\\|.dwg");  // outside code page 932
  CloseHandle(CreateFileW(lost.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  AddPaths(main, ResolvePaths({L"a.txt", Wide(d) + L"\\sub\\", Wide(d) + L"\\w?.dwg", L"@list.txt",
                               Wide(d) + L"\\missing.dwg", Wide(d + "\\" + std::string(300, 'x') + ".dwg"), lost}));
  const Texts names = ColumnTexts(g_fileList, 0), folders = ColumnTexts(g_fileList, 1);
  ASSERT_EQ(names.size(), 6u);
  // The name the code page lacks comes last, by its short form, which names the same file.
  const std::string shortPath = folders[5] + "\\" + names[5];
  EXPECT_EQ(shortPath.find('?'), std::string::npos) << shortPath;
  EXPECT_TRUE(FileExists(shortPath)) << shortPath;
  EXPECT_EQ(names, Texts({"a.txt", "b.dwg", "w1.dwg", "lf.dwg", "表.dwg", names[5]}));
  EXPECT_EQ(folders, Texts({d, d + "\\sub", d, d, d, folders[5]}));
  EXPECT_EQ(Boxes(), Texts{"読込出来ません！\n" + d + "\\missing.dwg|ファイル追加操作|48|main"});
}

TEST_F(Handover, DropsDuringARunWaitForTheNextAndASecondStartFillsThisWindow) {
  WriteFileBytes(dir + "\\job.dwg", "sleep 3000");
  Drop({dir + "\\job.dwg"});
  Command(37832);  // run the whole list
  ASSERT_TRUE(PumpUntil([] { return g_jobTable.jobs[0].state == kJobRunning; }, 10000));
  WriteFileBytes(dir + "\\late.dwg", "exit");
  Drop({dir + "\\late.dwg", dir + "\\gone.dwg"});
  EXPECT_EQ(ColumnTexts(g_fileList, 0), Texts({"job.dwg", "late.dwg"}));
  EXPECT_EQ(g_jobTable.count, 1);  // the run goes on with its own rows
  EXPECT_EQ(g_run.running, 1);
  EXPECT_EQ(Boxes(), Texts{"読込出来ません！\n" + dir + "\\gone.dwg|ファイル追加操作|48|main"});
  Command(336);  // stop

  const std::string work = MakeTempDir("second-start");
  WriteFileBytes(work + "\\rel.dwg", "x");
  std::string line = "\"" + ProgramFolder() + "plimsar.exe\" rel.dwg";
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &si, &pi));
  EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 20000));
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(PumpUntil([&] { return RowCount() == 3; }, 5000));
  EXPECT_EQ(ColumnTexts(g_fileList, 0), Texts({"job.dwg", "late.dwg", "rel.dwg"}));
  EXPECT_EQ(ColumnTexts(g_fileList, 1), Texts({dir, dir, work}));
  EXPECT_FALSE(FileExists(work + "\\plimsar.ini"));  // the second start never read or wrote one
}
