// Power management in-process: the display switched off, stand-by and hibernation asked for by the
// idle rule and the tray, the system's broadcasts as the main window answers them, the time asleep
// taken off a break, and the settings' power options. The power seam's fake records every call and
// plays the sleeps; no test reaches the machine's own power request.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "ShellFakes.h"
#include "Transparent_Window.h"
#include "uniBreakHint.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

constexpr UINT kQuestionFlags = MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO;
constexpr DWORD kSec = 1000;

class Power : public testing::Test {
 protected:
  void SetUp() override {
    main = new TfrmMain(Application);
    frmMain = main;
    setup = new TfrmSetup(Application);
    SelfSuspending = false;
    power.onCall = [this](const std::wstring& call) {
      if (call.rfind(L"SetSystemPowerState", 0) == 0) flagDuringRequest.push_back(SelfSuspending);
    };
  }
  void TearDown() override {
    FreeMainAndSetup(main, setup);
    SelfSuspending = false;
  }

  LRESULT Broadcast(WPARAM event) { return SendMessageW(main->Handle(), WM_POWERBROADCAST, event, 0); }
  const TEventCycle& Cycle() const { return main->EventLog.Cycles().back(); }
  // The kinds of the current cycle's entries from index from on.
  std::vector<int> KindsFrom(size_t from) const {
    std::vector<int> kinds;
    for (size_t i = from; i < Cycle().size(); ++i) kinds.push_back(Cycle()[i].Kind);
    return kinds;
  }
  const TEventEntry& Last(uint8_t kind) const {
    uint16_t i = main->EventLog.FindLastEvent(main->EventLog.Cycles().size() - 1, kind);
    EXPECT_NE(i, kNoEvent);
    return Cycle().at(i == kNoEvent ? 0 : i);
  }
  // A break asked for by hand, with seconds left on its bar.
  TTWForm* BreakWith(int secondsLeft) {
    main->BreakNow(TBreakWindow::Break, ekManualBreak);
    EXPECT_NE(TWForm, nullptr);
    if (TWForm) TWForm->ProgressBar1->SetPosition(secondsLeft);
    return TWForm;
  }
  int Left() const { return TWForm ? TWForm->ProgressBar1->Position() : -1; }
  // The sleep the fake plays while the request blocks: sent to the main window, the clock moved on.
  void PlaySleep(DWORD ms) {
    power.sleep.window = main->Handle();
    power.sleep.clock = &clock;
    power.sleep.ms = ms;
  }

  TestConfigFolder folder;  // none is written: the design defaults, a desktop
  FakeClock clock;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  FakeInput input;
  FakePower power;
  ScriptedDialogs dialogs;
  RecordingShell shell;
  TfrmMain* main = nullptr;
  TfrmSetup* setup = nullptr;
  std::vector<bool> flagDuringRequest;
};

// ---- the display and the sleep requests -------------------------------------------------------

TEST_F(Power, DisplayOffIsLoggedAndSentToTheApplicationWindow) {
  const size_t before = Cycle().size();
  main->ShutdownDisplayer();
  EXPECT_EQ(KindsFrom(before), std::vector<int>{ekDisplayOff});
  EXPECT_EQ(Cycle().back().StartTick, clock.tick);
  EXPECT_EQ(Cycle().back().EndTick, 0u);
  EXPECT_EQ(power.displayOffTo, Application->Handle());
}

struct RequestRow {
  const char* name;
  bool standBy, ask;
  int answer;  // 0: no question expected
  bool refusePrivilege, refuseSleep;
  std::vector<std::wstring> calls;
  std::vector<int> logged;
};

class SleepRequest : public Power, public testing::WithParamInterface<RequestRow> {};

TEST_P(SleepRequest, AsksLogsRequestsAndClearsTheFlag) {
  const RequestRow& r = GetParam();
  if (r.answer) dialogs.Answer(r.answer);
  power.refusePrivilege = r.refusePrivilege;
  power.refuseSleep = r.refuseSleep;
  const size_t before = Cycle().size();
  if (r.standBy)
    main->LetSysStandBy(false, r.ask);
  else
    main->LetSysSleep(false, r.ask);
  ASSERT_EQ(dialogs.shown.size(), r.answer ? 1u : 0u);
  if (r.answer) {
    EXPECT_EQ(dialogs.shown[0].text, r.standBy ? L"系统正准备待机,要继续吗?" : L"系统正准备休眠,要继续吗?");
    EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示");
    EXPECT_EQ(dialogs.shown[0].flags, kQuestionFlags);
    EXPECT_EQ(dialogs.shown[0].owner, nullptr);
  }
  EXPECT_EQ(power.calls, r.calls);
  EXPECT_EQ(KindsFrom(before), r.logged);
  // Set for the request only: the request sees it, whatever the outcome nothing keeps it.
  for (bool during : flagDuringRequest) EXPECT_TRUE(during);
  EXPECT_FALSE(SelfSuspending);
}

