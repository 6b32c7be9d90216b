#pragma once
// The player's settings dialog: created hidden at start and kept for the whole run; its controls
// hold the player's settings, which the other windows read directly when they need them. Its
// creation runs the first-run set-up and reads svd25cfg; closing it with Yes writes the file.
#include <string>

#include "ComCtrls.h"
#include "Buttons.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "Menus.h"
#include "PlayerConfig.h"
#include "StdCtrls.h"

class TfrmSetupSaverDeck : public TForm {
 public:
  explicit TfrmSetupSaverDeck(TComponent* AOwner);

  TPageControl* PageControl1 = nullptr;
  // page 0 "基本设置"
  TCheckBox* cbxEnableStartUpWithSys = nullptr;
  TCheckBox* cbxMinimizeOnStart = nullptr;
  TCheckBox* cbxPlayMusListAtStart = nullptr;
  TCheckBox* cbxPlayImediately = nullptr;
  TEdit* edtPlayMusListAtStart = nullptr;
  TButton* btnAddQVML = nullptr;
  TButton* btnClearQVML = nullptr;
  TButton* btnFixQVML = nullptr;
  TComboBox* cbbSkins = nullptr;
  TCheckBox* cbxUseFlatButton = nullptr;
  TComboBox* cbbMusDir = nullptr;
  TButton* btnAddMusDir = nullptr;
  TButton* btnDeleteMusDir = nullptr;
  TEdit* edtQVMLdir = nullptr;
  TButton* btnAddQVMLdir = nullptr;
  TButton* btnClearQVMLdir = nullptr;
  TComboBox* ComboBox2 = nullptr;
  TButton* bbtClose = nullptr;
  // page 1 "屏保切换设置"
  TUpDown* updTimePlayEachScr = nullptr;
  TEdit* edtTimePlayEachScr = nullptr;
  TUpDown* updTransitTime = nullptr;
  TEdit* edtTransitTime = nullptr;
  TComboBox* cbbTextSpeed = nullptr;
  TRadioGroup* rdgTransitFormBackgroundUse = nullptr;
  TLabel* lblTransitFormColor = nullptr;
  TImage* imgTransitBackground = nullptr;
  TSpeedButton* btnImg1 = nullptr;
  TSpeedButton* btnImg2 = nullptr;
  TImage* Image1 = nullptr;
  TImage* Image2 = nullptr;
  TComboBox* cbbTransitFormStyle = nullptr;
  TEdit* edtPicDir = nullptr;
  TButton* btnAddPicDir = nullptr;
  TButton* btnClearPicDir = nullptr;
  TOpenPictureDialog* OpenPictureDialog1 = nullptr;
  TColorDialog* ColorDialog1 = nullptr;
  // page 2 "屏保伴音设置"
  TTabSheet* tshSetupAutoScr = nullptr;
  TComboBox* cbbBanYingForAutoScr = nullptr;
  TButton* btnHelp_AboutBanYing = nullptr;
  TButton* btnHelp_AboutBanYing2 = nullptr;
  TButton* btnSetBanYingPlayList = nullptr;
  TButton* btnSetPlayControl = nullptr;
  TCheckBox* cbxSlientStartupOnMsg = nullptr;
  TEdit* edtSelfSelectBanYing = nullptr;
  TButton* btnSelectSelfDuLiBanYing = nullptr;
  TButton* btnDeleteSelfDuLiBanYing = nullptr;
  TComboBox* cbbBanYingMusic = nullptr;
  TComboBox* cbbUseBanYingOrNot = nullptr;
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TPanel* Panel3 = nullptr;
  TSpeedButton* btnProductICON1 = nullptr;
  TSpeedButton* btnProductICON2 = nullptr;
  TSpeedButton* btnProductICON3 = nullptr;
  TSpeedButton* btnProductICON4 = nullptr;
  TLabel* lblMoreExternalClients = nullptr;
  // page 3 "关于帮助杂项"
  TButton* btnBKWDAutoScrSetup = nullptr;
  TButton* btnZEPT = nullptr;
  TButton* btnMINV = nullptr;
  TButton* btnDeskpanel = nullptr;
  TButton* btnAddtoStartMenu = nullptr;
  TButton* btnCreateDeskIcon = nullptr;
  TLabel* lblWebSite = nullptr;
  TLabel* lblEmail = nullptr;
  TSpeedButton* btnQQ = nullptr;
  TSpeedButton* btnWangWang = nullptr;
  TButton* btnSuggest = nullptr;
  TButton* btnVote = nullptr;
  TButton* btnHelp = nullptr;
  TButton* btnMore_Links = nullptr;
  TPopupMenu* ppmMore = nullptr;
  TMenuItem* NShares = nullptr;
  TMenuItem* NWeb_MyVendora = nullptr;
  TMenuItem* NMore_PCKnowledge = nullptr;
  TMenuItem* NMore_Weather = nullptr;
  TMenuItem* NMore_Clock = nullptr;
  TMenuItem* NMore_RiLi = nullptr;
  TMenuItem* NFm = nullptr;
  TMenuItem* NMore_Map = nullptr;
  TMenuItem* NMore_CiDian = nullptr;

