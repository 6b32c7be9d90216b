#include "uniSaverDeck.h"

#include <random>

#include "ComCtrls.h"
#include "PlaylistHandOver.h"
#include "SaverDeckCommands.h"
#include "SaverDeckSeams.h"
#include "Seams.h"
#include "Text.h"
#include "TextFile.h"
#include "uniMusicList.h"
#include "uniQVShare.h"
#include "uniSetupSaverDeck.h"

TfrmSaverDeck* frmSaverDeck = nullptr;
uint8_t ArrangeIndex = 0;
std::wstring LastErrorText;
std::wstring BuiltInAccompaniment;

namespace {
const wchar_t kTrayTip[] = L"Sonavista";
// Pages of the settings dialog.
const int kPageAccompaniment = 2, kPageAbout = 3;
}  // namespace

UINT SaverDeckTaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

TfrmSaverDeck::TfrmSaverDeck(TComponent* AOwner) : TForm(AOwner) {
  SetWindowClassName(kClassSaverDeck);
  InitForm(L"TfrmSaverDeck", Binder<TfrmSaverDeck>(this)
                                 .Bind(QV_MEMBER(Image1))
                                 .Bind(QV_MEMBER(MainMenu1))
                                 .Bind(QV_MEMBER(PopupMenu1))
                                 .Bind(QV_MEMBER(NExit))
                                 .Bind(QV_MEMBER(NSetup))
                                 .Bind(QV_MEMBER(NListMusic))
                                 .Bind(QV_MEMBER(NListScr))
                                 .Bind(QV_MEMBER(NShowLastErr))
                                 .Bind(QV_MEMBER(NAbout))
                                 .Bind(QV_MEMBER(NMore))
                                 .Bind(QV_MEMBER(NMute))
                                 .Bind(QV_MEMBER(NExitR))
                                 .Bind(QV_MEMBER(NAbout_R))
                                 .Bind(QV_MEMBER(NShowOrHide))
                                 .Bind(QV_MEMBER(NMute_R))
                                 .Bind(QV_MEMBER(bbtPlay))
                                 .Bind(QV_MEMBER(bbtPause))
                                 .Bind(QV_MEMBER(bbtStop))
                                 .Bind(QV_MEMBER(bbtNext))
                                 .Bind(QV_MEMBER(bbtPrev))
                                 .Bind(QV_MEMBER(bbtOpen))
                                 .Bind(QV_MEMBER(bbtVol))
                                 .Bind(QV_MEMBER(bbtFormsPosChange))
                                 .Bind(QV_MEMBER(btnSCRSetup))
                                 .Bind(QV_MEMBER(btnScrPreview))
                                 .Bind(QV_MEMBER(btnSetupDuLiBanYing))
                                 .Bind(QV_MEMBER(btnPlayScr))
                                 .Bind(QV_MEMBER(btnPlayScrWithMus))
                                 .Bind(QV_MEMBER(bvlScrSetup))
                                 .Bind(QV_MEMBER(bvlScrPreview))
                                 .Bind(QV_MEMBER(bvlSelectDuLiBanYing))
                                 .Bind(QV_MEMBER(bvlPlayScr))
                                 .Bind(QV_MEMBER(bvlPlayScrWithMus))
                                 .Bind(QV_MEMBER(cbbSCRSavers))
                                 .Bind(QV_MEMBER(cbbSCRSaversName))
                                 .Bind(QV_MEMBER(cbbBanYing))
                                 .Bind(QV_MEMBER(lblSCR_total))
                                 .Bind(QV_MEMBER(NPlayMusic))
                                 .Bind(QV_MEMBER(NAddMusic))
                                 .Bind(QV_MEMBER(NPlayScrWithMusic))
                                 .Bind(QV_MEMBER(Music1to2Timer))
                                 .Bind(QV_MEMBER(dlgOpenMusic))
                                 .Bind(QV_MEMBER(ppmArrayForms))
                                 .Bind(QV_MEMBER(ppmVol))
                                 .Bind(QV_MEMBER(NVolAdjust))
                                 .Bind(QV_MEMBER(NVolAdjust_R))
                                 .Bind(QV_MEMBER(NArray_MusMode))
                                 .Bind(QV_MEMBER(NFormsPosChange))
                                 .Bind(QV_MEMBER(NFormsPos_MusMode))
                                 .Bind(QV_MEMBER(NDemoFormsPosChange))
                                 .Bind(QV_MEMBER(NSaveMusList))
                                 .Bind(QV_MEMBER(NLoadMusList))
                                 .Bind(QV_MEMBER(NLoadAndAddList))
                                 .BindNumbered(QV_MEMBER(NArray), 1)
                                 .Bind(QV_MEMBER(NPlayScr))
                                 .Bind(QV_MEMBER(tmrPlayEachScr))
                                 .Bind(QV_MEMBER(tmrTransit))
                                 .Bind(QV_MEMBER(tmrDetectScrIfEnd))
                                 .On(QV_HANDLER(FormCreate))
                                 .On(QV_HANDLER(FormClose))
                                 .On(QV_HANDLER(FormDestroy))
                                 .On(QV_HANDLER(FormMouseDown))
                                 .On(QV_HANDLER(NShowOrHideClick))
                                 .On(QV_HANDLER(NSetupClick))
                                 .On(QV_HANDLER(NAboutClick))
                                 .On(QV_HANDLER(NListMusicClick))
                                 .On(QV_HANDLER(NShowLastErrClick))
                                 .On(QV_HANDLER(NExitClick))
                                 .On(QV_HANDLER(bbtPlayClick))
                                 .On(QV_HANDLER(bbtPauseClick))
                                 .On(QV_HANDLER(bbtStopClick))
                                 .On(QV_HANDLER(bbtNextClick))
                                 .On(QV_HANDLER(bbtPrevClick))
                                 .On(QV_HANDLER(bbtOpenClick))
                                 .On(QV_HANDLER(NPlayMusicClick))
                                 .On(QV_HANDLER(NAddMusicClick))
                                 .On(QV_HANDLER(NModeSingleClick))
                                 .On(QV_HANDLER(Music1to2TimerTimer))
                                 .On(QV_HANDLER(NResetFormPositionClick))
                                 .On(QV_HANDLER(NArray0Click))
                                 .On(QV_HANDLER(NFormsPosChangeClick))
                                 .On(QV_HANDLER(NDemoFormsPosChangeClick))
                                 .On(QV_HANDLER(bbtFormsPosChangeClick))
                                 .On(QV_HANDLER(NSaveMusListClick))
                                 .On(QV_HANDLER(NLoadMusListClick))
                                 .On(QV_HANDLER(NLoadAndAddListClick))
                                 .On(QV_HANDLER(NMuteClick))
                                 .On(QV_HANDLER(NVolAdjustClick))
                                 .On(QV_HANDLER(bbtVolClick))
                                 .On(QV_HANDLER(NSkin00Click))
                                 .On(QV_HANDLER(btnScrPreviewMouseMove))

                                 .On(QV_HANDLER(cbbBanYingChange))
                                 .On(QV_HANDLER(btnSetupDuLiBanYingClick))

                                 .On(QV_HANDLER(cbbSCRSaversNameChange))
                                 .On(QV_HANDLER(cbbSCRSaversChange))
                                 .On(QV_HANDLER(btnSCRSetupClick))
                                 .On(QV_HANDLER(btnScrPreviewClick))
                                 .On(QV_HANDLER(btnPlayScrClick))
                                 .On(QV_HANDLER(btnPlayScrWithMusClick))
                                 .On(QV_HANDLER(NPlayScrClick))
                                 .On(QV_HANDLER(NPlayScrWithMusicClick))
                                 .On(QV_HANDLER(tmrPlayEachScrTimer))
                                 .On(QV_HANDLER(tmrTransitTimer))
                                 .On(QV_HANDLER(tmrDetectScrIfEndTimer)));
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
  SetPlayStateListener([this](int state) { wmplayerPlayStateChange(state); });

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
  SetPlayStateListener(nullptr);
  MediaPlayer().Close();
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
  m.Result = 0;
  if (action.op == TPlayerOp::Tray) {
    WMSaverDeckTray(m);
    return;
  }
  // A sibling's repeat while the command still runs starts nothing more: it would open its box,
  // dialog or run again inside the first one's. A second start's hand-over carries a playlist on
  // the clipboard, so it waits and follows.
  bool& running = commandRunning_[size_t(action.op)];
  if (running) {
    if (action.op == TPlayerOp::ShowAndLoadList) handOverPending_ = true;
    return;
  }
  {
    FlagScope scope(running);
    DispatchCommand(action, m);
  }
  if (action.op == TPlayerOp::ShowAndLoadList && handOverPending_) {
    handOverPending_ = false;
    PostMessageW(Handle(), WM_SAVERDECK_SHOW, 0, 0);
  }
}

