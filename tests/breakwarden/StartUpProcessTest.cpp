// The built program as a process: single instance, the wait for older versions, the splash, the
// tray icon, the sibling messages and the end.
#include <gtest/gtest.h>

#include <string>

#include "BkwdProcessFixture.h"
#include "ClassWindow.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "unitFrmMain.h"
#include "uniQVShare.h"

namespace {

// The break reminder built beside the tests, started as the user starts it.
class Program : public TestProcess {
 public:
  Program() : TestProcess(WinPathFromBuild(BREAKWARDEN_EXE)) {}
  // Its main window, shown or not.
  HWND MainWindow() const { return AnyWindow(L"KMR474747_30"); }
};

bool TrayIconAnswers(HWND owner) {
  NOTIFYICONDATAW nid{sizeof(nid)};
  nid.hWnd = owner;
  nid.uID = 100;
  nid.uFlags = NIF_TIP;
  lstrcpyW(nid.szTip, L"Restavo");
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

int MainWindowCount() {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"KMR474747_30", nullptr));) ++n;
  return n;
}

class StartUp : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FindWindowW(L"KMR474747_30", nullptr), nullptr) << "a break reminder is left over"; }
};

TEST_F(StartUp, ShowsTheSplashCentredAndTheTrayIconThenFadesAndEndsCleanly) {
  Program p;
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.MainWindow()) && IsWindowVisible(main); })) << "no splash";

  RECT work, r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  RECT expected = SplashBounds(sw, sh, work);
  GetWindowRect(main, &r);
  // Wine hands a process the work area of the moment it first asks; a program started before the
  // virtual desktop's taskbar appeared sees the whole screen as its work area.
  if (!EqualRect(&r, &expected)) expected = SplashBounds(sw, sh, RECT{0, 0, sw, sh});
  EXPECT_EQ(r.left, expected.left);
  EXPECT_EQ(r.top, expected.top);
  EXPECT_EQ(r.right, expected.right);
  EXPECT_EQ(r.bottom, expected.bottom);
  EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  wchar_t caption[64] = {};
  GetWindowTextW(main, caption, 64);
  EXPECT_STREQ(caption, L"欢迎使用...");

  EXPECT_TRUE(TrayIconAnswers(main));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "the splash did not fade";
  EXPECT_TRUE(p.Running());

  // The siblings' messages arrive and leave the program running and answering.
  PostMessageW(main, WM_BKWD_OPENSETUPSCR, 0, 0);
  PostMessageW(main, WM_BKWD_OPENSTAT, 0, 0);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(answer, DWORD_PTR(TRUE)) << "log-off must never be blocked";

  p.Quit();
  ASSERT_TRUE(p.Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_EQ(FindWindowW(L"KMR474747_30", nullptr), nullptr);
  EXPECT_FALSE(TrayIconAnswers(main)) << "the tray icon outlived the program";
}

TEST_F(StartUp, ASecondStartPostsShowWelcomeToTheFirstAndEnds) {
  Program first;
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = first.MainWindow()) && IsWindowVisible(main); }));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "the splash did not fade";

  Program second;
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.Ended()) << "the second instance kept running";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; })) << "the first did not show its splash";
  EXPECT_EQ(MainWindowCount(), 1);
  EXPECT_TRUE(first.Running());
}

// A double click, or a sibling's start beside the log-on start: one break reminder, which the
// later start asks for its welcome.
TEST_F(StartUp, TwoStartsAtTheSameMomentLeaveOneBreakReminder) {
  DoubleStart both(WinPathFromBuild(BREAKWARDEN_EXE));
  const int kept = both.Survivor();
  ASSERT_NE(kept, -1) << "two break reminders run (or none)";
  EXPECT_EQ(both.starts[1 - kept].ExitCode(), 0u);
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = both.starts[kept].AnyWindow(L"KMR474747_30")) != nullptr; }));
  EXPECT_EQ(MainWindowCount(), 1);
  EXPECT_TRUE(both.starts[kept].Running());
}

