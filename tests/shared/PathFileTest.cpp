// The path files under <AppData>\Quovel, with the shell folders moved into a test folder.
#include <gtest/gtest.h>

#include "Classes.h"
#include "Fakes.h"
#include "Handles.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

TEST(PathFile, FolderIsQuovelUnderAppData) {
  ShellFoldersInTestFolder folders;
  EXPECT_EQ(PathFileFolder(), folders.appData + L"\\Quovel");
}

TEST(PathFile, MissingFileReadsEmpty) {
  ShellFoldersInTestFolder folders;
  EXPECT_EQ(ReadPathFile(L"dir1"), L"");
  CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
  EXPECT_EQ(ReadPathFile(L"dir1"), L"");
}

TEST(PathFile, ReadsLineOneOnly) {
  ShellFoldersInTestFolder folders;
  const std::wstring dir = folders.appData + L"\\Quovel";
  CreateDirectoryW(dir.c_str(), nullptr);
  // "C:\休息\breakwarden.exe" in GBK.
  WriteBytes(dir + L"\\dir1", "C:\\\xD0\xDD\xCF\xA2\\breakwarden.exe\r\n30\r\n");
  EXPECT_EQ(ReadPathFile(L"dir1"), L"C:\\休息\\breakwarden.exe");
  WriteBytes(dir + L"\\dir3", "C:\\only.exe");
  EXPECT_EQ(ReadPathFile(L"dir3"), L"C:\\only.exe");
  WriteBytes(dir + L"\\dir4", "\r\nC:\\second.exe\r\n");
  EXPECT_EQ(ReadPathFile(L"dir4"), L"");
}

TEST(PathFile, AFileThatExistsButCannotBeOpenedRaisesTheFileError) {
  ShellFoldersInTestFolder folders;
  const std::wstring dir = folders.appData + L"\\Quovel";
  CreateDirectoryW(dir.c_str(), nullptr);
  WriteBytes(dir + L"\\dir1", "C:\\x.exe\r\n30\r\n");
  FileHandle h(
      CreateFileW((dir + L"\\dir1").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_NE(h.get(), INVALID_HANDLE_VALUE);
  EXPECT_THROW(ReadPathFile(L"dir1"), EInOutError);
}

TEST(PathFile, WriteCreatesTheMissingQuovelFolderAndWritesGbkCrLf) {
  ShellFoldersInTestFolder folders;
  EXPECT_TRUE(WritePathFile(L"dir1", L"C:\\休息\\breakwarden.exe", L"30"));
  EXPECT_EQ(ReadBytes(folders.appData + L"\\Quovel\\dir1"), "C:\\\xD0\xDD\xCF\xA2\\breakwarden.exe\r\n30\r\n");
  EXPECT_EQ(ReadPathFile(L"dir1"), L"C:\\休息\\breakwarden.exe");
}

TEST(PathFile, WriteIntoTheExistingFolderOfAMissingFile) {
  ShellFoldersInTestFolder folders;
  CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
  EXPECT_TRUE(WritePathFile(L"dir3", L"C:\\q\\saverdeck.exe", L"25"));
  EXPECT_EQ(ReadBytes(folders.appData + L"\\Quovel\\dir3"), "C:\\q\\saverdeck.exe\r\n25\r\n");
}

TEST(PathFile, AnUnchangedPathIsNotWrittenEvenWithAnotherVersion) {
  ShellFoldersInTestFolder folders;
  ASSERT_TRUE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"));
  EXPECT_FALSE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"31"));
  EXPECT_EQ(ReadBytes(folders.appData + L"\\Quovel\\dir1"), "C:\\q\\breakwarden.exe\r\n30\r\n");
}

