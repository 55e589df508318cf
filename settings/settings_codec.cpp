#include <algorithm>
#include <cstring>
#include <string>

#include "common/cp932.h"
#include "settings/lenient_number.h"
#include "settings/settings.h"

Settings g_settings;

void ResetSettings(Settings& s) {
  std::memset(&s, 0, sizeof s);
  std::strcpy(s.f, "c:\\");
}

namespace {

// Number texts longer than this are read from their first 31 bytes.
constexpr size_t kNumberScratch = 31;

bool StartsWith(const char* line, const char* key, size_t keyLen) { return std::strncmp(line, key, keyLen) == 0; }

// A value longer than its field is cut there, keeping characters whole: for
// op_m1 a dangling lead byte would pair with the opening quote of the path.
void CopyText(char* field, size_t fieldSize, const char* value) {
  cp932::CopyCut(field, fieldSize, value, std::strlen(value));
}

}  // namespace

void ParseSettingsLine(Settings& s, const char* line) {
  struct NumberKey {
    const char* key;
    int32_t* target;
  };
  struct TextKey {
    const char* key;
    char* target;
    size_t size;
  };

  static const char kTypeMax[] = "filetypemax=";
  if (StartsWith(line, kTypeMax, sizeof kTypeMax - 1)) {
    s.filetypemax = std::clamp(ParseLenientInt(line + sizeof kTypeMax - 1, kNumberScratch), 0, kMaxFileTypes);
    return;
  }
  // "file_type%d=" counts only below the count read so far.
  for (int32_t n = 0; n < s.filetypemax; ++n) {
    std::string key = "file_type" + std::to_string(n) + "=";
    if (StartsWith(line, key.c_str(), key.size())) {
      CopyText(s.file_type[n], kFileTypeSize, line + key.size());
      return;
    }
  }
  static const char kSelect[] = "fileselect=";
  if (StartsWith(line, kSelect, sizeof kSelect - 1)) {
    s.fileselect = std::clamp(ParseLenientInt(line + sizeof kSelect - 1, kNumberScratch), 0, kMaxFileTypes - 1);
    return;
  }
  const TextKey texts[] = {
      {"f=", s.f, sizeof s.f},
      {"p=", s.p, sizeof s.p},
      {"op_m1=", s.op_m1, sizeof s.op_m1},
      {"op_m2=", s.op_m2, sizeof s.op_m2},
  };
  for (const TextKey& t : texts) {
    size_t keyLen = std::strlen(t.key);
    if (StartsWith(line, t.key, keyLen)) {
      CopyText(t.target, t.size, line + keyLen);
      return;
    }
  }
  const NumberKey numbers[] = {
      {"off_mode=", &s.off_mode},
      {"off_tim=", &s.off_tim},
      {"apri_end=", &s.apri_end},
      {"off_size=", &s.off_size},
  };
  for (const NumberKey& k : numbers) {
    size_t keyLen = std::strlen(k.key);
    if (StartsWith(line, k.key, keyLen)) {
      *k.target = ParseLenientInt(line + keyLen, kNumberScratch);
      return;
    }
  }
}

std::string FormatSettings(const Settings& s) {
  std::string out;
  auto number = [&](const char* key, int32_t v) { out += key + ("=" + std::to_string(v)) + "\r\n"; };
  auto text = [&](const std::string& key, const char* value, size_t size) {
    out += key + "=" + std::string(value, strnlen(value, size)) + "\r\n";
  };
  int32_t count = std::clamp(s.filetypemax, 0, kMaxFileTypes);
  number("filetypemax", count);
  for (int32_t n = 0; n < count; ++n) text("file_type" + std::to_string(n), s.file_type[n], kFileTypeSize);
  number("fileselect", s.fileselect);
  text("f", s.f, sizeof s.f);
  text("p", s.p, sizeof s.p);
  text("op_m1", s.op_m1, sizeof s.op_m1);
  text("op_m2", s.op_m2, sizeof s.op_m2);
  number("off_mode", s.off_mode);
  number("off_tim", s.off_tim);
  number("apri_end", s.apri_end);
  number("off_size", s.off_size);
  return out;
}

const char* SelectedFileType(const Settings& s) {
  int32_t i = std::clamp(s.fileselect, 0, kMaxFileTypes - 1);
  return s.file_type[i];
}

void SettingsTextReader::Feed(const char* data, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    char c = data[i];
    if (c == '\n') {
      EndLine();
      continue;
    }
    if (len_ == kMaxLineBytes) {
      overlong_ = true;  // skipped whole, up to its LF
      continue;
    }
    line_[len_++] = c;
  }
}

// An empty line applies nothing, so ending one more is harmless.
void SettingsTextReader::Finish() { EndLine(); }

void SettingsTextReader::EndLine() {
  if (!overlong_) {
    if (len_ > 0 && line_[len_ - 1] == '\r') --len_;
    line_[len_] = '\0';
    ParseSettingsLine(s_, line_);
  }
  len_ = 0;
  overlong_ = false;
}
