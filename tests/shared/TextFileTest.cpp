// The GBK text-file pair: ReadTextLines / WriteTextLines.
#include <gtest/gtest.h>

#include "Classes.h"
#include "Fakes.h"
#include "Handles.h"
#include "ShellFakes.h"
#include "TextFile.h"

namespace {

using Lines = std::vector<std::wstring>;

TEST(TextFile, ReadsCrLfAndLfLinesInGbk) {
  TestFolder dir;
  // "请勿更改" in GBK, then an empty line, then "b" with LF only, then "c" without an end.
  WriteBytes(dir / L"a.txt", "\xC7\xEB\xCE\xF0\xB8\xFC\xB8\xC4\r\n\r\nb\nc");
  EXPECT_EQ(ReadTextLines(dir / L"a.txt"), (Lines{L"请勿更改", L"", L"b", L"c"}));
}

TEST(TextFile, EmptyFileHasNoLinesAndAFinalEndMakesNoExtraLine) {
  TestFolder dir;
  WriteBytes(dir / L"e.txt", "");
  EXPECT_TRUE(ReadTextLines(dir / L"e.txt").empty());
  WriteBytes(dir / L"one.txt", "x\r\n");
  EXPECT_EQ(ReadTextLines(dir / L"one.txt"), (Lines{L"x"}));
  WriteBytes(dir / L"blank.txt", "\r\n");
  EXPECT_EQ(ReadTextLines(dir / L"blank.txt"), (Lines{L""}));
}

TEST(TextFile, NoLineLengthLimit) {
  TestFolder dir;
  std::string longLine(200000, 'q');
  WriteBytes(dir / L"long.txt", longLine + "\r\nend\r\n");
  Lines lines = ReadTextLines(dir / L"long.txt");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 200000u);
  EXPECT_EQ(lines[1], L"end");
}

TEST(TextFile, MissingFileRaisesInOutError) {
  TestFolder dir;
  EXPECT_THROW(ReadTextLines(dir / L"none.txt"), EInOutError);
}

