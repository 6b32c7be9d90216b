// The break scheduler of the main window, driven minute by minute with a fake clock: the minute
// tick, the alarm and chime timer, the windows it opens, the log it writes, the previews and the
// break asked for by hand.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "Transparent_Window.h"
#include "uniBreakHint.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

constexpr uint32_t kMin = 60000;

std::string KindName(int kind) {
  switch (kind) {
    case rkNextBreak: return "NextBreak";
    case rkMinsToBreak: return "MinsToBreak";
    case rkRemindHour: return "Hour";
    case rkRemindOnce1: return "Once1";
    case rkRemindOnce2: return "Once2";
  }
  return "remind " + std::to_string(kind);
}

std::string LogName(const TEventEntry& e) {
  switch (e.Kind) {
    case ekIdle: return "idle+";
    case ekIdleBonus: return "bonus " + std::to_string(e.Value);
    case ekIdleReset: return "reset";
    case ekIdleResetFull: return "resetFull";
    case ekCountdown: return "countdown";
    case ekManualBreak: return "manualBreak";
    case ekAutoScreenSaver: return "autoSaver";
    case ekDisplayOff: return "displayOff";
    case ekAutoStandBy: return "autoStandBy";
  }
  return "log " + std::to_string(e.Kind);
}

// A message box whose wait runs something, as a real box's message loop would.
class WaitingDialogs : public DialogSeam {
 public:
  WaitingDialogs(int answer, std::function<void()> duringWait)
      : answer_(answer), duringWait_(std::move(duringWait)), saved_(&Dialogs()) {
    SetDialogSeam(this);
  }
  ~WaitingDialogs() override { SetDialogSeam(saved_); }
  int MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    asked.push_back(text + L"|" + caption + L"|" + std::to_wstring(flags));
    if (duringWait_) duringWait_();
    return answer_;
  }
  std::vector<std::wstring> asked;

 private:
  int answer_;
  std::function<void()> duringWait_;
  DialogSeam* saved_;
};

class Scheduler : public testing::Test {
 protected:
  void SetUp() override {
    cfg.Plan = cfg.SelectedPlan = PlanFromPage(*PresetPage(kStandardPlanIndex));
    power.onCall = [this](const std::wstring& call) { Observe(call); };
    reminders.onShow = [this](const FakeReminderWindows::Call& c) {
      FlushLog();
      Add(KindName(c.kind));
    };
    form = new TfrmMain(Application);
    frmMain = form;
    // The windows the scheduler opens read the settings dialog; the scheduler reads cfg.
    setup = new TfrmSetup(Application);
    settings.schedulerSettings = [this] { return cfg; };
    seq = form->EventLog.EventSeq();
  }
  void TearDown() override { FreeMainAndSetup(form, setup); }

  // The first work period and the idle watch, as the settings dialog starts them.
  void Start(uint32_t tick = 1000000, int hour = 9, int minute = 0) {
    clock.tick = clock.lastInput = tick;
    clock.local.wHour = WORD(hour);
    clock.local.wMinute = WORD(minute);
    t0 = tick;
    form->StartWorkPeriod(FullPeriodMins(cfg.Plan));
    form->StartIdleWatch();
  }

  // One character per minute: 'x' input in it, '.' none, 's' the system suspended (no timer
  // runs). The alarm timer runs every minute; the minute tick while it is enabled.
  void Run(const std::string& activity, bool untilCountdown = false) {
    for (char a : activity) {
      if (untilCountdown && form->FBreakState != stWorking) return;
      ++minute;
      clock.Advance(kMin);
      if (a == 's') continue;
      if (a == 'x') clock.lastInput = clock.tick - 20000;
      form->ClockRemindTimerTimer(nullptr);
      if (form->DetectPauseTimer->Enabled()) form->DetectPauseTimerTimer(nullptr);
      FlushLog();
    }
  }