const std::wstring kPrivilege = L"Privilege(on)";
const RequestRow kRequests[] = {
    {"TrayStandByYes", true, true, IDYES, false, false, {kPrivilege, L"SetSystemPowerState(TRUE, TRUE)"},
     {ekManualStandBy}},
    {"TrayStandByNo", true, true, IDNO, false, false, {}, {}},
    {"TrayHibernateYes", false, true, IDYES, false, false, {kPrivilege, L"SetSystemPowerState(FALSE, TRUE)"},
     {ekManualHibernate}},
    {"TrayHibernateNo", false, true, IDNO, false, false, {}, {}},
    {"IdleStandBy", true, false, 0, false, false, {kPrivilege, L"SetSystemPowerState(TRUE, TRUE)"},
     {ekAutoStandBy}},
    {"IdleHibernate", false, false, 0, false, false, {kPrivilege, L"SetSystemPowerState(FALSE, TRUE)"},
     {ekAutoHibernate}},
    {"PrivilegeRefused", true, true, IDYES, true, false, {kPrivilege}, {ekManualStandBy, ekManualStandByFailed}},
    {"StandByRefused", true, false, 0, false, true, {kPrivilege, L"SetSystemPowerState(TRUE, TRUE)"},
     {ekAutoStandBy, ekAutoStandByFailed}},
    {"HibernationRefused", false, true, IDYES, false, true, {kPrivilege, L"SetSystemPowerState(FALSE, TRUE)"},
     {ekManualHibernate, ekManualHibernateFailed}},
    {"IdleHibernationPrivilegeRefused", false, false, 0, true, false, {kPrivilege},
     {ekAutoHibernate, ekAutoHibernateFailed}},
};
INSTANTIATE_TEST_SUITE_P(Power, SleepRequest, testing::ValuesIn(kRequests),
                         [](const testing::TestParamInfo<RequestRow>& i) { return std::string(i.param.name); });

TEST_F(Power, ASilentRequestAsksAndLogsNothing) {
  for (bool refused : {false, true}) {
    SCOPED_TRACE(refused ? "refused" : "granted");
    power.refuseSleep = refused;
    const size_t before = Cycle().size();
    main->LetSysStandBy(true, true);
    main->LetSysSleep(true, false);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(KindsFrom(before), std::vector<int>{});
    EXPECT_FALSE(SelfSuspending);
  }
  EXPECT_EQ(power.calls.size(), 8u);
}

// ---- the program's own sleep ------------------------------------------------------------------

TEST_F(Power, OwnSleepIsNeitherAskedNorLoggedAsAnOutsideOne) {
  PlaySleep(150 * kSec);
  power.sleep.before = {PBT_APMQUERYSUSPEND, PBT_APMSUSPEND};
  dialogs.Answer(IDYES);
  const uint32_t start = clock.tick;
  const size_t before = Cycle().size();
  main->LetSysStandBy(false, true);
  EXPECT_EQ(dialogs.shown.size(), 1u) << "only the stand-by question";
  EXPECT_EQ(power.answers, (std::vector<LRESULT>{TRUE, TRUE, TRUE}));
  ASSERT_EQ(KindsFrom(before), std::vector<int>{ekManualStandBy});
  const TEventEntry& e = Cycle().back();
  EXPECT_EQ(e.StartTick, start);
  EXPECT_EQ(e.EndTick, start + 150 * kSec) << "closed at the resume";
  EXPECT_EQ(e.Value, 0) << "no break was running";
  EXPECT_EQ(main->LastPowerEventSeconds(), 150u);
  EXPECT_FALSE(SelfSuspending);
}

TEST_F(Power, ATrayStandByInABreakCountsTheSleepAsBreak) {
  BreakWith(200);
  PlaySleep(150 * kSec);
  dialogs.Answer(IDYES);
  main->LetSysStandBy(false, true);
  EXPECT_EQ(Left(), 50);
  EXPECT_EQ(Last(ekManualStandBy).Value, 99);
  EXPECT_EQ(Last(ekManualStandBy).EndTick - Last(ekManualStandBy).StartTick, 150 * kSec);
}