void TfrmSaverDeck::DispatchCommand(const TCommandAction& action, TMessage& m) {
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

// ---- playback ------------------------------------------------------------------------------------

namespace {
TCheckListBox* Playlist() { return frmMusicList ? frmMusicList->CheckListBox1 : nullptr; }

std::wstring OwnAccompaniment() {
  return frmSetupSaverDeck ? frmSetupSaverDeck->edtSelfSelectBanYing->Text() : std::wstring();
}

// The selected entry of the settings' music folders; empty when none is selected.
std::wstring MusicFolder() {
  if (!frmSetupSaverDeck) return L"";
  TComboBox* dirs = frmSetupSaverDeck->cbbMusDir;
  int i = dirs->ItemIndex();
  return i >= 0 && i < dirs->Items.Count() ? dirs->Items[i] : std::wstring();
}

const wchar_t kHintCaption[] = L"Quovel提示：";
}  // namespace

void TfrmSaverDeck::PlayFile(const std::wstring& path) {
  // A device or a pipe is no music file: the control would wait on it for good.
  if (!RegularFileExists(path)) {
    LastErrorText = L"你要播放的音乐文件\"" + ReadablePath(path) + L"\"不存在！请检查文件是否被更名、删除或移走？";
    Application->MessageBox(LastErrorText, kHintCaption, MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OK);
    return;
  }
  // The file chosen now wins over an advance still waiting for its second.
  Music1to2Timer->SetEnabled(false);
  changingURL_ = true;
  MediaPlayer().SetURL(path);
  changingURL_ = false;
  MediaPlayer().Play();
}

void TfrmSaverDeck::bbtPlayClick(TObject* Sender) {
  MediaPlayerSeam& player = MediaPlayer();
  if (player.PlayState() == kPlayStatePlaying) return;
  const bool accompaniment = Sender && Sender == NPlayScrWithMusic;
  if (accompaniment && FExternalCall && frmSetupSaverDeck)
    cbbBanYing->SetItemIndex(frmSetupSaverDeck->cbbBanYingForAutoScr->ItemIndex());
  TCheckListBox* list = Playlist();
  if (!list) return;
  TPlayChoice c = ChoosePlay(player.PlayState(), accompaniment, cbbBanYing->ItemIndex(), list->Items.Count(),
                             list->ItemIndex(), OwnAccompaniment(), BuiltInAccompaniment);
  switch (c.kind) {
    case TPlayChoice::Nothing:
      return;
    case TPlayChoice::ListLine:
      list->SetItemIndex(c.line);
      PlayFile(list->Items[c.line]);
      return;
    case TPlayChoice::File:
      PlayFile(c.file);
      return;
    case TPlayChoice::AddThenAsk: {
      bbtOpenClick(Sender);
      if (list->Items.Count() > 0) return;  // the open step plays by itself when so set
      int answer = Application->MessageBox(L"你还没有添加音乐文件，是否要播放预设或内置的音乐？", kHintCaption,
                                           MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO);
      if (answer != IDYES) return;
      std::wstring file = FallbackMusic(OwnAccompaniment(), BuiltInAccompaniment);
      if (!file.empty()) PlayFile(file);
      return;
    }
  }
}

void TfrmSaverDeck::bbtPauseClick(TObject*) {
  if (MediaPlayer().PlayState() == kPlayStatePaused) MediaPlayer().Play();
  else MediaPlayer().Pause();
}

void TfrmSaverDeck::bbtStopClick(TObject*) {
  // Only a stop of playing or paused music brings a report of state 1; a mark set for any other
  // stop would swallow the next real end of a file.
  int state = MediaPlayer().PlayState();
  if (state == kPlayStatePlaying || state == kPlayStatePaused) FUserStopped = 1;
  // A stop also calls off an advance waiting for its second.
  Music1to2Timer->SetEnabled(false);
  // A stop the control refused brings no report to take the mark.
  if (!MediaPlayer().Stop()) FUserStopped = 0;
}

void TfrmSaverDeck::bbtNextClick(TObject*) {
  TCheckListBox* list = Playlist();
  if (!list) return;
  int next = NextLine(list->Items.Count(), list->ItemIndex());
  if (next == kNoItem) return;
  list->SetItemIndex(next);
  bbtStopClick(nullptr);
  bbtPlayClick(nullptr);
}

void TfrmSaverDeck::bbtPrevClick(TObject*) {
  TCheckListBox* list = Playlist();
  if (!list || list->Items.Count() < 2) return;
  list->SetItemIndex(PreviousLine(list->Items.Count(), list->ItemIndex()));
  bbtStopClick(nullptr);
  bbtPlayClick(nullptr);
}

void TfrmSaverDeck::bbtOpenClick(TObject* Sender) {
  NResetFormPositionClick(nullptr);
  TCheckListBox* list = Playlist();
  if (!list) return;
  bool playAfterAdding = list->Items.Count() == 0;
  dlgOpenMusic->Options |= ofAllowMultiSelect;
  dlgOpenMusic->Title = L"打开音乐";
  dlgOpenMusic->InitialDir = MusicFolder();
  dlgOpenMusic->FileName.clear();
  if (!dlgOpenMusic->Execute()) return;
  if (frmMusicList && Sender && Sender == frmMusicList->NNewMusicList) {
    list->Items.Clear();
    playAfterAdding = true;
  }
  list->Items.AddStrings(dlgOpenMusic->Files);
  if (playAfterAdding && frmSetupSaverDeck && frmSetupSaverDeck->cbxPlayImediately->Checked() &&
      list->Items.Count() > 0) {
    list->SetItemIndex(0);
    PlayFile(list->Items[0]);
  }
}

void TfrmSaverDeck::NPlayMusicClick(TObject*) { bbtPlayClick(nullptr); }
void TfrmSaverDeck::NAddMusicClick(TObject*) { bbtOpenClick(nullptr); }

void TfrmSaverDeck::NModeSingleClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  TPlayMode mode;
  if (!item || !PlayModeOfItemName(item->Name(), mode)) return;
  if (item->Owner() != this && (!frmMusicList || item->Owner() != frmMusicList)) return;
  SetPlayModeChecks(mode);
}

