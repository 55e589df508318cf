// The settings dialog's window-free rules: cutting texts on character
// boundaries, the combo list and selection, and registering extensions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings_form.h"

namespace {

Settings WithTypes(std::initializer_list<const char*> types) {
  Settings s;
  ResetSettings(s);
  int n = 0;
  for (const char* t : types) std::strcpy(s.file_type[n++], t);
  s.filetypemax = n;
  return s;
}

}  // namespace

TEST(SettingsFormCut, NeverSplitsADoubleByteCharacter) {
  EXPECT_EQ(CutText("abcdefghij", 7), "abcdefg");
  EXPECT_EQ(CutText("abc", 7), "abc");
  EXPECT_EQ(CutText("", 7), "");
  // ソ is 0x83 0x5C: its trail byte looks like a backslash but stays with it.
  EXPECT_EQ(CutText("abcdefソ", 7), "abcdef");
  EXPECT_EQ(CutText("abcdeソ", 7), "abcdeソ");
  EXPECT_EQ(CutText("ｱｲｳｴｵｶｷｸ", 7), "ｱｲｳｴｵｶｷ");  // half-width kana are single bytes
  // A lone lead byte at the end of the text counts as one byte.
  EXPECT_EQ(CutText(std::string("ab\x83"), 7), std::string("ab\x83"));

  char field[8];
  std::memset(field, 'Z', sizeof field);
  StoreText(field, sizeof field, "表表表表");  // 8 bytes: the fourth does not fit
  EXPECT_STREQ(field, "表表表");
  EXPECT_EQ(field[6], '\0');
  EXPECT_EQ(field[7], '\0');
}

TEST(SettingsFormFill, ListStopsAtFirstEmptyEntryAndTextShowsTheSelection) {
  Settings s = WithTypes({"dwg", "", "dxf"});
  s.fileselect = 2;
  s.off_tim = -30;
  s.off_size = 2147483647;
  s.off_mode = 5;
  s.apri_end = 7;
  SettingsForm form = FormFromSettings(s);
  ASSERT_EQ(form.fileTypes.size(), 1u);
  EXPECT_EQ(form.fileTypes[0], "dwg");
  EXPECT_EQ(form.fileType, "dxf");
  EXPECT_EQ(form.offTim, "-30");
  EXPECT_EQ(form.offSize, "2147483647");
  EXPECT_TRUE(form.forceEnd);
  EXPECT_FALSE(form.endByWindows);  // any value but 0 ends at once
  EXPECT_TRUE(form.endByTerminate);

  // A count beyond the table, possible only in memory, stays within it.
  Settings full;
  ResetSettings(full);
  for (int i = 0; i < kMaxFileTypes; ++i) std::strcpy(full.file_type[i], "x");
  full.filetypemax = 1000;
  full.fileselect = 1000;
  form = FormFromSettings(full);
  EXPECT_EQ(form.fileTypes.size(), 64u);
  EXPECT_EQ(form.fileType, "x");
  full.filetypemax = -3;
  EXPECT_TRUE(FormFromSettings(full).fileTypes.empty());
}

TEST(SettingsFormApply, SelectionLimitsNumbersAndRadioPair) {
  Settings s = WithTypes({"dwg", "DWG", "abcdefg"});
  SettingsForm form = FormFromSettings(s);
  form.fileType = "abcdefgh";
  form.p = std::string(300, 'p');
  form.op_m1 = std::string(31, 'a') + "ソソ";  // 35 bytes, within the limit
  form.op_m2 = std::string(62, 'b') + "ソ";    // the last character would straddle byte 63
  form.offTim = "\t 12abc";
  form.offSize = "-0005";
  ApplyForm(form, s);
  EXPECT_EQ(s.fileselect, 2);
  EXPECT_EQ(std::strlen(s.p), 255u);
  EXPECT_EQ(std::string(s.op_m1), std::string(31, 'a') + "ソソ");
  EXPECT_EQ(std::string(s.op_m2), std::string(62, 'b'));
  EXPECT_EQ(s.off_tim, 12);
  EXPECT_EQ(s.off_size, -5);
  EXPECT_EQ(s.apri_end, 0);

  form.fileType = "DWG";
  form.offTim = "123456789012345678";  // 15 bytes read, wrapping in 32 bits
  form.endByWindows = false;
  form.endByTerminate = false;  // neither: the stored way stays
  s.apri_end = 9;
  ApplyForm(form, s);
  EXPECT_EQ(s.fileselect, 1);
  EXPECT_EQ(s.off_tim, static_cast<int32_t>(123456789012345u & 0xFFFFFFFFu));
  EXPECT_EQ(s.apri_end, 9);

  form.fileType = "Dwg";
  form.endByTerminate = true;
  ApplyForm(form, s);
  EXPECT_EQ(s.fileselect, 0);
  EXPECT_EQ(s.filetypemax, 3);
  EXPECT_EQ(s.apri_end, 1);
}

TEST(SettingsFormApply, EmptyComboTextMatchesAnEmptyRegisteredEntry) {
  Settings s = WithTypes({"dwg", "", "dxf"});
  SettingsForm form = FormFromSettings(s);
  form.fileType = "";
  ApplyForm(form, s);
  EXPECT_EQ(s.fileselect, 1);
  form.fileType = "dxf";
  ApplyForm(form, s);
  EXPECT_EQ(s.fileselect, 2);  // entries past an empty one are still compared
}

TEST(SettingsFormRegister, EmptyDuplicateFullAndAdded) {
  Settings s = WithTypes({"dwg"});
  EXPECT_EQ(RegisterFileType(s, ""), RegisterOutcome::kEmpty);
  EXPECT_EQ(RegisterFileType(s, "dwg"), RegisterOutcome::kDuplicate);
  EXPECT_EQ(RegisterFileType(s, "DWG"), RegisterOutcome::kAdded);
  EXPECT_EQ(RegisterFileType(s, "dwgdwgdwg"), RegisterOutcome::kAdded);
  EXPECT_STREQ(s.file_type[2], "dwgdwgd");
  EXPECT_EQ(RegisterFileType(s, "dwgdwgdX"), RegisterOutcome::kDuplicate);  // same first 7 bytes
  EXPECT_EQ(RegisterFileType(s, "図面図面"), RegisterOutcome::kAdded);
  EXPECT_STREQ(s.file_type[3], "図面図");
  EXPECT_EQ(s.filetypemax, 4);

  while (s.filetypemax < kMaxFileTypes) {
    ASSERT_EQ(RegisterFileType(s, "n" + std::to_string(s.filetypemax)), RegisterOutcome::kAdded);
  }
  Settings before = s;
  EXPECT_EQ(RegisterFileType(s, "new"), RegisterOutcome::kFull);
  EXPECT_EQ(RegisterFileType(s, "n63"), RegisterOutcome::kDuplicate);
  EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0);

  s.filetypemax = 500;  // never indexes past the table
  EXPECT_EQ(RegisterFileType(s, "other"), RegisterOutcome::kFull);
  s.filetypemax = -1;
  EXPECT_EQ(RegisterFileType(s, "first"), RegisterOutcome::kAdded);
  EXPECT_STREQ(s.file_type[0], "first");
  EXPECT_EQ(s.filetypemax, 1);
}