TEST_F(Power, AResumeThatComesAfterTheRequestReturnedStillClosesTheSleep) {
  PlaySleep(90 * kSec);
  power.sleep.resumeAfterReturn = true;
  main->LetSysSleep(false, false);
  EXPECT_FALSE(SelfSuspending) << "cleared as the request returned";
  EXPECT_EQ(Last(ekAutoHibernate).EndTick, 0u);
  clock.Advance(5 * kSec);
  PumpMessages();
  EXPECT_EQ(Last(ekAutoHibernate).EndTick - Last(ekAutoHibernate).StartTick, 95 * kSec);
}

// The flag used to stay set when no resume came (Wine, a blocked sleep): every later outside
// suspend then went unasked and unlogged.
TEST_F(Power, WithoutAResumeLaterOutsideSuspendsAreAskedAndLoggedAgain) {
  PlaySleep(60 * kSec);
  power.sleep.resume = false;
  main->LetSysStandBy(false, false);
  EXPECT_FALSE(SelfSuspending);
  dialogs.Answer(IDYES);
  const size_t before = Cycle().size();
  EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPEND), TRUE);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(KindsFrom(before), std::vector<int>{ekExtStandBy});
}

// ---- the system's broadcasts ------------------------------------------------------------------

TEST_F(Power, OnADesktopTheQuestionDecidesTheOutsideSuspend) {
  dialogs.Answer(IDNO).Answer(IDYES);
  const size_t before = Cycle().size();
  EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPEND), BROADCAST_QUERY_DENY);
  EXPECT_EQ(KindsFrom(before), std::vector<int>{}) << "a denied suspend is not logged";
  EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPEND), TRUE);
  EXPECT_EQ(KindsFrom(before), std::vector<int>{ekExtStandBy});
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, L"系统正准备挂机,要继续吗?");
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel提示");
  EXPECT_EQ(dialogs.shown[0].flags, kQuestionFlags);
  EXPECT_EQ(dialogs.shown[0].owner, nullptr);
}

TEST_F(Power, ALaptopIsNeverAsked) {
  setup->cbxHarwareIsLaptop->SetChecked(true);
  const size_t before = Cycle().size();
  EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPEND), TRUE);
  EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPENDFAILED), TRUE);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(KindsFrom(before), (std::vector<int>{ekExtStandBy, ekExtStandByFailed}));
}

TEST_F(Power, AnOutsideSuspendInTheCountdownStartsTheBreakAndTheSleepCountsToward) {
  main->BreakNow(TBreakWindow::Countdown, ekCountdown);
  ASSERT_EQ(main->FBreakState, stCountdown);
  dialogs.Answer(IDYES);
  const size_t before = Cycle().size();
  EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPEND), TRUE);
  EXPECT_EQ(main->FBreakState, stOnBreak);
  EXPECT_EQ(KindsFrom(before), (std::vector<int>{ekExtStandBy, ekManualBreak})) << "a break asked for by hand";
  ASSERT_NE(TWForm, nullptr);
  const int full = Left();
  clock.Advance(120 * kSec);
  EXPECT_EQ(Broadcast(PBT_APMRESUMESUSPEND), TRUE);
  EXPECT_EQ(Left(), full - 120);
  EXPECT_EQ(Last(ekExtStandBy).Value, 99);
}

TEST_F(Power, AnOutsideSleepInABreakIsTakenOffIt) {
  const struct {
    DWORD asleep;
    int left;
  } rows[] = {{150 * kSec, 50}, {300 * kSec, 0}, {65600 * kSec, 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.asleep / kSec);
    BreakWith(200);
    EXPECT_EQ(Broadcast(PBT_APMQUERYSUSPEND), TRUE);
    EXPECT_TRUE(dialogs.shown.empty()) << "a break is not interrupted by the question";
    clock.Advance(r.asleep);
    EXPECT_EQ(Broadcast(PBT_APMRESUMESUSPEND), TRUE);
    EXPECT_EQ(Left(), r.left);
    EXPECT_EQ(main->LastPowerEventSeconds(), r.asleep / kSec) << "a sleep over 65,535 s used to wrap";
    EXPECT_EQ(Last(ekExtStandBy).Value, 99);
    TearDown();
    SetUp();
  }
}

