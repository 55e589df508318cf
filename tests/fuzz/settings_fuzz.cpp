// libFuzzer target: arbitrary bytes as a settings file. The record must stay
// within its limits, no stored text may end in half a character, and writing
// the record back must read back to the same file.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/cp932.h"
#include "settings/settings.h"

static void Check(bool ok) {
  if (!ok) std::abort();
}

// A text field holds its zero, and its last character is whole: a lead byte
// only with its trail byte behind it.
static void CheckText(const char* field, size_t size) {
  size_t len = strnlen(field, size), last = cp932::LastCharOffset(field, len);
  Check(len < size && (len == 0 || !cp932::IsLeadByte(field[last]) || last + 2 == len));
}

static Settings Read(const char* data, size_t size, size_t chunk) {
  Settings s;
  ResetSettings(s);
  SettingsTextReader reader(s);
  for (size_t i = 0; i < size; i += chunk) reader.Feed(data + i, size - i < chunk ? size - i : chunk);
  reader.Finish();
  Check(s.filetypemax >= 0 && s.filetypemax <= kMaxFileTypes && s.fileselect >= 0 && s.fileselect < kMaxFileTypes);
  for (const char* f : {s.f, s.p}) CheckText(f, kPathSize);
  for (const char* f : {s.op_m1, s.op_m2}) CheckText(f, kOptionSize);
  for (const auto& type : s.file_type) CheckText(type, kFileTypeSize);
  return s;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  // The first byte picks a chunk size, so line splitting across reads is exercised.
  Settings s = Read(text, size, size > 0 ? (data[0] % 64) + 1 : 1);
  Settings whole = Read(text, size, size > 0 ? size : 1);
  Check(std::memcmp(&s, &whole, sizeof s) == 0);
  std::string saved = FormatSettings(s);
  Check(FormatSettings(Read(saved.data(), saved.size(), 288)) == saved);
  return 0;
}
