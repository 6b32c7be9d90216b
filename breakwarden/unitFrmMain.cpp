// The break reminder's main window: its creation, life cycle and messages, the notice box, the
// desktop overlays and the event log's front. The splash, the tray, the hot keys, the scheduler
// and the power functions are in the unitFrmMain*.cpp files beside it; the tray menu's look and
// quick tools in TrayMenu.cpp.
#include "unitFrmMain.h"

#include "BkwdSeams.h"
#include "Seams.h"
#include "sceneOnTop.h"
#include "uniDesktopDeco.h"
#include "uniPopInfo.h"
#include "uniQVShare.h"

TfrmMain* frmMain = nullptr;

bool SelfSuspending = false;
bool ScreenSaverWasActive = true;
bool RestartAfterExit = false;

void PlaceNotTopmost(HWND h) {
  // Our forms are owned by the hidden application window, and Wine keeps an owned popup just above
  // its owner: with the owner at the head of the normal windows, the popup would stay topmost.
  // The owner is never seen, so its own place can go to the bottom.
  SetWindowPos(Application->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
  // Its fade is counted from its showing (FormShow), not from here.
  CloseAnimateTimer->SetEnabled(false);
}

void TfrmMain::RecordAppStart() {
  // The log's first entry opens its first cycle.
  EventLog.RecordEvent(true, true, 0, ekAppStart, true);
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

