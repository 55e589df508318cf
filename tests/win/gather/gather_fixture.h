// Shared set-up of the gathering tests: settings presets, folder trees on the
// test prefix's drives (removed after each test, so a drive search or a root
// listing sees only what the running test made) and readers of the file list.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"

// Any-length folder and file creation (wide calls with the \\?\ prefix).
void MakeDir(const std::string& path);
void MakeFile(const std::string& path, size_t bytes = 10);
void SetAttributes(const std::string& path, DWORD attributes);
void RemoveTree(const std::string& path);
// Makes path, then folders below it named by runs of 'x' until the
// deepest path is exactly length bytes long; returns that path.
std::string DeepFolder(const std::string& path, size_t length);

struct FileRowTexts {
  std::string name, folder, date, size;
};

class GatherTest : public AppTest {
 protected:
  void TearDown() override;

  // Writes plimsar.ini: extensions dwg, dxf and an empty one; f as given.
  void Preset(const std::string& f, int fileselect = 0);
  // A new empty folder named after the test under parent, removed at the end.
  std::string NewTree(const std::string& parent, const std::string& tag = "t");
  // Removes path (a file or tree) at the end of the test.
  void RemoveLater(const std::string& path) { cleanup_.push_back(path); }

  std::string CurrentFolder();
  std::vector<FileRowTexts> Rows();
  std::vector<std::string> Names();
  std::vector<int> MarkedRows();
  // While a modal dialog of the main window runs, the main window is disabled.
  bool DialogRunning() { return !IsWindowEnabled(main); }
  // A unique text for names of this test.
  std::string Unique();

 private:
  std::vector<std::string> cleanup_;
  int serial_ = 0;
};