TEST(TextFile, FileLockedByAnotherHandleRaisesInOutError) {
  TestFolder dir;
  WriteBytes(dir / L"locked.txt", "x\r\n");
  FileHandle h(CreateFileW((dir / L"locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr));
  ASSERT_NE(h.get(), INVALID_HANDLE_VALUE);
  EXPECT_THROW(ReadTextLines(dir / L"locked.txt"), EInOutError);
}

TEST(TextFile, WritesGbkWithCrLf) {
  TestFolder dir;
  WriteTextLines(dir / L"配置.txt", {L"请勿更改", L"", L"[0]"});
  EXPECT_EQ(ReadBytes(dir / L"配置.txt"), "\xC7\xEB\xCE\xF0\xB8\xFC\xB8\xC4\r\n\r\n[0]\r\n");
  EXPECT_EQ(ReadTextLines(dir / L"配置.txt"), (Lines{L"请勿更改", L"", L"[0]"}));
}

TEST(TextFile, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  TestFolder dir;
  WriteBytes(dir / L"cfg", "old line 1\r\nold line 2\r\nold line 3\r\n");
  WriteTextLines(dir / L"cfg", {L"new"});
  EXPECT_EQ(ReadBytes(dir / L"cfg"), "new\r\n");
  WIN32_FIND_DATAW fd;
  FindHandle f(FindFirstFileW((dir / L"*").c_str(), &fd));
  int files = 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  } while (FindNextFileW(f.get(), &fd));
  EXPECT_EQ(files, 1);
}

TEST(TextFile, WriteIntoAMissingFolderRaisesInOutError) {
  TestFolder dir;
  EXPECT_THROW(WriteTextLines(dir / L"no\\such\\cfg", {L"x"}), EInOutError);
}

TEST(TextFile, AFailedReplaceLeavesTheTargetAsItWas) {
  TestFolder dir;
  std::wstring target = dir / L"keep";
  WriteBytes(target, "original\r\n");
  // Another program holds the file open without sharing: the replace cannot happen.
  FileHandle h(CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_NE(h.get(), INVALID_HANDLE_VALUE);
  try {
    WriteTextLines(target, {L"changed"});
    ADD_FAILURE() << "the write should have failed";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message().find(L"keep"), std::wstring::npos) << Narrow(e.Message());
  }
  h.reset();
  EXPECT_EQ(ReadBytes(target), "original\r\n");
  EXPECT_FALSE(FileExists(target + L".tmp" + std::to_wstring(GetCurrentProcessId())));
}

TEST(TextFile, FileAndFolderHelpers) {
  TestFolder dir;
  WriteBytes(dir / L"f.exe", "MZ");
  EXPECT_TRUE(FileExists(dir / L"f.exe"));
  EXPECT_FALSE(FileExists(dir.Path()));  // a directory is not a file
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_FALSE(DirectoryExists(dir / L"f.exe"));
  EXPECT_EQ(ExtractFileDir(L"C:\\a\\b\\c.exe"), L"C:\\a\\b");
  EXPECT_EQ(ExtractFileName(L"C:\\a\\b\\c.exe"), L"c.exe");
  EXPECT_EQ(ExtractFileExt(L"C:\\a.dir\\b.Lnk"), L".Lnk");
  EXPECT_EQ(ExtractFileExt(L"C:\\a.dir\\b"), L"");
}

// A device, a pipe or a folder is never a regular file, whatever folder or extension it carries;
// a file named through the long-path prefix still is.
TEST(TextFile, OnlyAFileOnADiskIsARegularFile) {
  TestFolder dir;
  WriteBytes(dir / L"歌.wav", "RIFF");
  EXPECT_TRUE(RegularFileExists(dir / L"歌.wav"));
  EXPECT_TRUE(RegularFileExists(L"\\\\?\\" + (dir / L"歌.wav")));
  const std::wstring pipe = L"\\\\.\\pipe\\qvregular" + std::to_wstring(GetCurrentProcessId());
  KernelHandle server(CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr));
  for (const std::wstring& p :
       {std::wstring(L"COM1"), std::wstring(L"aux"), std::wstring(L"CON"), std::wstring(L"NUL"), std::wstring(L"LPT1"),
        std::wstring(L"COM1:"), std::wstring(L"nul.txt"), dir / L"com9.mp3", dir / L"PRN", std::wstring(L"LPT3 "),
        std::wstring(L"\\\\.\\COM1"), std::wstring(L"\\\\?\\GLOBALROOT\\Device\\Null"), pipe, dir.Path(),
        std::wstring(L"http://127.0.0.1/a.mp3"), std::wstring(L""), dir / L"missing.wav"})
    EXPECT_FALSE(RegularFileExists(p)) << Narrow(p);
  EXPECT_FALSE(NamesDevice(dir / L"com10.wav"));
  EXPECT_FALSE(NamesDevice(dir / L"CONSOLE.wav"));
  EXPECT_FALSE(NamesDevice(dir / L"mycom1.wav"));
}

// A bounded read takes a file up to its bound and refuses, unread, one above it or a device.
TEST(TextFile, ABoundedReadRefusesAFileAboveItsBoundAndADevice) {
  TestFolder dir;
  WriteBytes(dir / L"a.qvml", "C:\\a.wav\r\n");
  EXPECT_EQ(ReadBoundedFile(dir / L"a.qvml", 10, L"a playlist"), "C:\\a.wav\r\n");
  try {
    ReadBoundedFile(dir / L"a.qvml", 9, L"a playlist");
    ADD_FAILURE() << "a file above the bound was read";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message().find(L"is too large for a playlist"), std::wstring::npos) << Narrow(e.Message());
  }
  for (const std::wstring& p : {std::wstring(L"COM1"), std::wstring(L"\\\\.\\pipe\\qvnone"), dir.Path()}) {
    try {
      ReadBoundedFile(p, 10, L"a playlist");
      ADD_FAILURE() << Narrow(p) << " was read";
    } catch (const EInOutError& e) {
      EXPECT_NE(e.Message().find(L"is not a playlist"), std::wstring::npos) << Narrow(e.Message());
    }
  }
  EXPECT_THROW(ReadBoundedFile(dir / L"missing.qvml", 10, L"a playlist"), EInOutError);
}

// The line split comes before the decoding: a lead byte before a line end stays in its line.
TEST(TextFile, ALeadByteBeforeALineEndStaysInItsLine) {
  EXPECT_EQ(DecodeTextLines("a\xB3\nb\r\nc\xB3\r\nd").size(), 4u);
  EXPECT_EQ(DecodeTextLines("a\xB3\rb\n").size(), 1u) << "a lone CR is no line end in a settings file";
  EXPECT_EQ(DecodeTextLines("a\xB3\rb\xB3\nc\r\n\rd", TLineEnds::CrLfOrLfOrCr),
            (Lines{DecodeTextLines("a\xB3")[0], DecodeTextLines("b\xB3")[0], L"c", L"", L"d"}));
}

}  // namespace
