#include "unitFrmMain.h"

#include <cmath>

#include "BkwdSeams.h"
#include "uniPopInfo.h"
#include "uniQVShare.h"

TfrmMain* frmMain = nullptr;
TMainFormLinks MainFormLinks;

bool SelfSuspending = false;
bool ResetBonusOnStart = true;
uint16_t TiredCarry = 0;
bool ScreenSaverWasActive = true;
bool RestartAfterExit = false;

namespace {
const wchar_t kTrayTip[] = L"Restavo";
const UINT kHotKeys[7] = {'H', 'Z', 'C', 'W', 'K', 'V', 'X'};

int RoundHalfEven(double v) { return int(std::nearbyint(v)); }  // the default rounding mode

void PlaceTopmost(HWND h) { SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

void PlaceNotTopmost(HWND h) {
  // Our forms are owned by the hidden application window, and Wine keeps an owned popup just above
  // its owner: with the owner at the head of the normal windows, the popup would stay topmost.
  // The owner is never seen, so its own place can go to the bottom.
  SetWindowPos(Application->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
}  // namespace

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
                            .Bind("Image1", Image1)
                            .Bind("PopupMenu1", PopupMenu1)
                            .Bind("CloseAnimateTimer", CloseAnimateTimer)
                            .Bind("DetectPauseTimer", DetectPauseTimer)
                            .Bind("NExit", NExit)
                            .Bind("NStat", NStat)
                            .Bind("NSetup", NSetup)
                            .On("FormCreate", &TfrmMain::FormCreate)
                            .On("FormShow", &TfrmMain::FormShow)
                            .On("FormClose", &TfrmMain::FormClose)
                            .On("FormDestroy", &TfrmMain::FormDestroy)
                            .On("CloseAnimateTimerTimer", &TfrmMain::CloseAnimateTimerTimer)
                            .On("NExitClick", &TfrmMain::NExitClick)
                            .On("NStatClick", &TfrmMain::NStatClick)
                            .On("NSetupClick", &TfrmMain::NSetupClick)
                            .On("NSetupModeClick", &TfrmMain::NSetupModeClick)
                            .On("NSetupSCRClick", &TfrmMain::NSetupSCRClick)
                            .On("NSetupPowerClick", &TfrmMain::NSetupPowerClick)
                            .On("NSetupMeiHuaClick", &TfrmMain::NSetupMeiHuaClick)
                            .On("NQuickRemindClick", &TfrmMain::NQuickRemindClick)
                            .On("NWelcomeClick", &TfrmMain::NWelcomeClick)
                            .On("NChatWithMeClick", &TfrmMain::NChatWithMeClick)
                            .On("NAboutHelpClick", &TfrmMain::NAboutHelpClick));
}
QV_REGISTER_FORM(TfrmMain);

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
  TrayIconData = NOTIFYICONDATAW{};
  TrayIconData.cbSize = sizeof(TrayIconData);
  TrayIconData.hWnd = Handle();
  TrayIconData.uID = kTrayIconId;
  TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  TrayIconData.uCallbackMessage = WM_BKWD_TRAY;
  TrayIconData.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  lstrcpynW(TrayIconData.szTip, kTrayTip, ARRAYSIZE(TrayIconData.szTip));
  trayAdded_ = Shell_NotifyIconW(NIM_ADD, &TrayIconData) != FALSE;
}

void TfrmMain::RegisterHotKeys() {
  for (int n = 0; n < 7; ++n) {
    std::wstring name = L"Hotkey_bkwd" + std::to_wstring(n + 1);
    FHotKeyAtoms[n] = GlobalAddAtomW(name.c_str());
    FHotKeyIds[n] = uint8_t(FHotKeyAtoms[n] & 0xFF);
    // A key that another program holds simply never arrives.
    RegisterHotKey(Handle(), FHotKeyIds[n], MOD_WIN, kHotKeys[n]);
  }
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
  TForm* setup = MainFormLinks.SetupForm ? MainFormLinks.SetupForm() : nullptr;
  if (setup) SetWindowPos(setup->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  NSetupSCRClick(nullptr);
  // Brought above everything once; it must not stay topmost for the rest of the run.
  if (setup && setup->HandleAllocated()) PlaceNotTopmost(setup->HandleIfAllocated());
}

void TfrmMain::WMOpenStat() { NStatClick(nullptr); }

void TfrmMain::WMTrayIcon(TMessage& m) {
  DefaultHandler(m);
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
  TForm* setup = MainFormLinks.SetupForm ? MainFormLinks.SetupForm() : nullptr;
  if (!setup) return;
  if (MainFormLinks.SelectSetupPage) MainFormLinks.SelectSetupPage(page);
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
  if (MainFormLinks.CreateStat) MainFormLinks.CreateStat();
}

void TfrmMain::NWelcomeClick(TObject*) {
  if (MainFormLinks.AboutWelcome) MainFormLinks.AboutWelcome();
}
void TfrmMain::NChatWithMeClick(TObject*) {
  if (MainFormLinks.ShowAboutPage) MainFormLinks.ShowAboutPage(0);
}
void TfrmMain::NAboutHelpClick(TObject*) {
  if (MainFormLinks.ShowAboutPage) MainFormLinks.ShowAboutPage(1);
}

void TfrmMain::NExitClick(TObject*) {
  int action = MainFormLinks.ExitActionIndex ? MainFormLinks.ExitActionIndex() : -1;
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
      auto flash = [](TColor c) {
        if (MainFormLinks.SetExitActionColor) MainFormLinks.SetExitActionColor(c);
      };
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
