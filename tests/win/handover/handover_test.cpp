// Paths handed over from outside: every argument form, drops, foreign messages, other starts.
#include <windows.h>
#include <shlobj.h>

#include <commctrl.h>

#include <future>

#include "app/main_window.h"
#include "common/app_state.h"
#include "common/lazy_proc.h"
#include "filelist/add_paths.h"
#include "filelist/file_list.h"
#include "harness.h"
#include "runner/job_table.h"

// The built tool started in work.
static PROCESS_INFORMATION Launch(const std::string& work, const std::string& args, DWORD flags = 0) {
  std::string line = "\"" + ProgramFolder() + "plimsar.exe\" " + args;
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  EXPECT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr, work.c_str(), &si, &pi));
  return pi;
}

static bool Ended(const PROCESS_INFORMATION& pi) { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }

// The row count of a tool window that another process shows.
static int Rows() {
  return ListView_GetItemCount(FindWindowExA(FindWindowA(kMainClassName, kMainTitle), nullptr, WC_LISTVIEWA, nullptr));
}

class Handover : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    WriteFileBytes(dir + "\\plimsar.ini",
                   "filetypemax=1\r\nfile_type0=dwg\r\np=" + ProgramFolder() + "standin.exe\r\n");
    StartApp();
  }
  HGLOBAL Drop(const Texts& paths) {  // as Explorer hands them over
    std::wstring names;
    for (const std::string& path : paths) names += Wide(path) + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    return memory;
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
  // The row names that file by its short path, taken here apart from the tool.
  wchar_t brief[MAX_PATH] = {};
  char shortPath[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, brief, GetShortPathNameW(lost.c_str(), brief, MAX_PATH) + 1, shortPath, MAX_PATH,
                      nullptr, nullptr);
  const char* shortName = strrchr(shortPath, '\\') + 1;
  // A real file whose path is too long for a row; the first failure, so the warning names it.
  const std::string longPath = d + "\\" + std::string(130, 'l') + "\\" + std::string(130, 'm') + ".dwg";
  const std::wstring longW = L"\\\\?\\" + Wide(longPath);
  CreateDirectoryW(longW.substr(0, longW.rfind(L'\\')).c_str(), nullptr);
  CloseHandle(CreateFileW(longW.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_NE(GetFileAttributesW(longW.c_str()), INVALID_FILE_ATTRIBUTES);
  AddPaths(main, ResolvePaths({L"a.txt", Wide(d) + L"\\sub\\", Wide(d) + L"\\w?.dwg", L"@list.txt", Wide(longPath),
                               Wide(d) + L"\\missing.dwg", lost}));
  EXPECT_EQ(ColumnTexts(g_fileList, 0), Texts({"a.txt", "b.dwg", "w1.dwg", "lf.dwg", "表.dwg", shortName}));
  EXPECT_EQ(ColumnTexts(g_fileList, 1),
            Texts({d, d + "\\sub", d, d, d, std::string(shortPath, shortName - 1 - shortPath)}));
  EXPECT_EQ(Boxes(), Texts{"読込出来ません！\n" + longPath + "|ファイル追加操作|48|main"});
}

TEST_F(Handover, ForeignMessagesAndADropWithoutShell32ChangeNothingAndDropsDuringARunWaitForTheNext) {
  NMTTDISPINFOA tip = {{nullptr, 0, TTN_NEEDTEXTA}};  // another thread's memory, never the tool's to write
  auto notify =
      std::async(std::launch::async, [&] { SendMessageA(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip)); });
  for (UINT message = WM_APP; message <= 0xBFFF; ++message) SendMessageA(main, message, 0x5A5A, 0x10);
  for (UINT message : {UINT(WM_APP + 0x50), UINT(WM_NOTIFY), UINT(WM_DPICHANGED)})
    PostMessageA(main, message, 0x780078, 0x10);
  EXPECT_TRUE(PumpUntil([&] { return notify.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
  EXPECT_EQ(tip.hinst, nullptr);
  g_loadLibraryEx = [](LPCSTR f, HANDLE r, DWORD x) {
    return strstr(f, "shell32") ? nullptr : LoadLibraryExA(f, r, x);
  };
  HGLOBAL drop = Drop({dir + "\\plimsar.ini"});
  g_loadLibraryEx = LoadLibraryExA;
  EXPECT_EQ(Boxes(), Texts{"shell32.dllが読み込めません。|ライブラリエラー|48|main"});  // the only box
  EXPECT_EQ(GlobalSize(drop), 0u);                                                      // freed
  EXPECT_EQ(RowCount(), 0);

  ClearBoxes();
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
}

TEST_F(Handover, StartsMakeOneWindowAndWaitWhileItIsBusyButNotOnceItsProcessHasGone) {
  CloseApp();
  const std::string work = MakeTempDir("starts"), elsewhere = MakeTempDir("elsewhere");
  for (const char* name : {"\\a.dwg", "\\b.dwg", "\\c.dwg", "\\d.dwg"}) WriteFileBytes(work + name, "x");
  PROCESS_INFORMATION p[4] = {Launch(work, "a.dwg", CREATE_SUSPENDED), Launch(work, "b.dwg", CREATE_SUSPENDED)};
  for (int i : {0, 1}) ResumeThread(p[i].hThread);
  // One start hands its path to the other's window.
  EXPECT_TRUE(PumpUntil([&] { return (Ended(p[0]) || Ended(p[1])) && Rows() == 2; }, 20000));
  const PROCESS_INFORMATION kept = Ended(p[0]) ? p[1] : p[0];
  SuspendThread(kept.hThread);  // its window busy for longer than a start once waited
  p[2] = Launch(elsewhere, work + "\\c.dwg");
  Pump(3000);  // it waits for the busy window now; a start without paths does not wait with it
  const std::string fresh = MakeTempDir("fresh");
  PROCESS_INFORMATION plain = Launch(fresh, "");
  EXPECT_TRUE(PumpUntil([&] { return FileExists(fresh + "\\plimsar.ini"); }, 6000));
  TerminateProcess(plain.hProcess, 1);
  Sleep(8000);
  ResumeThread(kept.hThread);
  EXPECT_TRUE(PumpUntil([&] { return Ended(p[2]) && Rows() == 3; }, 10000));
  EXPECT_FALSE(FileExists(elsewhere + "\\plimsar.ini"));  // a forwarding start reads and writes no settings
  SuspendThread(kept.hThread);                            // busy for good, then gone while the next start waits for it
  p[3] = Launch(work, "d.dwg");
  Pump(3000);
  TerminateProcess(kept.hProcess, 1);
  EXPECT_TRUE(PumpUntil([&] { return Rows() == 1; }, 20000));  // its own window
  for (const PROCESS_INFORMATION& start : p) TerminateProcess(start.hProcess, 1);
}
