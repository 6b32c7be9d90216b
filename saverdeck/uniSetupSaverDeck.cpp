#include "uniSetupSaverDeck.h"

#include "FileTypeRegistration.h"
#include "QVSeams.h"
#include "Seams.h"
#include "TextFile.h"
#include "uniAccompaniment.h"
#include "uniMusicList.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"

TfrmSetupSaverDeck* frmSetupSaverDeck = nullptr;

namespace {

constexpr int kPageAbout = 3;
constexpr int kBackgroundColour = 0, kBackgroundPicture = 2;
constexpr int kArrangePlaylist = 4;
constexpr int kMaxMusicFolders = kMusicFolderSlots;
constexpr const wchar_t* kProductLinkName = L"Sonavista";
constexpr const wchar_t* kProductLinkDescription = L"Sonaplay";
// The maker's pages of the link menu, as the console's same menu opens them.
constexpr const wchar_t* kBlogRecommendations = L"http://www.quovel.com/article/useful-software.html";
constexpr const wchar_t* kBlogPcKnowledge = L"http://www.quovel.com/article/pc-knowledge.html";

std::wstring& ConfigFolderOverride() {
  static std::wstring folder;
  return folder;
}

}  // namespace

void SetPlayerConfigFolder(const std::wstring& folder) { ConfigFolderOverride() = folder; }

