#include "uniLumoConsoleMain.h"

#include <algorithm>
#include <array>

#include "ConsoleRules.h"
#include "ConsoleSeams.h"
#include "InstallRecord.h"
#include "QVSeams.h"
#include "TextFile.h"
#include "uniQVShare.h"
#include "uniRemind2Change.h"

TfrmLumoConsoleMain* frmLumoConsoleMain = nullptr;

bool FirstRun = false;
TDayNumber DuePic = 0, DueScr = 0, DueMus = 0;

namespace {

const wchar_t kTrayTip[] = L"Deskorax";
const wchar_t kPrompt[] = L"Quovel提示：";
const wchar_t kLinkName[] = L"Deskora";
const wchar_t kLinkDescription[] = L"Deskorax";

// The maker's pages and the web search of the links menu (addresses of our choosing).
constexpr const wchar_t* kSharesPage = L"http://www.quovel.com/article/useful-software.html";
constexpr const wchar_t* kPcKnowledgePage = L"http://www.quovel.com/article/pc-knowledge.html";
constexpr const wchar_t* kSearchHost = L"http://www.baidu.com/baidu?tn=quovel_pg&word=";

std::wstring& ConfigFolderOverride() {
  static std::wstring folder;
  return folder;
}

// The monitor that holds most of the rectangle, or none when it lies off every screen.
RECT MonitorOf(const RECT& r) {
  MONITORINFO mi{sizeof(mi)};
  HMONITOR m = MonitorFromRect(&r, MONITOR_DEFAULTTONULL);
  if (!m || !GetMonitorInfoW(m, &mi)) return RECT{};
  return mi.rcMonitor;
}

}  // namespace

std::wstring ConsoleConfigPath() {
  std::wstring folder = ConfigFolderOverride().empty() ? OwnExeFolder() : ConfigFolderOverride();
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder + kConsoleConfigFileName;
}

void SetConsoleConfigFolder(const std::wstring& folder) { ConfigFolderOverride() = folder; }

UINT ConsoleTaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

std::wstring ConsoleSearchAddress(const std::wstring& word) { return kSearchHost + PercentEncode(word, 936); }

