// The built console as a process, copied into a folder of the test's own (its qvccfg goes there)
// and talked to as its siblings and a user's tool would: its window class, posted messages, the
// tray callback, its menu driven by keys, its buttons clicked, its install record in the registry.
#include <gtest/gtest.h>


#include "ClassWindow.h"
#include "ConsoleConfig.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

constexpr UINT kTray = WM_USER + 4;
const wchar_t kFirstRunCaption[] = L"Quovel控制台（配置后不再提示）：";
const wchar_t kRecordKey[] = L"SOFTWARE\\Quovel\\DESKPANEL";

struct Key {
  HKEY h = nullptr;
  ~Key() {
    if (h) RegCloseKey(h);
  }
};

// The machine's (the prefix's) install record, kept as it was and given back at the end.
class RecordGuard {
 public:
  RecordGuard() {
    had_ = Read(L"dir", dir_);
    Read(L"ver", ver_);
  }
  ~RecordGuard() {
    Delete();
    if (had_) {
      Write(L"dir", dir_);
      Write(L"ver", ver_);
    }
  }
  static void Delete() { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRecordKey, KEY_WOW64_32KEY, 0); }
  static void Write(const wchar_t* name, const std::wstring& v) {
    Key k;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRecordKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                              &k.h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(k.h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()), DWORD((v.size() + 1) * 2));
  }
  static bool Read(const wchar_t* name, std::wstring& v) {
    v = RegReadStr(HKEY_LOCAL_MACHINE, kRecordKey, name);  // the toolkit reads the 32-bit view
    return !v.empty();
  }

 private:
  bool had_;
  std::wstring dir_, ver_;
};

// The desktop taskbar's visible buttons (Wine's explorer makes one per window it lists, owner-drawn
// without a caption of their own, besides its start button).
int TaskbarButtonCount() {
  HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
  int n = 0;
  if (bar)
    EnumChildWindows(
        bar,
        [](HWND c, LPARAM p) -> BOOL {
          wchar_t cls[32] = {};
          GetClassNameW(c, cls, 32);
          if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(c)) ++*reinterpret_cast<int*>(p);
          return TRUE;
        },
        LPARAM(&n));
  return n;
}

bool Sync(HWND h) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &r) != 0;
}

// The program's top-most visible menu window (a submenu opens above its parent menu).
HWND OpenMenu(const TestProcess& p) { return p.Window(L"#32768"); }

class Console : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClassDeskpanel, nullptr), nullptr) << "a console is left over";
    exe = folder / L"deskpanel.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(DESKPANEL_EXE).c_str(), exe.c_str(), FALSE));
  }
  void SeedRecord() { RecordGuard::Write(L"dir", exe); }
  std::wstring ConfigPath() const { return folder / L"qvccfg"; }
  // Started, and its bar made (shown or not).
  HWND Start(TestProcess& p) {
    EXPECT_TRUE(p.Started());
    HWND bar = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (bar = p.AnyWindow(kClassDeskpanel)) != nullptr; })) << "no bar";
    return bar;
  }
  // Opens the bar's menu from the tray icon and walks it with keys, as a user's keyboard would.
  static bool MenuKeys(const TestProcess& p, HWND bar, std::initializer_list<WORD> keys) {
    PostMessageW(bar, kTray, 101, WM_RBUTTONUP);
    if (!WaitFor([&] { return OpenMenu(p) != nullptr; })) return false;
    for (WORD k : keys) {
      HWND menu = OpenMenu(p);
      if (!menu) return false;
      PostMessageW(menu, WM_KEYDOWN, k, 0);
      PostMessageW(menu, WM_KEYUP, k, 0);
      Sleep(250);
    }
    return true;
  }

  RecordGuard record;
  TestFolder folder{L"qvconsole"};
  std::wstring exe;
};

