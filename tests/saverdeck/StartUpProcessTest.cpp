// The built player as a process: start-up and its tray icon, a second start and its hand-over,
// the wait for an older version, the commands of the siblings, the tray icon and the menus
// clicked as a user clicks them, and the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const wchar_t kClass[] = L"KMR474747_325_SaverDeck";

class Player : public TestProcess {
 public:
  explicit Player(const std::wstring& args = L"") : TestProcess(WinPathFromBuild(SAVERDECK_EXE), args) {}
  HWND MainWindow() const { return AnyWindow(kClass); }
  HWND Shown() const { return Window(kClass); }
};

bool TrayIconAnswers(HWND owner) { return ::TrayIconShown(owner, 102, L"Sonavista"); }

int MainWindowCount() {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, kClass, nullptr));) ++n;
  return n;
}

// The tray of the desktop's taskbar holds the icon at its right end. A click may come before the
// taskbar has laid the new icon out, or land on the icon of a program that has gone (the click
// clears that one away): then the click is repeated, a few seconds apart.
bool ClickTrayIconUntil(const std::function<bool()>& done, bool right = false) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    ClickScreenAt({GetSystemMetrics(SM_CXSCREEN) - 11, GetSystemMetrics(SM_CYSCREEN) - 10}, right);
    bool ok = WaitFor(done, 3000);
    // The pointer leaves the tray, so the icon's tip and the next test's pop-ups are not where it was.
    if (!right) SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    if (ok) return true;
  }
  return false;
}

// The number of lines in the running player's playlist (its window's list box).
int PlaylistLines(const Player& p) {
  HWND list = p.AnyWindow(L"TfrmMusicList");
  HWND box = list ? FindWindowExW(list, nullptr, L"LISTBOX", nullptr) : nullptr;
  return box ? int(SendMessageW(box, LB_GETCOUNT, 0, 0)) : -1;
}

// The lines of the playlist window's list box of a player's process, as a user's tool reads them.
std::vector<std::wstring> PlaylistTexts(HWND listWindow) {
  HWND box = listWindow ? FindWindowExW(listWindow, nullptr, L"LISTBOX", nullptr) : nullptr;
  std::vector<std::wstring> texts;
  if (!box) return {L"<no list>"};
  const int n = int(SendMessageW(box, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::wstring t(size_t(SendMessageW(box, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
    t.resize(size_t(SendMessageW(box, LB_GETTEXT, WPARAM(i), LPARAM(t.data()))));
    texts.push_back(t);
  }
  return texts;
}
std::vector<std::wstring> PlaylistTexts(const Player& p) { return PlaylistTexts(p.AnyWindow(L"TfrmMusicList")); }

class StartUp : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a player is left over"; }

  // Starts the player and waits until it shows and its tray icon answers.
  HWND StartShown(Player& p) {
    HWND main = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (main = p.Shown()) != nullptr; })) << "the player did not show";
    EXPECT_TRUE(WaitFor([&] { return main && TrayIconAnswers(main); })) << "no tray icon";
    return main;
  }
  // The exit question the player shows, answered.
  void AnswerExitQuestion(const Player& p, int answer) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.Window(L"#32770", L"退出确认：")) != nullptr; })) << "no exit question";
    EXPECT_NE(WindowTexts(box).find(L"选择\"否\"将缩小到托盘，选择\"是\"退出。"), std::wstring::npos)
        << Narrow(WindowTexts(box));
    EXPECT_TRUE(GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    PostMessageW(box, WM_COMMAND, answer, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  }

  TestFolder folder{L"qvplayer"};
};

TEST_F(StartUp, ShowsThePlayerWithItsTrayIconAndEndsCleanly) {
  Player p;
  ASSERT_TRUE(p.Started());
  HWND main = StartShown(p);
  wchar_t caption[64] = {};
  GetWindowTextW(main, caption, 64);
  EXPECT_STREQ(caption, L"欢迎使用Sonavista！");
  EXPECT_NE(p.AnyWindow(L"TfrmSetupSaverDeck"), nullptr);
  EXPECT_NE(p.AnyWindow(L"TfrmTransitForm"), nullptr);
  EXPECT_NE(p.AnyWindow(L"TfrmMusicList"), nullptr);
  EXPECT_EQ(p.Window(L"TfrmSetupSaverDeck"), nullptr) << "the settings dialog starts hidden";
  EXPECT_EQ(p.Window(L"TfrmTransitForm"), nullptr);

  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(answer, DWORD_PTR(TRUE)) << "log-off must never be blocked";
  p.Quit();
  ASSERT_TRUE(p.Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconAnswers(main)) << "the tray icon outlived the program";
}

