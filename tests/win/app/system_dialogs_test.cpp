// The open-file and browse dialogs come from libraries loaded on first use:
// each must really open (a failed load would look like a silent cancel).
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "common/modal.h"
#include "harness.h"

namespace {

struct Found {
  HWND dialog = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lp) {
  char cls[16] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (std::string(cls) != "#32770" || !IsWindowVisible(window)) return TRUE;
  reinterpret_cast<Found*>(lp)->dialog = window;
  return FALSE;
}

// Cancels the first dialog this thread shows; true when one was seen.
class DialogCanceller {
 public:
  DialogCanceller() : thread_(GetCurrentThreadId()), worker_([this] { Run(); }) {}
  bool Join() {
    worker_.join();
    return seen_;
  }

 private:
  void Run() {
    for (int i = 0; i < 1000; ++i) {
      Found found;
      EnumThreadWindows(thread_, FindDialog, reinterpret_cast<LPARAM>(&found));
      if (found.dialog) {
        seen_ = true;
        PostMessageA(found.dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      Sleep(10);
    }
  }
  DWORD thread_;
  std::atomic<bool> seen_{false};
  std::thread worker_;
};

}  // namespace

TEST(SystemDialogs, OpenFileAndBrowseDialogsReallyOpen) {
  SetModalHooks(ModalHooks{});
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrFilter = "ALLFile(*.*)\0*.*\0";
  ofn.Flags = OFN_EXPLORER;
  DialogCanceller cancelOpen;
  EXPECT_FALSE(RunOpenFileDialog(&ofn));
  EXPECT_TRUE(cancelOpen.Join());

  char folder[MAX_PATH];
  std::memset(folder, 'x', sizeof folder);
  BROWSEINFOA info = {};
  info.lpszTitle = "test";
  DialogCanceller cancelBrowse;
  RunBrowseForFolder(&info, folder);
  EXPECT_TRUE(cancelBrowse.Join());
  EXPECT_EQ(folder[0], '\0');
}
