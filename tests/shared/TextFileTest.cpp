// The GBK text-file pair: ReadTextLines / WriteTextLines.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Classes.h"
#include "Fakes.h"
#include "Handles.h"
#include "ShellFakes.h"
#include "Text.h"
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

// Wine hands a killed save's process number to the next process soon: what tells a leftover from
// a save in progress is whether a process holds the file open.
TEST(TextFile, ASaveRemovesTheLeftoversThatNoProcessHoldsOpen) {
  TestFolder dir;
  const std::wstring cfg = dir / L"配置";
  WriteBytes(cfg + L".tmp" + std::to_wstring(GetCurrentProcessId() + 4), "half");  // a number in use or not
  WriteBytes(cfg + L".tmp4", "half");
  WriteBytes(cfg + L".tmp4x", "not a save's");
  const std::wstring writing = cfg + L".tmp8";
  FileHandle h(CreateFileW(writing.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(h);
  WriteTextLines(cfg, {L"new"});
  EXPECT_FALSE(FileExists(cfg + L".tmp" + std::to_wstring(GetCurrentProcessId() + 4)));
  EXPECT_FALSE(FileExists(cfg + L".tmp4"));
  EXPECT_TRUE(FileExists(cfg + L".tmp4x"));
  EXPECT_TRUE(FileExists(writing)) << "a save in progress keeps its file";
  h.reset();
  EXPECT_EQ(ReadBytes(cfg), "new\r\n");
}

// A sibling reads the file while the program saves it again and again: each read finds the
// whole old or the whole new file, and none is refused, not even in the moment between the
// save's rename and its close.
TEST(TextFile, ReadsDuringSavesFindAWholeFileAndAreNeverRefused) {
  TestFolder dir;
  const std::wstring cfg = dir / L"dir1";
  WriteTextLines(cfg, {L"C:\\old\\breakwarden.exe", L"30"});
  std::atomic<bool> saving{true};
  std::wstring saveRefused;
  std::thread saver([&] {
    try {
      for (int i = 0; i < 40 && saving; ++i) WriteTextLines(cfg, {L"C:\\new\\breakwarden.exe", std::to_wstring(i)});
    } catch (const EInOutError& e) {
      saveRefused = e.Message();
    }
    saving = false;
  });
  int reads = 0;
  std::wstring refused;
  while (saving && refused.empty()) {
    try {
      const Lines lines = ReadTextLines(cfg);
      ++reads;
      if (lines.size() != 2) refused = L"a read of " + std::to_wstring(lines.size()) + L" lines";
    } catch (const EInOutError& e) {
      refused = e.Message();
    }
  }
  saving = false;
  saver.join();
  EXPECT_TRUE(refused.empty()) << Narrow(refused) << " after " << reads << " reads";
  EXPECT_TRUE(saveRefused.empty()) << Narrow(saveRefused);
}

struct QuotedPathCase {
  const char* what;
  std::wstring path, shown;
};

TEST(TextFile, BoxesQuoteAPathCutToAReadableLength) {
  const std::wstring head(kMaxQuotedPathChars / 2, L'h'), tail(kMaxQuotedPathChars / 2 - 4, L't');
  const QuotedPathCase cases[] = {
      {"a short path whole", L"C:\\音乐\\a.wav", L"C:\\音乐\\a.wav"},
      {"control characters made visible", std::wstring(L"C:\\a\0b\r.wav", 11), L"C:\\a?b?.wav"},
      {"at the limit whole", std::wstring(kMaxQuotedPathChars, L'p'), std::wstring(kMaxQuotedPathChars, L'p')},
      {"a megabyte: its start and its file", head + std::wstring(1 << 20, L'm') + tail + L".wav",
       head + L"\u2026" + tail + L".wav"},
      {"no half of a pair at the cut", head + std::wstring(500, L'm') + L"\xD83D\xDE00" + tail + L"wav",
       head + L"\u2026" + tail + L"wav"},
  };
  for (const QuotedPathCase& c : cases) EXPECT_EQ(ReadablePath(c.path), c.shown) << c.what;
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


// ---- names GBK cannot hold -------------------------------------------------------------------

// Whether two names open one file: the system's full names of both are one.
std::wstring FullName(const std::wstring& path) {
  wchar_t buf[MAX_PATH];
  DWORD n = GetLongPathNameW(path.c_str(), buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : std::wstring();
}

TEST(StorableName, ANameGbkHoldsIsKeptAndOneItLacksTakesTheShortFormOfTheSameFile) {
  TestFolder folder;
  struct Case {
    const char* what;
    std::wstring name;
    bool gbk;
  };
  for (const Case& c : {Case{"Chinese", L"伴音音乐.wav", true}, Case{"Korean", L"한국노래.wav", false},
                        Case{"emoji", L"🎵歌曲.wav", false}, Case{"German", L"Straße.wav", false}}) {
    SCOPED_TRACE(c.what);
    const std::wstring path = folder / c.name;
    EXPECT_EQ(TextFileHolds(path), c.gbk);
    // Never a look-alike: a character GBK lacks is reported, not replaced.
    std::string bytes;
    EXPECT_EQ(WideToCodePageExact(path, 936, bytes), c.gbk);
    EXPECT_EQ(StorableName(path), c.gbk ? path : L"") << "a missing file has no short form";
    WriteBytes(path, "RIFF");
    const std::wstring stored = StorableName(path);
    ASSERT_FALSE(stored.empty());
    if (c.gbk) {
      EXPECT_EQ(stored, path);
      continue;
    }
    EXPECT_NE(stored, path);
    EXPECT_TRUE(TextFileHolds(stored)) << Narrow(stored);
    // Through the file and back it still opens the file that was chosen.
    const std::wstring back = ThroughTextFile(stored);
    EXPECT_EQ(back, stored);
    EXPECT_EQ(ReadBytes(back), "RIFF");
    EXPECT_EQ(FullName(back), FullName(path));
  }
}

TEST(StorableName, AFolderGbkCannotHoldIsKeptByItsShortFormToo) {
  TestFolder folder;
  const std::wstring dir = folder / L"노래";
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  const std::wstring stored = StorableName(dir);
  ASSERT_FALSE(stored.empty());
  EXPECT_TRUE(TextFileHolds(stored));
  EXPECT_TRUE(DirectoryExists(stored));
  EXPECT_EQ(StorableName(dir + L"\\없는"), L"") << "a missing folder";
}

TEST(NameKeeper, KeepsWhatTheFileHoldsAndOtherwiseTheOldValueAndSaysWhich) {
  NameKeeper keeper;
  EXPECT_EQ(keeper.Keep(L"C:\\音乐\\a.wav", L"C:\\old.wav"), L"C:\\音乐\\a.wav");
  EXPECT_EQ(keeper.Keep(L"", L"C:\\old.wav"), L"") << "an emptied setting is no loss";
  EXPECT_EQ(keeper.Keep(L"C:\\없는\\곡.wav", L"C:\\old.wav"), L"C:\\old.wav");
  EXPECT_EQ(keeper.Lost(), std::vector<std::wstring>{L"C:\\없는\\곡.wav"});
  const std::wstring text = LostNamesText(kLostSettingNames, keeper.Lost());
  EXPECT_NE(text.find(L"无法保存该文件名"), std::wstring::npos);
  EXPECT_NE(text.find(L"\nC:\\없는\\곡.wav"), std::wstring::npos);
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
