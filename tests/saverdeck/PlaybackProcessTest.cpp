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

}  // namespace