TfrmLumoConsoleMain::TfrmLumoConsoleMain(TComponent* AOwner) : TForm(AOwner) {
  frmLumoConsoleMain = this;
  SetWindowClassName(kClassDeskpanel);
  InitForm(L"TfrmLumoConsoleMain",
           Binder<TfrmLumoConsoleMain>(this)
               .Bind(QV_MEMBER(btnProductBKWD))
               .Bind(QV_MEMBER(btnProductZEPT))
               .Bind(QV_MEMBER(btnProductSaverDeck))
               .Bind(QV_MEMBER(btnProductMINV))
               .Bind(QV_MEMBER(btnSVDSetup))
               .Bind(QV_MEMBER(btnPlayOrPause))
               .Bind(QV_MEMBER(btnPlayScrWithMus))
               .Bind(QV_MEMBER(btnPlayScr))
               .Bind(QV_MEMBER(imgQV))
               .Bind(QV_MEMBER(btnMenu))
               .Bind(QV_MEMBER(tmrAutoHide))
               .Bind(QV_MEMBER(tmrRemind2Change))
               .Bind(QV_MEMBER(ColorDialog1))
               .Bind(QV_MEMBER(PopupMenu1))
               .Bind(QV_MEMBER(NShowOrHide))
               .Bind(QV_MEMBER(NHideAuto))
               .Bind(QV_MEMBER(NHideDownwards))
               .Bind(QV_MEMBER(NNoLineLeftOnHideUpwards))
               .Bind(QV_MEMBER(NHideOnStart))
               .Bind(QV_MEMBER(NRememberPosOnExit))
               .Bind(QV_MEMBER(NRememerPosManually))
               .Bind(QV_MEMBER(NNotRememberPos))
               .Bind(QV_MEMBER(NResetPos))
               .Bind(QV_MEMBER(NChangeFormColorRandom))
               .Bind(QV_MEMBER(NChangeFormColorSelect))
               .Bind(QV_MEMBER(NChangeFormColorDefault))
               .Bind(QV_MEMBER(NRemind2ChangeScrMusPic))
               .Bind(QV_MEMBER(NAutoRun))
               .Bind(QV_MEMBER(NShares))
               .Bind(QV_MEMBER(NWeb_MyVendora))
               .Bind(QV_MEMBER(NMore_PCKnowledge))
               .Bind(QV_MEMBER(NMore_Weather))
               .Bind(QV_MEMBER(NMore_Clock))
               .Bind(QV_MEMBER(NMore_RiLi))
               .Bind(QV_MEMBER(NFm))
               .Bind(QV_MEMBER(NMore_Map))
               .Bind(QV_MEMBER(NMore_CiDian))
               .Bind(QV_MEMBER(NExit))
               .On(QV_HANDLER(FormCreate))
               .On(QV_HANDLER(FormShow))
               .On(QV_HANDLER(FormClose))
               .On(QV_HANDLER(FormDestroy))
               .On(QV_HANDLER(FormMouseDown))
               .On(QV_HANDLER(btnProductBKWDClick))
               .On(QV_HANDLER(btnProductZEPTClick))
               .On(QV_HANDLER(btnProductSaverDeckClick))
               .On(QV_HANDLER(btnProductMINVClick))
               .On(QV_HANDLER(btnSVDSetupClick))
               .On(QV_HANDLER(btnPlayOrPauseClick))
               .On(QV_HANDLER(btnPlayScrWithMusClick))
               .On(QV_HANDLER(btnPlayScrClick))
               .On(QV_HANDLER(btnMenuMouseUp))
               .On(QV_HANDLER(NHideAutoClick))
               .On(QV_HANDLER(NHideDownwardsClick))
               .On(QV_HANDLER(NNoLineLeftOnHideUpwardsClick))
               .On(QV_HANDLER(NHideOnStartClick))
               .On(QV_HANDLER(NRememberPosClick))
               .On(QV_HANDLER(NChangeFormColorClick))
               .On(QV_HANDLER(NRemind2ChangeScrMusPicClick))
               .On(QV_HANDLER(NAutoRunClick))
               .On(QV_HANDLER(NCreateDesktopIconClick))
               .On(QV_HANDLER(NAddToProgramListClick))
               .On(QV_HANDLER(NUsefulLinksClick))
               .On(QV_HANDLER(N11Click))
               .On(QV_HANDLER(NHomePageClick))
               .On(QV_HANDLER(NProductHomeClick))
               .On(QV_HANDLER(NExitClick))
               .On(QV_HANDLER(tmrAutoHideTimer))
               .On(QV_HANDLER(tmrRemind2ChangeTimer)));
}
QV_REGISTER_FORM(TfrmLumoConsoleMain);

void TfrmLumoConsoleMain::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Always on top, no taskbar button. The bar stays owned by the hidden application window: Wine's
  // taskbar gives every visible unowned window a button, tool window or not.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

// ---- life cycle ------------------------------------------------------------------------------

