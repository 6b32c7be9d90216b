// The playlist file, the list commands, the start switches and the file type registration.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Classes.h"
#include "Fakes.h"
#include "FileTypeRegistration.h"
#include "PlayerFixture.h"
#include "PlaylistFile.h"
#include "SaverDeckSeams.h"
#include "SaverDeckFakes.h"
#include "ShellFakes.h"
#include "TextFile.h"

namespace {

using Lines = std::vector<std::wstring>;

TEST(PlaylistText, LineEndsEmptyLinesAndTheNul) {
  const struct {
    std::wstring text;
    Lines lines;
  } cases[] = {
      {L"", {}},
      {L"a", {L"a"}},
      {L"a\r\n", {L"a"}},
      {L"a\nb", {L"a", L"b"}},
      {L"a\rb\r", {L"a", L"b"}},
      {L"a\r\n\r\nb", {L"a", L"", L"b"}},
      {std::wstring(L"a\0b", 3), {L"a"}},
      {L"\r\n", {L""}},
      {L"a\n\rb", {L"a", L"", L"b"}},  // LF then a lone CR: two ends
  };
  for (const auto& c : cases) EXPECT_EQ(ParsePlaylistText(c.text), c.lines) << Narrow(c.text);
}

TEST(PlaylistFile, WritesCrLfAfterEveryLineInGbkAndReadsItBack) {
  TestFolder folder{L"qvqvml"};
  const std::wstring path = folder / L"歌单.qvml";
  const Lines lines = {L"C:\\音乐\\一.mp3", L"", L"D:\\b.wav"};
  WritePlaylistFile(path, lines);
  EXPECT_EQ(ReadBytes(path), std::string("C:\\\xD2\xF4\xC0\xD6\\\xD2\xBB.mp3\r\n\r\nD:\\b.wav\r\n"));
  EXPECT_EQ(ReadPlaylistFile(path), lines);
  WritePlaylistFile(path, {});
  EXPECT_EQ(ReadBytes(path), std::string());
  EXPECT_EQ(ReadPlaylistFile(path), Lines{});
}

TEST(PlaylistFile, ForeignBytesLoadAsTheyDecodeUpToANulAndAMissingFileRaises) {
  TestFolder folder{L"qvqvml"};
  const std::wstring path = folder / L"binary.qvml";
  WriteBytes(path, std::string("ab\xFF\r\nc\n\0tail\n", 13));
  Lines read = ReadPlaylistFile(path);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[1], L"c");
  EXPECT_THROW(ReadPlaylistFile(folder / L"missing.qvml"), EInOutError);
}

// A random source that answers from a script.
std::function<int(int)> Scripted(std::deque<int> answers) {
  return [answers](int) mutable {
    int r = answers.front();
    answers.pop_front();
    return r;
  };
}

TEST(PlaylistCommands, ShuffleCarriesMarksWithTheirLinesAndTheCurrentLineFollowsItsText) {
  const struct {
    TPlaylistLines before;
    std::deque<int> randoms;
    TPlaylistLines after;
  } cases[] = {
      // "a" keeps its mark and "b" stays the current line wherever they go.
      {{{L"a", L"b", L"c"}, {true, false, false}, 1}, {2, 0, 1}, {{L"b", L"a", L"c"}, {false, true, false}, 0}},
      {{{L"a", L"b", L"c"}, {false, false, true}, -1}, {0, 0, 0}, {{L"c", L"a", L"b"}, {true, false, false}, -1}},
      {{{L"a"}, {true}, 0}, {0}, {{L"a"}, {true}, 0}},
  };
  for (const auto& c : cases) {
    TPlaylistLines l = c.before;
    ShuffleLines(l, Scripted(c.randoms));
    EXPECT_EQ(l.texts, c.after.texts);
    EXPECT_EQ(l.marks, c.after.marks);
    EXPECT_EQ(l.selected, c.after.selected);
  }
}