std::wstring PlayerFolder() {
  std::wstring folder = ConfigFolderOverride().empty() ? OwnExeFolder() : ConfigFolderOverride();
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

std::wstring PlayerConfigPath() { return PlayerFolder() + kPlayerConfigFileName; }

TfrmSetupSaverDeck::TfrmSetupSaverDeck(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmSetupSaverDeck",
           Binder<TfrmSetupSaverDeck>(this)
               .Bind(QV_MEMBER(PageControl1))
               .Bind(QV_MEMBER(cbxEnableStartUpWithSys))
               .Bind(QV_MEMBER(cbxMinimizeOnStart))
               .Bind(QV_MEMBER(cbxPlayMusListAtStart))
               .Bind(QV_MEMBER(cbxPlayImediately))
               .Bind(QV_MEMBER(edtPlayMusListAtStart))
               .Bind(QV_MEMBER(btnAddQVML))
               .Bind(QV_MEMBER(btnClearQVML))
               .Bind(QV_MEMBER(btnFixQVML))
               .Bind(QV_MEMBER(cbbSkins))
               .Bind(QV_MEMBER(cbxUseFlatButton))
               .Bind(QV_MEMBER(cbbMusDir))
               .Bind(QV_MEMBER(btnAddMusDir))
               .Bind(QV_MEMBER(btnDeleteMusDir))
               .Bind(QV_MEMBER(edtQVMLdir))
               .Bind(QV_MEMBER(btnAddQVMLdir))
               .Bind(QV_MEMBER(btnClearQVMLdir))
               .Bind(QV_MEMBER(ComboBox2))
               .Bind(QV_MEMBER(bbtClose))
               .Bind(QV_MEMBER(updTimePlayEachScr))
               .Bind(QV_MEMBER(edtTimePlayEachScr))
               .Bind(QV_MEMBER(updTransitTime))
               .Bind(QV_MEMBER(edtTransitTime))
               .Bind(QV_MEMBER(cbbTextSpeed))
               .Bind(QV_MEMBER(rdgTransitFormBackgroundUse))
               .Bind(QV_MEMBER(lblTransitFormColor))
               .Bind(QV_MEMBER(imgTransitBackground))
               .Bind(QV_MEMBER(btnImg1))
               .Bind(QV_MEMBER(btnImg2))
               .Bind(QV_MEMBER(Image1))
               .Bind(QV_MEMBER(Image2))
               .Bind(QV_MEMBER(cbbTransitFormStyle))
               .Bind(QV_MEMBER(edtPicDir))
               .Bind(QV_MEMBER(btnAddPicDir))
               .Bind(QV_MEMBER(btnClearPicDir))
               .Bind(QV_MEMBER(OpenPictureDialog1))
               .Bind(QV_MEMBER(ColorDialog1))
               .Bind(QV_MEMBER(tshSetupAutoScr))
               .Bind(QV_MEMBER(cbbBanYingForAutoScr))
               .Bind(QV_MEMBER(btnHelp_AboutBanYing))
               .Bind(QV_MEMBER(btnHelp_AboutBanYing2))
               .Bind(QV_MEMBER(btnSetBanYingPlayList))
               .Bind(QV_MEMBER(btnSetPlayControl))
               .Bind(QV_MEMBER(cbxSlientStartupOnMsg))
               .Bind(QV_MEMBER(edtSelfSelectBanYing))
               .Bind(QV_MEMBER(btnSelectSelfDuLiBanYing))
               .Bind(QV_MEMBER(btnDeleteSelfDuLiBanYing))
               .Bind(QV_MEMBER(cbbBanYingMusic))
               .Bind(QV_MEMBER(cbbUseBanYingOrNot))
               .Bind(QV_MEMBER(Panel1))
               .Bind(QV_MEMBER(Panel2))
               .Bind(QV_MEMBER(Panel3))
               .Bind(QV_MEMBER(btnProductICON1))
               .Bind(QV_MEMBER(btnProductICON2))
               .Bind(QV_MEMBER(btnProductICON3))
               .Bind(QV_MEMBER(btnProductICON4))
               .Bind(QV_MEMBER(lblMoreExternalClients))
               .Bind(QV_MEMBER(btnBKWDAutoScrSetup))
               .Bind(QV_MEMBER(btnZEPT))
               .Bind(QV_MEMBER(btnMINV))
               .Bind(QV_MEMBER(btnDeskpanel))
               .Bind(QV_MEMBER(btnAddtoStartMenu))
               .Bind(QV_MEMBER(btnCreateDeskIcon))
               .Bind(QV_MEMBER(lblWebSite))
               .Bind(QV_MEMBER(lblEmail))
               .Bind(QV_MEMBER(btnQQ))
               .Bind(QV_MEMBER(btnWangWang))
               .Bind(QV_MEMBER(btnSuggest))
               .Bind(QV_MEMBER(btnVote))
               .Bind(QV_MEMBER(btnHelp))
               .Bind(QV_MEMBER(btnMore_Links))
               .Bind(QV_MEMBER(ppmMore))
               .Bind(QV_MEMBER(NShares))
               .Bind(QV_MEMBER(NWeb_MyVendora))
               .Bind(QV_MEMBER(NMore_PCKnowledge))
               .Bind(QV_MEMBER(NMore_Weather))
               .Bind(QV_MEMBER(NMore_Clock))
               .Bind(QV_MEMBER(NMore_RiLi))
               .Bind(QV_MEMBER(NFm))
               .Bind(QV_MEMBER(NMore_Map))
               .Bind(QV_MEMBER(NMore_CiDian))
               .On(QV_HANDLER(FormCreate))
               .On(QV_HANDLER(FormClose))
               .On(QV_HANDLER(bbtCloseClick))
               .On(QV_HANDLER(btnAddQVMLClick))
               .On(QV_HANDLER(btnClearQVMLClick))
               .On(QV_HANDLER(btnFixQVMLClick))
               .On(QV_HANDLER(btnAddMusDirClick))
               .On(QV_HANDLER(btnDeleteMusDirClick))
               .On(QV_HANDLER(btnAddQVMLdirClick))
               .On(QV_HANDLER(btnClearQVMLdirClick))
               .On(QV_HANDLER(cbxEnableStartUpWithSysClickClick))
               .On(QV_HANDLER(cbxMinimizeOnStartClick))
               .On(QV_HANDLER(cbbSkinsChange))
               .On(QV_HANDLER(cbxUseFlatButtonClick))
               .On(QV_HANDLER(lblTransitFormColorClick))
               .On(QV_HANDLER(imgTransitBackgroundClick))
               .On(QV_HANDLER(btnImg1Click))
               .On(QV_HANDLER(btnImg2Click))
               .On(QV_HANDLER(btnAddPicDirClick))
               .On(QV_HANDLER(btnClearPicDirClick))
               .On(QV_HANDLER(cbbBanYingForAutoScrChange))
               .On(QV_HANDLER(btnHelp_AboutBanYingClick))
               .On(QV_HANDLER(btnSetBanYingPlayListClick))
               .On(QV_HANDLER(btnSetPlayControlClick))
               .On(QV_HANDLER(btnSelectSelfDuLiBanYingClick))
               .On(QV_HANDLER(btnDeleteSelfDuLiBanYingClick))
               .On(QV_HANDLER(lblMoreExternalClientsClick))
               .On(QV_HANDLER(btnProductICON1Click))
               .On(QV_HANDLER(btnBKWDAutoScrSetupClick))
               .On(QV_HANDLER(btnZEPTClick))
               .On(QV_HANDLER(btnMINVClick))
               .On(QV_HANDLER(btnDeskpanelClick))
               .On(QV_HANDLER(btnAddtoStartMenuClick))
               .On(QV_HANDLER(btnCreateDeskIconClick))
               .On(QV_HANDLER(lblWebSiteClick))
               .On(QV_HANDLER(lblEmailClick))
               .On(QV_HANDLER(btnQQClick))
               .On(QV_HANDLER(btnWangWangClick))
               .On(QV_HANDLER(btnSuggestClick))
               .On(QV_HANDLER(btnVoteClick))
               .On(QV_HANDLER(btnHelpClick))
               .On(QV_HANDLER(btnMore_LinksClick))
               .On(QV_HANDLER(NUsefulLinksClick)));
}
QV_REGISTER_FORM(TfrmSetupSaverDeck);

