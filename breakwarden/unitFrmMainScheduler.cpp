// The main window as the break scheduler's driver: the minute tick, the alarms, the countdown and
// break windows it opens, the previews, and the transitions those windows report. The cycle's
// state is written here and nowhere else.
#include "BkwdSeams.h"
#include "Seams.h"
#include "Transparent_Window.h"
#include "uniBreakHint.h"
#include "uniHintSmallWindow.h"
#include "uniQVShare.h"
#include "uniRemindWindowCenter.h"
#include "unitFrmMain.h"

namespace {
constexpr unsigned kMinuteMs = 60000;

void EnableItem(TMenuItem* item, bool on) {
  if (item) item->Enabled = on;
}

// A window of that name that is up; one closed and waiting to be freed does not count.
TForm* OpenForm(const wchar_t* name) {
  TForm* f = Application->FindForm(name);
  return f && f->Visible() ? f : nullptr;
}

int WindowTypeFor(TRemindKind kind, const TSchedulerSettings& c) {
  switch (RemindChooserFor(kind)) {
    case TRemindChooser::Once: return c.OnceWindow;
    case TRemindChooser::Hour: return c.HourWindow;
    default: return c.BreakHintWindow;
  }
}

// The wall-clock minute as one number, so that a minute is told apart from the same minute of
// another day.
long long MinuteKey(const SYSTEMTIME& t) {
  return ((t.wYear * 12LL + t.wMonth) * 31 + t.wDay) * 1440 + t.wHour * 60 + t.wMinute;
}
}  // namespace

TSchedulerSettings TfrmMain::SchedulerSettings() const { return Settings().SchedulerSettings(); }

void TfrmMain::StartWorkPeriod(uint8_t minutes) {
  ::StartWorkPeriod(Scheduler, minutes, Clock().TickCount());
}

void TfrmMain::StartIdleWatch() {
  // A break asked for in the minute the user came back ends an idle stretch the tick has not seen
  // end: its entry is closed now, by the minutes counted, before the count starts again.
  if (FIdleMins != 0) CloseIdleEntry(FIdleMins, Clock().TickCount());
  ::StartIdleWatch(Scheduler, Clock().TickCount(), Clock().LastInputTick());
  // Restarted, not just left on: the minute is counted from now.
  DetectPauseTimer->SetEnabled(false);
  DetectPauseTimer->SetInterval(kMinuteMs);
  DetectPauseTimer->SetEnabled(true);
  if (!ClockRemindTimer->Enabled()) ArmClockRemindTimer();
}

uint8_t TfrmMain::MinsToBreak() const { return ::MinsToBreak(FWorkMins, FMinsPassed); }

int TfrmMain::WorkDonePercent() const {
  return ::WorkDonePercent(SchedulerSettings().SelectedPlan.BreakInterval, MinsToBreak());
}

TDateTime TfrmMain::NextBreakTime() const { return TickToDateTime(NextBreakTick(Scheduler)); }

uint16_t TfrmMain::IdleBonusMins(uint16_t idle) const {
  const TSchedulerSettings c = SchedulerSettings();
  return ::IdleBonusMins(idle, c.Plan, c.FrequencyItem);
}

uint8_t TfrmMain::NextPeriodAfterIdle(bool reset, uint8_t bonus) {
  const TNextPeriod next = ::NextPeriodAfterIdle(reset, bonus, SchedulerSettings().Plan, FWorkMins,
                                                 FPeriodStartTick, Clock().TickCount());
  RecordEvent(false, true, next.LogValue, next.LogKind, true);
  if (next.KeepBonus) ResetBonusOnStart = false;
  return next.Minutes;
}

uint16_t TfrmMain::MissedMins() const { return ::MissedMins(Clock().TickCount(), LastActiveTick, FIdleMins); }

void TfrmMain::ShowRemindWindow(TComboBox* chooser, uint8_t kind) {
  ShowRemindWindowOfType(chooser ? chooser->ItemIndex() : -1, kind);
}

void TfrmMain::ShowRemindWindowOfType(int windowType, uint8_t kind) {
  FRemindKind = kind;
  ReminderWindows().Show(windowType, kind);
}

