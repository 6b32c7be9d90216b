// The built player playing real sound files through Wine's media player control (gstreamer's
// good plugins, the ALSA null device), watched from outside through its playlist window's list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const wchar_t kClass[] = L"KMR474747_325_SaverDeck";

class Playing : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a player is left over"; }

  // A playlist of sound files, written with their tones, as the "/L" argument names it.
  std::wstring ListOf(const std::vector<std::pair<std::wstring, int>>& files) {
    std::vector<std::wstring> lines;
    for (const auto& [name, ms] : files) {
      lines.push_back(folder / name);
      if (ms > 0) EXPECT_TRUE(WriteToneWav(lines.back(), ms));
      else WriteTextLines(lines.back(), {L"MThd"});  // not music the control can open
    }
    std::wstring list = folder / L"列表.qvml";
    WriteTextLines(list, lines);
    return L"/L \"" + list + L"\"";
  }
  // The selected line of the player's playlist (-1: none, -2: no list yet).
  static int Selected(const TestProcess& p) {
    HWND w = p.AnyWindow(L"TfrmMusicList");
    HWND box = w ? FindWindowExW(w, nullptr, L"LISTBOX", nullptr) : nullptr;
    return box ? int(SendMessageW(box, LB_GETCURSEL, 0, 0)) : -2;
  }
  // A message handled before this returns (a sent message overtakes posted ones).
  static bool Handled(HWND main, UINT msg) {
    DWORD_PTR r = 0;
    return SendMessageTimeoutW(main, msg, 0, 0, SMTO_ABORTIFHUNG, 10000, &r) != 0;
  }
  static bool Answers(HWND main) { return Handled(main, WM_NULL); }

  TestFolder folder{L"qvplaying"};
};

TEST_F(Playing, InSequenceTheSecondFileFollowsTheFirstAndPlaybackStopsAfterIt) {
  TestProcess p(WinPathFromBuild(SAVERDECK_EXE), ListOf({{L"一.wav", 1000}, {L"二.wav", 1000}}));
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.Window(kClass)) != nullptr; })) << "the player did not show";
  // Each selection the list shows, in order.
  std::vector<int> seen;
  WaitFor(
      [&] {
        int s = Selected(p);
        if (s >= -1 && (seen.empty() || seen.back() != s)) seen.push_back(s);
        return !seen.empty() && seen.back() == 1;
      },
      20000, 20);
  EXPECT_EQ(seen, (std::vector<int>{0, 1})) << "the selection did not move from line 1 to line 2";
  // Past the second file's end and the advance's second: still line 2, nothing playing.
  Sleep(4000);
  EXPECT_EQ(Selected(p), 1);
  ASSERT_TRUE(Answers(main));
  // "play or hide": a player that plays hides; a stopped one shows and plays.
  ASSERT_TRUE(Handled(main, WM_SAVERDECK_SHOWPLAY));
  EXPECT_TRUE(IsWindowVisible(main)) << "it was still playing";
  p.Quit();
  ASSERT_TRUE(p.Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
}

TEST_F(Playing, TwoNextCommandsToAPlayingPlayerMoveItsSelectionTwice) {
  TestProcess p(WinPathFromBuild(SAVERDECK_EXE),
                ListOf({{L"a.wav", 8000}, {L"b.wav", 8000}, {L"c.wav", 8000}, {L"d.wav", 8000}}));
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.Window(kClass)) != nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return Selected(p) == 0; }));
  PostMessageW(main, WM_SAVERDECK_NEXTMUSIC, 0, 0);
  PostMessageW(main, WM_SAVERDECK_NEXTMUSIC, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return Selected(p) == 2; }, 10000)) << Selected(p);
  Sleep(500);
  EXPECT_EQ(Selected(p), 2);
}

TEST_F(Playing, MediaTheControlCannotOpenPlaysNothingAndCrashesNothing) {
  TestProcess p(WinPathFromBuild(SAVERDECK_EXE), ListOf({{L"曲.mid", 0}, {L"后.wav", 1000}}));
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.Window(kClass)) != nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return Selected(p) == 0; }));
  // Stop, next and pause on the media that did not open, then the next file opens after it.
  for (UINT msg : {WM_SAVERDECK_STOPMUSIC, WM_SAVERDECK_SHOWPLAY, WM_SAVERDECK_SHOWPLAY})
    ASSERT_TRUE(Handled(main, msg));
  Sleep(2500);
  EXPECT_EQ(Selected(p), 0) << "no end came from a file that never played";
  ASSERT_TRUE(Handled(main, WM_SAVERDECK_NEXTMUSIC));
  EXPECT_EQ(Selected(p), 1);
  Sleep(3000);
  EXPECT_TRUE(p.Running()) << "exit code " << p.ExitCode();
  EXPECT_TRUE(Answers(main));
}