// ---- creation --------------------------------------------------------------------------------

void TfrmSetupSaverDeck::FormCreate(TObject*) {
  lblWebSite->SetCaption(HomePageAddress());
  lblEmail->SetCaption(ContactEmailAddress());

  // Every step runs whatever an earlier one met: a failed first-run write or a damaged file must
  // not leave the skin, the auto-start box or the settings unread.
  StartUpStep([&] { FirstRun(); });

  StartUpStep([&] {
    const std::wstring folder = PlayerFolder();
    BuiltInAccompaniment = PrepareBuiltInMidi(folder) ? BuiltInMidiFile(folder) : std::wstring();
  });

  StartUpStep([&] { LoadConfig(); });

  StartUpStep([&] { cbbSkinsChange(nullptr); });
  StartUpStep([&] { cbxUseFlatButtonClick(nullptr); });

  StartUpStep([&] { ShowAutoRunReadBack(); });
}

void TfrmSetupSaverDeck::FirstRun() {
  const std::wstring exe = OwnExePath();
  std::wstring kept;
  try {
    kept = ReadPathFile(kSaverDeckPathFile);
  } catch (const std::exception&) {
    // A path file that cannot be read counts as missing: the first run writes it anew.
  }
  // Another spelling of the same path (letter case, a short name) is no new place.
  if (PathFileNamesExe(kept, exe)) return;
  Application->MessageBox(L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...",
                          L"欢迎使用Sonavista！", MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OK);
  if (Application->Terminated) return;
  // Each step on its own: a registry that refuses the file type still gets the path file written.
  StartUpStep([&] { WritePathFile(kSaverDeckPathFile, exe, kSaverDeckPathFileVersion); });
  StartUpStep([&] { SetAutoRun(kAutoRunSaverDeck, exe); });
  StartUpStep([&] { RegisterPlayListFileType(L"qvml", exe); });
  StartUpStep([&] { btnDeskpanelClick(btnDeskpanel); });
}

void TfrmSetupSaverDeck::ShowAutoRunReadBack() {
  // The box shows what the registry holds; setting it must not write the registry again.
  const bool set = IsAutoRunSet(kAutoRunSaverDeck, OwnExePath());
  AutoRunClickGuard = true;
  cbxEnableStartUpWithSys->SetChecked(set);
  AutoRunClickGuard = false;
}