  void Observe(const std::wstring& call) {
    FlushLog();
    Add(Narrow(call));
  }
  // The log entries opened or closed since the last look, in the order they were written.
  void FlushLog() {
    const uint16_t now = form->EventLog.EventSeq();
    for (uint16_t s = seq + 1; s <= now; ++s)
      for (const TEventEntry& e : form->EventLog.Cycles().back()) {
        if (e.StartSeq == s) Add(LogName(e));
        if (e.EndSeq == s) Add("idle- " + std::to_string((e.EndTick - e.StartTick) / kMin));
      }
    seq = now;
  }
  void Add(const std::string& what) { events.push_back(std::to_string(minute) + ": " + what); }
  std::string Events() const {
    std::ostringstream all;
    for (const auto& e : events) all << "\n  " << e;
    return all.str();
  }

  TestConfigFolder folder;  // none is written: the design defaults
  FakeClock clock;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  FakePower power;
  FakeReminderWindows reminders;
  FakeSettings settings;
  FakeProgramWindows windows;
  TSchedulerSettings cfg;
  TfrmMain* form = nullptr;
  TfrmSetup* setup = nullptr;
  uint32_t t0 = 0;
  int minute = 0;
  uint16_t seq = 0;
  std::vector<std::string> events;
};

std::string Repeat(char c, int n) { return std::string(n, c); }

// ---- timelines ---------------------------------------------------------------------------------

struct TimelineRow {
  const char* name;
  std::string activity;
  std::vector<std::string> events;
  std::function<void(TSchedulerSettings&)> settings;
  uint32_t startTick = 1000000;
};

class Timeline : public Scheduler, public testing::WithParamInterface<TimelineRow> {};

TEST_P(Timeline, EventsByMinute) {
  const TimelineRow& r = GetParam();
  if (r.settings) r.settings(cfg);
  Start(r.startTick);
  Run(r.activity, true);
  EXPECT_EQ(events, r.events) << "events:" << Events();
  // Every run ends in the countdown, where the minute tick stops.
  EXPECT_EQ(form->FBreakState, stCountdown);
  EXPECT_FALSE(form->DetectPauseTimer->Enabled());
}