void TfrmLumoConsoleMain::FormCreate(TObject*) {
  // 1. No border: the design height loses its caption.
  FCloseAction = caNone;
  BorderStyle = bsNoneBorder;
  // The window was made from the description with its frame: the frame goes now.
  HWND h = Handle();
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  style &= ~LONG_PTR(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  SetWindowLongPtrW(h, GWL_STYLE, style | WS_POPUP);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetHeight(Height() - GetSystemMetrics(SM_CYCAPTION));

  // 2. The row, whatever the design places.
  TControl* const row[] = {btnProductBKWD, btnProductZEPT,    btnProductSaverDeck, btnProductMINV, btnSVDSetup,
                           btnPlayOrPause, btnPlayScrWithMus, btnPlayScr,          imgQV};
  std::array<int, std::size(row)> widths{};
  for (size_t i = 0; i < std::size(row); ++i) widths[i] = row[i]->Width();
  RowPlaces places = LayOutRow(widths, Height(), btnProductBKWD->Height());
  for (size_t i = 0; i < std::size(row); ++i)
    row[i]->SetBounds(places.lefts[i], places.top, row[i]->Width(), row[i]->Height());

  // 3.-4. The reset place, then what qvccfg holds. Every later step runs whatever the file held.
  ResetPos();
  StartUpStep([&] {
    LoadingConfig = true;
    struct Clear {
      bool& f;
      ~Clear() { f = false; }
    } clear{LoadingConfig};
    LoadConfig();
  });

  // 5. Start hidden: the loop does not show the bar, and the menu says how to bring it back. The
  // show step then never runs in this run, whatever shows the bar later.
  if (NHideOnStart->Checked) {
    Application->ShowMainForm = false;
    ShowHiddenCaptions();
    startedHidden_ = true;
    showStepDone_ = true;
  }

  // 6.-7. The tray icon, and the start-with-Windows mark as the Run key holds it.
  StartUpStep([&] { AddTrayIcon(); });
  StartUpStep([&] { NAutoRun->Checked = IsAutoRunSet(kAutoRunDeskpanel, OwnExePath()); });

  // 8. The first run: the install record does not name this executable.
  StartUpStep([&] {
    const std::wstring exe = OwnExePath();
    if (!IsFirstRun(GetInstallPathFromReg(kConsoleProductKey), exe)) return;
    FirstRun = true;
    if (Application->MessageBox(L"初次运行或程序有变更时会出现本提示，您需要重新配置，点击是继续。",
                                L"Quovel控制台（配置后不再提示）：",
                                MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES)
      WriteInstallPathToReg(kConsoleProductKey, exe, kConsoleVersion);
  });

  // Held commands go back into the queue: the main loop runs them, after the bar is shown.
  startUpDone_ = true;
  for (UINT msg : heldCommands_) PostMessageW(h, msg, 0, 0);
  heldCommands_.clear();
}

void TfrmLumoConsoleMain::FormShow(TObject*) {
  // Only the first showing by the application at start; ShowPanel shows the window itself.
  if (showStepDone_) return;
  showStepDone_ = true;
  StartUpStep([&] { ArmRemind2Change(); });
  // The console never has a taskbar button.
  ShowWindow(Application->Handle(), SW_HIDE);
}

void TfrmLumoConsoleMain::FormClose(TObject*, TCloseAction& Action) { Action = FCloseAction; }

void TfrmLumoConsoleMain::FormDestroy(TObject*) {
  if (NRememberPosOnExit->Checked) StartUpStep([&] { SaveConfig(); });
  RemoveTrayIcon();
  if (frmLumoConsoleMain == this) frmLumoConsoleMain = nullptr;
}

void TfrmLumoConsoleMain::EndSession() {
  // The process may end right after log-off's message: what destruction would save is saved now.
  if (NRememberPosOnExit->Checked) StartUpStep([&] { SaveConfig(); });
  RemoveTrayIcon();
}

void TfrmLumoConsoleMain::AddTrayIcon() {
  trayAdded_ = AddNotifyIcon(TrayIconData, Handle(), kConsoleTrayIconId, WM_DESKPANEL_TRAY, kTrayTip);
}

void TfrmLumoConsoleMain::RemoveTrayIcon() {
  if (trayAdded_) Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
  trayAdded_ = false;
  trayEnded_ = true;
}

// ---- messages --------------------------------------------------------------------------------

void TfrmLumoConsoleMain::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_DESKPANEL_SHOW:
    case WM_DESKPANEL_REMIND:
      // A window opened while a start-up box waits would stand over that system-modal question.
      if (!startUpDone_) {
        if (std::find(heldCommands_.begin(), heldCommands_.end(), m.Msg) == heldCommands_.end())
          heldCommands_.push_back(m.Msg);
      } else if (m.Msg == WM_DESKPANEL_SHOW) {
        WMShowConsole();
      } else {
        WMOpenRemind2Change();
      }
      return;
    case WM_DESKPANEL_TRAY:
      WMConsoleTray(m);
      return;
    case WM_POWERBROADCAST:
      WMConsolePowerBroadcast(m);
      return;
  }
  // The shell was restarted: the icon went with the old taskbar.
  if (m.Msg == ConsoleTaskbarCreatedMessage() && m.Msg != 0) {
    if (!trayEnded_) AddTrayIcon();
    return;
  }
  TForm::WndProc(m);
}

void TfrmLumoConsoleMain::WMShowConsole() { ShowPanel(); }

void TfrmLumoConsoleMain::WMOpenRemind2Change() { NRemind2ChangeScrMusPicClick(nullptr); }

void TfrmLumoConsoleMain::WMConsoleTray(TMessage& m) {
  DefaultHandler(m);
  switch (m.LParam) {
    case WM_RBUTTONUP:
      SetForegroundWindow(Application->Handle());
      Application->ProcessMessages();
      PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      NHideDownwards->Click();
      break;
  }
  m.Result = 0;
}

