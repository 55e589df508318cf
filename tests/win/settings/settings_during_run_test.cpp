// The settings dialog applied while a run is in progress: the worker copies
// the program and options under the settings lock for each launch, so a
// change reaches the next launch, whole. The launched program is the
// runner's stand-in, which logs its command line.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "filelist/file_list.h"
#include "runner/job_table.h"
#include "runner/run.h"
#include "settings/settings_lock.h"
#include "settings_dialog_util.h"

namespace {

std::string StandinExe() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.rfind('\\') + 1) + "standin.exe";
}

struct Launched {
  DWORD pid;
  std::string event;
  std::string detail;
};

// The option sets written through the dialog: long, and with double-byte
// characters whose trail bytes are a backslash or a letter.
struct Options {
  std::string p, op_m1, op_m2;
};

// Copies the three fields under the settings lock, as the worker does for a
// launch, but as often as it can, and counts copies that are neither set whole.
class LockedCopyWatch {
 public:
  LockedCopyWatch(const Options& a, const Options& b) : a_(a), b_(b), thread_([this] { Loop(); }) {}
  ~LockedCopyWatch() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int samples = 0;
  int torn = 0;
  std::string firstTorn;

 private:
  static bool Is(const Options& o, const char* p, const char* op1, const char* op2) {
    return o.p == p && o.op_m1 == op1 && o.op_m2 == op2;
  }
  void Loop() {
    while (!stop_) {
      char p[kPathSize], op1[kOptionSize], op2[kOptionSize];
      {
        std::lock_guard<std::mutex> lock(SettingsMutex());
        std::memcpy(p, g_settings.p, sizeof p);
        std::memcpy(op1, g_settings.op_m1, sizeof op1);
        std::memcpy(op2, g_settings.op_m2, sizeof op2);
      }
      p[kPathSize - 1] = op1[kOptionSize - 1] = op2[kOptionSize - 1] = '\0';
      ++samples;
      std::this_thread::yield();
      if (!Is(a_, p, op1, op2) && !Is(b_, p, op1, op2) && torn++ == 0) {
        firstTorn = std::string(p) + " | " + op1 + " | " + op2;
      }
    }
  }
  Options a_, b_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

std::string ExpectedLine(const Options& o, const std::string& path) {
  return "\"" + o.p + "\" " + o.op_m1 + "\"" + path + "\"" + o.op_m2;
}

}  // namespace

class SettingsDuringRun : public SettingsDialogTest {
 protected:
  void SetUp() override {
    SettingsDialogTest::SetUp();
    log_ = dir + "\\standin.log";
    SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", log_.c_str());
    ASSERT_TRUE(FileExists(StandinExe())) << StandinExe();
  }

  void TearDown() override {
    if (main && IsWindow(main) && g_run.running) StopRun(main);
    if (main && IsWindow(main)) WaitRunEnd(15000);
    for (const Launched& e : Events()) {
      HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, e.pid);
      if (h) {
        TerminateProcess(h, 0);
        CloseHandle(h);
      }
    }
    SetEnvironmentVariableA("PLIMSAR_STANDIN_LOG", nullptr);
    SettingsDialogTest::TearDown();
  }

  // A second copy of the stand-in under a Japanese folder name with a blank.
  std::string SecondProgram() {
    std::string folder = dir + "\\表示 ソフト";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string copy = folder + "\\能viewer.exe";
    EXPECT_TRUE(CopyFileA(StandinExe().c_str(), copy.c_str(), FALSE));
    return copy;
  }

  void StartWithOptions(const Options& o) {
    WriteFileBytes(dir + "\\plimsar.ini", "p=" + o.p + "\r\nop_m1=" + o.op_m1 + "\r\nop_m2=" + o.op_m2 + "\r\n");
    StartApp();
  }

  // Writes the stand-in's behaviour file and appends its row.
  std::string AddFile(const std::string& name, const std::string& behaviour) {
    WriteFileBytes(dir + "\\" + name, behaviour);
    AppendRow(name.c_str(), dir.c_str(), "2024/01/01 00:00", 1, RowCount());
    return dir + "\\" + name;
  }

  void ApplyThroughDialog(const Options& o) {
    RunDialog([&](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_SET_PROGRAM, o.p.c_str());
      SetDlgItemTextA(dialog, IDC_SET_OPTION1, o.op_m1.c_str());
      SetDlgItemTextA(dialog, IDC_SET_OPTION2, o.op_m2.c_str());
      Click(dialog, IDC_SET_OK);
    });
  }

  std::vector<Launched> Events() {
    std::vector<Launched> out;
    std::istringstream in(ReadFileBytes(log_));
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      unsigned long pid = 0;
      char event[16] = {};
      long long us = 0;
      int used = 0;
      if (std::sscanf(line.c_str(), "%lu %15s %lld %n", &pid, event, &us, &used) < 3) continue;
      out.push_back({static_cast<DWORD>(pid), event, line.substr(static_cast<size_t>(used))});
    }
    return out;
  }

  // The command lines of the launches so far, in launch order.
  std::vector<std::string> CommandLines() {
    std::vector<std::string> out;
    for (const Launched& e : Events()) {
      if (e.event == "start") out.push_back(e.detail.substr(e.detail.find(' ') + 1));
    }
    return out;
  }

  bool WaitRunEnd(int timeoutMs) {
    return PumpUntil([] { return g_run.running == 0 && g_run.workerThread == nullptr; }, timeoutMs);
  }

  std::string log_;
};

