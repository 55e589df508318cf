// Code page 932 texts, the small formatters built on them and the name a
// found entry keeps. One TEST per rule: a table of cases and one loop.
#include <climits>

#include "common/cp932.h"
#include "common/help_address.h"
#include "filelist/found_name.h"
#include "filelist/row_text.h"
#include "runner/status_format.h"
#include "tests/native/check.h"

// EndsWithBackslash and LastBackslash are pinned by the path tests, through ソ, 表 and 能 (trail byte 0x5C).
TEST(Cp932, LeadBytesMatchesAndCutsStepByCharacters) {
  for (int c : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(cp932::IsLeadByte(c)) << c;
  for (int c : {0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(cp932::IsLeadByte(c)) << c;
  // ア is 83 41
  EXPECT_EQ(Ints({cp932::Contains("ア.dwg", "A"), cp932::Contains("A1.dwg", "dwg")}), Ints({0, 1}));
  const std::tuple<const char*, size_t, size_t> cuts[] = {
      // text, its length, the bytes kept of at most 7
      {"abcdefソ", 8, 6},  // ソ would straddle the limit
      {"ab\x83Z", 3, 2},   // a lead byte whose trail byte lies beyond the length
      {"\x83\0b", 3, 0},   // or is a zero
      {"abcdef", 3, 3},
  };
  for (const auto& [text, length, kept] : cuts) EXPECT_EQ(cp932::CutLength(text, length, 7), kept) << text;
}

TEST(HelpAddress, BlanksHashesPercentsAndQuestionMarksAreEscapedCharactersKeptWhole) {
  const std::pair<const char*, std::string> programs[] = {
      {"D:\\ソ\\表\\p.exe", "file:///D:/ソ/表/help/"},  // their trail bytes 0x5C stay
      {"E:\\a b#1\\100%\\why?\\p.exe", "file:///E:/a%20b%231/100%25/why%3F/help/"},
  };
  for (const auto& [program, folder] : programs) {
    const std::string address = folder + kToolHelpPage;
    std::string out(address.size() + 2, 'x');  // the address, its zero and a guard byte
    EXPECT_FALSE(BuildHelpAddress(program, kToolHelpPage, &out[0], address.size())) << program;
    EXPECT_TRUE(BuildHelpAddress(program, kToolHelpPage, &out[0], address.size() + 1)) << program;
    EXPECT_EQ(out, address + '\0' + 'x');
  }
}

// The status bar's limit text, in a field of kLimitTextSize bytes and a guard byte.
static std::string LimitText(int32_t offMode, int32_t seconds) {
  return Filled(kLimitTextSize, [&](char* out) { FormatLimitText(offMode, seconds, out, kLimitTextSize); });
}

TEST(StatusTexts, TheLimitTextHoldsEveryNumberWhole) {
  EXPECT_EQ(LimitText(0, 125), Zeroed("ﾀｲﾏｰOFF", kLimitTextSize) + "x");
  EXPECT_EQ(LimitText(1, -600000010), Zeroed("-10000000分-10秒", kLimitTextSize) + "x");
  EXPECT_EQ(std::string(RunStateText(0)) + RunStateText(-1), "停止中動作中");
}

TEST(FileRows, KilobytesOfAThousandBytesDatesWithinTheirFieldAndTheNameToKeep) {
  // the last one beyond 32 bits
  EXPECT_EQ(Ints({SizeInKilobytes(0, 0), SizeInKilobytes(0, 0xFFFFFFFF), SizeInKilobytes(1, 0)}),
            Ints({1, 4294967, -1}));
  auto date = [](char* out) { FormatDateText(INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, out); };
  EXPECT_EQ(Filled(40, date).find('\0'), 39u);
  const char *name = "図.dwg", *shortName = "ABCDEF~1.DWG";
  EXPECT_EQ(UsableName(name, true, shortName, true), name);
  EXPECT_EQ(UsableName("", true, shortName, true), shortName);
  EXPECT_EQ(UsableName(name, false, shortName, true), shortName);  // a character was lost on the way
  EXPECT_EQ(UsableName(name, false, "", true), nullptr);           // and the entry has no short name
  EXPECT_EQ(UsableName(name, false, shortName, false), nullptr);
}