void TfrmLumoConsoleMain::WMConsolePowerBroadcast(TMessage& m) {
  // A pending suspend ends auto-hide, so the bar is back in place after the wake.
  if (m.WParam == PBT_APMQUERYSUSPEND && NHideAuto->Checked) NHideAuto->Click();
  m.Result = TRUE;
}

// ---- place and visibility --------------------------------------------------------------------

void TfrmLumoConsoleMain::ResetPos() {
  SetLeft(kBarResetLeft);
  SetTop(kBarResetTop);
}

void TfrmLumoConsoleMain::NHideAutoClick(TObject*) {
  NHideAuto->Checked = !NHideAuto->Checked;
  tmrAutoHide->SetEnabled(NHideAuto->Checked);
  SetTop(NHideAuto->Checked ? -Height() : 0);
}

void TfrmLumoConsoleMain::tmrAutoHideTimer(TObject*) {
  SetTop(AutoHideTop(Cursor().Pos(), BoundsRect(), NNoLineLeftOnHideUpwards->Checked));
}

void TfrmLumoConsoleMain::ShowHiddenCaptions() {
  NShowOrHide->Caption = L"恢复";
  NHideDownwards->Caption = L"恢复";
  NHideAuto->Visible = false;
}

void TfrmLumoConsoleMain::HidePanel() {
  if (NHideAuto->Checked) NHideAuto->Click();
  ShowWindow(Handle(), SW_HIDE);
  ShowHiddenCaptions();
}

void TfrmLumoConsoleMain::ShowPanel() {
  ShowWindow(Handle(), SW_SHOW);
  NHideAuto->Visible = true;
  NShowOrHide->Caption = L"隐藏";
  NHideDownwards->Caption = L"向下隐藏";
}

void TfrmLumoConsoleMain::NHideDownwardsClick(TObject*) {
  if (IsWindowVisible(Handle())) HidePanel();
  else ShowPanel();
}