// ---- svd25cfg ----------------------------------------------------------------------------------

TPlayerConfig TfrmSetupSaverDeck::CollectConfig() {
  TPlayerConfig c;
  c.MinimizeOnStart = cbxMinimizeOnStart->Checked();
  c.PlayMusListAtStart = cbxPlayMusListAtStart->Checked();
  c.PlayImediately = cbxPlayImediately->Checked();
  c.Skin = cbbSkins->ItemIndex();
  c.TimePlayEachScr = updTimePlayEachScr->Position();
  c.TransitTime = updTransitTime->Position();
  c.TextSpeed = cbbTextSpeed->ItemIndex();
  c.BackgroundUse = rdgTransitFormBackgroundUse->ItemIndex();
  c.TransitColor = lblTransitFormColor->Color();
  c.ImageChoice = btnImg1->Down() ? kImageBuiltIn : kImageFile;
  c.BanYingForAutoScr = cbbBanYingForAutoScr->ItemIndex();
  c.SlientStartupOnMsg = cbxSlientStartupOnMsg->Checked();
  c.PlayMusListFile = edtPlayMusListAtStart->Text();
  c.SelfSelectBanYing = edtSelfSelectBanYing->Text();
  c.TransitPicture = OpenPictureDialog1->FileName;
  c.QVMLdir = edtQVMLdir->Text();
  c.PicDir = edtPicDir->Text();
  c.MusDirs = cbbMusDir->Items.List();
  if (c.MusDirs.size() > size_t(kMusicFolderSlots)) c.MusDirs.resize(kMusicFolderSlots);
  c.MusDirIndex = cbbMusDir->ItemIndex() < int(c.MusDirs.size()) ? cbbMusDir->ItemIndex() : -1;
  return c;
}

void TfrmSetupSaverDeck::ApplyConfig(const TPlayerConfig& c) {
  {
    // Boxes set from the file ask nothing.
    FlagScope loading(loadingConfig_);
    cbxMinimizeOnStart->SetChecked(c.MinimizeOnStart);
    cbxPlayMusListAtStart->SetChecked(c.PlayMusListAtStart);
    cbxPlayImediately->SetChecked(c.PlayImediately);
    // The skin itself is applied after the load.
    cbbSkins->SetItemIndex(c.Skin);
    updTimePlayEachScr->SetPosition(c.TimePlayEachScr);
    updTransitTime->SetPosition(c.TransitTime);
    cbbTextSpeed->SetItemIndex(c.TextSpeed);
    rdgTransitFormBackgroundUse->SetItemIndex(c.BackgroundUse);
    lblTransitFormColor->SetColor(c.TransitColor);
    cbbBanYingForAutoScr->SetItemIndex(c.BanYingForAutoScr);
    cbxSlientStartupOnMsg->SetChecked(c.SlientStartupOnMsg);
    edtPlayMusListAtStart->SetText(c.PlayMusListFile);
    edtSelfSelectBanYing->SetText(c.SelfSelectBanYing);
    // The source as if chosen: panels and the main window's source follow.
    cbbBanYingForAutoScrChange(cbbBanYingForAutoScr);
  }
  OpenPictureDialog1->FileName = c.TransitPicture;
  edtQVMLdir->SetText(c.QVMLdir);
  edtPicDir->SetText(c.PicDir);
  cbbMusDir->Items.Assign(c.MusDirs);
  cbbMusDir->SetItemIndex(c.MusDirIndex);
  RestoreTransitImage(c.ImageChoice);
}

void TfrmSetupSaverDeck::LoadConfig() {
  const std::wstring path = PlayerConfigPath();
  if (!FileExists(path)) return;
  // A file that cannot be read leaves every design value; the error box says why.
  const PlayerConfigRead read = ReadPlayerConfigLines(ReadTextLines(path));
  ApplyConfig(read.values);
  // Each value that did not convert kept its design value; one box names them all.
  if (!read.skipped.empty()) Application->HandleException(EConvertError(PlayerConfigErrorText(read.skipped)));
}

