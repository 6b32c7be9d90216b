#include "unitFrmMain.h"

#include "BkwdSeams.h"
#include "ScrRules.h"
#include "PowerRules.h"
#include "Seams.h"
#include "Transparent_Window.h"
#include "TrayMenu.h"
#include "uniAboutQV.h"
#include "sceneOnTop.h"
#include "uniBreakHint.h"
#include "uniDesktopDeco.h"
#include "uniHintSmallWindow.h"
#include "uniPopInfo.h"
#include "uniQVShare.h"
#include "uniRemindWindowCenter.h"
#include "uniStat.h"

TfrmMain* frmMain = nullptr;

bool SelfSuspending = false;
bool ScreenSaverWasActive = true;
bool RestartAfterExit = false;

namespace {
const wchar_t kTrayTip[] = L"Restavo";

void PlaceTopmost(HWND h) { SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

}  // namespace

void PlaceNotTopmost(HWND h) {
  // Our forms are owned by the hidden application window, and Wine keeps an owned popup just above
  // its owner: with the owner at the head of the normal windows, the popup would stay topmost.
  // The owner is never seen, so its own place can go to the bottom.
  SetWindowPos(Application->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

UINT TaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

RECT SplashBounds(int screenWidth, int screenHeight, const RECT& workArea) {
  int h = RoundHalfEven(screenHeight * 0.46484375);
  int w = RoundHalfEven(screenWidth * 0.5537109375);
  // Centred in the work area, wherever the taskbar sits.
  int left = workArea.left + (workArea.right - workArea.left - w) / 2;
  int top = workArea.top + (workArea.bottom - workArea.top - h) / 2;
  return RECT{left, top, left + w, top + h};
}

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {
  SetWindowClassName(kClassBKWD);
  InitForm(L"TfrmMain", Binder<TfrmMain>(this)
                            .Bind(QV_MEMBER(Image1))
                            .Bind(QV_MEMBER(PopupMenu1))
                            .Bind(QV_MEMBER(CloseAnimateTimer))
                            .Bind(QV_MEMBER(DetectPauseTimer))
                            .Bind(QV_MEMBER(NExit))
                            .Bind(QV_MEMBER(NStat))
                            .Bind(QV_MEMBER(NSetup))
                            .Bind(QV_MEMBER(ClockRemindTimer))
                            .Bind(QV_MEMBER(NBreakNow))
                            .Bind(QV_MEMBER(NBreakDemo))
                            .Bind(QV_MEMBER(NDisableSelfSCR))
                            .On(QV_HANDLER(NDisableSelfSCRClick))
                            .On(QV_HANDLER(NLaunchSCRClick))
                            .On(QV_HANDLER(NLaunchZEPTClick))
                            .On(QV_HANDLER(NRemind2ChangeSCRClick))
                            .Bind(QV_MEMBER(NLetStandBy))
                            .Bind(QV_MEMBER(NLetSleep))
                            .On(QV_HANDLER(NLetStandByClick))
                            .On(QV_HANDLER(NLetSleepClick))
                            .On(QV_HANDLER(DetectPauseTimerTimer))
                            .On(QV_HANDLER(ClockRemindTimerTimer))
                            .On(QV_HANDLER(NBreakNowClick))
                            .On(QV_HANDLER(NBreakDemoClick))
                            .On(QV_HANDLER(FormCreate))
                            .On(QV_HANDLER(FormShow))
                            .On(QV_HANDLER(FormClose))
                            .On(QV_HANDLER(FormDestroy))
                            .On(QV_HANDLER(CloseAnimateTimerTimer))
                            .On(QV_HANDLER(NExitClick))
                            .On(QV_HANDLER(NStatClick))
                            .On(QV_HANDLER(NSetupClick))
                            .On(QV_HANDLER(NSetupModeClick))
                            .On(QV_HANDLER(NSetupSCRClick))
                            .On(QV_HANDLER(NSetupPowerClick))
                            .On(QV_HANDLER(NSetupMeiHuaClick))
                            .On(QV_HANDLER(NQuickRemindClick))
                            .On(QV_HANDLER(NWelcomeClick))
                            .On(QV_HANDLER(NChatWithMeClick))
                            .On(QV_HANDLER(NAboutHelpClick))
                            .Bind(QV_MEMBER(NModeFree))
                            .Bind(QV_MEMBER(NModePassword))
                            .Bind(QV_MEMBER(NModeInterference))
                            .Bind(QV_MEMBER(NModeEnforce))
                            .Bind(QV_MEMBER(NShowSOT))
                            .Bind(QV_MEMBER(NDesktopDeco))
                            .Bind(QV_MEMBER(NMore_Weather))
                            .On(QV_HANDLER(NWebPageOfThisProductClick))
                            .On(QV_HANDLER(NHomePageClick))
                            .On(QV_HANDLER(NSharesClick))
                            .On(QV_HANDLER(MoreUsefulLinksClick))
                            .On(QV_HANDLER(NLaunchDeskpanelClick))
                            .On(QV_HANDLER(NShortCutsClick))
                            .On(QV_HANDLER(NOpenNotePadClick))
                            .On(QV_HANDLER(NOpenCalculatorClick))
                            .On(QV_HANDLER(NOpenWordClick))
                            .On(QV_HANDLER(NOpenExcelClick))
                            .On(QV_HANDLER(NSetMouseClick))
                            .On(QV_HANDLER(NDesktopDecoClick))
                            .On(QV_HANDLER(NShowSOTClick))
                            .On(QV_HANDLER(NSysShutdownInterfaceClick))
                            .On(QV_HANDLER(NModeClick))
                            .On(QV_HANDLER(NHintSmallWindowClick)));
  BindMenuLook(PopupMenu1->Items());
}
QV_REGISTER_FORM(TfrmMain);

// Every item of the tray menu, separators and sub-items included, has the one look.
void TfrmMain::BindMenuLook(TMenuItem* parent) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    item->OnMeasureItem = [this](TObject* s, TCanvas* c, int& w, int& h) { MenusMeasureItem(s, c, w, h); };
    item->OnDrawItem = [this](TObject* s, TCanvas* c, const RECT& r, bool selected) { MenusDrawItem(s, c, r, selected); };
    BindMenuLook(item);
  }
}

// ---- life cycle ------------------------------------------------------------------------------

void TfrmMain::FormCreate(TObject*) {
  RegisterHotKeys();
  SelfSuspending = false;
  ScreenSaverWasActive = ScreenSaver().IsActive();
  AddTrayIcon();
  FCycleNo = 1;
  FBreakState = stWorking;
  FRemindKind = 0;
  ResetBonusOnStart = true;
  TiredCarry = 0;
  RecordAppStart();
  FDemoBreak = false;
  FDemoHint = false;
  FPostponedMins = 0;
  // Placed before the first showing too, so the splash never flashes up at its design place.
  PlaceSplash();
}

void TfrmMain::RecordAppStart() {
  // The log's first entry opens its first cycle.
  EventLog.RecordEvent(true, true, 0, ekAppStart, true);
}

void TfrmMain::AddTrayIcon() {
  trayAdded_ = AddNotifyIcon(TrayIconData, Handle(), kTrayIconId, WM_BKWD_TRAY, kTrayTip);
}

void TfrmMain::RegisterHotKeys() {
  for (size_t n = 0; n < kHotKeys.size(); ++n) FHotKeyAtoms[n] = GlobalAddAtomW(kHotKeys[n].atomName);
  // Unique identifiers, so that unregistering one frees exactly its own key.
  FHotKeyIds = HotKeyIdentifiers(FHotKeyAtoms);
  // A key that another program holds simply never arrives.
  for (size_t n = 0; n < kHotKeys.size(); ++n) RegisterHotKey(Handle(), FHotKeyIds[n], MOD_WIN, kHotKeys[n].key);
}

void TfrmMain::ReleaseSystemResources() {
  if (released_) return;
  released_ = true;
  HWND h = HandleIfAllocated();
  for (int n = 0; n < 7; ++n) {
    if (h) UnregisterHotKey(h, FHotKeyIds[n]);
    if (FHotKeyAtoms[n]) GlobalDeleteAtom(FHotKeyAtoms[n]);
    FHotKeyAtoms[n] = 0;
  }
  if (trayAdded_) Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
  trayAdded_ = false;
  ScreenSaver().SetActive(ScreenSaverWasActive);
}

void TfrmMain::FormDestroy(TObject*) {
  ReleaseSystemResources();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::EndSession() { ReleaseSystemResources(); }

// ---- the splash ------------------------------------------------------------------------------

void TfrmMain::PlaceSplash() {
  RECT r = SplashBounds(Screen->Width(), Screen->Height(), Screen->WorkAreaRect());
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TfrmMain::FormShow(TObject*) { PlaceSplash(); }

void TfrmMain::ShowSplash() {
  PlaceSplash();
  SetFormStyle(fsStayOnTop);
  Show();
  ShowWindow(Handle(), SW_SHOW);
  CloseAnimateTimer->SetEnabled(true);
  ShowWindow(Application->Handle(), SW_SHOW);
}

void TfrmMain::CloseAnimateTimerTimer(TObject*) {
  Close();
  CloseAnimateTimer->SetEnabled(false);
}

void TfrmMain::FormClose(TObject*, TCloseAction& Action) {
  // The main window never closes: it fades out and the program goes on in the tray.
  if (HandleAllocated() && IsWindowVisible(HandleIfAllocated()))
    Animation().Animate(HandleIfAllocated(), 400, AW_HIDE | AW_BLEND);
  Action = caNone;
  Hide();
  HWND app = Application->Handle();
  ShowWindow(app, SW_HIDE);
  // No taskbar button and no Alt+Tab entry for the hidden application window.
  SetWindowLongPtrW(app, GWL_EXSTYLE, GetWindowLongPtrW(app, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

// ---- messages --------------------------------------------------------------------------------

void TfrmMain::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_BKWD_TRAY:
      WMTrayIcon(m);
      return;
    case WM_BKWD_SHOWWELCOME:
      WMShowWelcome();
      return;
    case WM_BKWD_OPENSETUPSCR:
      WMOpenSetupSCR();
      return;
    case WM_BKWD_OPENSTAT:
      WMOpenStat();
      return;
    case WM_HOTKEY:
      WMHotKey(m);
      return;
    case WM_POWERBROADCAST:
      WMPowerBroadcast(m);
      return;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        m.Result = TRUE;
        return;
      }
      break;
  }
  // The shell was restarted: the icon is gone with the old taskbar.
  if (m.Msg == TaskbarCreatedMessage() && m.Msg != 0) {
    if (!released_) AddTrayIcon();
    return;
  }
  TForm::WndProc(m);
}

void TfrmMain::WMShowWelcome() { ShowSplash(); }

void TfrmMain::WMOpenSetupSCR() {
  TForm* setup = Settings().SetupForm();
  if (setup) SetWindowPos(setup->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  NSetupSCRClick(nullptr);
  // Brought above everything once; it must not stay topmost for the rest of the run.
  if (setup && setup->HandleAllocated()) PlaceNotTopmost(setup->HandleIfAllocated());
}

void TfrmMain::WMOpenStat() { NStatClick(nullptr); }

void TfrmMain::WMTrayIcon(TMessage& m) {
  DefaultHandler(m);
  m.Result = 0;
  // The tray menu's own loop delivers the icon's callbacks too: while it is up, a click opens
  // nothing more (no menu inside the menu, no statistics behind it).
  if (TPopupMenu::MenuOpen()) return;
  switch (m.LParam) {
    case WM_RBUTTONUP: {
      POINT pt{};
      GetCursorPos(&pt);
      PopupMenu1->Popup(pt.x, pt.y);
      break;
    }
    case WM_LBUTTONUP:
      if (TForm* stat = Application->FindForm(L"frmStat")) {
        stat->Close();
      } else {
        SetForegroundWindow(Application->Handle());
        Application->ProcessMessages();
        NStatClick(nullptr);
      }
      break;
  }
  m.Result = 0;
}

// ---- the notice box --------------------------------------------------------------------------

void TfrmMain::ShowPopHint(TColor labelColor, TColor formColor, const std::wstring& text) {
  PopHintLabelColor = labelColor;
  PopHintFormColor = formColor;
  PopHintText = text;
  // A box already closed by its timer waits to be freed: a new one takes its place.
  if (IsFormCreated(L"frmPopHint") && frmPopHint && frmPopHint->Visible()) {
    // The open box takes the new text and colours; it still closes when it first meant to.
    frmPopHint->FormCreate(nullptr);
  } else {
    frmPopHint = new TfrmPopHint(Application);
    frmPopHint->Show();
  }
}

// ---- menu commands ---------------------------------------------------------------------------

void TfrmMain::OpenSetupPage(int page) {
  TForm* setup = Settings().SetupForm();
  if (!setup) return;
  Settings().SelectSetupPage(page);
  setup->Show();
  setup->SetWindowState(wsNormal);
}

void TfrmMain::NSetupClick(TObject*) { OpenSetupPage(1); }
void TfrmMain::NSetupModeClick(TObject*) { OpenSetupPage(1); }
void TfrmMain::NSetupSCRClick(TObject*) { OpenSetupPage(2); }
void TfrmMain::NSetupPowerClick(TObject*) { OpenSetupPage(2); }
void TfrmMain::NQuickRemindClick(TObject*) { OpenSetupPage(3); }
void TfrmMain::NSetupMeiHuaClick(TObject*) { OpenSetupPage(7); }

void TfrmMain::NStatClick(TObject*) {
  // Topmost and back again: brings the program forward without staying above other windows.
  PlaceTopmost(Handle());
  PlaceNotTopmost(Handle());
  if (TForm* stat = Application->FindForm(L"frmStat")) {
    stat->SetWindowState(wsNormal);
    return;
  }
  ProgramWindows().CreateStat();
}

void TfrmMain::NWelcomeClick(TObject*) {
  ProgramWindows().AboutWelcome();
}
void TfrmMain::NChatWithMeClick(TObject*) {
  ProgramWindows().ShowAboutPage(0);
}
void TfrmMain::NAboutHelpClick(TObject*) {
  ProgramWindows().ShowAboutPage(1);
}
void TfrmMain::NWebPageOfThisProductClick(TObject*) {
  if (frmAboutHelp) frmAboutHelp->lblHelpClick(nullptr);
}

void TfrmMain::NExitClick(TObject*) {
  int action = Settings().ExitActionIndex();
  switch (action) {
    case 1:  // "重启程序"
      RestartAfterExit = true;
      ReleaseSystemResources();
      Application->Terminate();
      return;
    case 2:  // "完全退出"
      Application->Terminate();
      return;
    default: {  // "不做什么": show where the setting is
      OpenSetupPage(7);
      auto flash = [](TColor c) { Settings().SetExitActionColor(c); };
      flash(clRed);
      DelayWithMessages(500);
      flash(clWindow);
      DelayWithMessages(500);
      flash(clRed);
      DelayWithMessages(500);
      flash(clWindow);
    }
  }
}

// ---- the event log ---------------------------------------------------------------------------

void TfrmMain::RecordEvent(bool newCycle, bool newEntry, uint8_t value, uint8_t kind, bool useTick) {
  EventLog.RecordEvent(newCycle, newEntry, value, kind, useTick, FIdleMins);
}

void TfrmMain::AddEventLogLine(uint8_t kind, uint32_t startTick, uint8_t value, uint32_t endTick) {
  ProgramWindows().AddStatLine(EventLogLine(kind, startTick, value, endTick));
}

std::wstring TfrmMain::CutSeconds(const std::wstring& text) {
  return text.size() > 3 ? text.substr(0, text.size() - 3) : std::wstring();
}

// ---- the break scheduler ---------------------------------------------------------------------

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

// ---- the screen-saver items of the tray menu --------------------------------------------------

void TfrmMain::NLaunchSCRClick(TObject* Sender) {
  RecordEvent(false, true, 0, Sender ? ekManualScreenSaver : ekAutoScreenSaver, true);
  Power().LaunchScreenSaver();
}

void TfrmMain::NLaunchZEPTClick(TObject*) { CallZEPT(Handle(), 0); }

void TfrmMain::NRemind2ChangeSCRClick(TObject*) { CallDeskpanel(Handle(), 1); }

// ---- power management ------------------------------------------------------------------------

void TfrmMain::ShutdownDisplayer() {
  RecordEvent(false, true, 0, ekDisplayOff, true);
  Power().DisplayOff(Application->Handle());
}

void TfrmMain::LetSysStandBy(bool silent, bool ask) { RequestSleep(true, silent, ask); }
void TfrmMain::LetSysSleep(bool silent, bool ask) { RequestSleep(false, silent, ask); }
void TfrmMain::NLetStandByClick(TObject*) { LetSysStandBy(false, true); }
void TfrmMain::NLetSleepClick(TObject*) { LetSysSleep(false, true); }

bool TfrmMain::EnabledDebugPrivilege(bool enable) { return Power().AdjustShutdownPrivilege(enable); }

void TfrmMain::RequestSleep(bool standBy, bool silent, bool ask) {
  const TSleepRequest r = SleepRequest(standBy, silent, ask);
  if (r.Question && Dialogs().MessageBox(nullptr, r.Question, L"Quovel提示",
                                         MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDYES)
    return;
  RecordEvent(false, true, 0, r.LogKind, true);
  bool done = false;
  if (EnabledDebugPrivilege(true)) {
    SelfSuspending = true;
    done = Power().SetSystemPowerState(r.Suspend, TRUE);
  }
  if (!done) RecordEvent(false, true, 0, r.FailedKind, true);
  // Back from the sleep, or refused. The resume may never be announced (a blocked sleep, current
  // Windows): a flag left set would let every later outside suspend go unasked and unlogged.
  SelfSuspending = false;
}

void TfrmMain::WMPowerBroadcast(TMessage& m) {
  const bool laptop = SchedulerSettings().Laptop;
  const TPowerBroadcastActions a =
      PowerBroadcastActions(m.WParam, FBreakState, laptop, SelfSuspending, [] {
        return Dialogs().MessageBox(nullptr, kSuspendQuestion, L"Quovel提示",
                                    MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDNO;
      });
  m.Result = a.Result;
  RecordEvent(false, true, 0, a.LogKind, true);
  // The question waits in a message loop: the countdown may have ended meanwhile.
  if (a.StartBreak && FBreakState == stCountdown && frmBreakHint) frmBreakHint->btnBreak->Click();
  if (a.Resumed) PowerResumed();
}

void TfrmMain::PowerResumed() {
  SelfSuspending = false;
  // Only a sleep announced and still open is closed: a resume after one nobody announced must not
  // stretch an older entry up to now, nor take that span off a break.
  if (FCycles.empty() || !OpenSleepEntry(FCycles.back())) return;
  const bool onBreak = FBreakState == stOnBreak;
  RecordEvent(false, false, onBreak ? 99 : 0, ekAnyPower, true);
  if (onBreak && TWForm && TWForm->ProgressBar1) {
    TProgressBar* bar = TWForm->ProgressBar1;
    bar->SetPosition(RemainingAfterSleep(bar->Position(), LastPowerEventSeconds()));
  }
}

uint32_t TfrmMain::LastPowerEventSeconds() const { return FCycles.empty() ? 0 : PowerEventSeconds(FCycles.back()); }

// ---- the desktop overlays --------------------------------------------------------------------

namespace {
// The windows of that name that are up; one closed before waits to be freed and does not count.
std::vector<TForm*> OpenFormsNamed(const wchar_t* name) {
  std::vector<TForm*> open;
  for (TForm* f : Application->Forms())
    if (f->Name() == name && !f->Destroying() && f->Visible()) open.push_back(f);
  return open;
}

}  // namespace

void TfrmMain::ShowSOT(bool show) {
  if (!show) {
    for (TForm* f : OpenFormsNamed(L"SOTForm")) f->Close();
    return;
  }
  // Two overlays would darken the screen twice.
  if (!OpenFormsNamed(L"SOTForm").empty()) return;
  SOTForm = new TSOTForm(Application);
  SOTForm->ShowNoActivate();
}

void TfrmMain::ShowDesktopDeco(bool show) {
  if (!show) {
    for (TForm* f : OpenFormsNamed(L"frmDesktopDeco")) f->Close();
    return;
  }
  if (!OpenFormsNamed(L"frmDesktopDeco").empty()) return;
  frmDesktopDeco = new TfrmDesktopDeco(Application);
  frmDesktopDeco->ShowNoActivate();
}