const TimelineRow kTimelines[] = {
    {"WholePeriodOfInput",  // the standard plan: reminders at 1, 44 and 47, the countdown at the 49th tick
     Repeat('x', 49),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "49: countdown"}},
    {"PeriodStartingBeforeTheTickWraps", Repeat('x', 49),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "49: countdown"}, nullptr, 0xFFFFFFFFu - 20 * kMin},
    {"HiddenCountdownRemindsAtOneMinute", Repeat('x', 49),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "48: MinsToBreak", "49: countdown"},
     [](TSchedulerSettings& c) { c.CountdownHidden = true; }},
    // Idle stretches of each length from minute 10, the standard plan (8 minutes per idle
    // minute, "操作频度一般", a fresh period after 6 idle minutes, own screen saver at 2).
    {"Idle1Minute",  // credit 1: 49 + 1 - 11 = 39 minutes from minute 11, not announced
     Repeat('x', 9) + "." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: idle- 1", "11: bonus 1", "45: MinsToBreak", "48: MinsToBreak",
      "50: countdown"}},
    {"Idle2Minutes",  // credit Round(4.8) = 5: 49 + 5 - 12 = 42 from minute 12
     Repeat('x', 9) + ".." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: autoSaver", "11: NLaunchSCRClick",
      "12: idle- 2", "12: bonus 5", "49: MinsToBreak",
      "52: MinsToBreak", "54: countdown"}},
    {"Idle3MinutesLate",  // credit 16: 49 + 16 - 33 = 32 from minute 33, announced
     Repeat('x', 29) + "..." + Repeat('x', 60),
     {"1: NextBreak", "30: idle+", "31: autoSaver", "31: NLaunchSCRClick",
      "33: idle- 3", "33: bonus 16", "34: NextBreak",
      "60: Hour", "60: MinsToBreak", "63: MinsToBreak", "65: countdown"}},
    {"Idle3MinutesLateAcrossTheTickWrap", Repeat('x', 29) + "..." + Repeat('x', 60),
     {"1: NextBreak", "30: idle+", "31: autoSaver", "31: NLaunchSCRClick",
      "33: idle- 3", "33: bonus 16", "34: NextBreak",
      "60: Hour", "60: MinsToBreak", "63: MinsToBreak", "65: countdown"},
     nullptr, 0u - 31 * kMin},
    {"Idle5MinutesExceedsAFullPeriod",  // credit 40: 49 + 40 - 15 > 49
     Repeat('x', 9) + "....." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: autoSaver", "11: NLaunchSCRClick",
      "15: idle- 5", "15: resetFull", "16: NextBreak",
      "59: MinsToBreak", "60: Hour", "62: MinsToBreak", "64: countdown"}},
    {"Idle6MinutesResets",  // the reset threshold itself
     Repeat('x', 9) + "......" + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: autoSaver", "11: NLaunchSCRClick", "16: idle- 6", "16: reset", "17: NextBreak",
      "60: Hour", "60: MinsToBreak", "63: MinsToBreak", "65: countdown"}},
    {"Idle7MinutesResets",
     Repeat('x', 9) + "......." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: autoSaver", "11: NLaunchSCRClick", "17: idle- 7", "17: reset", "18: NextBreak",
      "60: Hour", "61: MinsToBreak", "64: MinsToBreak", "66: countdown"}},
    // One idle minute with each frequency row: credits Round(2.0), Round(0.8), Round(0.4).
    {"FrequencyHigh", Repeat('x', 9) + "." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: idle- 1", "11: bonus 2", "46: MinsToBreak", "49: MinsToBreak",
      "51: countdown"},
     [](TSchedulerSettings& c) { c.FrequencyItem = 0; }},
    {"FrequencyNormal", Repeat('x', 9) + "." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: idle- 1", "11: bonus 1", "45: MinsToBreak", "48: MinsToBreak",
      "50: countdown"},
     [](TSchedulerSettings& c) { c.FrequencyItem = 1; }},
    {"FrequencyLow",  // no credit: the idle minute stays counted as a minute of the period
     Repeat('x', 9) + "." + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: idle- 1", "44: MinsToBreak", "47: MinsToBreak", "49: countdown"},
     [](TSchedulerSettings& c) { c.FrequencyItem = 2; }},
    {"IdleAcrossThePeriodEnd",  // each idle tick puts the break off; credit 1 brings it a tick later
     Repeat('x', 48) + "." + Repeat('x', 60),
     {"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "49: idle+", "50: idle- 1", "50: bonus 1",
      "51: countdown"}},
    {"SuspendedFor20Minutes",  // the minutes without ticks count as idle: a fresh period
     Repeat('x', 9) + Repeat('s', 20) + Repeat('x', 60),
     {"1: NextBreak", "30: reset", "31: NextBreak", "60: Hour", "74: MinsToBreak", "77: MinsToBreak",
      "79: countdown"}},
    {"IdleRulesAtTheirMinutes",  // display off at 10 idle minutes, stand-by at 30
     Repeat('x', 9) + Repeat('.', 31) + "x" + Repeat('x', 60),
     {"1: NextBreak", "10: idle+", "11: autoSaver", "11: NLaunchSCRClick", "19: displayOff", "19: DisplayOff",
      "39: autoStandBy", "39: Privilege(on)", "39: SetSystemPowerState(TRUE, TRUE)", "41: idle- 31", "41: reset",
      "42: NextBreak", "60: Hour", "85: MinsToBreak", "88: MinsToBreak",
      "90: countdown"},
     [](TSchedulerSettings& c) {
       c.DisplayOffEnabled = true;
       c.SuspendEnabled = true;
       c.StandByOrSleep = 0;
     }},
};

INSTANTIATE_TEST_SUITE_P(Scheduler, Timeline, testing::ValuesIn(kTimelines),
                         [](const testing::TestParamInfo<TimelineRow>& i) { return std::string(i.param.name); });

// ---- the end of a work period ----------------------------------------------------------------

TEST_F(Scheduler, PeriodEndOpensTheCountdownAndStopsTheTick) {
  for (bool hidden : {false, true}) {
    SCOPED_TRACE(hidden ? "countdown hidden" : "countdown shown");
    cfg.CountdownHidden = hidden;
    Start();
    Run(Repeat('x', 49));
    EXPECT_EQ(form->FBreakState, stCountdown);
    EXPECT_FALSE(form->DetectPauseTimer->Enabled());
    EXPECT_FALSE(form->NBreakNow->Enabled);
    EXPECT_FALSE(form->NBreakDemo->Enabled);
    ASSERT_TRUE(frmBreakHint);
    EXPECT_EQ(Application->FindForm(L"frmBreakHint"), frmBreakHint);
    EXPECT_EQ(frmBreakHint->Visible(), !hidden);
    const TEventEntry& last = form->EventLog.Cycles().back().back();
    EXPECT_EQ(last.Kind, ekCountdown);
    EXPECT_EQ(last.StartTick, t0 + 49 * kMin);
    // A later tick (a stray timer message) starts nothing more.
    const size_t entries = form->EventLog.Cycles().back().size();
    form->DetectPauseTimerTimer(nullptr);
    form->BreakTimerTimer(nullptr);
    EXPECT_EQ(form->EventLog.Cycles().back().size(), entries);
    TearDown();
    SetUp();
  }
}

