#include "uniSaverDeck.h"

#include "ComCtrls.h"
#include "PlaylistHandOver.h"
#include "SaverDeckCommands.h"
#include "SaverDeckSeams.h"
#include "uniMusicList.h"
#include "uniQVShare.h"
#include "uniSetupSaverDeck.h"

TfrmSaverDeck* frmSaverDeck = nullptr;
uint8_t ArrangeIndex = 0;
TSaverDeckLinks SaverDeckLinks;
std::wstring LastErrorText;

namespace {
const wchar_t kTrayTip[] = L"Sonavista";
// Pages of the settings dialog.
const int kPageAccompaniment = 2, kPageAbout = 3;

void Observe(const std::wstring& call) {
  if (SaverDeckLinks.ObserveCall) SaverDeckLinks.ObserveCall(call);
}
}  // namespace

UINT SaverDeckTaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

TfrmSaverDeck::TfrmSaverDeck(TComponent* AOwner) : TForm(AOwner) {
  SetWindowClassName(kClassSaverDeck);
  InitForm(L"TfrmSaverDeck", Binder<TfrmSaverDeck>(this)
                                 .Bind("Image1", Image1)
                                 .Bind("MainMenu1", MainMenu1)
                                 .Bind("PopupMenu1", PopupMenu1)
                                 .Bind("NExit", NExit)
                                 .Bind("NSetup", NSetup)
                                 .Bind("NListMusic", NListMusic)
                                 .Bind("NListScr", NListScr)
                                 .Bind("NShowLastErr", NShowLastErr)
                                 .Bind("NAbout", NAbout)
                                 .Bind("NMore", NMore)
                                 .Bind("NMute", NMute)
                                 .Bind("NExitR", NExitR)
                                 .Bind("NAbout_R", NAbout_R)
                                 .Bind("NShowOrHide", NShowOrHide)
                                 .Bind("NMute_R", NMute_R)
                                 .Bind("bbtPlay", bbtPlay)
                                 .Bind("bbtPause", bbtPause)
                                 .Bind("bbtStop", bbtStop)
                                 .Bind("bbtNext", bbtNext)
                                 .Bind("bbtPrev", bbtPrev)
                                 .Bind("bbtOpen", bbtOpen)
                                 .Bind("bbtVol", bbtVol)
                                 .Bind("bbtFormsPosChange", bbtFormsPosChange)
                                 .Bind("btnSCRSetup", btnSCRSetup)
                                 .Bind("btnScrPreview", btnScrPreview)
                                 .Bind("btnSetupDuLiBanYing", btnSetupDuLiBanYing)
                                 .Bind("btnPlayScr", btnPlayScr)
                                 .Bind("btnPlayScrWithMus", btnPlayScrWithMus)
                                 .Bind("bvlScrSetup", bvlScrSetup)
                                 .Bind("bvlScrPreview", bvlScrPreview)
                                 .Bind("bvlSelectDuLiBanYing", bvlSelectDuLiBanYing)
                                 .Bind("bvlPlayScr", bvlPlayScr)
                                 .Bind("bvlPlayScrWithMus", bvlPlayScrWithMus)
                                 .Bind("cbbSCRSavers", cbbSCRSavers)
                                 .Bind("cbbSCRSaversName", cbbSCRSaversName)
                                 .Bind("cbbBanYing", cbbBanYing)
                                 .Bind("lblSCR_total", lblSCR_total)
                                 .Bind("ppmArrayForms", ppmArrayForms)
                                 .Bind("ppmVol", ppmVol)
                                 .Bind("NVolAdjust", NVolAdjust)
                                 .Bind("NVolAdjust_R", NVolAdjust_R)
                                 .Bind("NArray_MusMode", NArray_MusMode)
                                 .Bind("NFormsPosChange", NFormsPosChange)
                                 .Bind("NFormsPos_MusMode", NFormsPos_MusMode)
                                 .Bind("NDemoFormsPosChange", NDemoFormsPosChange)
                                 .Bind("NSaveMusList", NSaveMusList)
                                 .Bind("NLoadMusList", NLoadMusList)
                                 .Bind("NLoadAndAddList", NLoadAndAddList)
                                 .Bind("NArray1", NArray[1])
                                 .Bind("NArray2", NArray[2])
                                 .Bind("NArray3", NArray[3])
                                 .Bind("NArray4", NArray[4])
                                 .Bind("NArray5", NArray[5])
                                 .Bind("NArray6", NArray[6])
                                 .Bind("NArray7", NArray[7])
                                 .Bind("NArray8", NArray[8])
                                 .On("FormCreate", &TfrmSaverDeck::FormCreate)
                                 .On("FormClose", &TfrmSaverDeck::FormClose)
                                 .On("FormDestroy", &TfrmSaverDeck::FormDestroy)
                                 .On("FormMouseDown", &TfrmSaverDeck::FormMouseDown)
                                 .On("NShowOrHideClick", &TfrmSaverDeck::NShowOrHideClick)
                                 .On("NSetupClick", &TfrmSaverDeck::NSetupClick)
                                 .On("NAboutClick", &TfrmSaverDeck::NAboutClick)
                                 .On("NListMusicClick", &TfrmSaverDeck::NListMusicClick)
                                 .On("NShowLastErrClick", &TfrmSaverDeck::NShowLastErrClick)
                                 .On("NResetFormPositionClick", &TfrmSaverDeck::NResetFormPositionClick)
                                 .On("NArray0Click", &TfrmSaverDeck::NArray0Click)
                                 .On("NFormsPosChangeClick", &TfrmSaverDeck::NFormsPosChangeClick)
                                 .On("NDemoFormsPosChangeClick", &TfrmSaverDeck::NDemoFormsPosChangeClick)
                                 .On("bbtFormsPosChangeClick", &TfrmSaverDeck::bbtFormsPosChangeClick)
                                 .On("NSaveMusListClick", &TfrmSaverDeck::NSaveMusListClick)
                                 .On("NLoadMusListClick", &TfrmSaverDeck::NLoadMusListClick)
                                 .On("NLoadAndAddListClick", &TfrmSaverDeck::NLoadAndAddListClick)
                                 .On("NMuteClick", &TfrmSaverDeck::NMuteClick)
                                 .On("NVolAdjustClick", &TfrmSaverDeck::NVolAdjustClick)
                                 .On("bbtVolClick", &TfrmSaverDeck::bbtVolClick)
                                 .On("NExitClick", &TfrmSaverDeck::NExitClick));
}
QV_REGISTER_FORM(TfrmSaverDeck);

