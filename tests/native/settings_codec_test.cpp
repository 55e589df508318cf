#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/lenient_number.h"
#include "settings/settings.h"

namespace {

Settings Load(const std::string& text, size_t chunk = 288) {
  Settings s;
  ResetSettings(s);
  SettingsTextReader reader(s);
  for (size_t i = 0; i < text.size(); i += chunk) reader.Feed(text.data() + i, std::min(chunk, text.size() - i));
  reader.Finish();
  return s;
}

const char kDefaults[] =
    "filetypemax=0\r\nfileselect=0\r\nf=c:\\\r\np=\r\nop_m1=\r\nop_m2=\r\n"
    "off_mode=0\r\noff_tim=0\r\napri_end=0\r\noff_size=0\r\n";

}  // namespace

TEST(SettingsFormat, DefaultsAreTheTenLinesInFixedOrder) {
  Settings s;
  ResetSettings(s);
  EXPECT_EQ(FormatSettings(s), kDefaults);
}

TEST(SettingsFormat, RoundTripKeepsEveryFieldAndWritesApriEndBeforeOffSize) {
  const std::string text =
      "filetypemax=3\r\nfile_type0=dwg\r\nfile_type1=\r\nfile_type2=dxf\r\nfileselect=2\r\n"
      "f=d:\\図面\\ソフト\r\np=C:\\bin\\viewer.exe\r\nop_m1=/p \r\nop_m2= /q\r\n"
      "off_mode=1\r\noff_tim=-30\r\napri_end=1\r\noff_size=1000\r\n";
  Settings s = Load(text);
  EXPECT_EQ(s.filetypemax, 3);
  EXPECT_STREQ(s.file_type[2], "dxf");
  EXPECT_STREQ(s.file_type[1], "");
  EXPECT_STREQ(s.f, "d:\\図面\\ソフト");
  EXPECT_STREQ(s.op_m1, "/p ");  // trailing blank is part of the value
  EXPECT_EQ(s.off_tim, -30);
  EXPECT_EQ(FormatSettings(s), text);
}

TEST(SettingsRead, ChunkSizeNeverChangesTheResult) {
  std::string text = "p=" + std::string(250, 'x') + "\r\n" + "f=" + std::string(255, 'y') + "\r\noff_tim=45\r\n";
  Settings whole = Load(text, text.size());
  for (size_t chunk : {1u, 7u, 287u, 288u, 289u}) {
    Settings s = Load(text, chunk);
    EXPECT_EQ(std::memcmp(&s, &whole, sizeof s), 0) << "chunk " << chunk;
  }
  EXPECT_EQ(std::strlen(whole.f), 255u);
  EXPECT_EQ(whole.off_tim, 45);
}

TEST(SettingsRead, LineEndsBareLfAndMissingFinalEnd) {
  // A bare LF keeps every byte; a CR before it is dropped.
  Settings s = Load("off_tim=30\nf=c:\\dwg\n");
  EXPECT_EQ(s.off_tim, 30);
  EXPECT_STREQ(s.f, "c:\\dwg");
  // The last line counts even without its line end.
  s = Load("off_tim=5\r\noff_size=12");
  EXPECT_EQ(s.off_size, 12);
  s = Load("p=a\r\n\r\n\n\r\nop_m1=b\r");
  EXPECT_STREQ(s.p, "a");
  EXPECT_STREQ(s.op_m1, "b");
}

TEST(SettingsRead, KeysAreExactAndCaseSensitive) {
  Settings s = Load(" f=x\r\nF=y\r\nP=z\r\noff_tim =4\r\nOFF_MODE=1\r\nunknown=3\r\n");
  EXPECT_STREQ(s.f, "c:\\");
  EXPECT_STREQ(s.p, "");
  EXPECT_EQ(s.off_tim, 0);
  EXPECT_EQ(s.off_mode, 0);
  s = Load("p=first\r\np=second\r\n");
  EXPECT_STREQ(s.p, "second");
}