  // While true, the next click of cbxEnableStartUpWithSys only clears it: the program sets the box
  // without touching the registry.
  bool AutoRunClickGuard = false;
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void bbtCloseClick(TObject* Sender);
  void btnAddQVMLClick(TObject* Sender);
  void btnClearQVMLClick(TObject* Sender);
  void btnFixQVMLClick(TObject* Sender);
  void btnAddMusDirClick(TObject* Sender);
  void btnDeleteMusDirClick(TObject* Sender);
  void btnAddQVMLdirClick(TObject* Sender);
  void btnClearQVMLdirClick(TObject* Sender);
  void cbxEnableStartUpWithSysClickClick(TObject* Sender);
  void cbxMinimizeOnStartClick(TObject* Sender);
  void cbbSkinsChange(TObject* Sender);
  void cbxUseFlatButtonClick(TObject* Sender);
  // Decodes the JPEG resource of that name into the main window's skin picture. One that does
  // not decode shows its error in the error box and leaves the picture cleared: the plain colour.
  bool LoadSkinPicture(const std::wstring& name);
  // The main window's two lists take the skin's colour.
  void ApplyFlatButtonColors();
  void lblTransitFormColorClick(TObject* Sender);
  void imgTransitBackgroundClick(TObject* Sender);
  void btnImg1Click(TObject* Sender);
  void btnImg2Click(TObject* Sender);
  void btnAddPicDirClick(TObject* Sender);
  void btnClearPicDirClick(TObject* Sender);
  void cbbBanYingForAutoScrChange(TObject* Sender);
  void btnHelp_AboutBanYingClick(TObject* Sender);
  void btnSetBanYingPlayListClick(TObject* Sender);
  void btnSetPlayControlClick(TObject* Sender);
  void btnSelectSelfDuLiBanYingClick(TObject* Sender);
  void btnDeleteSelfDuLiBanYingClick(TObject* Sender);
  void lblMoreExternalClientsClick(TObject* Sender);
  void btnProductICON1Click(TObject* Sender);
  void btnBKWDAutoScrSetupClick(TObject* Sender);
  void btnZEPTClick(TObject* Sender);
  void btnMINVClick(TObject* Sender);
  void btnDeskpanelClick(TObject* Sender);
  void btnAddtoStartMenuClick(TObject* Sender);
  void btnCreateDeskIconClick(TObject* Sender);
  void lblWebSiteClick(TObject* Sender);
  void lblEmailClick(TObject* Sender);
  void btnQQClick(TObject* Sender);
  void btnWangWangClick(TObject* Sender);
  void btnSuggestClick(TObject* Sender);
  void btnVoteClick(TObject* Sender);
  void btnHelpClick(TObject* Sender);
  void btnMore_LinksClick(TObject* Sender);
  void NUsefulLinksClick(TObject* Sender);

  // The playlist file type for extension (without its dot) opened by exePath; only what differs
  // is written.
  void RegisterPlayListFileType(const std::wstring& extension, const std::wstring& exePath);

  // svd25cfg into the controls: every value that reads, one error box for those that do not.
  void LoadConfig();
  // svd25cfg from the controls, beside the old file and then in its place; EInOutError when it
  // cannot be written (the old file stays).
  void SaveConfig();
  // What the controls hold, as the file stores it, and back.
  TPlayerConfig CollectConfig();
  void ApplyConfig(const TPlayerConfig& c);
  // The transit picture and its buttons as the file's picture choice says (1 built-in, 2 the file).
  void RestoreTransitImage(int imageChoice);

  // The main window's check of an accompaniment source (an empty playlist, a missing own file);
  // at load the playlist is not looked at.
  void CheckAccompanimentSource(TObject* Sender, bool loading);

  // ---- places the arrangement and skin modules fill in ----
  // The main window's window arrangement number index.
  void ArrangeWindows(int index);

 private:
  void FirstRun();
  void ShowAutoRunReadBack();
  bool loadingConfig_ = false;
};
extern TfrmSetupSaverDeck* frmSetupSaverDeck;

// Where the dialog reads and writes svd25cfg and keeps the built-in tune: the executable's folder,
// unless a test names another (with or without its last backslash; empty: the executable's folder
// again).
void SetPlayerConfigFolder(const std::wstring& folder);
std::wstring PlayerConfigPath();
std::wstring PlayerFolder();

// The player's first-run path file and the version it writes there.
inline constexpr const wchar_t* kSaverDeckPathFile = L"dir3";
inline constexpr const wchar_t* kSaverDeckPathFileVersion = L"25";
