// Run commands: what is captured, what is refused, and the command lines launched.
#include <windows.h>
#include <commctrl.h>

#include "common/app_state.h"
#include "filelist/file_list.h"
#include "resource.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "runner/worker.h"
#include "runner_fixture.h"

using RunCommands = RunnerTest;

TEST_F(RunCommands, CommandLinesGlueTheOptionsToTheQuotedPath) {
  WriteSettings("");
  StartApp();
  AddFile(dir, "a.dwg", "exit");
  const std::string program = "\"" + StandinExe() + "\"";
  const std::string path = "\"" + dir + "\\a.dwg\"";
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(20000));
  SetOptions("/p", "/q");
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(20000));
  SetOptions("/p ", " -x");
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(20000));
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 3u);
  // "found": the stand-in opened the file through the path it was given.
  EXPECT_EQ(starts[0].detail, "found " + program + " " + path);
  EXPECT_EQ(starts[1].detail, "found " + program + " /p" + path + "/q");
  EXPECT_EQ(starts[2].detail, "found " + program + " /p " + path + " -x");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(RunCommands, FolderTextsJoinByCharacters) {
  WriteSettings("");
  StartApp();
  // ソ and 表 end in the byte 0x5C and still need their separator.
  ASSERT_TRUE(CreateDirectoryA((dir + "\\ソ").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((dir + "\\表").c_str(), nullptr));
  AddFile(dir + "\\ソ", "a.dwg", "exit");
  WriteFileBytes(dir + "\\表\\c.dwg", "exit");
  AppendRow("c.dwg", (dir + "\\表\\").c_str(), "2024/01/01 00:00", 1, RowCount());
  // An empty folder text gives the bare name, found in the current directory.
  AddFile("", "b.dwg", "exit");
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(20000));
  ASSERT_EQ(g_jobTable.count, 3);
  EXPECT_EQ(std::string(g_jobTable.jobs[0].path), dir + "\\ソ\\a.dwg");
  EXPECT_EQ(std::string(g_jobTable.jobs[1].path), dir + "\\表\\c.dwg");
  EXPECT_EQ(std::string(g_jobTable.jobs[2].path), "b.dwg");
  auto starts = Starts();
  ASSERT_EQ(starts.size(), 3u);
  const std::string program = "\"" + StandinExe() + "\"";
  EXPECT_EQ(starts[0].detail, "found " + program + " \"" + dir + "\\ソ\\a.dwg\"");
  EXPECT_EQ(starts[1].detail, "found " + program + " \"" + dir + "\\表\\c.dwg\"");
  EXPECT_EQ(starts[2].detail, "found " + program + " \"b.dwg\"");
}

TEST_F(RunCommands, WholeListSelectionAndSelectionElseWholeList) {
  WriteSettings("");
  StartApp();
  AddExitFiles(10);
  for (int row : {9, 2, 5}) MarkRow(row, true);
  Command(IDM_RUN_SELECTION);
  ASSERT_EQ(g_jobTable.count, 3);
  EXPECT_EQ(g_jobTable.jobs[0].row, 2);
  EXPECT_EQ(g_jobTable.jobs[1].row, 5);
  EXPECT_EQ(g_jobTable.jobs[2].row, 9);
  EXPECT_EQ(std::string(g_jobTable.jobs[1].path), dir + "\\f5.dwg");
  ASSERT_TRUE(WaitRunEnd(20000));
  for (int row = 0; row < 10; ++row) EXPECT_TRUE(Unmarked(row)) << row;

  // The toolbar's run takes the selection when there is one...
  MarkRow(4, true);
  Command(IDT_RUN);
  ASSERT_EQ(g_jobTable.count, 1);
  EXPECT_EQ(g_jobTable.jobs[0].row, 4);
  ASSERT_TRUE(WaitRunEnd(20000));
  // ...and the whole list otherwise, without a word.
  Command(IDT_RUN);
  ASSERT_EQ(g_jobTable.count, 10);
  EXPECT_EQ(g_jobTable.jobs[9].row, 9);
  ASSERT_TRUE(WaitRunEnd(30000));
  EXPECT_EQ(Starts().size(), 14u);
  EXPECT_TRUE(Boxes().empty());

  // The menu's selection run with nothing selected only warns.
  Command(IDM_RUN_SELECTION);
  ExpectBoxes(1, main, "ファイルが選択していません", "選択ミス", MB_ICONWARNING);
  EXPECT_EQ(g_jobTable.count, 10);
  EXPECT_EQ(g_run.running, 0);
  EXPECT_EQ(g_run.workerThread, nullptr);
}

