// The zip as a Windows user unpacks it: its files, and the tool started from it.
#include <windows.h>

#include "harness.h"

TEST(Dist, UnpackedToolStartsInAnEmptyFolderAndSavesDefaultsOnExit) {
  // The fixture unpacks the zip under this Linux path (z: is the whole Linux
  // file system); its one folder is named after the version.
  std::string root = std::string("Z:") + getenv("PLIMSAR_DIST_UNPACKED") + "/plimsar-1.0.2";
  for (char& c : root) c = c == '/' ? '\\' : c;
  std::string readme = ReadFileBytes(root + "\\README-ja.txt"), exe = root + "\\plimsar.exe";
  EXPECT_TRUE(FileExists(root + "\\help\\plimsar.html") && FileExists(root + "\\help\\settings.html"));
  // Code page 932 text with CR LF line ends.
  EXPECT_TRUE(readme.find("設定ファイル") != std::string::npos && readme.find('\n') == readme.find("\r\n") + 1);
  std::string info(GetFileVersionInfoSizeA(exe.c_str(), nullptr), '\0');
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, info.size(), &info[0]));
  for (auto [key, want] : {std::pair{"ProductName", "Plimsar"}, {"FileVersion", "1.0.2"},
                           {"FileDescription", "指定ファイルを連続実行するツール"}}) {
    char* value = nullptr;
    UINT size = 0;
    VerQueryValueA(info.data(), (std::string("\\StringFileInfo\\041104b0\\") + key).c_str(), reinterpret_cast<void**>(&value), &size);
    EXPECT_STREQ(value, want);
  }
  std::string work = MakeTempDir("dist-run"), command = "\"" + exe + "\"";
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &startup, &process));
  HWND window = nullptr;  // shown once made, and the settings read
  for (int i = 0; i < 200 && !IsWindowVisible(window = FindWindowA("Main Window", "Plimsar Ver1.02")); ++i) Sleep(50);
  EXPECT_TRUE(IsWindowVisible(window) && FileExists(work + "\\plimsar.ini"));
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadFileBytes(work + "\\plimsar.ini"), "filetypemax=0\r\nfileselect=0\r\nf=c:\\\r\np=\r\nop_m1=\r\nop_m2=\r\n"
                                                   "off_mode=0\r\noff_tim=0\r\napri_end=0\r\noff_size=0\r\n");
}