// ---- life cycle ------------------------------------------------------------------------------

void TfrmSaverDeck::AlignBevelToButton(TBevel* bevel, TSpeedButton* button) {
  bevel->SetBounds(button->Left(), button->Top(), button->Width(), button->Height());
  button->BringToFront();
}

void TfrmSaverDeck::FormCreate(TObject*) {
  AlignBevelToButton(bvlScrSetup, btnSCRSetup);
  AlignBevelToButton(bvlScrPreview, btnScrPreview);
  AlignBevelToButton(bvlSelectDuLiBanYing, btnSetupDuLiBanYing);
  AlignBevelToButton(bvlPlayScr, btnPlayScr);
  AlignBevelToButton(bvlPlayScrWithMus, btnPlayScrWithMus);

  POINT at = CentredFormPlace(Screen->Width(), Screen->WorkAreaHeight(), Width(), Height());
  SetBounds(at.x, at.y, Width(), Height());

  TSpeedButton* const row[] = {bbtPlay, bbtPause, bbtStop, bbtNext, bbtPrev, bbtOpen, bbtVol, bbtFormsPosChange};
  std::vector<int> widths;
  for (TSpeedButton* b : row) widths.push_back(b->Width());
  std::vector<int> lefts = ButtonRowLefts(cbbBanYing->Left(), widths);
  for (size_t i = 0; i < lefts.size(); ++i) row[i]->SetLeft(lefts[i]);

  AddTrayIcon();

  // Only shown: writing the state read back would unmute a muted system whenever a read fails.
  LoadVolumeImages();
  ShowMuteState(GetMasterMute());

  FExternalCall = 0;
  FRandomOrder = 0;
  FUserStopped = 0;

  LoadScrList();
  lblSCR_total->SetCaption(std::to_wstring(cbbSCRSavers->Items.Count() - 1));
  if (cbbSCRSavers->Items.Count() > 1) cbbSCRSavers->SetItemIndex(1);
  cbbSCRSaversName->SetItemIndex(cbbSCRSavers->ItemIndex());
}

