// Message storms: thousands of random messages posted to the running program's main window (its
// command range, the WM_USER range, tray callbacks with random mouse codes, random parameters).
// It stays up, stays one instance, answers at once, holds at most one window of each kind, and
// afterwards each of its documented commands still works.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "BkwdProcessFixture.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

namespace {

constexpr UINT kTray = WM_USER + 1;  // the tray icon's callback
constexpr WPARAM kTrayIconId = 100;

// The program's top-level windows by class, hidden ones included.
std::map<std::wstring, int> WindowsByClass(DWORD pid) {
  std::map<std::wstring, int> classes;
  for (HWND h : TopWindowsOf(pid)) {
    // The program's forms count shown or hidden; the system's helpers (a combo box's list, the
    // hidden menu window of the thread) only when they are up.
    const std::wstring c = ClassOf(h);
    if (!IsWindowVisible(h) && c.rfind(L"T", 0) != 0 && c.rfind(L"KMR", 0) != 0) continue;
    ++classes[c];
  }
  return classes;
}

int InstancesRunning() {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, kClassBKWD, nullptr)) != nullptr;) ++n;
  return n;
}

bool AnswersAtOnce(HWND main, UINT ms = 3000) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &r) != 0;
}

class MessageStorm : public BreakwardenCopy {
 protected:
  MessageStorm() : BreakwardenCopy(L"qvstorm") {}
};

TEST_F(MessageStorm, TheProgramStaysOneAnsweringInstanceAndItsCommandsStillWork) {
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClassBKWD)) && p.AnyWindow(L"TfrmSetup"); }));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "the splash did not fade";

  // The mouse codes a tray icon sends, and any other number.
  const LPARAM mouse[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                          WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_CONTEXTMENU,
                          NIN_SELECT, NIN_KEYSELECT, NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK};
  std::mt19937 random(0x5707);
  constexpr int kMessages = 4000, kBurst = 250;
  int posted = 0, refused = 0, trayRightClicks = 0;
  for (int burst = 0; burst < kMessages / kBurst; ++burst) {
    for (int i = 0; i < kBurst; ++i) {
      UINT msg;
      WPARAM w = WPARAM(random()) | (WPARAM(random()) << 32);
      LPARAM l = LPARAM(random()) | (LPARAM(random()) << 32);
      switch (random() % 3) {
        case 0: msg = 0x8000 + random() % 0x300; break;    // the program's own command range
        case 1: msg = WM_USER + random() % 0x7C00; break;  // WM_USER .. WM_APP - 1
        default:
          msg = kTray;
          w = random() % 4 ? kTrayIconId : w;
          l = random() % 5 ? mouse[random() % std::size(mouse)] : l;
          trayRightClicks += l == WM_RBUTTONUP;
      }
      if (PostMessageW(main, msg, w, l)) ++posted;
      else ++refused;  // a full queue refuses, as it would a sibling's post
    }
    ASSERT_TRUE(p.Running()) << "ended in burst " << burst;
    EXPECT_TRUE(AnswersAtOnce(main)) << "no answer to WM_NULL after burst " << burst;
    for (const auto& [cls, n] : WindowsByClass(p.Pid())) EXPECT_LE(n, 1) << Narrow(cls) << " after burst " << burst;
    EXPECT_EQ(InstancesRunning(), 1);
  }
  std::printf("%d messages posted (%d refused by a full queue), %d tray right clicks among them\n", posted, refused,
              trayRightClicks);
  // The queue drained: the program answers and holds one window of each kind.
  ASSERT_TRUE(WaitFor([&] { return AnswersAtOnce(main, 1000); }));
  Sleep(1000);
  ASSERT_TRUE(p.Running());
  for (const auto& [cls, n] : WindowsByClass(p.Pid())) EXPECT_LE(n, 1) << Narrow(cls);

  // A menu left up by the storm closes with a click beside it.
  if (p.Window(L"#32768")) {
    ASSERT_TRUE(WaitFor([&] { return TrackingMenu(p) != nullptr; })) << "the menu is not tracked";
    ASSERT_TRUE(ClickBesideMenus(p)) << "the menu stayed open";
  }
  // Each documented command still works.
  HWND setup = p.AnyWindow(L"TfrmSetup");
  ASSERT_TRUE(setup);
  if (IsWindowVisible(setup)) {
    PostMessageW(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDNO));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(setup); }));
  }
  PostMessageW(main, WM_BKWD_OPENSETUPSCR, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(setup) != FALSE; })) << "0x8201 opens the settings";
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDNO));
  PostMessageW(main, WM_BKWD_SHOWWELCOME, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; })) << "0x1520 shows the welcome";
  PostMessageW(main, WM_BKWD_OPENSTAT, 0, 0);
  // One thing after another, as a user does them: a window that comes up after the tray menu
  // opened takes the foreground from the menu's owner, and the menu then misses the outside click.
  EXPECT_TRUE(WaitFor([&] {
    HWND stat = p.AnyWindow(L"TfrmStat");
    return stat && IsWindowVisible(stat);
  })) << "0x8202 opens the statistics";
  PostMessageW(main, kTray, kTrayIconId, WM_RBUTTONUP);
  const bool tracked = WaitFor([&] { return TrackingMenu(p) != nullptr; });
  EXPECT_TRUE(tracked) << "the tray menu opens";
  if (tracked) {
    EXPECT_TRUE(ClickBesideMenus(p)) << StateOf(p);
  }
  EXPECT_TRUE(AnswersAtOnce(main));
  EXPECT_EQ(InstancesRunning(), 1);
  p.Quit();
  EXPECT_TRUE(p.Ended()) << StateOf(p);
}

}  // namespace