// A resume that ends no announced sleep (current Windows sends no query) used to close the last
// power entry again, up to now, and take all that time off the running break.
TEST_F(Power, AResumeWithNoOpenSleepChangesNoEntryAndNoSecond) {
  const struct {
    const char* name;
    std::function<void()> before;
  } rows[] = {
      {"no power entry", [] {}},
      {"an earlier sleep, closed",
       [this] {
         Broadcast(PBT_APMQUERYSUSPEND);
         clock.Advance(30 * kSec);
         Broadcast(PBT_APMRESUMESUSPEND);
       }},
      {"a refused request",
       [this] {
         power.refuseSleep = true;
         main->LetSysStandBy(false, false);
       }},
      {"a failed outside query", [this] { Broadcast(PBT_APMQUERYSUSPENDFAILED); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    BreakWith(200);
    r.before();
    const int left = Left();
    const TEventCycle entries = Cycle();
    const uint16_t seq = main->EventLog.EventSeq();
    clock.Advance(100 * kSec);
    EXPECT_EQ(Broadcast(PBT_APMRESUMESUSPEND), TRUE);
    EXPECT_EQ(Left(), left);
    ASSERT_EQ(Cycle().size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(Cycle()[i].EndTick, entries[i].EndTick) << "entry " << i;
      EXPECT_EQ(Cycle()[i].Value, entries[i].Value) << "entry " << i;
    }
    EXPECT_EQ(main->EventLog.EventSeq(), seq);
    TearDown();
    SetUp();
  }
}

// ---- the tray items ---------------------------------------------------------------------------

// Keys posted to the tray menu while it is up, as a user's keyboard would choose an item.
void ChooseFromTrayMenu(TfrmMain* main, const std::vector<WPARAM>& keys) {
  static std::vector<WPARAM> pending;
  static int ticks;
  pending = keys;
  ticks = 0;
  UINT_PTR t = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu) && !pending.empty()) {
      for (WPARAM k : pending) PostMessageW(menu, WM_KEYDOWN, k, 0);
      pending.clear();
    }
    if (++ticks > 50) TPopupMenu::CloseOpenMenu();  // the keys did not choose: the test fails, it does not hang
  });
  SendMessageW(main->Handle(), WM_BKWD_TRAY, kTrayIconId, WM_RBUTTONUP);
  KillTimer(nullptr, t);
  PumpMessages();
}

TEST_F(Power, TheTrayItemsAskThenRequestTheirSleep) {
  // "电源管理" is the fifth item of the menu; its first two are "立即系统待机" and "立即系统休眠".
  const std::vector<WPARAM> toPower{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT};
  dialogs.Answer(IDYES).Answer(IDYES);
  std::vector<WPARAM> standBy = toPower, sleep = toPower;
  standBy.push_back(VK_RETURN);
  sleep.insert(sleep.end(), {VK_DOWN, VK_RETURN});
  ChooseFromTrayMenu(main, standBy);
  ChooseFromTrayMenu(main, sleep);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, L"系统正准备待机,要继续吗?");
  EXPECT_EQ(dialogs.shown[1].text, L"系统正准备休眠,要继续吗?");
  EXPECT_EQ(power.calls, (std::vector<std::wstring>{kPrivilege, L"SetSystemPowerState(TRUE, TRUE)", kPrivilege,
                                                    L"SetSystemPowerState(FALSE, TRUE)"}));
  EXPECT_EQ(Last(ekManualStandBy).Kind, ekManualStandBy);
  EXPECT_EQ(Last(ekManualHibernate).Kind, ekManualHibernate);
}

// ---- the settings' power options --------------------------------------------------------------

const std::wstring kHelpQuestion = L"请问你是否已经阅读\"设置必读\"？是继续设置，否先查看。";

TEST_F(Power, CheckingAPowerBoxAsksWhetherTheHelpWasRead) {
  const std::wstring help = HomePageAddress() + L"help/restalon-power.html";
  for (TCheckBox* box : {setup->cbxEnableShutDownDisplayer, setup->cbxEnableSuspend}) {
    SCOPED_TRACE(Narrow(box->Name()));
    dialogs.shown.clear();
    shell.calls.clear();
    // Yes: set up as the user wishes.
    dialogs.Answer(IDYES);
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kHelpQuestion);
    EXPECT_EQ(dialogs.shown[0].caption, L"电源设置确认：");
    EXPECT_EQ(dialogs.shown[0].flags, kQuestionFlags);
    EXPECT_TRUE(shell.calls.empty());
    // Unchecking asks nothing.
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    // No: the help opens and the box stays unchecked.
    dialogs.Answer(IDNO);
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the window shows it unchecked";
    EXPECT_EQ(dialogs.shown.size(), 2u);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, L"");
    EXPECT_EQ(shell.calls[0].file, help);
    EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
  }
}