void TfrmLumoConsoleMain::FormMouseDown(TObject*, TMouseButton Button, TShiftState, int, int) {
  // The left button drags the bar; the right one is left to the bar's menu.
  if (Button != mbLeft) return;
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void TfrmLumoConsoleMain::PopupAtCursor() {
  POINT p = Cursor().Pos();
  PopupMenu1->Popup(p.x, p.y);
}

void TfrmLumoConsoleMain::btnMenuMouseUp(TObject*, TMouseButton, TShiftState, int, int) { PopupAtCursor(); }

// ---- the buttons -----------------------------------------------------------------------------

void TfrmLumoConsoleMain::btnProductBKWDClick(TObject*) { CallBKWD(Handle(), 2); }
void TfrmLumoConsoleMain::btnProductZEPTClick(TObject*) { CallZEPT(Handle(), 0); }
void TfrmLumoConsoleMain::btnProductSaverDeckClick(TObject*) { CallSaverDeck(Handle(), 11); }
void TfrmLumoConsoleMain::btnProductMINVClick(TObject*) { CallMINV(Handle(), 0); }
void TfrmLumoConsoleMain::btnSVDSetupClick(TObject*) { CallSaverDeck(Handle(), 7); }
void TfrmLumoConsoleMain::btnPlayOrPauseClick(TObject*) { CallSaverDeck(Handle(), 1); }
void TfrmLumoConsoleMain::btnPlayScrWithMusClick(TObject*) { CallSaverDeck(Handle(), 5); }
void TfrmLumoConsoleMain::btnPlayScrClick(TObject*) { CallSaverDeck(Handle(), 3); }

// ---- qvccfg ----------------------------------------------------------------------------------

uint8_t TfrmLumoConsoleMain::RememberPosMode() const {
  if (NRememberPosOnExit->Checked) return 0;
  if (NRememerPosManually->Checked) return 1;
  return 3;
}

TConsoleConfig TfrmLumoConsoleMain::CurrentConfig() const {
  TConsoleConfig c;
  c.NHideOnStart = NHideOnStart->Checked;
  c.PosRule = RememberPosMode();
  c.Left = Left();
  // While auto-hide holds the bar up its Top is not a place to come back to.
  c.Top = NHideAuto->Checked ? 0 : Top();
  c.NNoLineLeftOnHideUpwards = NNoLineLeftOnHideUpwards->Checked;
  c.Color = int(ColorToRGB(Color()));
  c.DuePic = DuePic;
  c.DueScr = DueScr;
  c.DueMus = DueMus;
  return c;
}

void TfrmLumoConsoleMain::SaveConfig() {
  WriteTextLines(ConsoleConfigPath(), WriteConsoleConfigLines(CurrentConfig()));
}

void TfrmLumoConsoleMain::LoadConfig() {
  const std::wstring path = ConsoleConfigPath();
  if (!FileExists(path)) return;
  ConsoleConfigRead read = ReadConsoleConfigLines(ReadTextLines(path));
  ApplyConfigFields(read);
  // Every field that did not convert kept its design value; the user hears of them once.
  if (!read.errors.empty()) Application->HandleException(EConvertError(ConsoleConfigErrorText(read.errors)));
}

void TfrmLumoConsoleMain::ApplyConfigFields(const ConsoleConfigRead& read) {
  const TConsoleConfig& c = read.values;
  NHideOnStart->Checked = c.NHideOnStart;
  ApplyPosMode(uint8_t(c.PosRule));
  if (read.placeApplies) {
    RECT bar{c.Left, c.Top, c.Left + Width(), c.Top + Height()};
    if (PlaceIsOnScreen(bar, MonitorOf(bar))) SetBounds(c.Left, c.Top, Width(), Height());
    else ResetPos();
  }
  NNoLineLeftOnHideUpwards->Checked = c.NNoLineLeftOnHideUpwards;
  SetBarColor(TColor(c.Color));
  DuePic = c.DuePic;
  DueScr = c.DueScr;
  DueMus = c.DueMus;
}

void TfrmLumoConsoleMain::ApplyPosMode(uint8_t mode) {
  switch (mode) {
    case 0: NRememberPosOnExit->Click(); break;
    case 1: NRememerPosManually->Click(); break;
    case 2: NNotRememberPos->Click(); break;
    default: break;  // the design's check stays
  }
}

void TfrmLumoConsoleMain::NRememberPosClick(TObject* Sender) {
  if (Sender == NResetPos) {
    ResetPos();
    return;
  }
  for (TMenuItem* item : {NRememberPosOnExit, NRememerPosManually, NNotRememberPos}) item->Checked = item == Sender;
  // Remembering on exit stores the place when the bar goes; the other two store it now.
  if (!LoadingConfig && (Sender == NRememerPosManually || Sender == NNotRememberPos)) SaveConfig();
}

void TfrmLumoConsoleMain::NNoLineLeftOnHideUpwardsClick(TObject*) {
  NNoLineLeftOnHideUpwards->Checked = !NNoLineLeftOnHideUpwards->Checked;
  SaveConfig();
}

void TfrmLumoConsoleMain::NHideOnStartClick(TObject*) {
  NHideOnStart->Checked = !NHideOnStart->Checked;
  SaveConfig();
}

void TfrmLumoConsoleMain::SetBarColor(TColor rgb) {
  SetColor(ShownBarColor(ColorToRGB(rgb)));
  if (HWND h = HandleIfAllocated()) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TfrmLumoConsoleMain::NChangeFormColorClick(TObject* Sender) {
  if (Sender == NChangeFormColorRandom) {
    RandomSource().Randomize();
    const int r = RandomSource().Random(255), g = RandomSource().Random(255), b = RandomSource().Random(255);
    SetBarColor(TColor(RGB(r, g, b)));
  } else if (Sender == NChangeFormColorSelect) {
    ColorDialog1->Color = ColorToRGB(Color());
    if (ColorDialog1->Execute()) SetBarColor(ColorDialog1->Color);
  } else if (Sender == NChangeFormColorDefault) {
    SetBarColor(clSkyBlue);
  }
  // Saved in every case, a cancelled dialog included.
  SaveConfig();
}

// ---- the change reminder ---------------------------------------------------------------------

void TfrmLumoConsoleMain::ArmRemind2Change() {
  if (!ShouldArmRemind(FirstRun, startedHidden_, {DuePic, DueScr, DueMus}, Remind2ChangeToday())) return;
  RandomSource().Randomize();
  tmrRemind2Change->SetInterval(RemindIntervalMs(RandomSource().Random(20)));
  tmrRemind2Change->SetEnabled(true);
}

void TfrmLumoConsoleMain::NRemind2ChangeScrMusPicClick(TObject*) { OpenRemind2ChangeWindow(); }

void TfrmLumoConsoleMain::tmrRemind2ChangeTimer(TObject*) {
  // Once per run.
  tmrRemind2Change->SetEnabled(false);
  if (Application->MessageBox(L"您有更换项目到期了，点击确定查看和更换。", L"Quovel提醒您定期更换：屏保/音乐/壁纸！",
                              MB_SYSTEMMODAL | MB_ICONINFORMATION) == IDOK)
    NRemind2ChangeScrMusPicClick(nullptr);
}

// ---- start with Windows, shortcuts -----------------------------------------------------------

void TfrmLumoConsoleMain::NAutoRunClick(TObject*) {
  NAutoRun->Checked = !NAutoRun->Checked;
  const std::wstring exe = OwnExePath();
  if (NAutoRun->Checked) {
    if (Application->MessageBox(L"您确定要设定开机时自动启动本程序吗？", kPrompt,
                                MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES) {
      try {
        SetAutoRun(kAutoRunDeskpanel, exe);
      } catch (const std::exception& e) {
        // The error box says why; the mark below still shows what the key holds.
        Application->HandleException(e);
      }
    }
  } else {
    if (Application->MessageBox(L"您确定要取消开机时自动启动本程序吗？", kPrompt,
                                MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES)
      RemoveAutoRun(kAutoRunDeskpanel);
  }
  // The mark shows what the Run key holds now: a key that could not be written changes nothing.
  NAutoRun->Checked = IsAutoRunSet(kAutoRunDeskpanel, exe);
}

void TfrmLumoConsoleMain::NCreateDesktopIconClick(TObject*) {
  if (AddShortcut(GetShellFolder(L"Desktop"), kLinkName, kLinkDescription))
    Application->MessageBox(L"桌面图标添加成功！", kPrompt, MB_SYSTEMMODAL | MB_ICONINFORMATION);
}

void TfrmLumoConsoleMain::NAddToProgramListClick(TObject*) {
  if (AddShortcut(GetShellFolder(L"Programs") + L"\\" + kShortcutFolderName, kLinkName, kLinkDescription))
    Application->MessageBox(L"程序组图标添加成功！", kPrompt, MB_SYSTEMMODAL | MB_ICONINFORMATION);
}

// ---- links, help, exit -----------------------------------------------------------------------

void TfrmLumoConsoleMain::NUsefulLinksClick(TObject* Sender) {
  auto open = [&](const std::wstring& address) {
    ShellCalls().Execute(Handle(), L"", address, L"", L"", SW_SHOWNORMAL);
  };
  if (Sender == NShares) open(kSharesPage);
  else if (Sender == NWeb_MyVendora) OpenPromoPage(Handle(), false, 0);
  else if (Sender == NMore_PCKnowledge) open(kPcKnowledgePage);
  else if (Sender == NMore_Weather) open(ConsoleSearchAddress(L"天气"));
  else if (Sender == NMore_Clock) open(ConsoleSearchAddress(L"时间"));
  else if (Sender == NMore_RiLi) open(ConsoleSearchAddress(L"日历"));
  else if (Sender == NFm) OpenRadioSearch(Handle());
  else if (Sender == NMore_Map) open(ConsoleSearchAddress(L"地图"));
  else if (Sender == NMore_CiDian) open(ConsoleSearchAddress(L"翻译"));
}

void TfrmLumoConsoleMain::N11Click(TObject*) {
  if (Application->MessageBox(
          L"鼠标右击控制条任意位置可以弹出主菜单，鼠标左键按住QV可以移动位置，双击QV可以隐藏或者取消隐藏。"
          L"点确定获得更多帮助。",
          L"Quovel帮助：", MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OKCANCEL) == IDOK)
    NProductHomeClick(nullptr);
}

void TfrmLumoConsoleMain::NHomePageClick(TObject*) { OpenHomePage(Handle()); }
void TfrmLumoConsoleMain::NProductHomeClick(TObject*) { OpenHelpPage(Handle(), pcDeskpanel); }

void TfrmLumoConsoleMain::NExitClick(TObject*) {
  switch (Application->MessageBox(L"您确定要完全退出控制台吗？点是继续，否隐藏到托盘。", kPrompt,
                                  MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNOCANCEL)) {
    case IDYES:
      FCloseAction = caFree;
      Close();
      break;
    case IDNO:
      HidePanel();
      break;
    default:
      break;
  }
}