TEST_F(RunCommands, SecondRunIsRefusedWhileOneRuns) {
  WriteSettings("");
  StartApp();
  AddFile(dir, "a.dwg", "close 20000");
  AddExitFiles(2);
  Command(IDM_RUN_ALL);
  ASSERT_NE(WaitWindows(1), nullptr);
  Command(IDM_RUN_ALL);
  Command(IDT_RUN);
  ExpectBoxes(2, main, "すでにThreadは実行中です。", "Thread処理", MB_OK);
  // The run in progress keeps its own Jobs.
  EXPECT_EQ(g_jobTable.count, 3);
  EXPECT_EQ(g_jobTable.jobs[0].state, kJobRunning);
  EXPECT_EQ(g_run.running, 1);
  Command(IDT_STOP);
  EXPECT_EQ(Starts().size(), 1u);
}

TEST_F(RunCommands, FailedLaunchWarnsOncePerJobFromTheWorker) {
  WriteSettings("");
  StartApp();
  SetProgram(dir + "\\missing.exe");
  AddExitFiles(3);
  Command(IDM_RUN_ALL);
  ASSERT_TRUE(WaitRunEnd(20000));
  ExpectBoxes(3, nullptr, "環境設定でPalyFinenameを正しく設定して下さい。", "設定ミス", MB_OK);
  for (auto& box : Boxes()) EXPECT_NE(box.threadId, GetCurrentThreadId());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(g_jobTable.jobs[i].state, kJobDone);
  EXPECT_TRUE(Starts().empty());
}

namespace {
// The errors the launches fail with, in call order; 0 lets a call through.
std::vector<DWORD> g_launchErrors;
size_t g_launchCalls = 0;

BOOL WINAPI ScriptedStart(LPCSTR app, LPSTR line, LPSECURITY_ATTRIBUTES pa, LPSECURITY_ATTRIBUTES ta, BOOL inherit,
                          DWORD flags, LPVOID env, LPCSTR cwd, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi) {
  DWORD error = g_launchCalls < g_launchErrors.size() ? g_launchErrors[g_launchCalls] : 0;
  ++g_launchCalls;
  if (error != 0) {
    SetLastError(error);
    return FALSE;
  }
  return CreateProcessA(app, line, pa, ta, inherit, flags, env, cwd, si, pi);
}
}  // namespace

TEST_F(RunCommands, OnlyAnInternalErrorGetsASecondAttempt) {
  WriteSettings("");
  StartApp();
  AddExitFiles(2);
  g_launchErrors = {ERROR_INTERNAL_ERROR, 0, ERROR_ACCESS_DENIED};
  g_launchCalls = 0;
  g_startProcess = ScriptedStart;
  Command(IDM_RUN_ALL);
  bool ended = WaitRunEnd(20000);
  g_startProcess = CreateProcessA;
  ASSERT_TRUE(ended);
  EXPECT_EQ(g_launchCalls, 3u);  // the denied second Job was not tried again
  EXPECT_EQ(Starts().size(), 1u);
  ExpectBoxes(1, nullptr, "環境設定でPalyFinenameを正しく設定して下さい。", "設定ミス", MB_OK);
}

TEST_F(RunCommands, MoreThanAHundredRowsAreRefusedWhole) {
  WriteSettings("");
  StartApp();
  SetProgram(dir + "\\missing.exe");  // each Job then only reports, quickly
  for (int i = 0; i < 101; ++i) AppendRow(("r" + std::to_string(i)).c_str(), "c:\\x", "2024/01/01 00:00", 1, i);
  g_jobTable.count = 7;
  Command(IDM_RUN_ALL);
  SelectAll();
  Command(IDM_RUN_SELECTION);
  Command(IDT_RUN);
  ExpectBoxes(3, main, "一度に実行できるファイルは100個までです。", "選択ミス", MB_ICONWARNING);
  // Nothing was captured: selection, table and run state are as they were.
  int selected = 0;
  for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row)) ++selected;
  EXPECT_EQ(selected, 101);
  EXPECT_EQ(g_jobTable.count, 7);
  EXPECT_EQ(g_run.running, 0);
  EXPECT_EQ(g_run.workerThread, nullptr);

  // A hundred rows run whole.
  ClearBoxes();
  DeselectAll();
  SendMessageA(g_fileList, LVM_DELETEITEM, 100, 0);
  Command(IDM_RUN_ALL);
  EXPECT_EQ(g_jobTable.count, 100);
  ASSERT_TRUE(WaitRunEnd(60000));
  EXPECT_EQ(g_jobTable.jobs[99].row, 99);
  EXPECT_EQ(g_jobTable.jobs[99].state, kJobDone);
  EXPECT_EQ(Boxes().size(), 100u);
}
