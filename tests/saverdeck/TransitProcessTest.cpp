// The built player's transit window as a user and a user's tool meet it: over the whole screen and
// above every window with no taskbar button, closed by the run as the saver starts, ended by a
// key, and its "手动" clicked from another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Fakes.h"
#include "PlayerConfig.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const wchar_t kClass[] = L"KMR474747_325_SaverDeck";
const wchar_t kTransitClass[] = L"TfrmTransitForm";
const DWORD kPlayMs = 30000;

// A copy of the player with its settings beside it, and two savers in the Windows folder.
class TransitProcess : public testing::Test {
 protected:
  void Prepare(int transitSeconds) {
    ASSERT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a player is left over";
    exe = folder / L"saverdeck.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(SAVERDECK_EXE).c_str(), exe.c_str(), FALSE));
    TPlayerConfig c = DefaultPlayerConfig();
    c.TimePlayEachScr = int(kPlayMs / 1000);
    c.TransitTime = transitSeconds;
    c.PlayMusListAtStart = false;
    WriteTextLines(folder / kPlayerConfigFileName, WritePlayerConfigLines(c));
    ASSERT_TRUE(one.ok && two.ok);
  }
  // Starts the player and its run in turn as a sibling does; the transit window once it shows.
  HWND StartRun(TestProcess& p) {
    HWND main = nullptr, transit = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
    if (!main) return nullptr;
    PostMessageW(main, WM_SAVERDECK_SCR_INTURN, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return (transit = p.Window(kTransitClass)) != nullptr; }, 5000)) << "no transit window";
    return transit;
  }
  size_t Starts() const { return one.Started().size() + two.Started().size(); }
  // The saver's arguments as it logged them, once one has started.
  std::wstring StartedArgs() const {
    for (const SaverInWindowsFolder* s : {&one, &two}) {
      std::vector<std::wstring> lines = s->LogLines();
      if (lines.size() >= 2) return lines[1];
    }
    return L"";
  }

  TestFolder folder{L"qvtransitp"};
  std::wstring exe;
  SaverInWindowsFolder one{WinPathFromBuild(FAKESAVER_SCR), L"qvtone.scr", folder / L"one.log", 300000};
  SaverInWindowsFolder two{WinPathFromBuild(FAKESAVER_SCR), L"qvttwo.scr", folder / L"two.log", 300000};
};

TEST_F(TransitProcess, CoversTheScreenAboveAllWithoutATaskbarButtonThenTheSaverComes) {
  const DWORD transitMs = 5000;
  Prepare(int(transitMs / 1000));
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  const DWORD t0 = GetTickCount();
  HWND transit = StartRun(p);
  ASSERT_TRUE(transit);
  RECT r{};
  GetWindowRect(transit, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(GetWindowLongPtrW(transit, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(transit, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // Nothing above it, the desktop's taskbar included.
  for (POINT at : {POINT{r.right / 2, r.bottom / 3}, POINT{r.right - 2, r.bottom - 2}, POINT{2, r.bottom - 2}}) {
    HWND top = WindowFromPoint(at);
    EXPECT_TRUE(top == transit || IsChild(transit, top)) << at.x << "," << at.y;
  }
  Sleep(500);  // the taskbar learns of a new window after a moment
  for (const std::wstring& button : TaskbarButtonsOf(p.Pid())) ADD_FAILURE() << "a taskbar button: " << Narrow(button);
  HWND wait = ChildByCaption(transit, L"屏幕保护启动中，请稍候***");
  EXPECT_TRUE(wait) << "the first transit of a run";
  EXPECT_TRUE(ChildByCaption(transit, L"退出"));
  EXPECT_TRUE(ChildByCaption(transit, L"手动"));
  EXPECT_TRUE(ChildByCaption(transit, L" 5 ") || ChildByCaption(transit, L" 4 ")) << "the countdown";
  EXPECT_EQ(Starts(), 0u) << "no saver before the transit time is over";

  ASSERT_TRUE(WaitFor([&] { return Starts() == 1; }, transitMs + 10000)) << "no saver after the transit";
  EXPECT_GE(GetTickCount() - t0, transitMs - 500);
  EXPECT_EQ(StartedArgs(), L"args /S");
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(transit); }, 3000)) << "the transit stayed over the saver";
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

TEST_F(TransitProcess, ACharacterEndsTheRunAndNoSaverStartsWithinThePlayTime) {
  const DWORD transitMs = 5000;
  Prepare(int(transitMs / 1000));
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND transit = StartRun(p);
  ASSERT_TRUE(transit);
  PostMessageW(transit, WM_CHAR, L'q', 1);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(transit); }, 3000)) << "the key did not end it";
  EXPECT_FALSE(WaitFor([&] { return Starts() > 0 || IsWindowVisible(transit); }, transitMs + kPlayMs, 250))
      << "the run went on";
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

// A user's tool clicks "手动" as the system does: the next saver starts at once, long before the
// countdown would have ended.
TEST_F(TransitProcess, NextNowClickedFromAnotherProcessStartsTheSaverBeforeTheCountdownEnds) {
  const DWORD transitMs = 20000;
  Prepare(int(transitMs / 1000));
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND transit = StartRun(p);
  ASSERT_TRUE(transit);
  HWND next = ChildByCaption(transit, L"手动");
  ASSERT_TRUE(next);
  const DWORD t0 = GetTickCount();
  ClickButton(next);
  ASSERT_TRUE(WaitFor([&] { return Starts() == 1; }, 5000)) << "no saver after the click";
  EXPECT_LT(GetTickCount() - t0, transitMs / 2);
  EXPECT_EQ(StartedArgs(), L"args /S");
  EXPECT_FALSE(IsWindowVisible(transit));
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

}  // namespace
