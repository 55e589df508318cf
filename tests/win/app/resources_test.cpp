#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT len = 0;
  std::string key = std::string("\\StringFileInfo\\041104b0\\") + name;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) || !value) return "";
  return value;
}

}  // namespace

TEST(Resources, VersionInformationNamesTheProduct) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  DWORD size = GetFileVersionInfoSizeA(path, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00020000u);
  EXPECT_EQ(VersionString(info, "ProductName"), "Plimsar");
  EXPECT_EQ(VersionString(info, "FileVersion"), "1.0.2");
  EXPECT_EQ(VersionString(info, "FileDescription"), "指定ファイルを連続実行するツール");
}

TEST(Resources, ManifestSelectsCommonControlsSix) {
  // The side-by-side version 6 is loaded instead of the system's version 5.
  // (Its DllGetVersion is no help: some implementations report 5.81 for both.)
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(comctl, path, sizeof path);
  std::string lower(path);
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(lower.find("common-controls"), std::string::npos) << path;
  EXPECT_NE(lower.find("_6.0."), std::string::npos) << path;
  EXPECT_EQ(GetACP(), 932u);  // no UTF-8 code page is declared
}