void TfrmSaverDeck::SetPlayModeChecks(TPlayMode mode) {
  for (TComponent* form : {static_cast<TComponent*>(this), static_cast<TComponent*>(frmMusicList)}) {
    if (!form) continue;
    for (int i = 0; i < kPlayModeCount; ++i)
      if (auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(kPlayModeItemNames[i])))
        item->Checked = i == int(mode);
  }
}

TPlayMode TfrmSaverDeck::PlayMode() const {
  for (int i = 0; i < kPlayModeCount; ++i)
    if (auto* item = dynamic_cast<TMenuItem*>(FindComponent(kPlayModeItemNames[i])); item && item->Checked)
      return TPlayMode(i);
  return TPlayMode::ShunXu;
}

void TfrmSaverDeck::wmplayerPlayStateChange(int NewState) {
  if (NewState != kPlayStateStopped) return;
  // The old file stopped because the program put a new one in: no end of a file.
  if (changingURL_) return;
  if (FUserStopped) {
    FUserStopped = 0;
    return;
  }
  // A second report before the timer fires must not push the advance back.
  if (!Music1to2Timer->Enabled()) Music1to2Timer->SetEnabled(true);
}

void TfrmSaverDeck::Music1to2TimerTimer(TObject*) {
  Music1to2Timer->SetEnabled(false);
  TCheckListBox* list = Playlist();
  if (!list || list->Items.Count() == 0) return;
  std::mt19937 gen(Clock().TickCount());  // reseeded from the clock at each advance
  int next = AdvanceByMode(PlayMode(), list->Items.Count(), list->ItemIndex(),
                           [&gen](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); });
  if (next == kNoItem) return;
  list->SetItemIndex(next);
  PlayFile(list->Items[next]);
}