TEST_F(StartUp, EndOfSessionRemovesTheTrayIcon) {
  Player p;
  HWND main = StartShown(p);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_FALSE(TrayIconAnswers(main));
}

TEST_F(StartUp, ASecondStartShowsTheFirstAndEndsAtOnceLeavingTheUsersClipboardAlone) {
  Player first;
  HWND main = StartShown(first);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "the close box did not hide it";
  EXPECT_EQ(first.Window(L"#32770"), nullptr) << "the close box asks nothing";
  EXPECT_TRUE(TrayIconAnswers(main));

  // A copied path of an existing playlist is the user's too: not tried, not emptied.
  std::wstring list = folder / L"copied.qvml";
  WriteTextLines(list, {L"C:\\a.mp3"});
  for (const std::wstring& text : {std::wstring(L"hello"), list}) {
    ASSERT_TRUE(SetClipboardText(text));
    Player second;
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.Ended()) << "the second start kept running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; })) << "the first did not show";
    EXPECT_EQ(MainWindowCount(), 1);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
    EXPECT_EQ(ClipboardText(), text);
    EXPECT_EQ(PlaylistLines(first), 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
  }
}

// A double click, or a sibling's start beside the log-on start: the later start waits for the
// first one's window and hands its playlist over, it never runs as a second player.
TEST_F(StartUp, TwoStartsAtTheSameMomentLeaveOnePlayerThatTakesTheHandOver) {
  std::wstring list = folder / L"同时.qvml";
  WriteTextLines(list, {folder / L"甲.wav", folder / L"乙.wav"});
  ASSERT_TRUE(WriteToneWav(folder / L"甲.wav", 3000));
  ASSERT_TRUE(WriteToneWav(folder / L"乙.wav", 3000));
  ASSERT_TRUE(SetClipboardText(L"hello"));
  DoubleStart both(WinPathFromBuild(SAVERDECK_EXE), L"/L \"" + list + L"\"");
  const int kept = both.Survivor();
  ASSERT_NE(kept, -1) << "two players run (or none)";
  const TestProcess& first = both.starts[kept];
  const TestProcess& later = both.starts[1 - kept];
  EXPECT_EQ(later.ExitCode(), 0u);
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = first.Window(kClass)) != nullptr; })) << "the player did not show";
  EXPECT_EQ(MainWindowCount(), 1);
  // The first loaded the list itself, and the hand-over of the later one comes on top.
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == L"<none>"; })) << "the hand-over was not taken";
  EXPECT_EQ(PlaylistTexts(first.AnyWindow(L"TfrmMusicList")).size(), 2u);
}

// A start held in its start-up (here by an older version's notice) has no main window yet: a start
// meanwhile waits for that window and hands its playlist over, it never runs as a second player.
TEST_F(StartUp, AStartDuringTheFirstsStartUpWaitsForItsWindowAndHandsOver) {
  std::wstring log = folder / L"old.log";
  auto old = std::make_unique<TestProcess>(WinPathFromBuild(FAKESIBLING_EXE),
                                           L"--class KMR474747_320_SaverDeck --log \"" + log + L"\"");
  ASSERT_TRUE(WaitFor([&] { return old->AnyWindow(L"KMR474747_320_SaverDeck") != nullptr; }));
  Player first;
  HWND notice = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (notice = first.Window(L"#32770")) != nullptr; })) << "no older-version notice";
  std::wstring list = folder / L"交接.qvml";
  ASSERT_TRUE(WriteToneWav(folder / L"交接.wav", 3000));
  WriteTextLines(list, {folder / L"交接.wav"});
  ASSERT_TRUE(SetClipboardText(L"hello"));
  Player later(L"/L \"" + list + L"\"");
  ASSERT_TRUE(later.Started());
  // It waits for the first: no notice, no window of its own.
  EXPECT_FALSE(WaitFor([&] { return later.Window(L"#32770") != nullptr; }, 4000)) << "the later start went on";
  old.reset();
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(later.Ended()) << "the later start runs beside the first";
  EXPECT_EQ(later.ExitCode(), 0u);
  ASSERT_TRUE(WaitFor([&] { return first.MainWindow() != nullptr; })) << "the first did not go on";
  EXPECT_EQ(MainWindowCount(), 1);
  EXPECT_TRUE(WaitFor([&] { return PlaylistLines(first) == 1; })) << "the hand-over did not come";
}