TEST_F(Console, AFreshPrefixAsksYesWritesTheRecordOnlyAndARestartAsksNothing) {
  RecordGuard::Delete();
  {
    TestProcess p(exe);
    HWND bar = Start(p);
    std::wstring text;
    ASSERT_TRUE(AnswerBoxOf(p, kFirstRunCaption, IDYES, &text)) << "no first-run question";
    EXPECT_NE(text.find(L"初次运行或程序有变更时会出现本提示，您需要重新配置，点击是继续。"), std::wstring::npos)
        << Narrow(text);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
    std::wstring dir, ver;
    EXPECT_TRUE(RecordGuard::Read(L"dir", dir));
    EXPECT_EQ(dir, exe);
    RecordGuard::Read(L"ver", ver);
    EXPECT_EQ(ver, L"V2.0");
    EXPECT_FALSE(FileExists(ConfigPath())) << "the first run writes the record only";
    EXPECT_EQ(RegReadStr(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunDeskpanel), L"");
    p.Quit();
    ASSERT_TRUE(p.Ended());
  }
  TestProcess again(exe);
  HWND bar = Start(again);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; })) << "the bar did not show";
  Sync(bar);
  Sleep(500);
  EXPECT_EQ(again.Window(L"#32770"), nullptr) << "asked again";
}

TEST_F(Console, TheBarStartsAtTheTopInSkyBlueWithItsTrayIconAndEndsCleanly) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.left, 285);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 303);
  EXPECT_TRUE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(WaitFor([&] { return TrayIconShown(bar, 101, L"Deskorax"); }));
  // No taskbar button: the application's window stays hidden, the bar is a tool window.
  EXPECT_TRUE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(p.Window(L"TApplication"), nullptr);
  // A button of the bar would go when the bar hides to the tray.
  Sleep(500);
  const int buttonsShown = TaskbarButtonCount();
  PostMessageW(bar, kTray, 101, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(bar); }));
  Sleep(500);
  EXPECT_EQ(TaskbarButtonCount(), buttonsShown) << "the console has a taskbar button";
  p.Quit();
  ASSERT_TRUE(p.Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconShown(bar, 101, L"Deskorax")) << "the tray icon outlived the program";
}

TEST_F(Console, ASecondStartShowsTheHiddenBarAndEnds) {
  SeedRecord();
  TestProcess first(exe);
  HWND bar = Start(first);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  // The tray icon's left click hides the bar, and a second one brings it back.
  PostMessageW(bar, kTray, 101, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(bar); })) << "0x404 with 0x202 did not hide the bar";
  PostMessageW(bar, kTray, 101, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; })) << "0x404 with 0x202 did not show the bar";
  PostMessageW(bar, kTray, 101, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(bar); }));

  TestProcess second(exe);
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.Ended()) << "the second instance kept running";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; })) << "the first did not show its bar";
  int bars = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, kClassDeskpanel, nullptr));) ++bars;
  EXPECT_EQ(bars, 1);
}

// A double click, or the break reminder starting the console beside the log-on start: one bar.
TEST_F(Console, TwoStartsAtTheSameMomentLeaveOneBar) {
  SeedRecord();
  DoubleStart both(exe);
  const int kept = both.Survivor();
  ASSERT_NE(kept, -1) << "two consoles run (or none)";
  EXPECT_EQ(both.starts[1 - kept].ExitCode(), 0u);
  HWND bar = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (bar = both.starts[kept].Window(kClassDeskpanel)) != nullptr; })) << "no bar shown";
  EXPECT_EQ(WindowsOfClass(kClassDeskpanel), 1);
}

// A console in its start-up holds the program's name from its first step on, before its bar
// exists. The test takes that first start's part: a start meanwhile makes no bar of its own, and
// once the first's bar is up it hands over to it and ends.
TEST_F(Console, AStartDuringTheFirstsStartUpWaitsForItsBarAndHandsOver) {
  SeedRecord();
  KernelHandle name(CreateMutexW(nullptr, TRUE, InstanceMutexName(pcDeskpanel).c_str()));
  KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, InstanceReadyName(pcDeskpanel).c_str()));
  ASSERT_TRUE(name && ready);
  TestProcess later(exe);
  ASSERT_TRUE(later.Started());
  EXPECT_FALSE(WaitFor([&] { return later.AnyWindow(kClassDeskpanel) != nullptr; }, 4000))
      << "a bar beside the first's";
  ClassWindow bar(kClassDeskpanel);
  SetEvent(ready.get());
  ASSERT_TRUE(WaitFor([&] {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    return !bar.got.empty();
  })) << "no hand-over";
  EXPECT_EQ(bar.got, std::vector<UINT>{WM_DESKPANEL_SHOW});
  ASSERT_TRUE(later.Ended());
  EXPECT_EQ(later.ExitCode(), 0u);
  ReleaseMutex(name.get());
}