TEST_F(Power, TheHelpLabelOpensThePowerHelpPage) {
  UserClick(setup->lblHelp_PowerSetup);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, L"");
  EXPECT_EQ(shell.calls[0].file, HomePageAddress() + L"help/restalon-power.html");
  EXPECT_EQ(shell.calls[0].owner, setup->Handle());
  EXPECT_EQ(shell.calls[0].show, SW_SHOWNORMAL);
  EXPECT_TRUE(dialogs.shown.empty());
}

// A top-level window with the power options' title, as the control panel would open it.
class PowerOptionsWindow {
 public:
  PowerOptionsWindow()
      : h_(CreateWindowExW(0, L"STATIC", L"电源选项 属性", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                           nullptr)) {}
  ~PowerOptionsWindow() { DestroyWindow(h_); }
  HWND get() const { return h_; }

 private:
  HWND h_;
};

struct OptionsRow {
  const char* name;
  int answer;
  bool laptop, windowThere, comesToFront;
  size_t frontLostAfterKeys;  // 0: stays in front
  bool runsPowerOptions;
  std::vector<std::wstring> calls;
  size_t keys;
};

class PowerOptions : public Power, public testing::WithParamInterface<OptionsRow> {};

TEST_P(PowerOptions, OpenOnTheirStandByTab) {
  const OptionsRow& r = GetParam();
  setup->cbxHarwareIsLaptop->SetChecked(r.laptop);
  dialogs.Answer(r.answer);
  std::unique_ptr<PowerOptionsWindow> options;
  if (r.windowThere) options = std::make_unique<PowerOptionsWindow>();
  power.comesToFront = r.comesToFront;
  if (r.frontLostAfterKeys)
    power.onKey = [&](size_t n) {
      if (n == r.frontLostAfterKeys) power.front = nullptr;
    };
  const DWORD start = clock.tick;
  SendMessageW(setup->btnPowerSetup->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, kHelpQuestion);
  ASSERT_EQ(shell.calls.size(), 1u);
  const RecordingShell::Call& c = shell.calls[0];
  if (r.runsPowerOptions) {
    EXPECT_EQ(c.verb, L"open");
    EXPECT_EQ(c.file, L"RunDll32.exe");
    EXPECT_EQ(c.params, L"Shell32.dll,Control_RunDLL powercfg.cpl");
    EXPECT_EQ(c.show, SW_SHOWNORMAL);
    EXPECT_GE(clock.tick - start, 1000u) << "the options were given a second to open";
  } else {
    EXPECT_EQ(c.file, HomePageAddress() + L"help/restalon-power.html") << "No opens the help instead";
  }
  EXPECT_EQ(power.calls, r.calls);
  ASSERT_EQ(power.keys.size(), r.keys);
  const std::vector<std::wstring> press{L"Ctrl down", L"PgDn down", L"PgDn up", L"Ctrl up"};
  for (size_t i = 0; i < power.keys.size(); ++i) EXPECT_EQ(power.keys[i], press[i % 4]) << "key " << i;
  if (options && !r.calls.empty()) {
    EXPECT_EQ(power.front, r.comesToFront && !r.frontLostAfterKeys ? options->get() : nullptr);
  }
}

const std::wstring kFront = L"BringToFront";
const OptionsRow kOptions[] = {
    {"DesktopTwoTabsOn", IDYES, false, true, true, 0, true, {kFront}, 8},
    {"LaptopFourTabsOn", IDYES, true, true, true, 0, true, {kFront}, 16},
    {"NoWindowNoKeys", IDYES, false, false, true, 0, true, {}, 0},
    {"NotInFrontNoKeys", IDYES, false, true, false, 0, true, {kFront}, 0},
    {"FrontLostStopsTheKeys", IDYES, true, true, true, 4, true, {kFront}, 4},
    {"HelpNotReadOpensTheHelpOnly", IDNO, false, true, true, 0, false, {}, 0},
};
INSTANTIATE_TEST_SUITE_P(Power, PowerOptions, testing::ValuesIn(kOptions),
                         [](const testing::TestParamInfo<OptionsRow>& i) { return std::string(i.param.name); });

}  // namespace