TEST_F(StartUp, ASecondStartWithSlashLHandsItsPlaylistOver) {
  Player first;
  HWND main = StartShown(first);
  std::wstring list = folder / L"三首.qvml";
  // Files that exist: the hand-over plays the first (a missing one would hold the show behind
  // its report until OK).
  std::vector<std::wstring> songs;
  for (const wchar_t* name : {L"1.wav", L"2.wav", L"3.wav"}) {
    songs.push_back(folder / name);
    ASSERT_TRUE(WriteToneWav(songs.back(), 3000));
  }
  WriteTextLines(list, songs);

  // "/l" is not the switch, and "/L" needs a path: the clipboard stays as the user left it.
  for (const std::wstring& args : {L"/l \"" + list + L"\"", std::wstring(L"/L")}) {
    ASSERT_TRUE(SetClipboardText(L"hello"));
    Player second(args);
    ASSERT_TRUE(second.Ended());
    EXPECT_EQ(ClipboardText(), L"hello") << Narrow(args);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(PlaylistLines(first), 0) << Narrow(args);
  }

  ASSERT_TRUE(SetClipboardText(L"hello"));
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
  Player second(L"/L \"" + list + L"\"");
  ASSERT_TRUE(second.Ended());
  EXPECT_TRUE(WaitFor([&] { return PlaylistLines(first) == 3; })) << PlaylistLines(first);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
  EXPECT_EQ(ClipboardText(), L"<none>") << "the hand-over is emptied once taken";
  EXPECT_EQ(MainWindowCount(), 1);
}

TEST_F(StartUp, ShowHideCommandTwiceTogglesTwice) {
  Player p;
  HWND main = StartShown(p);
  PostMessageW(main, 0x8194, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "not hidden";
  PostMessageW(main, 0x8194, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; })) << "not shown again";
  // Commands without a receiver, and the rest of the siblings' table, leave it running and answering.
  for (UINT msg = 0x8184; msg <= 0x8199; ++msg)
    if (msg != 0x8190 && msg != 0x8194 && msg != 0x8197) PostMessageW(main, msg, 0, 0);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_TRUE(p.Running());
  EXPECT_TRUE(IsWindowVisible(main));
}

// The desktop taskbar's button for a window of the process, when there is one.
HWND TaskbarButtonFor(DWORD pid, const wchar_t* caption) {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  for (HWND b : ChildrenOfClass(tray, L"Button")) {
    HWND target = HWND(GetWindowLongPtrW(b, GWLP_ID));
    DWORD owner = 0;
    wchar_t text[64] = {};
    if (IsWindowVisible(b) && target && GetWindowThreadProcessId(target, &owner) && owner == pid &&
        GetWindowTextW(target, text, 64) && wcscmp(text, caption) == 0)
      return b;
  }
  return nullptr;
}

TEST_F(StartUp, ShownAgainThePlayerHasATaskbarButtonWithItsName) {
  ASSERT_TRUE(FindWindowW(L"Shell_TrayWnd", nullptr)) << "no taskbar on this desktop";
  Player p;
  HWND main = StartShown(p);
  PostMessageW(main, 0x8194, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
  PostMessageW(main, 0x8194, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
  HWND button = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (button = TaskbarButtonFor(p.Pid(), L"Sonavista")) != nullptr; }, 5000));
  std::wstring all;
  for (const auto& c : TaskbarButtonsOf(p.Pid())) all += c + L"|";
  ASSERT_TRUE(button) << "the player's buttons: " << Narrow(all);
  // The name is on the button as the screen shows it: text pixels on the button's face (a blank
  // button is its face colour inside its edges).
  RECT r{};
  GetWindowRect(button, &r);
  const RECT inside{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
  auto textPixels = [&] {
    const ScreenPixels shot = CaptureScreen(inside);
    const COLORREF face = shot.At(inside.right - 2, inside.top + 1);
    return shot.Count([&](COLORREF c) { return c != face; });
  };
  EXPECT_TRUE(WaitFor([&] { return textPixels() > 20; }, 5000))
      << "a blank button " << WindowRectText(button) << ": " << textPixels();
  // Hidden again, the button goes with the window.
  PostMessageW(main, 0x8194, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return TaskbarButtonFor(p.Pid(), L"Sonavista") == nullptr; }, 5000));
}

