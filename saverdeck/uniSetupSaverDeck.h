#pragma once
// The player's settings dialog: created hidden at start and kept for the whole run; its controls
// hold the player's settings, which the other windows read directly when they need them.
#include "ComCtrls.h"
#include "Buttons.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "Menus.h"
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
  TComboBox* cbbSkins = nullptr;
  TCheckBox* cbxUseFlatButton = nullptr;
  TComboBox* cbbMusDir = nullptr;
  TEdit* edtQVMLdir = nullptr;
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
  TOpenPictureDialog* OpenPictureDialog1 = nullptr;
  TColorDialog* ColorDialog1 = nullptr;
  // page 2 "屏保伴音设置"
  TTabSheet* tshSetupAutoScr = nullptr;
  TComboBox* cbbBanYingForAutoScr = nullptr;
  TCheckBox* cbxSlientStartupOnMsg = nullptr;
  TEdit* edtSelfSelectBanYing = nullptr;
  TComboBox* cbbBanYingMusic = nullptr;
  TComboBox* cbbUseBanYingOrNot = nullptr;
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TPanel* Panel3 = nullptr;
  // page 3 "关于帮助杂项"
  TPopupMenu* ppmMore = nullptr;

  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnFixQVMLClick(TObject* Sender);
  // The playlist file type for extension (without its dot) opened by exePath; only what differs
  // is written.
  void RegisterPlayListFileType(const std::wstring& extension, const std::wstring& exePath);
  void bbtCloseClick(TObject* Sender);

  // Writes svd25cfg from the controls; comes with the configuration file's module.
  void SaveConfig();
};
extern TfrmSetupSaverDeck* frmSetupSaverDeck;
