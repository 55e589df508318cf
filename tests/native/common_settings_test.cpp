// Code page 932 texts, the small formatters built on them, and the settings
// file and dialog rules. One TEST per rule: a table of cases and one loop.
#include "app/window_layout.h"
#include "common/cp932.h"
#include "common/help_address.h"
#include "filelist/found_name.h"
#include "filelist/row_text.h"
#include "runner/status_format.h"
#include "settings/lenient_number.h"
#include "settings/settings_form.h"
#include "tests/native/check.h"

TEST(Cp932, ScansAndCutsStepByCharacters) {
  for (int c : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(cp932::IsLeadByte(c)) << c;
  for (int c : {0x41, 0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(cp932::IsLeadByte(c)) << c;
  // ソ, 表 and 能 end in the byte 0x5C, no separator. Ints: ends in a "\", offset of the last "\".
  for (const auto& [text, want] : {std::pair{"c:\\ソ", Ints{0, 2}}, {"d:\\図表", {0, 2}}, {"c:\\ソ\\", {1, 5}}, {"\\", {1, 0}},
           {"", {0, -1}}, {"能", {0, -1}}, {"a\\b\\表", {0, 3}}, {"a\x83", {0, -1}}})
    EXPECT_EQ(Ints({cp932::EndsWithBackslash(text), cp932::LastBackslash(text)}), want) << text;
  for (const auto& [haystack, needle, found] : {std::tuple{"ア.dwg", "A", 0}, {"アA.dwg", "A", 1}, {"A1.dwg", "dwg", 1},
           {"AB", "ab", 0}, {"x", "", 1}, {"図ソ", "ソ", 1}, {"ab", "abc", 0}})  // ア is 83 41
    EXPECT_EQ(cp932::Contains(haystack, needle), found) << haystack;
  // Cuts keep characters whole and never keep a lone lead byte.
  for (const Texts& c : {Texts{"abcdefghij", "abcdefg"}, {"abc", "abc"}, {"", ""}, {"abcdefソ", "abcdef"}, {"abcdeソ", "abcdeソ"},
           {"ｱｲｳｴｵｶｷｸ", "ｱｲｳｴｵｶｷ"}, {"表表表表", "表表表"}, {"ab\x83", "ab"}, {"\x83", ""}, {"a\x83\0b"s, "a"}})  // ｱ: 1 byte
    EXPECT_EQ(Filled(8, [&](char* f) { cp932::CopyCut(f, 8, c[0].data(), c[0].size()); }), Zeroed(c[1], 8) + "x");
  EXPECT_EQ(std::vector<size_t>({cp932::CutLength("abcdef", 3, 7), cp932::CutLength("ab\x83" "A", 3, 7)}), std::vector<size_t>({3, 2}));
}

TEST(Texts, HelpAddressesEscapeUnsafeBytesAndLimitTextsShowWholeNumbers) {
  for (const Texts& c : {Texts{"C:\\Program Files\\p\\p.exe", "file:///C:/Program%20Files/p/help/"}, {"p.exe", "file:////help/"},
           {"D:\\ソ\\表\\p.exe", "file:///D:/ソ/表/help/"},  // trail bytes 0x5C stay
           {"E:\\a#1\\100%\\why?\\p.exe", "file:///E:/a%231/100%25/why%3F/help/"}}) {
    std::string out(c[1].size() + sizeof kToolHelpPage + 1, 'x');  // the address, its zero and a guard byte
    EXPECT_FALSE(BuildHelpAddress(c[0].c_str(), kToolHelpPage, &out[0], out.size() - 2)) << c[0];  // one byte short
    EXPECT_TRUE(BuildHelpAddress(c[0].c_str(), kToolHelpPage, &out[0], out.size() - 1)) << c[0];
    EXPECT_EQ(out, c[1] + kToolHelpPage + '\0' + 'x');
  }  // the status bar's limit text: the whole number, or cut at a character
  for (const auto& [in, text] : {std::pair{Ints{1, 125, 17}, "2分5秒"s}, {{1, -1, 17}, "0分-1秒"}, {{0, 125, 17}, "ﾀｲﾏｰOFF"},
           {{1, INT32_MIN, 17}, "-35791394分-8秒"}, {{1, -600000010, 16}, "-10000000分-10"},
           {{1, -2147483639, kLimitTextSize}, "-35791393分-59秒"}})  // mode, limit, size
    EXPECT_EQ(Filled(in[2], [&](char* o) { FormatLimitText(in[0], in[1], o, in[2]); }), Zeroed(text, in[2]) + "x");
  std::string old = Filled(16, [](char* o) { FormatLimitText(1, -600000010, o); });  // what callers without a size pass
  EXPECT_EQ(old + RunStateText(1) + RunStateText(0), Zeroed("-10000000分-10", 16) + "x動作中停止中");
}

TEST(FoundEntries, KilobytesOfAThousandBytesDatesAndTheNameToKeep) {
  for (const auto& c : {Ints{0, 0, 1}, {0, 999, 1}, {0, 1999, 1}, {0, 2000, 2}, {0, 0xFFFFFFFF, 4294967}, {1, 0, -1}})
    EXPECT_EQ(SizeInKilobytes(c[0], c[1]), c[2]) << c[1];
  EXPECT_EQ(Filled(40, [](char* o) { FormatDateText(2003, 7, 15, 9, 5, o); }).substr(0, 17), "2003/07/15 09:05"s + '\0');
  EXPECT_EQ(Filled(40, [](char* o) { FormatDateText(INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, o); }).find('\0'), 39u);
  const char* s = "ABCDEF~1.DWG";  // the name to keep: 0 the long one when whole, else 1 the short one, else 2 none
  for (const auto& [name, shortName, kept] : {std::tuple{"plan.dwg", s, 0}, {"ソ表能.dwg", "", 0}, {"a", nullptr, 0},
           {"図?.dwg", s, 1}, {"", s, 1}, {"?", "", 2}, {"x?", nullptr, 2}, {"?", "A?", 2}})
    EXPECT_EQ(UsableName(name, shortName), kept == 0 ? name : kept == 1 ? shortName : nullptr) << name;
}

TEST(WindowLayout, CentringTruncatesTowardZeroAndTheListKeepsItsBand) {
  Band b = FileListBand(584, 421);
  for (const auto& c : {Ints{800, 600, 100}, {500, 600, -50}, {599, 600, 0}, {601, 600, 0}}) EXPECT_EQ(CenteredOrigin(c[0], c[1]), c[2]);
  EXPECT_EQ(Ints({b.x, b.y, b.width, b.height}), Ints({0, 40, 584, 361}));
}

static Settings Load(const std::string& text, size_t chunk = 4096) {
  Settings s;
  ResetSettings(s);
  SettingsTextReader reader(s);
  for (size_t i = 0; i < text.size(); i += chunk) reader.Feed(text.data() + i, text.size() - i < chunk ? text.size() - i : chunk);
  reader.Finish();
  return s;
}

// The value the file gets for key.
static std::string Value(const Settings& s, const std::string& key) {
  std::string text = "\r\n" + FormatSettings(s);
  size_t at = text.find("\r\n" + key + "=") + key.size() + 3;
  return text.substr(at, text.find("\r\n", at) - at);
}

TEST(SettingsFile, TenLinesInFixedOrderEachReadAloneAndNumbersLeniently) {
  EXPECT_EQ(FormatSettings(Load("")), "filetypemax=0\r\nfileselect=0\r\nf=c:\\\r\np=\r\nop_m1=\r\nop_m2=\r\n"
                                      "off_mode=0\r\noff_tim=0\r\napri_end=0\r\noff_size=0\r\n");
  const std::string full = "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfileselect=2\r\n"
      "f=d:\\図面\\ソフト\r\np=C:\\v.exe\r\nop_m1=/p \r\nop_m2= /q\r\noff_mode=1\r\noff_tim=-30\r\napri_end=1\r\noff_size=1000\r\n";
  EXPECT_EQ(FormatSettings(Load(full)) + SelectedFileType(Load(full)), full + "dxf");
  const std::string big(1 << 20, 'z'), q(300, 'q');  // each line applies alone, whatever the chunks: text, key, value
  for (const Texts& c : {Texts{"off_tim=30\nf=c:\\dwg\n", "f", "c:\\dwg"}, {"off_size=12", "off_size", "12"},
           {"p=a\r\n\r\n\n\r\nop_m1=b\r", "op_m1", "b"}, {"p=x\ry\r\n", "p", "x\ry"}, {" f=x\nF=y\nf =z\n", "f", "c:\\"},
           {"filetypemax=2\nfiletypemax =3", "filetypemax", "2"}, {"fileselect=2\nfileselect =3", "fileselect", "2"},
           {"p=second\np=first", "p", "first"}, {"file_type0=dwg\nfiletypemax=1\n", "file_type0", ""},  // below the maximum
           {"filetypemax=1\nfile_type1=x\nfiletypemax=2", "file_type1", ""},
           {"p=" + q + "\r\noff_tim=7\r\n", "p", ""}, {"p=" + q + "\r\noff_tim=7\r\n", "off_tim", "7"},  // over 287 bytes
           {"f=" + q.substr(16) + "\r\n", "f", q.substr(45)}, {"f=" + q.substr(15) + "\r\n", "f", "c:\\"},
           {"filetypemax=1\nfile_type0=abcdefghij\n", "file_type0", "abcdefg"},
           {"op_m1=" + q.substr(238) + "ソ\r\n", "op_m1", q.substr(238)}, {"op_m2=" + q.substr(200), "op_m2", q.substr(237)},
           {"filetypemax=1000", "filetypemax", "64"}, {"filetypemax=-5", "filetypemax", "0"}, {"fileselect=99", "fileselect", "63"},
           {"fileselect=-1", "fileselect", "0"}, {"off_tim=" + std::string(30, '0') + "12", "off_tim", "1"},  // 31 bytes read
           {"off_tim=5\r\np=" + big + "\r\noff_size=9\r\n", "off_size", "9"}, {"f=" + big, "f", "c:\\"}})
    for (size_t chunk : {1u, 7u, 4096u}) EXPECT_EQ(Value(Load(c[0], chunk), c[1]), c[2]) << c[0].substr(0, 40);
  // Numbers are read leniently: blanks, one sign, digits, wrapping in 32 bits.
  for (const auto& [text, value] : {std::pair{" 45s", 45}, {"\t\n+7", 7}, {"\r\v\f8", 8}, {"\x08" "5", 0}, {"\x0E" "5", 0},
           {"abc", 0}, {"", 0}, {"-3", -3}, {"- 3", 0}, {"+-3", 0}, {"-0005", -5}, {"4294967297", 1}, {"2147483648", INT32_MIN}})
    EXPECT_EQ(ParseLenientInt(text, 31), value) << text;
}

TEST(SettingsForm, ControlsShowTheRecordAndApplyItWithinEveryLimit) {
  SettingsForm f = FormFromSettings(Load("filetypemax=3\nfile_type0=dwg\nfile_type2=dxf\nfileselect=2\np=v\nop_m1=/a\n"
                                         "op_m2=/b\noff_tim=-30\noff_size=2147483647"));
  EXPECT_EQ(Texts({f.fileType, f.p, f.op_m1, f.op_m2, f.offTim, f.offSize}), Texts({"dxf", "v", "/a", "/b", "-30", "2147483647"}));
  EXPECT_EQ(f.fileTypes, Texts{"dwg"});  // the list ends at the first empty entry
  for (const auto& [text, shown] : {std::pair{"off_mode=0\napri_end=0", Ints{0, 1, 0}}, {"off_mode=1\napri_end=1", {1, 0, 1}},
           {"off_mode=5\napri_end=7", {1, 0, 1}}})  // the check box, then the two radios
    EXPECT_EQ((f = FormFromSettings(Load(text)), Ints({f.forceEnd, f.endByWindows, f.endByTerminate})), shown) << text;
  Settings s = Load("filetypemax=4\nfile_type0=dwg\nfile_type1=DWG\nfile_type2=abcdefg\nfile_type3=表表表");
  SettingsForm form = FormFromSettings(s);  // applied: the entry the combo text names, "" none
  auto pick = [&](const char* text) { return s.fileselect = 9, form.fileType = text, ApplyForm(form, s), s.fileselect; };
  for (const auto& [text, selected] : {std::pair{"abcdefgh", 2}, {"DWG", 1}, {"Dwg", 0}, {"", 0}, {"表表表表", 3}, {"dwg", 0}})
    EXPECT_EQ(pick(text), selected) << text;
  EXPECT_EQ(FindFileType(s, "none"), -1);
  form.p = std::string(300, 'p'), form.op_m1 = std::string(31, 'a') + "ソソ", form.op_m2 = std::string(62, 'b') + "ソ";
  form.offTim = "\t 12abc", form.offSize = "123456789012345678";  // 15 bytes read, wrapping
  for (const auto& w : {Ints{0, 1, 0, 0, 0}, {1, 0, 1, 1, 1}, {1, 0, 0, 1, 9}}) {  // the boxes: off_mode, apri_end
    form.forceEnd = w[0], form.endByWindows = w[1], form.endByTerminate = w[2], s.apri_end = 9, ApplyForm(form, s);
    EXPECT_EQ(Ints({s.off_mode, s.apri_end}), Ints(w.begin() + 3, w.end()));  // neither radio: the way is kept
  }
  EXPECT_EQ(Texts({s.p, s.op_m1, s.op_m2}), Texts({std::string(255, 'p'), form.op_m1, std::string(62, 'b')}));
  EXPECT_EQ(Ints({s.off_tim, s.off_size}), Ints({12, static_cast<int32_t>(123456789012345u & 0xFFFFFFFFu)}));
  for (auto& t : s.file_type) std::strcpy(t, "x");  // one-byte entries as many as the table holds,
  s.filetypemax = s.fileselect = 1000;              // and counts possible only in memory
  EXPECT_EQ(FormFromSettings(s).fileTypes.size(), 64u);
}

TEST(SettingsForm, RegisteringAnExtension) {
  using R = RegisterOutcome;
  Settings s = Load("filetypemax=1\nfile_type0=dwg");
  for (const auto& [text, outcome] : {std::pair{"", R::kEmpty}, {"dwg", R::kDuplicate}, {"DWG", R::kAdded},
           {"dwgdwgdwg", R::kAdded}, {"dwgdwgdX", R::kDuplicate}, {"図面図面", R::kAdded}, {"ab\x83", R::kAdded}})
    EXPECT_EQ(RegisterFileType(s, text), outcome) << text;
  EXPECT_EQ(FormFromSettings(s).fileTypes, Texts({"dwg", "DWG", "dwgdwgd", "図面図", "ab"}));
  for (int n = s.filetypemax; n < kMaxFileTypes; ++n) RegisterFileType(s, "n" + std::to_string(n));
  EXPECT_EQ(RegisterFileType(s, "new"), R::kFull);
  s.filetypemax = -1;  // possible only in memory
  EXPECT_EQ(RegisterFileType(s, "first"), R::kAdded);
  EXPECT_EQ(Value(s, "file_type0") + Value(s, "filetypemax"), "first1");
}