TEST_F(Console, CloseDoesNothingButLogOffIsNeverBlocked) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  p.CloseWindows();
  PostMessageW(bar, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Sync(bar));
  Sleep(300);
  EXPECT_TRUE(p.Running());
  EXPECT_TRUE(IsWindowVisible(bar));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(bar, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(answer, DWORD_PTR(TRUE));
}

TEST_F(Console, ExitFromTheMenuNoHidesAndYesEnds) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  // "退出" is the menu's last item.
  ASSERT_TRUE(MenuKeys(p, bar, {VK_UP, VK_RETURN}));
  std::wstring text;
  ASSERT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDNO, &text)) << "no exit question";
  EXPECT_NE(text.find(L"您确定要完全退出控制台吗？点是继续，否隐藏到托盘。"), std::wstring::npos) << Narrow(text);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(bar); })) << "No did not hide the bar";
  EXPECT_TRUE(p.Running());
  ASSERT_TRUE(MenuKeys(p, bar, {VK_UP, VK_RETURN}));
  ASSERT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDYES));
  ASSERT_TRUE(p.Ended()) << "Yes did not end the console";
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconShown(bar, 101, L"Deskorax"));
}

TEST_F(Console, MenuItemsWorkFromTheKeyboardHelpAndRememberingThePlaceByHand) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  // 帮助 > 使用说明, answered Cancel (OK would open a web page).
  ASSERT_TRUE(MenuKeys(p, bar, {VK_UP, VK_UP, VK_RIGHT, VK_RETURN}));
  ASSERT_TRUE(AnswerBoxOf(p, L"Quovel帮助：", IDCANCEL)) << "no help box";
  // 设置 > 记住位置 > 手工记住当前位置...
  ASSERT_FALSE(FileExists(ConfigPath()));
  ASSERT_TRUE(MenuKeys(p, bar, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}));
  ASSERT_TRUE(WaitFor([&] { return FileExists(ConfigPath()); })) << "no qvccfg";
  auto lines = ReadTextLines(ConfigPath());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！");
  EXPECT_EQ(lines[1].substr(0, 30), L"[0] FALSE 1 285 0 FALSE 157805");
}

void SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof(in));
}

TEST_F(Console, HoldingTheQvMarkDragsTheBarAndItsDoubleClickHidesItUpwards) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  RECT before, rc;
  GetWindowRect(bar, &before);
  GetClientRect(bar, &rc);
  // The mark's middle: Left 246, 25 wide, centred in the bar's height.
  POINT mark{before.left + 246 + 12, before.top + rc.bottom / 2};
  SetCursorPos(mark.x, mark.y);
  Sleep(200);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 10; ++step) {
    Sleep(40);
    SetCursorPos(mark.x + step * 10, mark.y + step * 15);
    SendMouse(MOUSEEVENTF_MOVE);
  }
  Sleep(100);
  SendMouse(MOUSEEVENTF_LEFTUP);
  RECT after{};
  EXPECT_TRUE(WaitFor([&] {
    GetWindowRect(bar, &after);
    return after.left == before.left + 100 && after.top == before.top + 150;
  }, 5000)) << "the bar is at " << after.left << "," << after.top;

  // A double click on the mark pulls the bar up to the top edge, out of sight once the cursor leaves.
  HWND mark2 = ChildWindowFromPointEx(bar, POINT{246 + 12, rc.bottom / 2}, CWP_SKIPINVISIBLE);
  ASSERT_NE(mark2, bar);
  PostMessageW(mark2, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SetCursorPos(900, 500);
  EXPECT_TRUE(WaitFor([&] {
    GetWindowRect(bar, &after);
    return after.bottom <= 2;
  }, 5000)) << "the bar did not go up: top " << after.top;
}