void ReminderWindowSeam::Show(int windowType, uint8_t) {
  // The window shows the kind the main window asks for (FRemindKind).
  const wchar_t* name = windowType == rwSmallWindow    ? L"frmHintSmallWindow"
                        : windowType == rwCenterWindow ? L"frmRemindWindowCenter"
                                                       : nullptr;
  if (!name) return;
  if (TForm* open = OpenForm(name)) {
    SetWindowPos(open->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (windowType == rwSmallWindow) {
    frmHintSmallWindow = new TfrmHintSmallWindow(Application);
    frmHintSmallWindow->Show();
  } else {
    frmRemindWindowCenter = new TfrmRemindWindowCenter(Application);
    frmRemindWindowCenter->Show();
  }
}

void TfrmMain::DetectPauseTimerTimer(TObject*) {
  const TMinuteInput in{Clock().TickCount(), Clock().LastInputTick(), FBreakState == stWorking};
  // The state is complete before any window opens: a window's wait may run the next tick.
  const std::vector<TTickEvent> events = SchedulerMinute(Scheduler, in, SchedulerSettings());
  RunTickEvents(events);
}

void TfrmMain::CloseIdleEntry(uint16_t idleMins, uint32_t stamp) {
  // An entry closed before keeps its end.
  if (EventLog.LastEventOpen(ekIdle)) EventLog.RecordEventAt(false, false, 0, ekIdle, stamp, idleMins);
}

void TfrmMain::RunTickEvents(const std::vector<TTickEvent>& events) {
  const TSchedulerSettings c = SchedulerSettings();
  for (const TTickEvent& e : events) {
    switch (e.Action) {
      case TTickAction::Remind:
        ShowRemindWindowOfType(WindowTypeFor(TRemindKind(e.Kind), c), e.Kind);
        break;
      case TTickAction::Log:
        if (e.Kind == ekIdle && !e.NewEntry) CloseIdleEntry(e.IdleMins, e.Stamp);
        else EventLog.RecordEventAt(false, e.NewEntry, e.Value, e.Kind, e.Stamp, e.IdleMins);
        break;
      case TTickAction::LaunchScreenSaver:
        if (!IsSCRRunning()) NLaunchSCRClick(nullptr);
        break;
      case TTickAction::DisplayOff:
        ShutdownDisplayer();
        break;
      case TTickAction::StandBy:
        LetSysStandBy(false, false);
        break;
      case TTickAction::Hibernate:
        LetSysSleep(false, false);
        break;
      case TTickAction::BreakTimer:
        BreakTimerTimer(nullptr);
        break;
    }
  }
}

// Alarms and chimes have their own timer, due just after each wall-clock minute begins: the
// minute tick stops while the countdown runs, and its phase is that of its last start.
void TfrmMain::ArmClockRemindTimer() {
  const SYSTEMTIME t = Clock().LocalTime();
  const unsigned intoMinute = t.wSecond * 1000u + t.wMilliseconds;
  ClockRemindTimer->SetEnabled(false);
  ClockRemindTimer->SetInterval(kMinuteMs - intoMinute + 200);
  ClockRemindTimer->SetEnabled(true);
}

void TfrmMain::ClockRemindTimerTimer(TObject*) {
  const SYSTEMTIME t = Clock().LocalTime();
  const long long key = MinuteKey(t);
  // A timer that comes early, or twice in a minute, shows nothing again.
  if (key != lastClockMinute_) {
    lastClockMinute_ = key;
    const TSchedulerSettings c = SchedulerSettings();
    for (TRemindKind k : ClockReminders(t.wHour, t.wMinute, c.Clock)) ShowRemindWindowOfType(WindowTypeFor(k, c), k);
  }
  ArmClockRemindTimer();
}

void TfrmMain::BreakTimerTimer(TObject*) {
  // A preview that is up goes first: its close would enable again what the countdown disables.
  if (FBreakState == stWorking) CloseOpenPreviews();
  EnableItem(NBreakNow, false);
  EnableItem(NBreakDemo, false);
  Settings().EnableHintPreview(false);
  Settings().EnableBreakPreview(false);
  BreakNow(TBreakWindow::Countdown, ekCountdown);
}

void TfrmMain::CloseOpenPreviews() {
  // Through each window's own close, so its close handler gives back the preview buttons and
  // items it took; the real window takes its place at once.
  if (auto* hint = dynamic_cast<TfrmBreakHint*>(OpenForm(L"frmBreakHint"))) {
    hint->Timer1->SetEnabled(false);
    hint->HintCanClose = true;
    hint->Close();
  }
  if (auto* brk = dynamic_cast<TTWForm*>(OpenForm(L"TWForm"))) {
    brk->BreakCanClose = true;
    brk->Close();
  }
}

void TfrmMain::BreakNow(TBreakWindow which, uint8_t kind) {
  const bool real = kind != ekNone;
  // One real countdown and one real break at a time.
  if (real && which == TBreakWindow::Countdown && FBreakState != stWorking) return;
  if (real && which == TBreakWindow::Break && FBreakState == stOnBreak) return;
  if (real) {
    // While working, a countdown or break window that is up is a preview: the real one replaces it.
    if (FBreakState == stWorking) CloseOpenPreviews();
    FDemoHint = false;
    FDemoBreak = false;
    RecordEvent(false, true, 0, kind, true);
  }
  if (which == TBreakWindow::Break) {
    if (real) {
      FBreakState = stOnBreak;
      DetectPauseTimer->SetEnabled(false);
    }
    EnableItem(NBreakNow, false);
    EnableItem(NBreakDemo, false);
    Settings().EnableBreakPreview(false);
    if (Settings().BreakWindowSettings().ToggleDesktop) ShowDesktop();
    TWForm = new TTWForm(Application);  // it shows itself
    return;
  }
  if (real) {
    FBreakState = stCountdown;
    DetectPauseTimer->SetEnabled(false);
  }
  Settings().EnableHintPreview(false);
  frmBreakHint = new TfrmBreakHint(Application);
  if (!real || !SchedulerSettings().CountdownHidden) frmBreakHint->Show();
}

// ---- what the countdown and the break window report -------------------------------------------

void TfrmMain::BreakStarted() {
  TiredCarry = uint16_t(TiredCarry + WorkDonePercent());
  StartWorkPeriod(0);  // no work period during the break
  StartIdleWatch();    // the minute tick runs on
}

void TfrmMain::BreakEnded(int position, int max) {
  TiredCarry = TiredCarryAfterBreak(TiredCarry, position, max);
  RecordEvent(false, false, BreakEndValue(position, max), ekAnyBreak, true);
  ++FCycleNo;
  Settings().SelectedPlanTakesForce();
  FBreakState = stWorking;
  FRemindKind = rkNextBreak;
  RecordEvent(true, true, 0, ekNewCycle, true);
  FPostponedMins = 0;
  StartWorkPeriod(FullPeriodMins(Settings().BreakWindowSettings().Plan));
  StartIdleWatch();
}

void TfrmMain::PostponementGranted(uint8_t mins) { FPostponedMins = mins; }

void TfrmMain::HintPreviewEnded() {
  FDemoHint = false;
  if (FDemoBreak) DemoBreak();  // "休息预演": the break preview follows
}

void TfrmMain::PreviewEnded() { FDemoBreak = false; }

void TfrmMain::NBreakNowClick(TObject*) {
  const int answer = Dialogs().MessageBox(nullptr, L"你主动选择了休息，确定要马上休息吗？", L"Quovel提示",
                                          MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO);
  // The question waits in a message loop, where the tick may have opened the countdown.
  if (answer == IDYES && FBreakState == stWorking) BreakNow(TBreakWindow::Break, ekManualBreak);
}

bool TfrmMain::PreviewAllowed() const {
  return FBreakState == stWorking && !OpenForm(L"frmBreakHint") && !OpenForm(L"TWForm");
}

bool TfrmMain::DemoHint() {
  if (!PreviewAllowed()) return false;
  FDemoBreak = false;
  FDemoHint = true;
  BreakNow(TBreakWindow::Countdown, ekNone);
  return true;
}

bool TfrmMain::DemoBreak() {
  // The countdown preview of "休息预演" hands over to the break preview as it ends.
  const bool chained = FDemoBreak && !FDemoHint && FBreakState == stWorking && !OpenForm(L"TWForm");
  if (!chained && !PreviewAllowed()) return false;
  FDemoHint = false;
  FDemoBreak = true;
  BreakNow(TBreakWindow::Break, ekNone);
  return true;
}

void TfrmMain::NBreakDemoClick(TObject*) {
  if (DemoHint()) FDemoBreak = true;
}
