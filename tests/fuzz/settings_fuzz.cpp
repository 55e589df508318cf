// libFuzzer target: arbitrary bytes as a settings file. The record must stay
// within its limits, and writing it back must read back to the same values.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/settings.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckLimits(const Settings& s) {
  Check(s.filetypemax >= 0 && s.filetypemax <= kMaxFileTypes);
  Check(s.fileselect >= 0 && s.fileselect < kMaxFileTypes);
  Check(memchr(s.f, 0, sizeof s.f) != nullptr);
  Check(memchr(s.p, 0, sizeof s.p) != nullptr);
  Check(memchr(s.op_m1, 0, sizeof s.op_m1) != nullptr);
  Check(memchr(s.op_m2, 0, sizeof s.op_m2) != nullptr);
  for (const auto& type : s.file_type) Check(memchr(type, 0, sizeof type) != nullptr);
  Check(SelectedFileType(s) >= s.file_type[0] && SelectedFileType(s) <= s.file_type[kMaxFileTypes - 1]);
}

Settings Read(const char* data, size_t size, size_t chunk) {
  Settings s;
  ResetSettings(s);
  SettingsTextReader reader(s);
  for (size_t i = 0; i < size; i += chunk) reader.Feed(data + i, size - i < chunk ? size - i : chunk);
  reader.Finish();
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  // The first byte picks a chunk size, so line splitting across reads is exercised.
  size_t chunk = size > 0 ? (data[0] % 64) + 1 : 1;
  Settings s = Read(text, size, chunk);
  CheckLimits(s);
  Settings whole = Read(text, size, size > 0 ? size : 1);
  Check(std::memcmp(&s, &whole, sizeof s) == 0);

  std::string saved = FormatSettings(s);
  Settings again = Read(saved.data(), saved.size(), 288);
  CheckLimits(again);
  Check(std::strcmp(s.f, again.f) == 0 && std::strcmp(s.p, again.p) == 0);
  Check(std::strcmp(s.op_m1, again.op_m1) == 0 && std::strcmp(s.op_m2, again.op_m2) == 0);
  Check(s.filetypemax == again.filetypemax && s.fileselect == again.fileselect);
  for (int32_t n = 0; n < s.filetypemax; ++n) Check(std::strcmp(s.file_type[n], again.file_type[n]) == 0);
  Check(s.off_mode == again.off_mode && s.off_tim == again.off_tim);
  Check(s.off_size == again.off_size && s.apri_end == again.apri_end);
  Check(FormatSettings(again) == saved);
  return 0;
}