struct SiblingCase {
  const char* name;
  int left;  // of the button in the row
  const wchar_t* siblingClass;
  const wchar_t* logged;
};

class ConsoleButtons : public Console, public testing::WithParamInterface<SiblingCase> {};

TEST_P(ConsoleButtons, AClickReachesTheRunningSibling) {
  const SiblingCase& c = GetParam();
  SeedRecord();
  const std::wstring log = folder / L"sibling.log";
  TestProcess sibling(WinPathFromBuild(FAKESIBLING_EXE),
                      std::wstring(L"--class ") + c.siblingClass + L" --log \"" + log + L"\"");
  ASSERT_TRUE(WaitFor([&] { return FindWindowW(c.siblingClass, nullptr) != nullptr; })) << "no fake sibling";
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  RECT rc;
  GetClientRect(bar, &rc);
  POINT at{c.left + 4, rc.bottom / 2};
  HWND button = ChildWindowFromPointEx(bar, at, CWP_SKIPINVISIBLE);
  ASSERT_NE(button, nullptr);
  ASSERT_NE(button, bar) << "no control at " << at.x << "," << at.y;
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  auto logged = [&] {
    std::string bytes = FileExists(log) ? ReadBytes(log) : std::string();
    return bytes.find(WideToUtf8(c.logged)) != std::string::npos;
  };
  EXPECT_TRUE(WaitFor(logged)) << ReadBytes(log);
}

INSTANTIATE_TEST_SUITE_P(Table, ConsoleButtons,
                         testing::Values(SiblingCase{"BreakReminder", 5, L"KMR474747_30", L"msg 0x8202"},
                                         SiblingCase{"Player", 206, L"KMR474747_325_SaverDeck", L"msg 0x8186"},
                                         SiblingCase{"OneKeySaver", 28, L"KMR474747_250_ZEPT", L"msg 0x1620"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Console, ASiblingsShowCommandBringsTheHiddenBarBack) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  PostMessageW(bar, kTray, 101, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(bar); }));
  // What the break reminder's and the player's menus do.
  CallDeskpanel(nullptr, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; })) << "CallDeskpanel(0) did not show the bar";
}

TEST_F(Console, ADamagedQvccfgGivesOneErrorBoxAndAFullStartUp) {
  SeedRecord();
  WriteTextLines(ConfigPath(), {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", L"[0] FALSE 1 abc"});
  TestProcess p(exe);
  HWND bar = Start(p);
  std::wstring text;
  ASSERT_TRUE(AnswerBoxOf(p, L"Deskora", IDOK, &text)) << "no error box";
  EXPECT_NE(text.find(L"'abc'"), std::wstring::npos) << Narrow(text);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return TrayIconShown(bar, 101, L"Deskorax"); }));
  Sync(bar);
  Sleep(300);
  EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a second box";
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.left, 285);
}

// ---- the change reminder ---------------------------------------------------------------------------

const wchar_t kReminderClass[] = L"TfrmRemindScrMusPic";
const wchar_t kReminderCaption[] = L"Quovel提醒您定期更换：屏保/音乐/壁纸！";
const wchar_t kDueLabel[] = L"<--已到期,请更换";

// Every top-level window of the process of a class, hidden ones included.
int WindowsOfClass(const TestProcess& p, const wchar_t* cls) {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, cls, nullptr));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    n += pid == p.Pid() ? 1 : 0;
  }
  return n;
}

int VisibleChildrenWithCaption(HWND parent, const std::wstring& caption) {
  int n = 0;
  for (HWND c : ChildrenOfClass(parent, L"Static"))
    n += IsWindowVisible(c) && WindowText(c) == caption ? 1 : 0;
  return n;
}

