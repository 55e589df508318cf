// The add-files command: the open-file dialog's set-up and its results.
#include <windows.h>

#include <cstring>

#include "filelist/file_list.h"
#include "gather_fixture.h"
#include "resource.h"

namespace {

// Answers the open-file dialog with a result buffer of bytes and the offset
// of the first name, as GetOpenFileNameA would.
std::function<BOOL(OPENFILENAMEA*)> Choose(const std::string& bytes, size_t offset) {
  return [bytes, offset](OPENFILENAMEA* ofn) -> BOOL {
    std::memset(ofn->lpstrFile, 0, ofn->nMaxFile);
    std::memcpy(ofn->lpstrFile, bytes.data(), bytes.size());
    ofn->nFileOffset = static_cast<WORD>(offset);
    return TRUE;
  };
}

// Several names of one folder: folder, zero, names each with a zero, zero.
std::function<BOOL(OPENFILENAMEA*)> ChooseSeveral(const std::string& folder, const std::vector<std::string>& names) {
  std::string bytes = folder + '\0';
  for (const auto& name : names) bytes += name + '\0';
  return Choose(bytes + '\0', folder.size() + 1);
}

}  // namespace

using GatherAddFiles = GatherTest;

TEST_F(GatherAddFiles, DialogStartsAtFWithTheSelectedExtension) {
  std::string t = NewTree(dir);
  MakeFile(t + "\\plan.dxf", 4500);
  Preset(t, 1);
  StartApp();
  int shown = 0;
  OnOpenFile([&](OPENFILENAMEA* ofn) -> BOOL {
    ++shown;
    EXPECT_EQ(ofn->lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(ofn->hwndOwner, main);
    EXPECT_EQ(std::string(ofn->lpstrFilter, 46), std::string("File(*.dxf)\0*.dxf\0AllFile(*.*)\0*.*\0\0", 36) +
                                                     std::string(10, '\0'));
    EXPECT_EQ(ofn->nFilterIndex, 1u);
    EXPECT_EQ(ofn->nMaxFile, 2048u);
    EXPECT_STREQ(ofn->lpstrFile, t.c_str());
    EXPECT_STREQ(ofn->lpstrTitle, "ファイル読み出し");
    EXPECT_EQ(ofn->Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_ALLOWMULTISELECT));
    EXPECT_EQ(ofn->lpstrInitialDir, nullptr);
    EXPECT_EQ(ofn->lpstrDefExt, nullptr);
    EXPECT_EQ(ofn->lpfnHook, nullptr);
    return Choose(t + "\\plan.dxf", t.size() + 1)(ofn);
  });
  Command(IDT_ADD_FILES);
  EXPECT_EQ(shown, 1);
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Rows()[0].name, "plan.dxf");
  EXPECT_EQ(Rows()[0].folder, t);
  EXPECT_EQ(Rows()[0].size, "4");
  EXPECT_EQ(CurrentFolder(), t);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherAddFiles, SeveralFilesAndAVanishedOne) {
  std::string t = NewTree(dir);
  MakeFile(t + "\\a.dwg");
  MakeFile(t + "\\ソ.dwg");
  MakeFile(t + "\\Mixed.DWG");
  Preset("c:\\");
  StartApp();
  AppendRow("before.dwg", "x", "", 1, 0);
  OnOpenFile(ChooseSeveral(t, {"a.dwg", "gone.dwg", "ソ.dwg", "mixed.dwg"}));
  Command(IDM_ADD_FILES);
  // The name as the file system stores it, after the row already there.
  EXPECT_EQ(Names(), (std::vector<std::string>{"before.dwg", "a.dwg", "ソ.dwg", "Mixed.DWG"}));
  EXPECT_EQ(Rows()[3].folder, t);
  ExpectBoxes(1, main, "読込出来ません！", "ファイル追加操作", MB_ICONWARNING);
  EXPECT_EQ(CurrentFolder(), t);
  // Every name gone: one warning each, and f is still recorded.
  std::string other = NewTree(dir, "other");
  OnOpenFile(ChooseSeveral(other, {"x.dwg", "y.dwg"}));
  Command(IDM_ADD_FILES);
  EXPECT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(RowCount(), 4);
  EXPECT_EQ(CurrentFolder(), other);
}

TEST_F(GatherAddFiles, FilesOfARootGiveTheDriveAlone) {
  std::string u = Unique();
  std::string a = "gt-a-" + u + ".dwg", b = "gt-b-" + u + ".dwg";
  MakeFile("d:\\" + a);
  MakeFile("d:\\" + b);
  RemoveLater("d:\\" + a);
  RemoveLater("d:\\" + b);
  Preset("c:\\");
  StartApp();
  OnOpenFile(Choose("d:\\" + a, 3));
  Command(IDT_ADD_FILES);
  OnOpenFile(ChooseSeveral("d:\\", {b, a}));
  Command(IDT_ADD_FILES);
  std::vector<FileRowTexts> rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, a);
  EXPECT_EQ(rows[1].name, b);
  for (const auto& row : rows) EXPECT_EQ(row.folder, "d:");
  EXPECT_EQ(CurrentFolder(), "d:");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherAddFiles, FolderEndingInSoOrHyoIsNotCut) {
  // ソ and 表 end in the byte of "\": the folder keeps them whole.
  std::string t = NewTree(dir);
  for (const char* sub : {"\\ソ", "\\表"}) {
    MakeDir(t + sub);
    MakeFile(t + sub + "\\a.dwg");
    MakeFile(t + sub + "\\b.dwg");
  }
  Preset("c:\\");
  StartApp();
  OnOpenFile(ChooseSeveral(t + "\\ソ", {"a.dwg", "b.dwg"}));
  Command(IDT_ADD_FILES);
  OnOpenFile(Choose(t + "\\表\\a.dwg", t.size() + 4));
  Command(IDT_ADD_FILES);
  std::vector<FileRowTexts> rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].folder, t + "\\ソ");
  EXPECT_EQ(rows[2].folder, t + "\\表");
  EXPECT_EQ(CurrentFolder(), t + "\\表");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(GatherAddFiles, CancelAndFarOffsetChangeNothing) {
  Preset("c:\\windows");
  StartApp();
  OnOpenFile([](OPENFILENAMEA*) -> BOOL { return FALSE; });
  Command(IDT_ADD_FILES);
  std::string farFolder = "c:\\" + std::string(253, 'f');  // the name begins at 257
  OnOpenFile(ChooseSeveral(farFolder, {"a.dwg"}));
  Command(IDT_ADD_FILES);
  EXPECT_EQ(RowCount(), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(CurrentFolder(), "c:\\windows");
}

TEST_F(GatherAddFiles, FullPathBeyond255BytesIsWarnedAbout) {
  std::string t = NewTree("d:\\");
  std::string deep = DeepFolder(t + "\\deep", 250);
  MakeFile(deep + "\\ok.dw");   // 256 bytes in all: too long
  MakeFile(deep + "\\a.dw");    // 255 bytes: fits
  Preset("c:\\");
  StartApp();
  OnOpenFile(ChooseSeveral(deep, {"ok.dw", "a.dw"}));
  Command(IDT_ADD_FILES);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.dw"});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "ファイル追加操作");
  EXPECT_EQ(CurrentFolder(), deep);
}
