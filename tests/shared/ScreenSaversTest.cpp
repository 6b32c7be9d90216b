// The installed screen savers: display names, the listing of a folder, the folders' order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Fakes.h"
#include "ScreenSavers.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

namespace {

TEST(ScrDisplayName, TheElevenSaversOfWindowsByNameAndAnyOtherByItsLowerCaseBase) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"SSSTARS.SCR", L"飞越星空"},     {L"logon.scr", L"WINDOWS XP"},   {L"Bubbles.scr", L"bubbles"},
      {L"scrnsave.scr", L"空白"},         {L"ss3dfo.scr", L"三维飞行物"},  {L"ssbezier.scr", L"贝塞尔曲线"},
      {L"ssflwbox.scr", L"三维花盒"},     {L"SSMyst.Scr", L"变幻线"},      {L"ssmarque.scr", L"字幕"},
      {L"ssmypics.scr", L"图片收藏幻片"}, {L"sspipes.scr", L"三维管道"},   {L"sstext3d.scr", L"三维文字"},
      // Only the last extension goes; the rest of the name is compared whole.
      {L"ssstars.old.scr", L"ssstars.old"}, {L"ssstars2.scr", L"ssstars2"}, {L"ssstars", L"飞越星空"},
      // Only ASCII letters are lowered.
      {L"ÄRGER.scr", L"Ärger"}, {L"星空.SCR", L"星空"},
  };
  for (const auto& [file, name] : cases) EXPECT_EQ(Narrow(ScrDisplayName(file)), Narrow(name)) << Narrow(file);
}

TEST(ListScrFiles, EveryScrFileWithItsPathAndNameButNoFolderOrOtherFile) {
  TestFolder folder(L"qvscr");
  WriteBytes(folder / L"Bubbles.scr", "MZ");
  WriteBytes(folder / L"SSSTARS.SCR", "MZ");
  WriteBytes(folder / L"readme.txt", "x");
  WriteBytes(folder / L"ssstars.scr.bak", "x");
  // A folder named like a saver would open as a folder.
  ASSERT_TRUE(CreateDirectoryW((folder / L"album.scr").c_str(), nullptr));
  std::vector<ScrEntry> found = ListScrFiles(folder.Path());
  std::vector<std::wstring> paths, names;
  for (const ScrEntry& e : found) {
    paths.push_back(e.Path);
    names.push_back(e.Name);
  }
  std::sort(paths.begin(), paths.end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(paths, (std::vector<std::wstring>{folder / L"Bubbles.scr", folder / L"SSSTARS.SCR"}));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"bubbles", L"飞越星空"}));
  EXPECT_TRUE(ListScrFiles(folder / L"missing").empty());
}

TEST(ListSystemScrFiles, TheWindowsFolderThenTheSystemFolderWithDoublesKept) {
  EXPECT_EQ(ScrFolders(), (std::vector<std::wstring>{GetWinDir(), GetSysDir()}));
  TestFolder first(L"qvscr1"), second(L"qvscr2");
  WriteBytes(first / L"b.scr", "MZ");
  WriteBytes(second / L"a.scr", "MZ");
  WriteBytes(second / L"logon.scr", "MZ");
  SetScrFolders({first.Path(), second.Path(), first.Path()});
  std::vector<ScrEntry> all = ListSystemScrFiles();
  SetScrFolders({});
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].Path, first / L"b.scr");
  EXPECT_EQ(all[3].Path, first / L"b.scr") << "no check for doubles";
  std::vector<std::wstring> middle{all[1].Name, all[2].Name};
  std::sort(middle.begin(), middle.end());
  EXPECT_EQ(middle, (std::vector<std::wstring>{L"WINDOWS XP", L"a"}));
  EXPECT_EQ(ScrFolders(), (std::vector<std::wstring>{GetWinDir(), GetSysDir()})) << "an empty list is the system's";
}

}  // namespace