TEST_F(Console, TheReminderOpensOnceRestoresRefusesToCloseAndItsConfirmationSavesTodayPlusThree) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  // 设置 > 提醒更换壁纸/屏保/音乐, from the tray icon's menu.
  ASSERT_TRUE(MenuKeys(p, bar, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}));
  HWND w = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (w = p.Window(kReminderClass, kReminderCaption)) != nullptr; }))
      << "the menu item opened no reminder";
  const std::vector<HWND> lists = ChildrenOfClass(w, L"ComboBox");
  ASSERT_EQ(lists.size(), 3u);
  for (HWND list : lists) EXPECT_EQ(WindowText(list), L"0");
  EXPECT_EQ(VisibleChildrenWithCaption(w, kDueLabel), 3);

  // The message again, also while minimised: the same window comes back. The first is sent, so
  // that it is handled before the window is minimised: a posted one could come after the minimise
  // and restore the window before the test sees it minimised (a sent WM_NULL overtakes it).
  DWORD_PTR handled = 0;
  ASSERT_TRUE(SendMessageTimeoutW(bar, WM_DESKPANEL_REMIND, 0, 0, SMTO_ABORTIFHUNG, 10000, &handled));
  ShowWindow(w, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(w) != FALSE; }));
  PostMessageW(bar, WM_DESKPANEL_REMIND, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(w); })) << "not restored";
  EXPECT_EQ(WindowsOfClass(p, kReminderClass), 1);

  PostMessageW(w, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Sync(w));
  EXPECT_TRUE(IsWindowVisible(w)) << "closed before the confirmation";

  SYSTEMTIME now;
  GetLocalTime(&now);
  TDayNumber today = 0;
  ASSERT_TRUE(EncodeDayNumber(now.wYear, now.wMonth, now.wDay, today));
  HWND ok = ChildByCaption(w, L"好的，已完成更换");
  ASSERT_NE(ok, nullptr);
  const DWORD t0 = GetTickCount();
  PostMessageW(ok, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(w) || !IsWindowVisible(w); }, 10000, 20));
  const DWORD took = GetTickCount() - t0;
  EXPECT_GE(took, 900u) << "no pause";
  EXPECT_LE(took, 3000u) << "about 1.5 s expected";
  auto lines = ReadTextLines(ConfigPath());
  ASSERT_EQ(lines.size(), 2u);
  const std::wstring due = FormatConfigDate(today + 3);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 3 * (due.size() + 1)), L" " + due + L" " + due + L" " + due)
      << Narrow(lines[1]);
  EXPECT_TRUE(p.Running());
}

TEST_F(Console, TheBreakRemindersChangeReminderCommandOpensTheWindow) {
  SeedRecord();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(bar) != FALSE; }));
  // What the break reminder's tray item "屏保定期提醒更换..." calls: the console's command 1.
  CallDeskpanel(nullptr, 1);
  EXPECT_TRUE(WaitFor([&] { return p.Window(kReminderClass, kReminderCaption) != nullptr; }));
  EXPECT_EQ(WindowsOfClass(p, kReminderClass), 1);
}

TEST_F(Console, ASiblingsCommandDuringTheFirstRunQuestionWaitsUntilTheStartUpIsDone) {
  RecordGuard::Delete();
  TestProcess p(exe);
  HWND bar = Start(p);
  ASSERT_TRUE(WaitFor([&] { return p.Window(L"#32770", kFirstRunCaption) != nullptr; })) << "no first-run question";
  // The change-reminder command as a sibling posts it, while the question waits.
  PostMessageW(bar, WM_DESKPANEL_REMIND, 0, 0);
  // Then the tray icon's menu: once it shows, the command before it has been dispatched.
  PostMessageW(bar, kTray, 101, WM_RBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return OpenMenu(p) != nullptr; })) << "no tray menu";
  EXPECT_EQ(WindowsOfClass(p, kReminderClass), 0) << "a window opened over the system-modal question";
  HWND menu = OpenMenu(p);
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitFor([&] { return OpenMenu(p) == nullptr; }));

  ASSERT_TRUE(AnswerBoxOf(p, kFirstRunCaption, IDYES));
  HWND w = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (w = p.Window(kReminderClass, kReminderCaption)) != nullptr; }))
      << "the command was lost";
  EXPECT_TRUE(IsWindowVisible(bar)) << "the bar's start-up had not ended";
  std::wstring dir;
  EXPECT_TRUE(RecordGuard::Read(L"dir", dir));
  EXPECT_EQ(dir, exe);
  EXPECT_EQ(WindowsOfClass(p, kReminderClass), 1);
  EXPECT_TRUE(p.Running());
}

}  // namespace