void TfrmSaverDeck::AddTrayIcon() {
  trayAdded_ = AddNotifyIcon(TrayIconData, Handle(), kSaverDeckTrayId, WM_SAVERDECK_TRAY, kTrayTip);
}

void TfrmSaverDeck::RemoveTrayIcon() {
  if (trayAdded_) Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
  trayAdded_ = false;
}

void TfrmSaverDeck::FormDestroy(TObject*) {
  RemoveTrayIcon();
  if (frmSaverDeck == this) frmSaverDeck = nullptr;
}

// The session may end right after this: the icon goes now. Nothing else is saved at exit.
void TfrmSaverDeck::EndSession() { RemoveTrayIcon(); }

// ---- show and hide ---------------------------------------------------------------------------

void TfrmSaverDeck::ShowPlayer() {
  Show();
  ShowWindow(Application->Handle(), SW_SHOW);
  ShowWindow(Handle(), SW_SHOW);
  NResetFormPositionClick(nullptr);
  SetForegroundWindow(Application->Handle());
}

void TfrmSaverDeck::HidePlayer() {
  Hide();
  ShowWindow(Application->Handle(), SW_HIDE);
  if (frmSetupSaverDeck && frmSetupSaverDeck->HandleAllocated() && IsWindowVisible(frmSetupSaverDeck->Handle()))
    frmSetupSaverDeck->Close();
  if (frmMusicList && frmMusicList->HandleAllocated() && IsWindowVisible(frmMusicList->Handle()))
    frmMusicList->Close();
}

void TfrmSaverDeck::NShowOrHideClick(TObject*) {
  if (HandleAllocated() && IsWindowVisible(Handle())) HidePlayer();
  else ShowPlayer();
}

void TfrmSaverDeck::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  // Moves the window as a drag on its caption would.
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

// ---- menu commands ---------------------------------------------------------------------------

void TfrmSaverDeck::OpenSetupOnPage(int page) {
  if (!frmSetupSaverDeck) return;
  frmSetupSaverDeck->PageControl1->SetActivePageIndex(page);
  frmSetupSaverDeck->Show();
}

void TfrmSaverDeck::NSetupClick(TObject*) {
  if (!frmSetupSaverDeck) return;
  BringWindowToFront(frmSetupSaverDeck->Handle());
  frmSetupSaverDeck->Show();
}

void TfrmSaverDeck::NAboutClick(TObject*) { OpenSetupOnPage(kPageAbout); }

void TfrmSaverDeck::NListMusicClick(TObject*) {
  if (!frmMusicList) return;
  frmMusicList->SetWindowState(wsNormal);
  if (!frmMusicList->Visible()) frmMusicList->Show();
}

void TfrmSaverDeck::NShowLastErrClick(TObject*) {
  if (LastErrorText.empty()) Application->MessageBox(L"没有错误！", Application->Title, MB_OK);
  else Application->MessageBox(L"<最近一次的错误提示是>：" + LastErrorText, Application->Title, MB_OK);
}

void TfrmSaverDeck::NExitClick(TObject* Sender) {
  TCloseAction action = caHide;
  FormClose(Sender, action);
}

void TfrmSaverDeck::FormClose(TObject* Sender, TCloseAction& Action) {
  // The window is never closed: the close box and No hide it to the tray.
  Action = caNone;
  if (Sender == NExit || Sender == NExitR) {
    int answer = Application->MessageBox(L"选择\"否\"将缩小到托盘，选择\"是\"退出。", L"退出确认：",
                                         MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO);
    if (answer == IDYES) {
      if (frmSetupSaverDeck && frmSetupSaverDeck->HandleAllocated() &&
          IsWindowVisible(frmSetupSaverDeck->Handle())) {
        frmSetupSaverDeck->Close();
        // Cancel in its save question keeps the dialog open: the user is not done, so no exit.
        if (IsWindowVisible(frmSetupSaverDeck->Handle())) return;
      }
      Application->Terminate();
    }
  }
  HidePlayer();
}

// ---- command messages ------------------------------------------------------------------------

void TfrmSaverDeck::WndProc(TMessage& m) {
  if (const TCommandAction* action = CommandActionFor(m.Msg)) {
    RunCommand(*action, m);
    return;
  }
  // The shell was restarted: the icon went with the old taskbar.
  if (m.Msg == SaverDeckTaskbarCreatedMessage() && m.Msg != 0) {
    if (!Destroying()) AddTrayIcon();
    return;
  }
  TForm::WndProc(m);
}