TEST(SettingsRead, FileTypeLinesCountOnlyBelowAnEarlierMaximum) {
  Settings s = Load("file_type0=dwg\r\nfiletypemax=1\r\nfile_type1=dxf\r\n");
  EXPECT_STREQ(s.file_type[0], "");
  EXPECT_STREQ(s.file_type[1], "");
  s = Load("filetypemax=1\r\nfile_type0=dwg\r\nfile_type00=bad\r\n");
  EXPECT_STREQ(s.file_type[0], "dwg");
  s = Load("filetypemax=2\r\nfile_type0=dwg\r\n");
  EXPECT_EQ(FormatSettings(s).find("file_type1=\r\n") != std::string::npos, true);
}

TEST(SettingsRead, OverLimitInputStaysInsideTheRecord) {
  // A line over 287 bytes is skipped whole; the next line still applies.
  Settings s = Load("p=" + std::string(300, 'q') + "\r\noff_tim=7\r\n");
  EXPECT_STREQ(s.p, "");
  EXPECT_EQ(s.off_tim, 7);
  // Exactly 287 bytes before the LF (with the CR) is still read.
  s = Load("f=" + std::string(284, 'a') + "\r\n");
  EXPECT_EQ(std::strlen(s.f), 255u);
  // Values are cut at their field's size.
  s = Load("filetypemax=1\r\nfile_type0=abcdefghij\r\nop_m2=" + std::string(100, 'o') + "\r\n");
  EXPECT_STREQ(s.file_type[0], "abcdefg");
  EXPECT_EQ(std::strlen(s.op_m2), 63u);
  // Counts are clamped to the table.
  s = Load("filetypemax=1000\r\nfileselect=99\r\n");
  EXPECT_EQ(s.filetypemax, 64);
  EXPECT_EQ(s.fileselect, 63);
  s = Load("filetypemax=-5\r\nfileselect=-1\r\n");
  EXPECT_EQ(s.filetypemax, 0);
  EXPECT_EQ(s.fileselect, 0);
  EXPECT_STREQ(SelectedFileType(s), "");
  // A number text is read from its first 31 bytes only.
  s = Load("off_tim=" + std::string(30, '0') + "12\r\n");
  EXPECT_EQ(s.off_tim, 1);
}

TEST(SettingsRead, TenMegabyteLineIsSkippedAndReadingGoesOn) {
  std::string text = "off_tim=5\r\np=" + std::string(10 * 1024 * 1024, 'z') + "\r\noff_size=9\r\n";
  Settings s = Load(text);
  EXPECT_EQ(s.off_tim, 5);
  EXPECT_STREQ(s.p, "");
  EXPECT_EQ(s.off_size, 9);
  // The same without any line end at all: nothing applies, nothing overruns.
  s = Load("f=" + std::string(10 * 1024 * 1024, 'y'));
  EXPECT_STREQ(s.f, "c:\\");
}

TEST(LenientNumber, ReadsLikeTheSettingsFileAndDialog) {
  EXPECT_EQ(ParseLenientInt(" 45s", 31), 45);
  EXPECT_EQ(ParseLenientInt("\t\n+7", 31), 7);
  EXPECT_EQ(ParseLenientInt("abc", 31), 0);
  EXPECT_EQ(ParseLenientInt("", 31), 0);
  EXPECT_EQ(ParseLenientInt("-3", 31), -3);
  EXPECT_EQ(ParseLenientInt("- 3", 31), 0);
  EXPECT_EQ(ParseLenientInt("12abc", 15), 12);
  EXPECT_EQ(ParseLenientInt("4294967297", 31), 1);  // wraps in 32 bits
  EXPECT_EQ(ParseLenientInt("2147483648", 31), INT32_MIN);
  EXPECT_EQ(ParseLenientInt("123456", 3), 123);
}