TEST_F(StartUp, ClickingTheTrayIconTogglesThePlayer) {
  Player p;
  HWND main = StartShown(p);
  EXPECT_TRUE(ClickTrayIconUntil([&] { return !IsWindowVisible(main); })) << "a click on the icon did not hide it";
  EXPECT_TRUE(ClickTrayIconUntil([&] { return IsWindowVisible(main) != FALSE; }))
      << "a click on the icon did not show it";
}

TEST_F(StartUp, TheTrayMenuOpensOnARightClickClosesOnAClickOutsideAndItsExitAsks) {
  Player p;
  HWND main = StartShown(p);
  HWND menu = nullptr;
  ASSERT_TRUE(ClickTrayIconUntil([&] { return (menu = TrackingMenu(p)) != nullptr; }, true)) << "no tray menu";
  EXPECT_TRUE(ClickBesideMenus(p)) << "the menu stayed open";

  // "退出", the first of its three items, asks; No hides the player to the tray.
  ASSERT_TRUE(ClickTrayIconUntil([&] { return (menu = TrackingMenu(p)) != nullptr; }, true));
  RECT mr;
  GetWindowRect(menu, &mr);
  ClickScreenAt({mr.left + 20, mr.top + (mr.bottom - mr.top) / 6});
  AnswerExitQuestion(p, IDNO);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
  EXPECT_TRUE(p.Running());
  EXPECT_TRUE(TrayIconAnswers(main));
}

TEST_F(StartUp, TheMenuBarsExitAsksNoHidesYesEnds) {
  Player p;
  HWND main = StartShown(p);
  for (int answer : {IDNO, IDYES}) {
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
    // Other tests' windows may lie over it: above them for the clicks, as a user would bring it up.
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // "文件" is the first item of the bar, just above the client area; "退    出" its last item.
    POINT client{0, 0};
    ClientToScreen(main, &client);
    HWND menu = nullptr;
    bool dropped = false;
    for (int attempt = 0; attempt < 3 && !dropped; ++attempt) {
      ClickScreenAt({client.x + 16, client.y - GetSystemMetrics(SM_CYMENU) / 2});
      dropped = WaitFor([&] { return (menu = TrackingMenu(p)) != nullptr; }, 3000);
    }
    ASSERT_TRUE(dropped) << "文件 did not drop down";
    RECT mr;
    GetWindowRect(menu, &mr);
    ClickScreenAt({mr.left + 24, mr.bottom - 10});
    AnswerExitQuestion(p, answer);
    if (answer == IDNO) {
      EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "No did not hide it";
      EXPECT_TRUE(p.Running());
      PostMessageW(main, 0x8194, 0, 0);  // shown again for the next round
    }
  }
  ASSERT_TRUE(p.Ended()) << "Yes did not end it";
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_FALSE(TrayIconAnswers(main));
}

TEST_F(StartUp, AnOlderVersionBringsTheNoticeAfterEachOkUntilItGoes) {
  std::wstring log = folder / L"old.log";
  TestProcess old(WinPathFromBuild(FAKESIBLING_EXE), L"--class KMR474747_320_SaverDeck --log \"" + log + L"\"");
  HWND oldWindow = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (oldWindow = old.AnyWindow(L"KMR474747_320_SaverDeck")) != nullptr; }));

  Player p;
  ASSERT_TRUE(p.Started());
  for (int round = 0; round < 2; ++round) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.Window(L"#32770", L"提示")) != nullptr; })) << "no notice in round " << round;
    EXPECT_NE(WindowTexts(box).find(L"Sonavista检测到已经有一个旧版本在运行,请您先关闭它,再继续！"), std::wstring::npos)
        << Narrow(WindowTexts(box));
    EXPECT_EQ(p.MainWindow(), nullptr) << "forms were created before the older version went away";
    if (round == 1) {  // the user closes the old version, then answers
      PostMessageW(oldWindow, WM_CLOSE, 0, 0);
      ASSERT_TRUE(old.Ended());
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  }
  StartShown(p);
  EXPECT_EQ(p.Window(L"#32770"), nullptr);
}

// ---- the playlist at the start ------------------------------------------------------------------------