TEST(PlaylistCommands, UpDownAndDeleteAtTheEnds) {
  TPlaylistLines l{{L"a", L"b", L"c"}, {true, false, false}, 0};
  EXPECT_FALSE(MoveLineUp(l));  // the first line
  EXPECT_TRUE(MoveLineDown(l));
  EXPECT_EQ(l.texts, (Lines{L"b", L"a", L"c"}));
  EXPECT_EQ(l.marks, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(l.selected, 1);
  l.selected = 2;
  EXPECT_FALSE(MoveLineDown(l));  // the last line
  EXPECT_TRUE(MoveLineUp(l));
  EXPECT_EQ(l.texts, (Lines{L"b", L"c", L"a"}));
  l.selected = -1;
  EXPECT_FALSE(MoveLineUp(l));
  EXPECT_FALSE(DeleteCurrentLine(l));

  TPlaylistLines one{{L"x"}, {false}, 0};
  EXPECT_FALSE(MoveLineUp(one));
  EXPECT_FALSE(MoveLineDown(one));

  TPlaylistLines d{{L"a", L"b", L"c"}, {false, true, false}, 1};
  EXPECT_TRUE(DeleteCurrentLine(d));  // a middle line: the next one becomes current
  EXPECT_EQ(d.texts, (Lines{L"a", L"c"}));
  EXPECT_EQ(d.marks, (std::vector<bool>{false, false}));
  EXPECT_EQ(d.selected, 1);
  EXPECT_TRUE(DeleteCurrentLine(d));  // the last line: none current
  EXPECT_EQ(d.texts, (Lines{L"a"}));
  EXPECT_EQ(d.selected, -1);
}

TEST(PlaylistCommands, DeleteMarkedOrUnmarked) {
  const struct {
    TPlaylistLines before;
    bool marked;
    Lines texts;
    int selected;
  } cases[] = {
      {{{L"a", L"b", L"c", L"d"}, {true, false, true, true}, 1}, true, {L"b"}, 0},
      {{{L"a", L"b", L"c", L"d"}, {true, false, true, true}, 1}, false, {L"a", L"c", L"d"}, -1},
      {{{L"a", L"b"}, {true, true}, -1}, true, {}, -1},
      {{{L"a", L"b"}, {true, true}, 0}, false, {L"a", L"b"}, 0},
      {{{}, {}, -1}, true, {}, -1},
  };
  for (const auto& c : cases) {
    TPlaylistLines l = c.before;
    DeleteMarkedLines(l, c.marked);
    EXPECT_EQ(l.texts, c.texts);
    EXPECT_EQ(l.selected, c.selected);
  }
}

TEST(StartSwitches, OnlyTheFirstArgumentExactly) {
  const struct {
    Lines args;
    TStartSwitch sw;
    const wchar_t* path;
  } cases[] = {
      {{L"/A"}, TStartSwitch::SiblingStart, L""},
      {{L"/L", L"x"}, TStartSwitch::LoadList, L"x"},
      {{L"/a"}, TStartSwitch::None, L""},
      {{L"/L"}, TStartSwitch::None, L""},
      {{L"x", L"/A"}, TStartSwitch::None, L""},
      {{}, TStartSwitch::None, L""},
  };
  for (const auto& c : cases) {
    std::wstring path;
    EXPECT_EQ(ParseStartSwitch(c.args, path), c.sw) << c.args.size();
    EXPECT_EQ(path, c.path);
  }
}

// A test-owned extension under the real HKEY_CLASSES_ROOT, removed at the end.
class FileType : public testing::Test {
 protected:
  void TearDown() override {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"." + ext).c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"." + ext).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (ext + L"_auto_file").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (ext + L"_auto_file").c_str());
  }
  std::wstring Default(const std::wstring& key) const { return RegReadDefault(key); }
  static std::wstring RegReadDefault(const std::wstring& key) {
    wchar_t buf[512] = {};
    LONG size = sizeof(buf);
    if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), buf, &size) != ERROR_SUCCESS) return L"<none>";
    return buf;
  }
  const std::wstring ext = L"qvmltest" + std::to_wstring(GetCurrentProcessId());
  RecordingNotify notify;
};

TEST_F(FileType, WritesTheFourRowsOnceThenNothingThenOnlyWhatTheMoveChanged) {
  const std::wstring exe = L"C:\\Program Files\\Quovel\\saverdeck.exe";
  EXPECT_TRUE(RegisterPlayListType(ext, exe));
  EXPECT_EQ(notify.count, 1);
  const std::wstring type = ext + L"_auto_file";
  EXPECT_EQ(Default(L"." + ext), type);
  EXPECT_EQ(Default(type), L"Quovel音乐播放列表");
  EXPECT_EQ(Default(type + L"\\DefaultIcon"), exe + L",0");
  // Quoted, so the shell does not try "C:\Program" and the player gets the whole list path.
  EXPECT_EQ(Default(type + L"\\shell\\open\\command"), L"\"" + exe + L"\" /L \"%1\"");

  EXPECT_FALSE(RegisterPlayListType(ext, exe));
  EXPECT_EQ(notify.count, 1) << "an intact registration writes nothing and tells nobody";

  const std::wstring moved = L"D:\\新位置\\saverdeck.exe";
  FakeRegistry watch;
  EXPECT_TRUE(RegisterPlayListType(ext, moved));
  EXPECT_EQ(notify.count, 2);
  EXPECT_EQ(Default(type + L"\\DefaultIcon"), moved + L",0");
  EXPECT_EQ(Default(type + L"\\shell\\open\\command"), L"\"" + moved + L"\" /L \"%1\"");
  ASSERT_EQ(watch.opens.size(), 4u);
  EXPECT_EQ(watch.opens[0].path, L"." + ext);
  EXPECT_EQ(watch.opens[3].path, type + L"\\shell\\open\\command");
}

TEST_F(FileType, AKeyThatCannotBeOpenedRaisesTheRegistryErrorAndTellsNobody) {
  FakeRegistry registry;
  registry.Deny(HKEY_CLASSES_ROOT, ext + L"_auto_file");
  EXPECT_THROW(RegisterPlayListType(ext, L"C:\\p.exe"), ERegistryException);
  EXPECT_EQ(notify.count, 0);
  EXPECT_EQ(Default(L"." + ext), ext + L"_auto_file") << "the row before it was written";
  EXPECT_EQ(Default(ext + L"_auto_file\\DefaultIcon"), L"<none>") << "nothing after it";
}

}  // namespace
