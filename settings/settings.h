// The tool's whole persisted configuration and its text codec.
// Window-free: the file I/O lives in settings_file.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kMaxFileTypes = 64;
constexpr int kFileTypeSize = 8;
constexpr int kPathSize = 256;
constexpr int kOptionSize = 64;

struct Settings {
  char f[kPathSize];        // current folder
  char p[kPathSize];        // program launched for each file
  char op_m1[kOptionSize];  // glued before the quoted file name
  char op_m2[kOptionSize];  // glued after the quoted file name
  char file_type[kMaxFileTypes][kFileTypeSize];
  int32_t filetypemax;
  int32_t fileselect;
  int32_t off_mode;
  int32_t off_tim;
  int32_t off_size;
  int32_t apri_end;
};

// The process-wide record. The worker reads it under SettingsMutex() (settings_lock.h).
extern Settings g_settings;

void ResetSettings(Settings& s);

// Applies one line (without its line end) to the record.
void ParseSettingsLine(Settings& s, const char* line);

// The full file text, in the fixed line order, CR LF line ends.
std::string FormatSettings(const Settings& s);

// The selected extension: entry fileselect, always within the table.
const char* SelectedFileType(const Settings& s);

// Splits file text into lines as it arrives, in chunks of any size.
// A line longer than kMaxLineBytes before its LF is skipped whole; a final
// line without a line end is still applied; only a CR is dropped before LF.
class SettingsTextReader {
 public:
  static constexpr size_t kMaxLineBytes = 287;
  explicit SettingsTextReader(Settings& s) : s_(s) {}
  void Feed(const char* data, size_t n);
  void Finish();

 private:
  void EndLine();
  Settings& s_;
  char line_[kMaxLineBytes + 1] = {};
  size_t len_ = 0;
  bool overlong_ = false;
};