TEST_F(StartUp, SlashLShowsItsListInOrderAndAnyOtherFirstArgumentLeavesItEmptyWithoutABox) {
  // Three short tunes that exist (the list is played at once), one in a folder named in GBK.
  const std::wstring list = folder / L"三首.qvml", one = folder / L"one.wav", two = folder / L"音乐\\two.wav",
                     three = folder / L"three.wav";
  CreateDirectoryW((folder / L"音乐").c_str(), nullptr);
  for (const std::wstring& f : {one, two, three}) ASSERT_TRUE(WriteToneWav(f, 300));
  const std::string base = Narrow(folder.Path());  // the test folder's path is plain ASCII
  WriteBytes(list, base + "\\one.wav\n" + base + "\\\xD2\xF4\xC0\xD6\\two.wav\n" + base + "\\three.wav\n");  // LF ends
  {
    Player p(L"/L \"" + list + L"\"");
    StartShown(p);
    EXPECT_TRUE(WaitFor([&] { return PlaylistTexts(p).size() == 3; })) << PlaylistTexts(p).size();
    EXPECT_EQ(PlaylistTexts(p), (std::vector<std::wstring>{one, two, three}));
    EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a box at /L";
    p.Quit();
    ASSERT_TRUE(p.Ended());
  }
  for (const std::wstring& args : {L"/l \"" + list + L"\"", std::wstring(L"/L"), L"/L \"" + folder / L"gone.qvml" + L"\""}) {
    Player p(args);
    HWND main = StartShown(p);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &r);
    Sleep(300);
    EXPECT_TRUE(PlaylistTexts(p).empty()) << Narrow(args);
    EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a box at " << Narrow(args);
    p.Quit();
    ASSERT_TRUE(p.Ended());
  }
}

// HKEY_CLASSES_ROOT's playlist type, as the test found it, given back at the end.
struct PlaylistTypeGuard {
  PlaylistTypeGuard() { Delete(); }
  ~PlaylistTypeGuard() { Delete(); }
  static void Delete() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".qvml");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".qvml");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"qvml_auto_file");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"qvml_auto_file");
  }
};

// The player's window of another process (started by the shell), or null.
HWND PlayerNotOf(DWORD pid) {
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, kClass, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner != pid) return h;
  }
  return nullptr;
}

TEST_F(StartUp, InstalledInAFolderWithABlankRepairedThenOpeningAPlaylistFileStartsThePlayerWithIt) {
  PlaylistTypeGuard type;
  const std::wstring dir = folder / L"Program Files";
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  const std::wstring exe = dir + L"\\saverdeck.exe";
  ASSERT_TRUE(CopyFileW(WinPathFromBuild(SAVERDECK_EXE).c_str(), exe.c_str(), FALSE));
  const std::wstring list = folder / L"我的 列表.qvml";
  WriteTextLines(list, {L"C:\\a.mp3", L"C:\\b.mp3"});
  DWORD firstPid = 0;
  {
    TestProcess p(exe);
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = p.Window(kClass)) != nullptr; }));
    firstPid = p.Pid();
    // "修复" on the settings' first page.
    HWND fix = ChildByCaption(p.AnyWindow(L"TfrmSetupSaverDeck"), L"修复");
    ASSERT_NE(fix, nullptr);
    PostMessageW(fix, BM_CLICK, 0, 0);
    std::wstring texts;
    ASSERT_TRUE(AnswerBoxOf(p, L"Quovel提示", IDOK, &texts)) << "no box after the repair";
    EXPECT_NE(texts.find(L"修复已完成！"), std::wstring::npos) << Narrow(texts);
    p.Quit();
    ASSERT_TRUE(p.Ended());
  }
  // What a double click on the file does.
  ASSERT_GT(INT_PTR(ShellExecuteW(nullptr, L"open", list.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 32);
  HWND started = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (started = PlayerNotOf(firstPid)) != nullptr; })) << "no player started";
  DWORD pid = 0;
  const DWORD thread = GetWindowThreadProcessId(started, &pid);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  auto listWindow = [&] {
    for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"TfrmMusicList", nullptr));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(h, &owner);
      if (owner == pid) return h;
    }
    return HWND(nullptr);
  };
  EXPECT_TRUE(WaitFor([&] { return PlaylistTexts(listWindow()).size() == 2; }));
  EXPECT_EQ(PlaylistTexts(listWindow()), (std::vector<std::wstring>{L"C:\\a.mp3", L"C:\\b.mp3"}));
  if (process) {
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process, 0, image, &size);
    EXPECT_EQ(lstrcmpiW(image, exe.c_str()), 0) << Narrow(image);
    PostThreadMessageW(thread, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
  }
}

}  // namespace
