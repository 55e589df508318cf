// The settings file and the settings dialog's rules. One TEST per rule: a
// table of cases and one loop.
#include <algorithm>

#include "settings/settings_form.h"
#include "tests/native/check.h"

static Settings Load(const std::string& text, size_t chunk = 4096) {
  Settings s;
  ResetSettings(s);
  SettingsTextReader reader(s);
  for (size_t i = 0; i < text.size(); i += chunk) reader.Feed(text.data() + i, std::min(chunk, text.size() - i));
  reader.Finish();
  return s;
}

// The value the file gets for key.
static std::string Value(const Settings& s, const std::string& key) {
  std::string text = "\r\n" + FormatSettings(s);
  size_t at = text.find("\r\n" + key + "=") + key.size() + 3;
  return text.substr(at, text.find("\r\n", at) - at);
}

TEST(SettingsFile, EachLineAppliesAloneWhateverTheChunksAndStaysWithinTheRecord) {
  const std::string file =
      "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfileselect=2\r\nf=d:\\図面\\ソフト\r\n"
      "p=C:\\v.exe\r\nop_m1=/p \r\nop_m2= /q\r\noff_mode=1\r\noff_tim=-30\r\napri_end=1\r\noff_size=1000\r\n";
  EXPECT_EQ(FormatSettings(Load(file)), file);  // every line, in the fixed order
  const std::string q(300, 'q'), big(1 << 20, 'z');
  const std::tuple<std::string, std::string, std::string> lines[] = {
      // file text, key, the value written back
      {" f=x\nF=y\nf =z\n", "f", "c:\\"},
      {"p=second\np=first", "p", "first"},
      {"filetypemax=1\nfile_type1=x\nfiletypemax=2", "file_type1", ""},  // only below an earlier maximum
      // out of range or too long; numbers are read leniently, from their first 31 bytes, wrapping in 32 bits
      {"filetypemax=1000\nfiletypemax =3", "filetypemax", "64"},
      {"filetypemax=-5", "filetypemax", "0"},
      {"fileselect=99\nfileselect =3", "fileselect", "63"},
      {"fileselect=-1", "fileselect", "0"},
      {"off_tim=" + std::string(30, '0') + "12", "off_tim", "1"},
      {"off_tim= \t\r 45s", "off_tim", "45"},
      {"off_tim=\b5", "off_tim", "0"},  // only the blank and 0x09 to 0x0D are skipped
      {"off_tim=\x0E 5", "off_tim", "0"},
      {"op_m1=" + q.substr(238) + "ソ", "op_m1", q.substr(238)},  // 62 bytes and a character that does not fit
      {"p=" + q + "\r\noff_tim=7", "p", ""},                      // over 287 bytes: the line is skipped whole
      {"p=" + big + "\r\noff_size=9", "off_size", "9"},
  };
  for (const auto& [text, key, value] : lines)
    for (size_t chunk : {1u, 7u, 4096u}) EXPECT_EQ(Value(Load(text, chunk), key), value) << text.substr(0, 40) << chunk;
}

TEST(SettingsForm, ControlsShowTheRecordAndOkStoresThemWithinTheirLimits) {
  Settings s = Load("fileselect=2\nfiletypemax=3\nfile_type0=dwg\nfile_type2=dxf\np=v\nop_m1=/a\nop_m2=/b\noff_size=4");
  SettingsForm form = FormFromSettings(s);
  const Texts shown = {form.fileType, form.p, form.op_m1, form.op_m2, form.offTim, form.offSize};
  EXPECT_EQ(shown, Texts({"dxf", "v", "/a", "/b", "0", "4"}));
  EXPECT_EQ(form.fileTypes, Texts{"dwg"});  // the list ends at the first empty entry
  form.p = std::string(300, 'p');
  form.op_m1 = std::string(31, 'a') + "ソソ";
  form.op_m2 = std::string(62, 'b') + "ソ";
  form.offTim = "\t 12abc";
  form.offSize = "123456789012345678";  // read from its first 15 bytes, wrapping
  ApplyForm(form, s);
  EXPECT_EQ(Texts({s.p, s.op_m1, s.op_m2}), Texts({std::string(255, 'p'), form.op_m1, std::string(62, 'b')}));
  EXPECT_EQ(Ints({s.off_tim, s.off_size}), Ints({12, static_cast<int32_t>(123456789012345u & 0xFFFFFFFFu)}));
  const std::tuple<const char*, Ints, Ints> boxes[] = {
      // record; check box and radios; off_mode, apri_end after OK
      {"off_mode=0\napri_end=0", {0, 1, 0}, {0, 0}},
      {"off_mode=1\napri_end=1", {1, 0, 1}, {1, 1}},
      {"off_mode=-5\napri_end=7", {1, 0, 1}, {1, 1}},
  };
  for (const auto& [text, boxesShown, stored] : boxes) {
    form = FormFromSettings(Load(text));
    EXPECT_EQ(Ints({form.forceEnd, form.endByWindows, form.endByTerminate}), boxesShown) << text;
    s = Load("off_mode=9\napri_end=9");
    ApplyForm(form, s);
    EXPECT_EQ(Ints({s.off_mode, s.apri_end}), stored) << text;
  }
}

TEST(SettingsForm, ExtensionTextsAreCutToSevenBytesAndComparedCaseSensitively) {
  using R = RegisterOutcome;
  Settings s = Load("filetypemax=4\nfile_type0=dwg\nfile_type1=DWG\nfile_type2=abcdefg\nfile_type3=表表表");
  SettingsForm form = FormFromSettings(s);
  const std::tuple<const char*, int32_t, R> texts[] = {
      // combo text: the entry OK selects, then registering it
      {"abcdefgh", 2, R::kDuplicate},
      {"表表表表", 3, R::kDuplicate},  // cut to whole characters
      {"DWG", 1, R::kDuplicate},
      {"dwg", 0, R::kDuplicate},
      // none: entry 0, and not the empty one behind the table
      {"", 0, R::kEmpty},
      {"図面図面", 0, R::kAdded},
  };
  for (const auto& [text, selected, outcome] : texts) {
    s.fileselect = 9;
    form.fileType = text;
    ApplyForm(form, s);
    EXPECT_EQ(s.fileselect, selected) << text;
    EXPECT_EQ(RegisterFileType(s, text), outcome) << text;
  }
  EXPECT_EQ(FormFromSettings(s).fileTypes, Texts({"dwg", "DWG", "abcdefg", "表表表", "図面図"}));
  EXPECT_EQ(FindFileType(s, "none"), -1);
  for (int n = s.filetypemax; n < kMaxFileTypes; ++n) RegisterFileType(s, std::to_string(n));
  EXPECT_EQ(RegisterFileType(s, "new"), R::kFull);
  EXPECT_EQ(FormFromSettings(s).fileTypes.size(), 64u);  // every entry, "5" to "9" of one byte too
  s.filetypemax = -1;                                    // possible only in memory: no entries
  EXPECT_EQ(FormFromSettings(s).fileTypes, Texts{});
}
