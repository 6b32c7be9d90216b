// The main window in-process: splash, tray icon, hot keys, sibling messages, menu commands, exit.
#include <gtest/gtest.h>

#include <set>

#include "BkwdFakes.h"
#include "Fakes.h"
#include "QVSeams.h"
#include "TrayMenu.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

namespace {

// Stands in for a window that another module builds (settings, statistics).
class TStubForm : public TForm {
 public:
  TStubForm(const char* name, const char* cls) : TForm(Application) {
    std::string text = std::string("object ") + name + ": " + cls + "\n  Width = 300\n  Height = 200\n"
                       "  Caption = '" + name + "'\nend\n";
    InitFormFromText(text, name, FormBinder());
  }
};

bool TrayIconAnswers(HWND owner) {
  NOTIFYICONDATAW nid{sizeof(nid)};
  nid.hWnd = owner;
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_TIP;
  lstrcpyW(nid.szTip, L"Restavo");
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool HotKeyFree(UINT key) {
  // Free when this thread can take it itself.
  if (!RegisterHotKey(nullptr, 0xBF00, MOD_WIN, key)) return false;
  UnregisterHotKey(nullptr, 0xBF00);
  return true;
}

// A break reminder that an earlier test on this desktop ended by force left its hot-key atoms in
// the system's table, as Windows keeps a killed program's global atoms: those are deleted first,
// so that the atoms a test sees made and freed are the form's own.
void DeleteLeftoverHotKeyAtoms() {
  for (const THotKey& k : kHotKeys)
    while (ATOM a = GlobalFindAtomW(k.atomName))
      if (GlobalDeleteAtom(a) != 0) break;  // GlobalDeleteAtom gives 0 once it took a reference
}

void ClearQuit() {
  MSG m;
  while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  Application->Terminated = false;
}

class MainForm : public testing::Test {
 protected:
  void SetUp() override {
    RestartAfterExit = false;
    form = new TfrmMain(Application);
  }
  void TearDown() override {
    if (form) TComponent::Free(form);
    PumpMessages();
    RestartAfterExit = false;
    ClearQuit();
  }
  FakeSettings settings;
  FakeProgramWindows windows;
  FakeClock clock;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  TfrmMain* form = nullptr;
};

// ---- splash geometry --------------------------------------------------------------------------

struct SplashCase {
  int w, h;
  RECT work;
  RECT expected;
};

TEST(SplashBounds, SizedFromTheScreenAndCentredInTheWorkArea) {
  const SplashCase cases[] = {
      {1280, 800, {0, 0, 1280, 760}, {285, 194, 285 + 709, 194 + 372}},  // 708.75, 371.875 round up
      {1024, 768, {0, 0, 1024, 728}, {228, 185, 228 + 567, 185 + 357}},  // exact
      {512, 128, {0, 0, 512, 128}, {114, 34, 114 + 284, 34 + 60}},        // 283.5 -> 284, 59.5 -> 60
      {1536, 384, {0, 0, 1536, 384}, {343, 103, 343 + 850, 103 + 178}},   // 850.5 -> 850, 178.5 -> 178
      {1280, 800, {60, 0, 1280, 800}, {315, 214, 315 + 709, 214 + 372}},  // taskbar on the left
      {1280, 800, {0, 40, 1280, 800}, {285, 234, 285 + 709, 234 + 372}},  // taskbar at the top
  };
  for (const auto& c : cases) {
    RECT r = SplashBounds(c.w, c.h, c.work);
    EXPECT_EQ(r.left, c.expected.left) << c.w << "x" << c.h;
    EXPECT_EQ(r.top, c.expected.top) << c.w << "x" << c.h;
    EXPECT_EQ(r.right - r.left, c.expected.right - c.expected.left) << c.w << "x" << c.h;
    EXPECT_EQ(r.bottom - r.top, c.expected.bottom - c.expected.top) << c.w << "x" << c.h;
  }
}

// ---- creation and clean-up --------------------------------------------------------------------

TEST_F(MainForm, CreationAddsTheTrayIconRegistersHotKeysAndLogsTheStart) {
  HWND h = form->Handle();
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  EXPECT_STREQ(cls, L"KMR474747_30");
  EXPECT_EQ(form->Caption(), L"欢迎使用...");
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION);

  const NOTIFYICONDATAW& t = form->TrayIconData;
  EXPECT_EQ(t.cbSize, sizeof(NOTIFYICONDATAW));
  EXPECT_EQ(t.hWnd, h);
  EXPECT_EQ(t.uID, 100u);
  EXPECT_EQ(t.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(t.uCallbackMessage, 0x401u);
  EXPECT_NE(t.hIcon, nullptr);
  EXPECT_STREQ(t.szTip, L"Restavo");
  EXPECT_TRUE(TrayIconAnswers(h));

  for (int n = 0; n < 7; ++n) {
    wchar_t name[32] = {};
    GlobalGetAtomNameW(form->FHotKeyAtoms[n], name, 32);
    EXPECT_EQ(std::wstring(name), L"Hotkey_bkwd" + std::to_wstring(n + 1));
  }
  EXPECT_EQ(form->FHotKeyIds, HotKeyIdentifiers(form->FHotKeyAtoms));
  EXPECT_EQ(std::set<uint8_t>(form->FHotKeyIds.begin(), form->FHotKeyIds.end()).size(), 7u) << "one identifier per key";
  EXPECT_FALSE(HotKeyFree('H')) << "WIN+H is not held by the main window";

  EXPECT_EQ(form->FCycleNo, 1);
  EXPECT_EQ(form->FBreakState, stWorking);
  ASSERT_EQ(form->EventLog.Cycles().size(), 1u);
  ASSERT_EQ(form->EventLog.Cycles()[0].size(), 1u);
  EXPECT_EQ(form->EventLog.Cycles()[0][0].Kind, ekAppStart);
  EXPECT_EQ(form->EventLog.Cycles()[0][0].StartTick, clock.tick);

  EXPECT_EQ(form->Left(), 285);
  EXPECT_EQ(form->Top(), 194);
  EXPECT_EQ(form->Width(), 709);
  EXPECT_EQ(form->Height(), 372);
}

TEST(MainFormHotKeys, TwoAtoms256ApartStillHoldTwoKeysAndFreeBoth) {
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  DeleteLeftoverHotKeyAtoms();
  // The first two atoms made so that their low bytes are equal: others are added until one has the
  // first one's low byte; its place is then given to the second.
  std::vector<ATOM> made{GlobalAddAtomW(L"Hotkey_bkwd1")};
  for (int i = 0; i < 4000; ++i) {
    ATOM filler = GlobalAddAtomW((L"QvTestFiller" + std::to_wstring(i)).c_str());
    if ((filler & 0xFF) == (made.front() & 0xFF)) {
      GlobalDeleteAtom(filler);
      break;
    }
    made.push_back(filler);
  }
  made.push_back(GlobalAddAtomW(L"Hotkey_bkwd2"));
  ASSERT_EQ(made.front() & 0xFF, made.back() & 0xFF)
      << "the atoms did not come 256 apart: " << made.front() << ", " << made.back() << " after " << made.size();
  auto* form = new TfrmMain(Application);
  EXPECT_NE(form->FHotKeyIds[0], form->FHotKeyIds[1]);
  EXPECT_FALSE(HotKeyFree('H')) << "WIN+Z took WIN+H's place";
  EXPECT_FALSE(HotKeyFree('Z'));
  TComponent::Free(form);
  EXPECT_TRUE(HotKeyFree('H'));
  EXPECT_TRUE(HotKeyFree('Z'));
  for (ATOM a : made) GlobalDeleteAtom(a);
}

TEST(MainFormHotKeys, AKeyAnotherProgramHoldsIsSilentlyMissing) {
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  ScriptedDialogs dialogs;  // any box fails the test
  ASSERT_TRUE(RegisterHotKey(nullptr, 0xBF10, MOD_WIN, 'C'));
  auto* form = new TfrmMain(Application);
  for (UINT key : {'H', 'Z', 'W', 'K', 'V', 'X'}) EXPECT_FALSE(HotKeyFree(key)) << char(key);
  TComponent::Free(form);
  EXPECT_FALSE(HotKeyFree('C')) << "the other holder lost its key";
  UnregisterHotKey(nullptr, 0xBF10);
  EXPECT_TRUE(HotKeyFree('C'));
  EXPECT_TRUE(dialogs.shown.empty());
}

struct CleanUpCase {
  const char* name;
  bool flagBefore;
  bool byEndSession;
};

void PrintTo(const CleanUpCase& c, std::ostream* os) { *os << c.name; }

class MainFormCleanUp : public testing::TestWithParam<CleanUpCase> {};

// Destruction and the end of the session free the same things, once, and give the screen-saver
// flag back as the system had it before the start.
TEST_P(MainFormCleanUp, FreesHotKeysAtomsAndTrayIconAndRestoresTheScreenSaverFlag) {
  const CleanUpCase& c = GetParam();
  FakeAnimation animation;
  FakeScreenSaver screenSaver{c.flagBefore};
  DeleteLeftoverHotKeyAtoms();
  auto* form = new TfrmMain(Application);
  HWND h = form->Handle();
  screenSaver.active = false;  // the settings dialog switches the system's saver off while running
  std::array<ATOM, 7> atoms = form->FHotKeyAtoms;
  if (c.byEndSession) {
    EXPECT_TRUE(SendMessageW(h, WM_QUERYENDSESSION, 0, 0)) << "log-off must never be blocked";
    SendMessageW(h, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(TrayIconAnswers(h));
    EXPECT_TRUE(HotKeyFree('H'));
  }
  TComponent::Free(form);
  EXPECT_FALSE(TrayIconAnswers(h));
  for (UINT key : {'H', 'Z', 'C', 'W', 'K', 'V', 'X'}) EXPECT_TRUE(HotKeyFree(key)) << char(key);
  for (int n = 0; n < 7; ++n) {
    wchar_t name[32] = {};
    EXPECT_EQ(GlobalGetAtomNameW(atoms[n], name, 32), 0u) << "atom " << n << " left behind";
  }
  ASSERT_EQ(screenSaver.sets.size(), 1u);
  EXPECT_EQ(screenSaver.active, c.flagBefore);
}

INSTANTIATE_TEST_SUITE_P(Exits, MainFormCleanUp,
                         testing::Values(CleanUpCase{"SaverWasOn", true, false}, CleanUpCase{"SaverWasOff", false, false},
                                         CleanUpCase{"EndSessionSaverWasOff", false, true},
                                         CleanUpCase{"EndSessionSaverWasOn", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainForm, TrayIconComesBackWhenTheTaskbarIsCreatedAgain) {
  HWND h = form->Handle();
  Shell_NotifyIconW(NIM_DELETE, &form->TrayIconData);  // as a restarted shell has lost it
  ASSERT_FALSE(TrayIconAnswers(h));
  SendMessageW(h, TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(TrayIconAnswers(h));
}

// ---- the splash ------------------------------------------------------------------------------

TEST_F(MainForm, SplashFadesAfterItsTimerAndComesBackOnShowWelcome) {
  form->Show();
  HWND h = form->Handle();
  ASSERT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(form->CloseAnimateTimer->Enabled());
  EXPECT_EQ(form->CloseAnimateTimer->Interval(), 3000u);

  form->CloseAnimateTimer->Timer();
  ASSERT_EQ(animation.calls.size(), 1u);
  EXPECT_EQ(animation.calls[0].window, h);
  EXPECT_EQ(animation.calls[0].ms, 400u);
  EXPECT_EQ(animation.calls[0].flags, DWORD(AW_HIDE | AW_BLEND));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->CloseAnimateTimer->Enabled());
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
  EXPECT_TRUE(GetWindowLongPtrW(Application->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  PumpMessages();
  EXPECT_EQ(Application->FindForm(L"frmMain"), form) << "closing only hides the main window";

  // The screen changed meanwhile: the splash is placed again from the new size.
  FakeDisplay smaller{1024, 768, RECT{0, 0, 1024, 728}};
  SendMessageW(h, WM_BKWD_SHOWWELCOME, 0, 0);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(form->CloseAnimateTimer->Enabled());
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 228);
  EXPECT_EQ(r.top, 185);
  EXPECT_EQ(r.right - r.left, 567);
  EXPECT_EQ(r.bottom - r.top, 357);
}

TEST_F(MainForm, UserClosingTheSplashOnlyHidesIt) {
  form->Show();
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(Application->Terminated);
  EXPECT_EQ(Application->FindForm(L"frmMain"), form);
}

// ---- sibling messages, tray clicks and menu commands --------------------------------------------

TEST_F(MainForm, OpenSetupScrBringsTheSettingsForwardOnPageTwoWithoutLeavingThemTopmost) {
  auto* setup = new TStubForm("frmSetup", "TfrmSetupStub");
  std::vector<int> pages;
  bool topmostWhileOpening = false;
  settings.setupForm = [&] { return static_cast<TForm*>(setup); };
  settings.selectSetupPage = [&](int p) {
    pages.push_back(p);
    topmostWhileOpening = GetWindowLongPtrW(setup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
  };
  SendMessageW(form->Handle(), WM_BKWD_OPENSETUPSCR, 0, 0);
  EXPECT_EQ(pages, std::vector<int>{2});
  EXPECT_TRUE(topmostWhileOpening);
  EXPECT_TRUE(IsWindowVisible(setup->Handle()));
  EXPECT_FALSE(GetWindowLongPtrW(setup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  TComponent::Free(setup);
}

TEST_F(MainForm, OpenStatAndTheTrayLeftClickOpenOrCloseTheStatistics) {
  TStubForm* stat = nullptr;
  int created = 0;
  windows.createStat = [&] {
    ++created;
    stat = new TStubForm("frmStat", "TfrmStatStub");
    stat->Show();
  };
  SendMessageW(form->Handle(), WM_BKWD_OPENSTAT, 0, 0);
  ASSERT_EQ(created, 1);
  ASSERT_NE(stat, nullptr);
  EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)
      << "brought forward, then back to normal";

  // A second request restores the open window instead of making another.
  ShowWindow(stat->Handle(), SW_MINIMIZE);
  SendMessageW(form->Handle(), WM_BKWD_OPENSTAT, 0, 0);
  EXPECT_EQ(created, 1);
  EXPECT_FALSE(IsIconic(stat->Handle()));

  // Left click on the icon: closes the open window, the next one opens it again.
  EXPECT_EQ(SendMessageW(form->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_LBUTTONUP), 0);
  EXPECT_FALSE(stat->Visible());
  TComponent::Free(stat);
  stat = nullptr;
  SendMessageW(form->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_LBUTTONUP);
  EXPECT_EQ(created, 2);
  // Other mouse messages of the icon do nothing.
  SendMessageW(form->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_MOUSEMOVE);
  SendMessageW(form->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_EQ(created, 2);
  if (stat) TComponent::Free(stat);
}

TEST_F(MainForm, MenuCommandsReachTheSettingsPagesAndTheAboutWindow) {
  auto* setup = new TStubForm("frmSetup", "TfrmSetupStub");
  std::vector<int> pages, aboutPages;
  int welcomes = 0;
  settings.setupForm = [&] { return static_cast<TForm*>(setup); };
  settings.selectSetupPage = [&](int p) { pages.push_back(p); };
  windows.showAboutPage = [&](int p) { aboutPages.push_back(p); };
  windows.aboutWelcome = [&] { ++welcomes; };
  const std::pair<const wchar_t*, int> setupItems[] = {{L"NSetup", 1},     {L"NSetupMode", 1},   {L"NSetupSCR", 2},
                                                       {L"NSetupPower", 2}, {L"NQuickRemind", 3}, {L"NSetupMeiHua", 7}};
  for (const auto& [name, page] : setupItems) {
    auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(name));
    ASSERT_NE(item, nullptr) << Narrow(name);
    pages.clear();
    setup->Hide();
    item->Click();
    EXPECT_EQ(pages, std::vector<int>{page}) << Narrow(name);
    EXPECT_TRUE(setup->Visible()) << Narrow(name);
  }
  dynamic_cast<TMenuItem*>(form->FindComponent(L"NChatWithMe"))->Click();
  dynamic_cast<TMenuItem*>(form->FindComponent(L"NAboutHelp"))->Click();
  dynamic_cast<TMenuItem*>(form->FindComponent(L"NWelcome"))->Click();
  EXPECT_EQ(aboutPages, (std::vector<int>{0, 1}));
  EXPECT_EQ(welcomes, 1);
  TComponent::Free(setup);
}

TEST_F(MainForm, TrayRightClickPopsTheMenuUpAndAnOutsideCancelClosesIt) {
  static bool menuSeen;
  menuSeen = false;
  // While the menu tracks, a timer of this thread looks for it and ends it.
  UINT_PTR t = SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND m = FindWindowW(L"#32768", nullptr);
    if (m && IsWindowVisible(m)) menuSeen = true;
    TPopupMenu::CloseOpenMenu();
  });
  SendMessageW(form->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_RBUTTONUP);
  KillTimer(nullptr, t);
  EXPECT_TRUE(menuSeen);
  HWND m = FindWindowW(L"#32768", nullptr);
  EXPECT_FALSE(m && IsWindowVisible(m));
}

// ---- the exit rule ---------------------------------------------------------------------------

TEST_F(MainForm, ExitWithNothingChosenOpensPageSevenAndFlashesTheSetting) {
  auto* setup = new TStubForm("frmSetup", "TfrmSetupStub");
  std::vector<int> pages;
  std::vector<std::pair<TColor, DWORD>> colours;
  settings.setupForm = [&] { return static_cast<TForm*>(setup); };
  settings.selectSetupPage = [&](int p) { pages.push_back(p); };
  settings.setExitActionColor = [&](TColor c) { colours.push_back({c, clock.tick}); };
  for (int action : {0, -1}) {
    settings.exitActionIndex = [action] { return action; };
    pages.clear();
    colours.clear();
    form->NExit->Click();
    EXPECT_EQ(pages, std::vector<int>{7});
    ASSERT_EQ(colours.size(), 4u);
    const TColor expected[] = {clRed, clWindow, clRed, clWindow};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(colours[i].first, expected[i]) << i;
    for (int i = 1; i < 4; ++i) EXPECT_GE(colours[i].second - colours[i - 1].second, 500u) << i;
    EXPECT_FALSE(Application->Terminated);
    EXPECT_TRUE(TrayIconAnswers(form->Handle()));
  }
  TComponent::Free(setup);
}

TEST_F(MainForm, ExitWithoutTheSettingsWindowKeepsRunning) {
  form->NExit->Click();
  EXPECT_FALSE(Application->Terminated);
}

TEST_F(MainForm, CompleteExitTerminates) {
  settings.exitActionIndex = [] { return 2; };
  form->NExit->Click();
  EXPECT_TRUE(Application->Terminated);
  EXPECT_FALSE(RestartAfterExit);
}

TEST_F(MainForm, RestartCleansUpFirstSoTheNewInstanceCanTakeTheHotKeys) {
  screenSaver.active = false;
  settings.exitActionIndex = [] { return 1; };
  form->NExit->Click();
  EXPECT_TRUE(Application->Terminated);
  EXPECT_TRUE(RestartAfterExit);
  // Freed at once, before the program block starts the new instance.
  EXPECT_FALSE(TrayIconAnswers(form->Handle()));
  EXPECT_TRUE(HotKeyFree('H'));
  EXPECT_TRUE(screenSaver.active);
}

}  // namespace