// The lines of the playlist window's list box, as a user's tool reads them.
std::vector<std::wstring> ListTexts(const TestProcess& p) {
  HWND w = p.AnyWindow(L"TfrmMusicList");
  HWND box = w ? FindWindowExW(w, nullptr, L"LISTBOX", nullptr) : nullptr;
  std::vector<std::wstring> texts;
  const int n = box ? int(SendMessageW(box, LB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < n; ++i) {
    std::wstring t(size_t(SendMessageW(box, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
    t.resize(size_t(SendMessageW(box, LB_GETTEXT, WPARAM(i), LPARAM(t.data()))));
    texts.push_back(t);
  }
  return texts;
}

// A file of size bytes that takes no room on the disk: a hole, set by its end alone.
bool WriteSparseFile(const std::wstring& path, long long size) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD got = 0;
  DeviceIoControl(f, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &got, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = size;
  const bool ok = SetFilePointerEx(f, end, nullptr, FILE_BEGIN) && SetEndOfFile(f);
  CloseHandle(f);
  return ok;
}

// An entry that names a device, a pipe, a share or a page is no music file: the missing-file box,
// and the window answers all the while, for each of them.
TEST_F(Playing, EntriesThatAreNoRegularFileGiveTheMissingFileBoxAndTheWindowAnswers) {
  // A pipe that is there, waiting for a client that would read it for good.
  const std::wstring pipe = L"\\\\.\\pipe\\qvplaylist" + std::to_wstring(GetCurrentProcessId());
  HANDLE server = CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  const std::wstring entries[] = {L"COM1", L"AUX", L"com1.wav", folder / L"LPT1.mp3", L"CON", L"NUL", L"LPT1",
                                  pipe, L"\\\\qvnohost\\music\\a.wav", L"http://127.0.0.1:9/a.mp3"};
  for (const std::wstring& entry : entries) {
    const std::wstring list = folder / L"设备.qvml";
    WriteTextLines(list, {entry, folder / L"后.wav"});
    TestProcess p(WinPathFromBuild(SAVERDECK_EXE), L"/L \"" + list + L"\"");
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; })) << Narrow(entry);
    std::wstring texts;
    EXPECT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDOK, &texts)) << "no missing-file box for " << Narrow(entry);
    EXPECT_NE(texts.find(L"你要播放的音乐文件\"" + entry + L"\"不存在！"), std::wstring::npos) << Narrow(texts);
    EXPECT_TRUE(Answers(main)) << "the window stopped answering at " << Narrow(entry);
    EXPECT_EQ(Selected(p), 0) << Narrow(entry);
  }
  CloseHandle(server);
}

// A 2 GB file given as the playlist is refused unread in the one error box; the list stays empty.
TEST_F(Playing, APlaylistFarTooLargeIsRefusedInOneBoxAndTheListStaysEmpty) {
  const std::wstring big = folder / L"大列表.qvml";
  ASSERT_TRUE(WriteSparseFile(big, 2100LL * 1024 * 1024));
  TestProcess p(WinPathFromBuild(SAVERDECK_EXE), L"/L \"" + big + L"\"");
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"Sonavista", IDOK, &texts)) << "no box says why nothing loaded";
  EXPECT_NE(texts.find(L"too large for a playlist"), std::wstring::npos) << Narrow(texts);
  EXPECT_TRUE(Answers(main));
  EXPECT_EQ(ListTexts(p), std::vector<std::wstring>{});
  EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a second box";
}

// A GBK lead byte just before a line end stays in its own line, whichever line end follows.
TEST_F(Playing, ALeadByteBeforeALineEndNeverJoinsTwoEntries) {
  for (const char* end : {"\n", "\r", "\r\n"}) {
    const std::wstring list = folder / L"半字.qvml";
    WriteFileBytes(list, std::string("C:\\x\xB3") + end + "C:\\music\\b.wav" + end + "C:\\c\xB3");
    TestProcess p(WinPathFromBuild(SAVERDECK_EXE), L"/L \"" + list + L"\"");
    // The list is in before the first entry's missing-file box.
    ASSERT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDOK)) << "no missing-file box";
    const std::vector<std::wstring> texts = ListTexts(p);
    ASSERT_EQ(texts.size(), 3u) << "line end " << int(end[0]) << ": " << Narrow(texts.empty() ? L"" : texts[0]);
    EXPECT_EQ(texts[0].substr(0, 4), L"C:\\x");
    EXPECT_EQ(texts[1], L"C:\\music\\b.wav");
    EXPECT_EQ(texts[2].substr(0, 4), L"C:\\c");
  }
}

}  // namespace