void TfrmSetupSaverDeck::SaveConfig() {
  const std::wstring path = PlayerConfigPath();
  TPlayerConfig c = CollectConfig();
  // A name the file cannot keep keeps the value the file holds now.
  TPlayerConfig saved = DefaultPlayerConfig();
  if (FileExists(path)) {
    try {
      saved = ReadPlayerConfigLines(ReadTextLines(path)).values;
    } catch (const std::exception&) {
      // Unreadable: the design values stand in.
    }
  }
  const std::vector<std::wstring> lost = KeepStorableNames(c, saved);
  WriteTextLines(path, WritePlayerConfigLines(c));
  if (!lost.empty())
    Dialogs().MessageBox(Handle(), LostNamesText(kLostSettingNames, lost), L"存盘提示:", MB_OK | MB_ICONWARNING);
}

void TfrmSetupSaverDeck::bbtCloseClick(TObject*) { Close(); }

void TfrmSetupSaverDeck::FormClose(TObject*, TCloseAction& Action) {
  // The values in the controls stay in force whatever the answer; No only skips the file.
  int answer = Dialogs().MessageBox(Handle(), L"是否保存设置？未更改或想放弃更改请点否。", L"存盘提示:", MB_YESNOCANCEL);
  if (answer == IDCANCEL) {
    Action = caNone;
    return;
  }
  if (answer == IDYES) {
    try {
      SaveConfig();
    } catch (const std::exception& e) {
      // Not saved: the dialog stays open, so the settings can be saved again.
      Application->HandleException(e);
      Action = caNone;
      return;
    }
  }
  Action = caHide;
}

// ---- page 0 ----------------------------------------------------------------------------------

void TfrmSetupSaverDeck::btnAddQVMLClick(TObject*) {
  if (!frmMusicList) return;
  TSaveDialog* d = frmMusicList->dlgSaveMusList;
  d->Title = L"选择Quovel音乐播放列表：";
  d->InitialDir = edtQVMLdir->Text();
  if (d->Execute()) edtPlayMusListAtStart->SetText(d->FileName);
}

void TfrmSetupSaverDeck::btnClearQVMLClick(TObject*) { edtPlayMusListAtStart->SetText(L""); }

void TfrmSetupSaverDeck::RegisterPlayListFileType(const std::wstring& extension, const std::wstring& exePath) {
  RegisterPlayListType(extension, exePath);
}

void TfrmSetupSaverDeck::btnFixQVMLClick(TObject*) {
  // A registry error leaves through the standard error box, and no "done" is said.
  RegisterPlayListFileType(L"qvml", OwnExePath());
  Application->MessageBox(L"修复已完成！", L"Quovel提示", MB_SYSTEMMODAL | MB_ICONINFORMATION);
}

void TfrmSetupSaverDeck::btnAddMusDirClick(TObject*) {
  if (cbbMusDir->Items.Count() >= kMaxMusicFolders) {
    Application->MessageBox(L"你预设的常用音乐文件夹总数已达5个，不能再添加。", L"Quovel提示",
                            MB_SYSTEMMODAL | MB_ICONINFORMATION);
    return;
  }
  std::wstring folder;
  if (SelectDirectory(L"添加您常用的音乐文件夹供方便调用，总数不超过5个。", folder, Handle()))
    cbbMusDir->Items.Add(folder);
  cbbMusDir->SetItemIndex(cbbMusDir->Items.Count() - 1);
}

void TfrmSetupSaverDeck::btnDeleteMusDirClick(TObject*) {
  const int i = cbbMusDir->ItemIndex();
  if (i >= 0 && i < cbbMusDir->Items.Count()) cbbMusDir->Items.Delete(i);
  cbbMusDir->SetItemIndex(cbbMusDir->Items.Count() - 1);
}

void TfrmSetupSaverDeck::btnAddQVMLdirClick(TObject*) {
  std::wstring folder;
  if (SelectDirectory(L"请选择您专门用于存放播放列表的文件夹（默认位置）。", folder, Handle()))
    edtQVMLdir->SetText(folder);
}