void TfrmSaverDeck::RunCommand(const TCommandAction& action, TMessage& m) {
  switch (action.op) {
    case TPlayerOp::ShowAndLoadList: WMShowAndLoadList(); break;
    case TPlayerOp::ToggleAccomp: ToggleAccompaniment(action.force); break;
    case TPlayerOp::NextMusic: WMNextMusic(); break;
    case TPlayerOp::ScrRun: WMScrRun(action.random, action.music); break;
    case TPlayerOp::SetupAccomp: WMSetupAccomp(); break;
    case TPlayerOp::ShowHide: NShowOrHideClick(nullptr); break;
    case TPlayerOp::ShowPlay: WMShowPlay(); break;
    case TPlayerOp::StopMusic: bbtStopClick(nullptr); break;
    case TPlayerOp::Tray: WMSaverDeckTray(m); return;
  }
  m.Result = 0;
}

void TfrmSaverDeck::WMShowAndLoadList() {
  // Only a second start of the player marks what it puts on the clipboard; anything else there
  // is the user's and stays.
  std::wstring path;
  if (TakePlaylistFromClipboard(Handle(), path) && frmMusicList) frmMusicList->procLoadPlayList(path);
  ShowPlayer();
}

void TfrmSaverDeck::WMNextMusic() {
  FExternalCall = 1;
  bbtNextClick(nullptr);
  FExternalCall = 0;
}

void TfrmSaverDeck::WMScrRun(uint8_t random, int8_t music) {
  uint8_t m = uint8_t(music);
  if (music == kMusicAsSet) {
    int set = frmSetupSaverDeck ? frmSetupSaverDeck->cbbUseBanYingOrNot->ItemIndex() : -1;
    m = uint8_t(set);
  }
  StartScrRun(random, m);
}

void TfrmSaverDeck::WMSetupAccomp() {
  if (frmSetupSaverDeck) frmSetupSaverDeck->PageControl1->SetActivePageIndex(kPageAccompaniment);
  NSetupClick(nullptr);
}

void TfrmSaverDeck::WMShowPlay() {
  if (MediaPlayer().PlayState() == kPlayStatePlaying) {
    NShowOrHideClick(nullptr);
  } else {
    ShowPlayer();
    bbtPlayClick(nullptr);
  }
}

void TfrmSaverDeck::WMSaverDeckTray(TMessage& m) {
  DefaultHandler(m);
  switch (m.LParam) {
    case WM_RBUTTONUP: {
      POINT pt{};
      GetCursorPos(&pt);
      SetForegroundWindow(Application->Handle());
      Application->ProcessMessages();
      PopupMenu1->Popup(pt.x, pt.y);
      break;
    }
    case WM_LBUTTONUP:
      NShowOrHideClick(nullptr);
      break;
  }
  m.Result = 0;
}

// ---- filled in by the playback, run, accompaniment, volume and arrangement modules ---------

void TfrmSaverDeck::bbtPlayClick(TObject*) { Observe(L"bbtPlayClick"); }
void TfrmSaverDeck::bbtStopClick(TObject*) { Observe(L"bbtStopClick"); }
void TfrmSaverDeck::bbtPauseClick(TObject*) { Observe(L"bbtPauseClick"); }
void TfrmSaverDeck::bbtOpenClick(TObject* Sender) {
  Observe(Sender ? L"bbtOpenClick " + static_cast<TComponent*>(Sender)->Name() : L"bbtOpenClick");
}
void TfrmSaverDeck::PlayFile(const std::wstring& path) { Observe(L"PlayFile " + path); }
void TfrmSaverDeck::NModeSingleClick(TObject* Sender) {
  Observe(L"NModeSingleClick " + (Sender ? static_cast<TComponent*>(Sender)->Name() : std::wstring()));
}
void TfrmSaverDeck::bbtNextClick(TObject*) { Observe(L"bbtNextClick"); }
void TfrmSaverDeck::StartScrRun(uint8_t random, uint8_t music) {
  Observe(L"StartScrRun " + std::to_wstring(random) + L" " + std::to_wstring(music));
}
void TfrmSaverDeck::ToggleAccompaniment(bool force) { Observe(force ? L"ToggleAccompaniment force" : L"ToggleAccompaniment"); }
void TfrmSaverDeck::LoadScrList() { Observe(L"LoadScrList"); }