TEST_F(Scheduler, AMissedEqualityCannotSkipTheBreak) {
  Start();
  Run(Repeat('x', 10));
  form->FMinsPassed = form->FWorkMins + 3;  // past the end without having seen it
  Run("x");
  EXPECT_EQ(form->FBreakState, stCountdown);
}

// During a break there is no work period; the 8-bit counters wrap and nothing starts.
TEST_F(Scheduler, ALongBreakStartsNothing) {
  Start();
  form->FBreakState = stOnBreak;
  form->StartWorkPeriod(0);
  Run(Repeat('x', 300));
  EXPECT_EQ(form->FBreakState, stOnBreak);
  EXPECT_EQ(form->FWorkMins, 0);
  EXPECT_EQ(form->MinsToBreak(), 0);
  for (const auto& e : events) EXPECT_NE(e.find("Hour"), std::string::npos) << e;  // chimes go on
  EXPECT_EQ(events.size(), 5u);
}

// ---- alarms and chimes -------------------------------------------------------------------------

TEST_F(Scheduler, AlarmsAndChimesKeepToTheWallClockWhileTheTickStops) {
  cfg.Clock.Once1 = true;
  cfg.Clock.Once1Hour = 10;
  cfg.Clock.Once1Min = 2;
  Start(1000000, 9, 12);  // the countdown opens at 10:01
  Run(Repeat('x', 49));
  ASSERT_EQ(form->FBreakState, stCountdown);
  Run("..");
  EXPECT_EQ(events, (std::vector<std::string>{"1: NextBreak", "44: MinsToBreak", "47: MinsToBreak", "48: Hour",
                                              "49: countdown", "50: Once1"}))
      << Events();
  // The same minute again (a timer that came early) shows nothing twice.
  events.clear();
  form->ClockRemindTimerTimer(nullptr);
  EXPECT_TRUE(events.empty()) << Events();
  // The timer is due again just after the next minute begins.
  EXPECT_TRUE(form->ClockRemindTimer->Enabled());
  EXPECT_EQ(form->ClockRemindTimer->Interval(), kMin + 200);
}