// A start held in its start-up (here by an older version's notice) has no main window yet: a start
// meanwhile waits for that window and hands over to it, it never runs beside the first.
TEST_F(StartUp, AStartDuringTheFirstsStartUpWaitsForItsWindowAndHandsOver) {
  ClassWindow old(L"KMR474747_20");
  Program first;
  HWND notice = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (notice = first.Window(L"#32770")) != nullptr; })) << "no older-version notice";
  Program later;
  ASSERT_TRUE(later.Started());
  // It waits for the first: no notice, no window of its own.
  EXPECT_FALSE(WaitFor([&] { return later.Window(L"#32770") != nullptr; }, 4000)) << "the later start went on";
  DestroyWindow(old.hwnd);
  old.hwnd = nullptr;
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(later.Ended()) << "the later start runs beside the first";
  EXPECT_EQ(later.ExitCode(), 0u);
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = first.MainWindow()) != nullptr; })) << "the first did not go on";
  EXPECT_EQ(MainWindowCount(), 1);
  EXPECT_TRUE(first.Running());
}

TEST_F(StartUp, EndOfSessionRemovesTheTrayIcon) {
  Program p;
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.MainWindow()) != nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return TrayIconAnswers(main); }));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_FALSE(TrayIconAnswers(main));
}

TEST_F(StartUp, TrayRightClickOpensTheMenuAndAClickOutsideClosesIt) {
  Program p;
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.MainWindow()) && IsWindowVisible(main); })) << StateOf(p);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
  PostMessageW(main, WM_BKWD_TRAY, 100, WM_RBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return TrackingMenu(p) != nullptr; })) << "no menu";
  EXPECT_TRUE(ClickBesideMenus(p)) << "the menu stayed open";
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
}

// After the settings and the statistics have been open, a second start brings the welcome back
// for its few seconds, just when a user reaches for the tray icon. It fades while the tray menu
// is open, and the program's hidden window, which the menu made the foreground, hides with it:
// the foreground stays with the program and the menu still closes on a click outside it.
TEST_F(StartUp, ATrayMenuOpenedOverTheWelcomeStillClosesOnAClickOutsideOnceTheWelcomeHasFaded) {
  Program p;
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.MainWindow()) && IsWindowVisible(main); })) << StateOf(p);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 15000)) << "the first welcome stays";
  HWND setup = nullptr;
  ASSERT_TRUE(OpenSettingsOf(p, main, setup));
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDNO));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(setup); }));
  PostMessageW(main, WM_BKWD_OPENSTAT, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return p.Window(L"TfrmStat") != nullptr; }));
  Program second;
  ASSERT_TRUE(second.Ended()) << "the second start stayed";
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; })) << "the second start brought no welcome";
  PostMessageW(main, WM_BKWD_TRAY, 100, WM_RBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return TrackingMenu(p) != nullptr; })) << "no menu";
  ASSERT_TRUE(IsWindowVisible(main)) << "the welcome faded before the menu came";
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 15000)) << "the welcome stays";
  DWORD owner = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &owner);
  EXPECT_EQ(owner, p.Pid()) << "the foreground went to another program";
  EXPECT_TRUE(ClickBesideMenus(p)) << "the menu stayed open";
  EXPECT_TRUE(p.Running());
}

LRESULT CALLBACK OldVersionProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

class OlderVersion : public testing::TestWithParam<const wchar_t*> {};

TEST_P(OlderVersion, NoticeRepeatsUntilTheOlderVersionIsGoneThenStartsNormally) {
  ASSERT_EQ(FindWindowW(L"KMR474747_30", nullptr), nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = OldVersionProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = GetParam();
  RegisterClassW(&wc);
  HWND old = CreateWindowExW(0, GetParam(), L"old", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(old, nullptr);

  Program p;
  ASSERT_TRUE(p.Started());
  for (int round = 0; round < 2; ++round) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.Window(L"#32770")) != nullptr; })) << "no notice in round " << round;
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, L"提示");
    EXPECT_NE(WindowTexts(box).find(L"Restalon检测到已经有一个旧版本在运行,请您先关闭它,再继续！"), std::wstring::npos)
        << Narrow(WindowTexts(box));
    EXPECT_EQ(p.MainWindow(), nullptr) << "forms were created before the older version went away";
    if (round == 1) DestroyWindow(old);  // the user closes the old version, then answers
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box) || p.Window(L"#32770") != box; }));
  }
  HWND main = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (main = p.MainWindow()) && IsWindowVisible(main); })) << "no start after the wait";
  EXPECT_EQ(p.Window(L"#32770"), nullptr);
  UnregisterClassW(GetParam(), GetModuleHandleW(nullptr));
}

INSTANTIATE_TEST_SUITE_P(Classes, OlderVersion,
                         testing::Values(L"KMR474747_25", L"KMR474747_1"),
                         [](const auto& info) { return Narrow(info.param).substr(10); });

}  // namespace