void TfrmSetupSaverDeck::btnClearQVMLdirClick(TObject*) { edtQVMLdir->SetText(L""); }

void TfrmSetupSaverDeck::cbxEnableStartUpWithSysClickClick(TObject*) {
  if (AutoRunClickGuard) {
    AutoRunClickGuard = false;
    return;
  }
  if (cbxEnableStartUpWithSys->Checked()) {
    try {
      SetAutoRun(kAutoRunSaverDeck, OwnExePath());
    } catch (const std::exception& e) {
      Application->HandleException(e);
    }
  } else {
    if (Application->MessageBox(L"你真要取消开机自动运行吗？", L"Confirm", MB_ICONQUESTION | MB_YESNO) != IDYES) {
      AutoRunClickGuard = true;
      cbxEnableStartUpWithSys->SetChecked(true);
      AutoRunClickGuard = false;
      return;
    }
    RemoveAutoRun(kAutoRunSaverDeck);
  }
  // A Run key that cannot be opened is passed over without a word: the box shows what holds.
  ShowAutoRunReadBack();
}

void TfrmSetupSaverDeck::cbxMinimizeOnStartClick(TObject*) {
  if (loadingConfig_ || !cbxMinimizeOnStart->Checked()) return;
  if (Application->MessageBox(L"下次启动时它将不显示主画面，而是先缩小到屏幕右下角图标，确定选择吗？", L"确认：",
                              MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDYES)
    cbxMinimizeOnStart->SetChecked(false);
}

// ---- page 1 ----------------------------------------------------------------------------------

void TfrmSetupSaverDeck::lblTransitFormColorClick(TObject*) {
  ColorDialog1->Color = lblTransitFormColor->Color();
  if (!ColorDialog1->Execute()) return;
  lblTransitFormColor->SetColor(ColorDialog1->Color);
  rdgTransitFormBackgroundUse->SetItemIndex(kBackgroundColour);
}

void TfrmSetupSaverDeck::imgTransitBackgroundClick(TObject*) {
  rdgTransitFormBackgroundUse->SetItemIndex(kBackgroundPicture);
}

void TfrmSetupSaverDeck::btnImg1Click(TObject* Sender) {
  imgTransitBackground->Picture.Assign(Image1->Picture);
  imgTransitBackground->PictureChanged();
  // At load only the picture comes back: the saved background choice stays.
  if (Sender) rdgTransitFormBackgroundUse->SetItemIndex(kBackgroundPicture);
}

void TfrmSetupSaverDeck::btnImg2Click(TObject* Sender) {
  const bool userClick = Sender != nullptr;
  const bool earlierExists = !OpenPictureDialog1->FileName.empty() && FileExists(OpenPictureDialog1->FileName);
  const std::wstring earlierFile = OpenPictureDialog1->FileName;
  bool chosen = false;
  if (userClick) {
    OpenPictureDialog1->InitialDir = edtPicDir->Text();
    chosen = OpenPictureDialog1->Execute();
  }
  if (!chosen && !earlierExists) {
    btnImg1->SetDown(true);
    btnImg1Click(userClick ? btnImg1 : nullptr);
    return;
  }
  TPicture picture;
  try {
    picture.LoadFromFile(OpenPictureDialog1->FileName);
  } catch (const std::exception& e) {
    Application->HandleException(e);
    if (userClick) {
      // The earlier picture stays, with its button and its file name.
      OpenPictureDialog1->FileName = earlierFile;
      if (imgTransitBackground->Picture.Graphic != Image2->Picture.Graphic || !Image2->Picture.Graphic)
        btnImg1->SetDown(true);
    } else {
      btnImg1->SetDown(true);
      btnImg1Click(nullptr);
    }
    return;
  }
  Image2->Picture.Assign(picture);
  Image2->PictureChanged();
  btnImg2->SetDown(true);
  imgTransitBackground->Picture.Assign(Image2->Picture);
  imgTransitBackground->PictureChanged();
  if (userClick) rdgTransitFormBackgroundUse->SetItemIndex(kBackgroundPicture);
}

void TfrmSetupSaverDeck::RestoreTransitImage(int imageChoice) {
  if (imageChoice == kImageFile) {
    btnImg2->SetDown(true);
    btnImg2Click(nullptr);
  } else {
    btnImg1->SetDown(true);
    btnImg1Click(nullptr);
  }
}

void TfrmSetupSaverDeck::btnAddPicDirClick(TObject*) {
  std::wstring folder;
  if (SelectDirectory(L"请选择您专门用于存放图片的文件夹（默认位置）。", folder, Handle())) edtPicDir->SetText(folder);
}

void TfrmSetupSaverDeck::btnClearPicDirClick(TObject*) { edtPicDir->SetText(L""); }

// ---- page 2 ----------------------------------------------------------------------------------

void TfrmSetupSaverDeck::cbbBanYingForAutoScrChange(TObject* Sender) {
  CheckAccompanimentSource(Sender, loadingConfig_);
  const int source = cbbBanYingForAutoScr->ItemIndex();
  if (source < kAccompAuto || source > kAccompBuiltIn) return;
  TPanel* const panels[] = {Panel1, Panel2, Panel3};
  for (int i = 0; i < 3; ++i)
    panels[i]->SetColor(source == kAccompAuto || source == i + kAccompPlaylist ? clGreen : clBtnFace);
  if (frmSaverDeck) frmSaverDeck->cbbBanYing->SetItemIndex(source);
}

void TfrmSetupSaverDeck::btnHelp_AboutBanYingClick(TObject*) {
  Application->MessageBox(L"播放列表->自选独立伴音->内置独立伴音,但播放器正在播放音乐时不停止!", L"自动伴音的选择顺序为：",
                          MB_SYSTEMMODAL | MB_ICONQUESTION);
}

void TfrmSetupSaverDeck::btnSetBanYingPlayListClick(TObject*) {
  ArrangeWindows(kArrangePlaylist);
  if (!frmMusicList || frmMusicList->CheckListBox1->Items.Count() > 0) return;
  if (Application->MessageBox(L"音乐播放器列表里没有文件，是否现在就添加？", L"Quovel提示：",
                              MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES &&
      frmSaverDeck)
    frmSaverDeck->bbtOpenClick(nullptr);
}

void TfrmSetupSaverDeck::btnSetPlayControlClick(TObject*) {
  if (!frmMusicList) return;
  POINT pt{};
  GetCursorPos(&pt);
  frmMusicList->PopupMenu1->Popup(pt.x, pt.y);
}

void TfrmSetupSaverDeck::btnSelectSelfDuLiBanYingClick(TObject*) {
  auto* d = frmSaverDeck ? dynamic_cast<TOpenDialog*>(frmSaverDeck->FindComponent(L"dlgOpenMusic")) : nullptr;
  if (!d) return;
  // One file here; the main window's own use of the dialog keeps its several.
  const TOpenOptions options = d->Options;
  d->Options = options & ~ofAllowMultiSelect;
  d->Title = L"选择伴音音乐";
  d->InitialDir = cbbMusDir->ItemIndex() >= 0 ? cbbMusDir->Items[cbbMusDir->ItemIndex()] : std::wstring();
  const bool chosen = d->Execute();
  d->Options = options;
  if (!chosen) return;
  edtSelfSelectBanYing->SetText(d->FileName);
  frmSaverDeck->cbbBanYing->SetItemIndex(kAccompOwnFile);
}

void TfrmSetupSaverDeck::btnDeleteSelfDuLiBanYingClick(TObject*) {
  edtSelfSelectBanYing->SetText(L"");
  if (frmSaverDeck && frmSaverDeck->cbbBanYing->ItemIndex() == kAccompOwnFile)
    frmSaverDeck->cbbBanYing->SetItemIndex(kAccompAuto);
}

void TfrmSetupSaverDeck::lblMoreExternalClientsClick(TObject*) {
  Application->MessageBox(L"本软件提供了供外部调用屏保及音乐播放的接口，欢迎第三方软件开发者加入。", L"Quovel软件诚邀：",
                          MB_SYSTEMMODAL | MB_ICONINFORMATION);
}

void TfrmSetupSaverDeck::btnProductICON1Click(TObject*) {
  PageControl1->SetActivePageIndex(kPageAbout);
  Show();
}

// ---- page 3 ----------------------------------------------------------------------------------

void TfrmSetupSaverDeck::btnBKWDAutoScrSetupClick(TObject*) { CallBKWD(Handle(), 1); }
void TfrmSetupSaverDeck::btnZEPTClick(TObject*) { CallZEPT(Handle(), 0); }
void TfrmSetupSaverDeck::btnMINVClick(TObject*) { CallMINV(Handle(), 0); }
void TfrmSetupSaverDeck::btnDeskpanelClick(TObject*) { CallDeskpanel(Handle(), 0); }

void TfrmSetupSaverDeck::btnAddtoStartMenuClick(TObject*) {
  AddShortcut(GetShellFolder(L"Programs") + L"\\" + kShortcutFolderName, kProductLinkName, kProductLinkDescription);
}

void TfrmSetupSaverDeck::btnCreateDeskIconClick(TObject*) {
  AddShortcut(GetShellFolder(L"Desktop"), kProductLinkName, kProductLinkDescription);
}

void TfrmSetupSaverDeck::lblWebSiteClick(TObject*) { OpenHomePage(Handle()); }
void TfrmSetupSaverDeck::lblEmailClick(TObject*) { CopyEmailAddr(); }
void TfrmSetupSaverDeck::btnQQClick(TObject*) { OpenMessengerChat(Handle()); }
void TfrmSetupSaverDeck::btnWangWangClick(TObject*) { OpenShopMessengerChat(Handle()); }
void TfrmSetupSaverDeck::btnSuggestClick(TObject*) { OpenSuggestionPage(Handle()); }
void TfrmSetupSaverDeck::btnVoteClick(TObject*) { OpenVotePage(Handle(), pcSaverDeck); }
void TfrmSetupSaverDeck::btnHelpClick(TObject*) { OpenHelpPage(Handle(), pcSaverDeck); }

void TfrmSetupSaverDeck::btnMore_LinksClick(TObject*) {
  POINT pt{};
  GetCursorPos(&pt);
  ppmMore->Popup(pt.x, pt.y, Handle());
}

void TfrmSetupSaverDeck::NUsefulLinksClick(TObject* Sender) {
  const HWND owner = Handle();
  if (Sender == NShares) ShellCalls().Execute(owner, L"", kBlogRecommendations, L"", L"", SW_SHOWNORMAL);
  else if (Sender == NWeb_MyVendora) OpenPromoPage(owner, false, 0);
  else if (Sender == NMore_PCKnowledge) ShellCalls().Execute(owner, L"", kBlogPcKnowledge, L"", L"", SW_SHOWNORMAL);
  else if (Sender == NMore_Weather) OpenWebSearch(owner, L"天气");
  else if (Sender == NMore_Clock) OpenWebSearch(owner, L"时间");
  else if (Sender == NMore_RiLi) OpenWebSearch(owner, L"日历");
  else if (Sender == NFm) OpenRadioSearch(owner);
  else if (Sender == NMore_Map) OpenWebSearch(owner, L"地图");
  else if (Sender == NMore_CiDian) OpenWebSearch(owner, L"翻译");
}

// Source 1 with an empty playlist asks to add music (not at load), source 2 without an own file
// falls back to 0 and offers to set one.
void TfrmSetupSaverDeck::CheckAccompanimentSource(TObject* Sender, bool loading) {
  if (loading && cbbBanYingForAutoScr->ItemIndex() == kAccompPlaylist) return;
  if (frmSaverDeck) frmSaverDeck->cbbBanYingChange(Sender);
}

// ---- places the arrangement and skin modules fill in -------------------------------------------

void TfrmSetupSaverDeck::ArrangeWindows(int index) {
  if (!frmSaverDeck) return;
  ArrangeIndex = uint8_t(index);
  frmSaverDeck->ProcArrayForms(ArrangeIndex);
}