TEST(PathFile, AnExistingPathGbkCannotHoldIsWrittenAsItsShortFormOnceOnly) {
  ShellFoldersInTestFolder folders;
  TestFolder exeFolder;
  // "ß" and "가" have no GBK code: the file keeps the short form, which opens the same file.
  const std::wstring dir = exeFolder / L"Straße 가";
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  const std::wstring path = dir + L"\\breakwarden.exe";
  WriteBytes(path, "MZ");
  ASSERT_TRUE(WritePathFile(L"dir1", path, L"30"));
  const std::wstring line = ReadPathFile(L"dir1");
  EXPECT_EQ(line.find(L'?'), std::wstring::npos) << Narrow(line);
  EXPECT_EQ(ReadBytes(line), "MZ");
  EXPECT_TRUE(PathFileHolds(line, path));
  EXPECT_TRUE(PathFileNamesExe(line, path));
  EXPECT_FALSE(WritePathFile(L"dir1", path, L"31")) << "rewritten at every start";
  EXPECT_EQ(ReadBytes(folders.appData + L"\\Quovel\\dir1").substr(line.size()), "\r\n30\r\n");
  EXPECT_TRUE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"));
}

TEST(PathFile, APathGbkCannotHoldInAnyFormWritesNothing) {
  ShellFoldersInTestFolder folders;
  ASSERT_TRUE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"));
  // A missing file has no short form: "C:\Stra?e\?\..." would name another file.
  EXPECT_FALSE(WritePathFile(L"dir1", L"C:\\Straße\\가\\breakwarden.exe", L"30"));
  EXPECT_EQ(ReadBytes(folders.appData + L"\\Quovel\\dir1"), "C:\\q\\breakwarden.exe\r\n30\r\n");
  EXPECT_FALSE(PathFileHolds(ReadPathFile(L"dir1"), L"C:\\Straße\\가\\breakwarden.exe"));
}

TEST(PathFile, APathDifferingOnlyInLetterCaseRewritesTheFile) {
  ShellFoldersInTestFolder folders;
  ASSERT_TRUE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"));
  EXPECT_TRUE(WritePathFile(L"dir1", L"C:\\Q\\breakwarden.exe", L"30"));
  EXPECT_EQ(ReadPathFile(L"dir1"), L"C:\\Q\\breakwarden.exe");
}

TEST(PathFile, AFolderThatCannotBeCreatedReturnsFalse) {
  ShellFoldersInTestFolder folders;
  // Only one level is created: an AppData folder that does not exist makes the write fail.
  folders.key.SetString(L"Shell Folders", L"AppData", folders.root / L"gone\\AppData");
  EXPECT_FALSE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"));
  EXPECT_FALSE(DirectoryExists(folders.root / L"gone"));
}

TEST(PathFile, AFileThatCannotBeWrittenRaisesTheFileError) {
  ShellFoldersInTestFolder folders;
  const std::wstring dir = folders.appData + L"\\Quovel";
  CreateDirectoryW(dir.c_str(), nullptr);
  CreateDirectoryW((dir + L"\\dir1").c_str(), nullptr);  // a folder where the file should be
  EXPECT_THROW(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"), EInOutError);
}

TEST(PathFile, NoAppDataAnywhereReadsEmptyAndWritesNothing) {
  ShellFoldersInTestFolder folders;
  folders.key.SetString(L"Shell Folders", L"AppData", L"");
  RecordingShell shell;
  shell.knownFolder = [](REFKNOWNFOLDERID) { return std::wstring(); };
  EXPECT_EQ(PathFileFolder(), L"");
  EXPECT_EQ(ReadPathFile(L"dir1"), L"");
  EXPECT_FALSE(WritePathFile(L"dir1", L"C:\\q\\breakwarden.exe", L"30"));
  // Nothing was built at a drive root.
  EXPECT_FALSE(DirectoryExists(L"\\Quovel"));
  EXPECT_FALSE(DirectoryExists(L"C:\\Quovel"));
}

TEST(PathFile, AnEmptyAppDataValueUsesTheKnownFolder) {
  ShellFoldersInTestFolder folders;
  folders.key.SetString(L"Shell Folders", L"AppData", L"");
  RecordingShell shell;
  const std::wstring known = folders.root / L"Known";
  CreateDirectoryW(known.c_str(), nullptr);
  shell.knownFolder = [&](REFKNOWNFOLDERID id) {
    return IsEqualGUID(id, FOLDERID_RoamingAppData) ? known : std::wstring();
  };
  EXPECT_TRUE(WritePathFile(L"dir3", L"C:\\q\\saverdeck.exe", L"25"));
  EXPECT_TRUE(FileExists(known + L"\\Quovel\\dir3"));
  EXPECT_EQ(ReadPathFile(L"dir3"), L"C:\\q\\saverdeck.exe");
}

}  // namespace
