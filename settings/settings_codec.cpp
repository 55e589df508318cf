#include <cstdio>
#include <cstring>

#include "settings/lenient_number.h"
#include "settings/settings.h"

Settings g_settings;

void ResetSettings(Settings& s) {
  std::memset(&s, 0, sizeof s);
  std::memcpy(s.f, "c:\\", 3);
}

namespace {

// Number texts longer than this are read from their first 31 bytes.
constexpr size_t kNumberScratch = 31;

bool StartsWith(const char* line, const char* key, size_t keyLen) {
  return std::strncmp(line, key, keyLen) == 0;
}

void CopyText(char* field, size_t fieldSize, const char* value) {
  std::memset(field, 0, fieldSize);
  size_t n = std::strlen(value);
  if (n > fieldSize - 1) n = fieldSize - 1;  // cut at the field's size
  std::memcpy(field, value, n);
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

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
    s.filetypemax = Clamp(ParseLenientInt(line + sizeof kTypeMax - 1, kNumberScratch), 0, kMaxFileTypes);
    return;
  }
  // "file_type%d=" counts only below the count read so far.
  for (int32_t n = 0; n < s.filetypemax; ++n) {
    char key[24];
    int keyLen = std::snprintf(key, sizeof key, "file_type%d=", static_cast<int>(n));
    if (StartsWith(line, key, static_cast<size_t>(keyLen))) {
      CopyText(s.file_type[n], kFileTypeSize, line + keyLen);
      return;
    }
  }
  static const char kSelect[] = "fileselect=";
  if (StartsWith(line, kSelect, sizeof kSelect - 1)) {
    s.fileselect = Clamp(ParseLenientInt(line + sizeof kSelect - 1, kNumberScratch), 0, kMaxFileTypes - 1);
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
  char line[288];
  auto number = [&](const char* key, int32_t v) {
    std::snprintf(line, sizeof line, "%s=%d\r\n", key, static_cast<int>(v));
    out += line;
  };
  auto text = [&](const char* key, const char* value, size_t size) {
    out += key;
    out += '=';
    out.append(value, strnlen(value, size));
    out += "\r\n";
  };
  int32_t count = Clamp(s.filetypemax, 0, kMaxFileTypes);
  number("filetypemax", count);
  for (int32_t n = 0; n < count; ++n) {
    std::snprintf(line, sizeof line, "file_type%d", static_cast<int>(n));
    text(line, s.file_type[n], kFileTypeSize);
  }
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
  int32_t i = Clamp(s.fileselect, 0, kMaxFileTypes - 1);
  return s.file_type[i];
}

void SettingsTextReader::Feed(const char* data, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    char c = data[i];
    if (c == '\n') {
      EndLine();
      continue;
    }
    if (overlong_) continue;
    if (len_ == kMaxLineBytes) {
      overlong_ = true;  // skipped whole, up to its LF
      continue;
    }
    line_[len_++] = c;
  }
}

void SettingsTextReader::Finish() {
  if (len_ > 0 || overlong_) EndLine();
}

void SettingsTextReader::EndLine() {
  if (!overlong_) {
    size_t n = len_;
    if (n > 0 && line_[n - 1] == '\r') --n;
    line_[n] = '\0';
    if (n > 0) ParseSettingsLine(s_, line_);
  }
  std::memset(line_, 0, sizeof line_);
  len_ = 0;
  overlong_ = false;
}