TEST_F(Scheduler, AlarmsCompareTheListPositions) {
  struct Row {
    const char* name;
    int hour, minute;
    bool fires;
  };
  const Row rows[] = {{"at its minute", 9, 1, true}, {"another minute", 9, 2, false},
                      {"no hour chosen", -1, 1, false}, {"no minute chosen", 9, -1, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    cfg.Clock.OnHour = false;
    cfg.Clock.Once2 = true;
    cfg.Clock.Once2Hour = r.hour;
    cfg.Clock.Once2Min = r.minute;
    Start();
    Run("x");
    const std::vector<std::string> want =
        r.fires ? std::vector<std::string>{"1: Once2", "1: NextBreak"} : std::vector<std::string>{"1: NextBreak"};
    EXPECT_EQ(events, want) << Events();
    events.clear();
    minute = 0;
    TearDown();
    SetUp();
  }
}

// ---- the reminder windows ----------------------------------------------------------------------

TEST_F(Scheduler, ShowRemindWindowOpensOneWindowPerType) {
  form->ShowRemindWindow(nullptr, rkRemindHour);  // no chooser: nothing but the kind
  EXPECT_EQ(form->FRemindKind, rkRemindHour);
  EXPECT_EQ(Application->FindForm(L"frmHintSmallWindow"), nullptr);
  EXPECT_EQ(Application->FindForm(L"frmRemindWindowCenter"), nullptr);

  cfg.BreakHintWindow = -1;
  Start();
  Run("x");  // the announcement of the period, with no window type chosen
  EXPECT_EQ(form->FRemindKind, rkNextBreak);
  EXPECT_EQ(Application->FindForm(L"frmHintSmallWindow"), nullptr);

  cfg.BreakHintWindow = 0;
  cfg.HourWindow = 1;
  form->ClockRemindTimerTimer(nullptr);
  Run(Repeat('x', 59));  // reminders at 44 and 47, the chime at 10:00
  TForm* small = Application->FindForm(L"frmHintSmallWindow");
  TForm* centre = Application->FindForm(L"frmRemindWindowCenter");
  ASSERT_TRUE(small);
  ASSERT_TRUE(centre);
  int smallCount = 0;
  for (TForm* f : Application->Forms()) smallCount += f->Name() == L"frmHintSmallWindow";
  EXPECT_EQ(smallCount, 1);  // the second reminder brought the open window forward
}

// ---- the break asked for by hand ---------------------------------------------------------------

TEST_F(Scheduler, BreakNowAsksFirst) {
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDYES ? "yes" : "no");
    Start();
    WaitingDialogs box(answer, nullptr);
    form->NBreakNowClick(nullptr);
    FlushLog();
    ASSERT_EQ(box.asked.size(), 1u);
    EXPECT_EQ(box.asked[0], L"你主动选择了休息，确定要马上休息吗？|Quovel提示|" +
                                std::to_wstring(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
    if (answer == IDYES) {
      EXPECT_EQ(form->FBreakState, stOnBreak);
      EXPECT_FALSE(form->NBreakNow->Enabled);
      EXPECT_TRUE(TWForm);
      EXPECT_EQ(events, std::vector<std::string>{"0: manualBreak"});
      EXPECT_EQ(Application->FindForm(L"frmBreakHint"), nullptr);  // the countdown is skipped
    } else {
      EXPECT_EQ(form->FBreakState, stWorking);
      EXPECT_TRUE(events.empty()) << Events();
    }
    TearDown();
    SetUp();
  }
}

TEST_F(Scheduler, ABreakAskedForAsTheUserComesBackClosesTheIdleStretch) {
  Start();
  Run(Repeat('x', 10) + "...");
  const uint16_t idle = form->FindLastEvent(0, ekIdle);
  ASSERT_NE(idle, kNoEvent);
  ASSERT_EQ(form->EventLog.Cycles()[0][idle].EndSeq, 0) << "open while the user is away";
  // Back within the minute, the user asks for a break from the tray before the tick sees input.
  clock.lastInput = clock.tick;
  WaitingDialogs box(IDYES, nullptr);
  form->NBreakNowClick(nullptr);
  ASSERT_EQ(form->FBreakState, stOnBreak);
  const TEventEntry& e = form->EventLog.Cycles()[0][idle];
  EXPECT_NE(e.EndSeq, 0) << "the idle entry stays open for good";
  EXPECT_EQ(e.EndTick - e.StartTick, 3 * kMin);
  // The ticks of the break close nothing more.
  const uint16_t endSeq = e.EndSeq;
  Run("xx..x");
  EXPECT_EQ(form->EventLog.Cycles()[0][idle].EndSeq, endSeq);
}

TEST_F(Scheduler, BreakNowAnsweredAfterTheCountdownOpenedStartsNothing) {
  Start();
  Run(Repeat('x', 48));
  // While the question waits, the last tick of the period opens the countdown.
  WaitingDialogs box(IDYES, [this] { Run("x"); });
  form->NBreakNowClick(nullptr);
  EXPECT_EQ(form->FBreakState, stCountdown);
  EXPECT_EQ(Application->FindForm(L"TWForm"), nullptr);
  EXPECT_EQ(events.back(), "49: countdown");
}

// ---- previews ----------------------------------------------------------------------------------

TEST_F(Scheduler, PreviewsChangeNoStateAndLogNothing) {
  Start();
  Run(Repeat('x', 5));
  const auto entries = form->EventLog.Cycles().back().size();
  ASSERT_TRUE(form->DemoHint());
  EXPECT_TRUE(form->FDemoHint);
  ASSERT_TRUE(frmBreakHint);
  EXPECT_TRUE(frmBreakHint->Visible());
  EXPECT_EQ(form->FBreakState, stWorking);
  EXPECT_TRUE(form->DetectPauseTimer->Enabled());
  // While it is up, no other preview.
  EXPECT_FALSE(form->DemoHint());
  EXPECT_FALSE(form->DemoBreak());
  // Once the countdown preview is down, the break preview may follow.
  frmBreakHint->Hide();
  form->FDemoHint = false;
  EXPECT_TRUE(form->DemoBreak());
  EXPECT_TRUE(form->FDemoBreak);
  EXPECT_TRUE(TWForm);
  EXPECT_EQ(form->FBreakState, stWorking);
  EXPECT_TRUE(form->DetectPauseTimer->Enabled());
  EXPECT_EQ(form->EventLog.Cycles().back().size(), entries);
  EXPECT_EQ(form->FWorkMins, 49);
  EXPECT_EQ(form->FMinsPassed, 5);
}

TEST_F(Scheduler, TrayPreviewChainsTheBreakPreview) {
  Start();
  form->NBreakDemoClick(nullptr);
  EXPECT_TRUE(form->FDemoHint);
  EXPECT_TRUE(form->FDemoBreak);  // the break preview follows when the countdown preview ends
  // As the countdown preview ends: its flag goes, the break preview opens though it is still up.
  form->FDemoHint = false;
  EXPECT_TRUE(form->DemoBreak());
  EXPECT_TRUE(TWForm);
}

TEST_F(Scheduler, PreviewsAreRefusedOutsideWork) {
  for (uint8_t state : {stCountdown, stOnBreak}) {
    SCOPED_TRACE(int(state));
    Start();
    form->FBreakState = state;
    EXPECT_FALSE(form->DemoHint());
    EXPECT_FALSE(form->DemoBreak());
    form->NBreakDemoClick(nullptr);
    EXPECT_FALSE(form->FDemoHint);
    EXPECT_FALSE(form->FDemoBreak);
    EXPECT_EQ(Application->FindForm(L"frmBreakHint"), nullptr);
    EXPECT_EQ(Application->FindForm(L"TWForm"), nullptr);
    TearDown();
    SetUp();
  }
}

TEST_F(Scheduler, APreviewTakenDownByTheRealWindowClosesThroughItsCloseHandler) {
  struct Row {
    const char* name;
    bool countdownPreview;  // else the break preview
    bool manualBreak;       // the tray's "立即休息", else the period's end
  };
  for (const Row& r : {Row{"countdown preview, manual break", true, true},
                       Row{"countdown preview, period end", true, false},
                       Row{"break preview, period end", false, false}}) {
    SCOPED_TRACE(r.name);
    Start();
    Run(Repeat('x', 48));
    ASSERT_TRUE(r.countdownPreview ? form->DemoHint() : form->DemoBreak());
    TForm* preview = r.countdownPreview ? static_cast<TForm*>(frmBreakHint) : static_cast<TForm*>(TWForm);
    std::vector<std::wstring> closed;
    preview->OnClose = [&closed, old = preview->OnClose](TObject* sender, TCloseAction& action) {
      closed.push_back(L"closed");
      if (old) old(sender, action);
    };
    if (r.manualBreak) {
      WaitingDialogs box(IDYES, nullptr);
      form->NBreakNowClick(nullptr);
    } else {
      Run("x");
    }
    EXPECT_EQ(closed.size(), 1u) << "taken down without its close handler";
    EXPECT_FALSE(preview->Visible());
    // Through the real countdown, if any, and the break to the next work period.
    if (frmBreakHint && frmBreakHint != preview) frmBreakHint->btnBreakClick(frmBreakHint->btnBreak);
    ASSERT_TRUE(TWForm);
    ASSERT_NE(static_cast<TForm*>(TWForm), preview);
    EXPECT_FALSE(form->NBreakNow->Enabled);
    TWForm->BreakCanClose = true;
    TWForm->Close();
    PumpMessages();
    EXPECT_EQ(form->FBreakState, stWorking);
    EXPECT_TRUE(setup->btnPreviewHintForm->Enabled()) << "the countdown's preview button stays disabled";
    EXPECT_TRUE(setup->btnPreviewBreakForm->Enabled());
    EXPECT_TRUE(form->NBreakNow->Enabled);
    TearDown();
    SetUp();
  }
}

TEST_F(Scheduler, ARealPeriodEndFirstClosesAnOpenPreview) {
  Start();
  Run(Repeat('x', 48));
  ASSERT_TRUE(form->DemoHint());
  TfrmBreakHint* preview = frmBreakHint;
  Run("x");
  EXPECT_EQ(form->FBreakState, stCountdown);
  EXPECT_FALSE(form->FDemoHint);
  EXPECT_FALSE(preview->Visible());
  ASSERT_TRUE(frmBreakHint);
  EXPECT_NE(frmBreakHint, preview);
  EXPECT_TRUE(frmBreakHint->Visible());
  EXPECT_FALSE(form->DetectPauseTimer->Enabled());
}

// ---- arithmetic through the window -------------------------------------------------------------

TEST_F(Scheduler, WorkDonePercentStaysWithinBounds) {
  struct Row {
    const char* name;
    uint8_t selectedInterval, workMins, minsPassed;
    int want;
  };
  const Row rows[] = {
      {"fresh period", 50, 49, 0, 2},        // Round(1 / 50 x 100)
      {"half way", 50, 49, 24, 50},
      {"period over", 50, 49, 49, 100},
      {"no interval", 0, 49, 10, 0},
      {"longer than the selected plan", 30, 49, 0, 0},
      {"during a break", 50, 0, 200, 100},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    cfg.SelectedPlan.BreakInterval = r.selectedInterval;
    form->FWorkMins = r.workMins;
    form->FMinsPassed = r.minsPassed;
    EXPECT_EQ(form->WorkDonePercent(), r.want);
  }
}

TEST_F(Scheduler, NextBreakTimeCountsTheCountdownMinute) {
  Start();
  const TDateTime now = SystemTimeToDateTime(clock.local);
  EXPECT_NEAR(form->NextBreakTime(), now + 50.0 / 1440, 1e-7);
  Run(Repeat('x', 10));
  EXPECT_NEAR(form->NextBreakTime(), now + 50.0 / 1440, 1e-7);
  EXPECT_EQ(form->MinsToBreak(), 39);
}

TEST_F(Scheduler, NextPeriodAfterIdleNeverStartsAPeriodOfNothing) {
  Start();
  Run(Repeat('x', 49 + 0));  // ends in the countdown; the period's clock runs on
  clock.Advance(30 * kMin);
  EXPECT_EQ(form->NextPeriodAfterIdle(false, 1), 1);
  EXPECT_EQ(form->EventLog.Cycles().back().back().Kind, ekIdleBonus);
  EXPECT_EQ(form->NextPeriodAfterIdle(true, 0), 49);
  EXPECT_EQ(form->EventLog.Cycles().back().back().Kind, ekIdleReset);
}

// ---- the event log -----------------------------------------------------------------------------

TEST_F(Scheduler, ClosingAnIdleStretchEndsItByTheCountedMinutes) {
  Start();
  form->FIdleMins = 4;
  form->RecordEvent(false, true, 0, ekIdle, false);
  clock.Advance(9 * kMin);
  form->RecordEvent(false, false, 0, ekIdle, true);
  const TEventEntry& e = form->EventLog.Cycles().back().back();
  EXPECT_EQ(e.StartTick, clock.lastInput);
  EXPECT_EQ(e.EndTick, e.StartTick + 4 * kMin);
  EXPECT_EQ(form->FindLastEvent(0, ekIdle), 1);
  EXPECT_EQ(form->FindLastEvent(0, ekCountdown), kNoEvent);
}

TEST_F(Scheduler, EventLogLinesGoToTheStatisticsText) {
  std::vector<std::wstring> lines;
  windows.addStatLine = [&](const std::wstring& l) { lines.push_back(l); };
  form->AddEventLogLine(ekApplyExtension, clock.tick, 2, 0);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind(L"申请延长工作时间: ", 0), 0u) << Narrow(lines[0]);
  EXPECT_NE(lines[0].find(L", 约2 分钟"), std::wstring::npos) << Narrow(lines[0]);
  EXPECT_EQ(TfrmMain::CutSeconds(L"12:34:56"), L"12:34");
  EXPECT_EQ(TfrmMain::CutSeconds(L"ab"), L"");
}

}  // namespace
