// Runner tests: the real main window in-process, launching standin.exe.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "harness.h"

// One line of a stand-in's log.
struct StandinEvent {
  DWORD pid;
  std::string event;  // start, window, close, end
  long long us;       // the stand-ins' clock (NowUs)
  std::string detail;
};

long long NowUs();  // the clock the stand-ins log with, in microseconds
std::string StandinExe();

class RunnerTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // plimsar.ini with p = the stand-in, then `lines` (CR LF separated keys).
  void WriteSettings(const std::string& lines);
  // Sets Settings fields directly (under the settings lock) once the app runs.
  void SetOptions(const char* opM1, const char* opM2);
  void SetLimit(int offMode, int offTim, int offSize, int apriEnd);
  void SetProgram(const std::string& p);

  // Writes the behaviour file folder\name and appends its row.
  void AddFile(const std::string& folder, const std::string& name, const std::string& behaviour, int sizeKb = 1);
  // Appends n rows of exit-at-once files in dir.
  void AddExitFiles(int n);

  std::vector<StandinEvent> Events(const std::string& logPath = "");
  std::vector<StandinEvent> Starts();
  // Opens every logged stand-in, so exit codes stay readable after it ends.
  void Track();
  DWORD ExitCode(DWORD pid);  // STILL_ACTIVE while it runs; 0xFFFFFFFF when unknown
  bool Alive(DWORD pid) { return ExitCode(pid) == STILL_ACTIVE; }

  // Pumps until Job job is Done; returns the clock reading then (0 on timeout).
  long long WaitJobDone(int job, int timeoutMs);
  // Pumps until the run has ended and its worker has been released.
  bool WaitRunEnd(int timeoutMs);
  bool WaitFor(const std::function<bool()>& done, int timeoutMs);
  // Pumps until n stand-in windows exist; returns the newest one.
  HWND WaitWindows(size_t n, int timeoutMs = 10000);

  // A stand-in of another program, launched by the test, logging to its own file.
  DWORD LaunchForeign(const std::string& behaviour);
  std::vector<StandinEvent> ForeignEvents() { return Events(foreignLog); }
  bool ForeignAlive() { return !foreign_.empty() && WaitForSingleObject(foreign_.back(), 0) == WAIT_TIMEOUT; }

  UINT RowMarks(int row);  // the row's bits of kMarkBits
  // Marked rows hold the selected and drop-highlighted bits; only one row can
  // hold the focus besides.
  bool Marked(int row) { return (RowMarks(row) & 0x0A) == 0x0A; }
  bool Unmarked(int row) { return RowMarks(row) == 0; }
  std::string StatusText(int part);
  // Behaviour lines for the stand-in.
  static std::string Owned(int ms, HWND owner);

  std::string log;
  std::string foreignLog;

 private:
  std::map<DWORD, HANDLE> procs_;
  std::vector<HANDLE> foreign_;
};

// Watches, from its own thread, for the stop-progress dialog of the main window.
class StoppingDialogWatch {
 public:
  explicit StoppingDialogWatch(HWND main);
  ~StoppingDialogWatch();
  int mostAtOnce = 0;        // most dialogs 3 seen at the same time
  bool sawVisible = false;
  bool ownedByMain = true;
  bool hadCaption = false;
  bool wasCurrentModeless = false;
  std::string line1, line2;

 private:
  static DWORD WINAPI Loop(void* self);
  HWND main_;
  DWORD thread_ = 0;
  HANDLE handle_ = nullptr;
  volatile bool stop_ = false;
};
