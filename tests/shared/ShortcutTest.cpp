// Shell links, read back through the shell's own link object under Wine.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "Classes.h"
#include "Fakes.h"
#include "Handles.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

TEST(CreateShortcut, SavesALinkWithPathArgumentsFolderAndDescription) {
  TestFolder dir;
  const std::wstring link = dir / L"休息提醒.lnk";
  EXPECT_TRUE(CreateShortcut(L"C:\\windows\\notepad.exe", L"/x 1", link, L"Restalon"));
  ASSERT_TRUE(FileExists(link));
  LinkData d = ReadLink(link);
  EXPECT_EQ(UpperCase(d.path), L"C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(d.args, L"/x 1");
  EXPECT_EQ(UpperCase(d.dir), L"C:\\WINDOWS\\");
  EXPECT_EQ(d.description, L"Restalon");
}

TEST(CreateShortcut, TheExtensionIsComparedWithoutLetterCase) {
  TestFolder dir;
  EXPECT_TRUE(CreateShortcut(L"C:\\windows\\notepad.exe", L"", dir / L"a.Lnk", L"d"));
  EXPECT_TRUE(FileExists(dir / L"a.Lnk"));
}

TEST(CreateShortcut, AnotherExtensionRaisesBeforeAnythingIsMade) {
  TestFolder dir;
  try {
    CreateShortcut(L"C:\\windows\\notepad.exe", L"", dir / L"a.url", L"d");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"快捷方式的扩展名必须是 ′LNK′!");
  }
  EXPECT_FALSE(FileExists(dir / L"a.url"));
}

TEST(CreateShortcut, ALinkThatCannotBeSavedReportsFalse) {
  TestFolder dir;
  EXPECT_FALSE(CreateShortcut(L"C:\\windows\\notepad.exe", L"", dir / L"missing\\a.lnk", L"d"));
}

TEST(AddShortcut, CreatesTheFolderLinksTheRunningProgramAndConfirms) {
  ShellFoldersInTestFolder folders;
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  const std::wstring folder = GetShellFolder(L"Programs") + L"\\" + kShortcutFolderName;
  EXPECT_TRUE(AddShortcut(folder, L"Restavo", L"Restalon"));
  const std::wstring link = folder + L"\\Restavo.lnk";
  ASSERT_TRUE(FileExists(link));
  LinkData d = ReadLink(link);
  EXPECT_EQ(UpperCase(d.path), UpperCase(OwnExePath()));
  EXPECT_EQ(d.args, L"");
  EXPECT_EQ(UpperCase(d.dir), UpperCase(OwnExeFolder() + L"\\"));
  EXPECT_EQ(d.description, L"Restalon");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].owner, nullptr);
  EXPECT_EQ(dialogs.shown[0].text, L"添加成功！");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1040u);
}

TEST(AddShortcut, OnTheDesktopFolderAsItIs) {
  ShellFoldersInTestFolder folders;
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  EXPECT_TRUE(AddShortcut(GetShellFolder(L"Desktop"), L"Sonavista", L"Sonaplay"));
  EXPECT_TRUE(FileExists(folders.desktop + L"\\Sonavista.lnk"));
}

TEST(AddShortcut, AFolderThatCannotBeMadeGivesAFailureNoticeNotSuccess) {
  ShellFoldersInTestFolder folders;
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  EXPECT_FALSE(AddShortcut(folders.root / L"a\\b", L"Deskora", L"Deskorax"));  // two levels missing
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text, L"添加成功！");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示：");
  EXPECT_TRUE(dialogs.shown[0].flags & MB_SYSTEMMODAL);
  EXPECT_FALSE(DirectoryExists(folders.root / L"a"));
}

TEST(AddShortcut, AnEmptyShellFolderBuildsNothingAtADriveRoot) {
  ShellFoldersInTestFolder folders;
  folders.key.SetString(L"Shell Folders", L"Programs", L"");
  RecordingShell shell;
  shell.knownFolder = [](REFKNOWNFOLDERID) { return std::wstring(); };
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  const std::wstring folder = GetShellFolder(L"Programs") + L"\\" + kShortcutFolderName;
  EXPECT_EQ(folder, std::wstring(L"\\") + kShortcutFolderName);
  EXPECT_FALSE(AddShortcut(folder, L"Restavo", L"Restalon"));
  EXPECT_FALSE(DirectoryExists(folder));
  EXPECT_FALSE(DirectoryExists(std::wstring(L"C:\\") + kShortcutFolderName));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text, L"添加成功！");
}

}  // namespace
