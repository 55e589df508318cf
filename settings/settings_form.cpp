#include "settings/settings_form.h"

#include <algorithm>
#include <cstring>

#include "common/cp932.h"
#include "settings/lenient_number.h"

namespace {

// The count as far as the table reaches, whatever the record holds.
int32_t RegisteredCount(const Settings& s) { return std::clamp(s.filetypemax, 0, kMaxFileTypes); }

std::string FieldText(const char* field, size_t fieldSize) { return std::string(field, strnlen(field, fieldSize)); }

}  // namespace

std::string CutText(const std::string& text, size_t maxBytes) {
  return text.substr(0, cp932::CutLength(text.data(), text.size(), maxBytes));
}

void StoreText(char* field, size_t fieldSize, const std::string& text) {
  cp932::CopyCut(field, fieldSize, text.data(), text.size());
}

int32_t FindFileType(const Settings& s, const std::string& text) {
  for (int32_t n = 0; n < RegisteredCount(s); ++n) {
    if (FieldText(s.file_type[n], kFileTypeSize) == text) return n;
  }
  return -1;
}

SettingsForm FormFromSettings(const Settings& s) {
  SettingsForm form;
  for (int32_t n = 0; n < RegisteredCount(s); ++n) {
    if (s.file_type[n][0] == '\0') break;
    form.fileTypes.push_back(FieldText(s.file_type[n], kFileTypeSize));
  }
  form.fileType = FieldText(SelectedFileType(s), kFileTypeSize);
  form.p = FieldText(s.p, sizeof s.p);
  form.op_m1 = FieldText(s.op_m1, sizeof s.op_m1);
  form.op_m2 = FieldText(s.op_m2, sizeof s.op_m2);
  form.offTim = std::to_string(s.off_tim);
  form.offSize = std::to_string(s.off_size);
  form.forceEnd = s.off_mode != 0;
  form.endByWindows = s.apri_end == 0;
  form.endByTerminate = !form.endByWindows;
  return form;
}

void ApplyForm(const SettingsForm& form, Settings& s) {
  int32_t selected = FindFileType(s, CutText(form.fileType, kFileTypeTextBytes));
  s.fileselect = std::max(selected, 0);
  StoreText(s.p, sizeof s.p, form.p);
  StoreText(s.op_m1, sizeof s.op_m1, form.op_m1);
  StoreText(s.op_m2, sizeof s.op_m2, form.op_m2);
  s.off_mode = form.forceEnd ? 1 : 0;
  s.off_tim = ParseLenientInt(form.offTim.c_str(), kNumberTextBytes);
  s.off_size = ParseLenientInt(form.offSize.c_str(), kNumberTextBytes);
  // Neither radio checked (only possible by hand) keeps the stored way.
  if (form.endByWindows) s.apri_end = 0;
  if (form.endByTerminate) s.apri_end = 1;
}

RegisterOutcome RegisterFileType(Settings& s, const std::string& text) {
  std::string cut = CutText(text, kFileTypeTextBytes);
  if (cut.empty()) return RegisterOutcome::kEmpty;
  if (FindFileType(s, cut) >= 0) return RegisterOutcome::kDuplicate;
  int32_t count = RegisteredCount(s);
  if (count >= kMaxFileTypes) return RegisterOutcome::kFull;
  StoreText(s.file_type[count], kFileTypeSize, cut);
  s.filetypemax = count + 1;
  return RegisterOutcome::kAdded;
}
