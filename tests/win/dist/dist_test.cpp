// The zip as a Windows user unpacks it: its files, and the tool started from it.
#include <windows.h>

#include <algorithm>

#include "harness.h"

TEST(Dist, UnpackedToolStartsInAnEmptyFolderAndSavesDefaultsOnExit) {
  // The fixture unpacks the zip under this Linux path (z: is the whole Linux
  // file system); its one folder is named after the version.
  std::string root = std::string("Z:") + getenv("PLIMSAR_DIST_UNPACKED") + "/plimsar-1.0.2";
  std::replace(root.begin(), root.end(), '/', '\\');
  for (const char* page : {"plimsar.html", "settings.html"}) EXPECT_TRUE(FileExists(root + "\\help\\" + page)) << page;
  std::string work = MakeTempDir("dist-run"), command = "\"" + root + "\\plimsar.exe\"";
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(
      CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &startup, &process));
  auto window = [] { return FindWindowA("Main Window", "Plimsar Ver1.02"); };
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window()) != FALSE; }, 10000));
  PostMessageA(window(), WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadFileBytes(work + "\\plimsar.ini"),
            "filetypemax=0\r\nfileselect=0\r\nf=c:\\\r\np=\r\nop_m1=\r\nop_m2=\r\n"
            "off_mode=0\r\noff_tim=0\r\napri_end=0\r\noff_size=0\r\n");
}
