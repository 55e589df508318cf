#include <windows.h>

#include <string>

#include "harness.h"

namespace {

// The fixture passes a Linux path; z: is the whole Linux file system.
std::string UnpackedDir() {
  const char* unix = getenv("PLIMSAR_DIST_UNPACKED");
  if (!unix) return "";
  std::string path = std::string("Z:") + unix;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

struct Found {
  DWORD pid;
  HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lp) {
  auto* found = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (pid == found->pid && std::string(name) == "Main Window" && IsWindowVisible(window)) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TEST(Dist, UnpackedToolStartsInAnEmptyFolderAndSavesDefaultsOnExit) {
  std::string unpacked = UnpackedDir();
  ASSERT_FALSE(unpacked.empty()) << "run through ctest: the dist_pack fixture unpacks the zip";
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((unpacked + "\\plimsar-*").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  std::string root = unpacked + "\\" + fd.cFileName;
  ASSERT_TRUE(FileExists(root + "\\help\\plimsar.html"));
  ASSERT_TRUE(FileExists(root + "\\help\\settings.html"));
  std::string readme = ReadFileBytes(root + "\\README-ja.txt");
  EXPECT_NE(readme.find("plimsar.ini"), std::string::npos);
  EXPECT_NE(readme.find("設定ファイル"), std::string::npos);  // code page 932 bytes
  EXPECT_NE(readme.find("\r\n"), std::string::npos);
  EXPECT_EQ(readme.find("\n", 0) - 1, readme.find("\r\n", 0));

  std::string work = MakeTempDir("dist-run");
  ASSERT_FALSE(FileExists(work + "\\plimsar.ini"));
  std::string command = "\"" + root + "\\plimsar.exe\"";
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &si, &pi));
  Found found = {pi.dwProcessId, nullptr};
  for (int i = 0; i < 200 && !found.window; ++i) {
    Sleep(50);
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
  }
  ASSERT_NE(found.window, nullptr) << "the main window did not appear";
  char title[64] = {};
  GetWindowTextA(found.window, title, sizeof title);
  EXPECT_STREQ(title, "Plimsar Ver1.02");
  EXPECT_TRUE(FileExists(work + "\\plimsar.ini"));
  PostMessageA(found.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(ReadFileBytes(work + "\\plimsar.ini"),
            "filetypemax=0\r\nfileselect=0\r\nf=c:\\\r\np=\r\nop_m1=\r\nop_m2=\r\n"
            "off_mode=0\r\noff_tim=0\r\napri_end=0\r\noff_size=0\r\n");
}