TEST_F(SettingsDuringRun, OptionsAppliedDuringAJobReachTheNextLaunchWhole) {
  const Options before = {StandinExe(), "/old1 ", " /old2"};
  StartWithOptions(before);
  const Options after = {SecondProgram(), "/新しい表ソ能=" + std::string(40, 'x') + " ",
                         " /後ろ" + std::string(50, 'y')};
  ASSERT_LE(after.op_m1.size(), 63u);
  ASSERT_LE(after.op_m2.size(), 63u);
  std::string first = AddFile("a.dwg", "close 30000");  // waits for WM_CLOSE
  std::string second = AddFile("b.dwg", "exit");
  Command(IDM_RUN_ALL);

  HWND standinWindow = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        for (const Launched& e : Events()) {
          if (e.event == "window") standinWindow = reinterpret_cast<HWND>(std::strtoull(e.detail.c_str(), nullptr, 16));
        }
        return standinWindow != nullptr;
      },
      20000));
  ApplyThroughDialog(after);
  EXPECT_EQ(CommandLines().size(), 1u);  // the first job's program is still up
  EXPECT_EQ(g_jobTable.jobs[1].state, kJobQueued);

  PostMessageA(standinWindow, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitRunEnd(20000));
  std::vector<std::string> lines = CommandLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], ExpectedLine(before, first));
  EXPECT_EQ(lines[1], ExpectedLine(after, second));
}

TEST_F(SettingsDuringRun, EveryLaunchSeesOneWholeSetOfOptions) {
  const Options a = {StandinExe(), "/" + std::string(60, 'a') + " ", " " + std::string(62, 'A')};
  StartWithOptions(a);
  const Options b = {SecondProgram(), "/表" + std::string(58, 'b') + " ", " ソ" + std::string(60, 'B')};
  constexpr int kJobs = 24;
  std::vector<std::string> paths;
  // Each job lasts a little, so rewrites land between launches however slow the dialog is.
  for (int i = 0; i < kJobs; ++i) paths.push_back(AddFile("f" + std::to_string(i) + ".dwg", "sleep 150"));
  LockedCopyWatch watch(a, b);
  Command(IDM_RUN_ALL);

  // Keep rewriting all three fields, alternately, for as long as the run lasts.
  DWORD deadline = GetTickCount() + 60000;
  int applies = 0;
  while (g_run.running && static_cast<LONG>(deadline - GetTickCount()) > 0) {
    ApplyThroughDialog(applies % 2 == 0 ? b : a);
    ++applies;
    Pump(1);
  }
  watch.Stop();
  EXPECT_EQ(watch.torn, 0) << watch.firstTorn;
  EXPECT_GT(watch.samples, 1000);
  ASSERT_TRUE(WaitRunEnd(20000));
  std::vector<std::string> lines = CommandLines();
  ASSERT_EQ(lines.size(), static_cast<size_t>(kJobs));
  int seenA = 0, seenB = 0;
  for (int i = 0; i < kJobs; ++i) {
    if (lines[i] == ExpectedLine(a, paths[i])) {
      ++seenA;
    } else if (lines[i] == ExpectedLine(b, paths[i])) {
      ++seenB;
    } else {
      ADD_FAILURE() << "launch " << i << " mixed the option sets: " << lines[i];
    }
  }
  EXPECT_GT(seenA, 0);
  EXPECT_GT(seenB, 0);
}
