#pragma once
// A form with one of each further control and the standard dialogs, for the form layer's tests and
// the screenshot.
#include <string>
#include <vector>

#include "Buttons.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "StdCtrls.h"

class TfrmControls : public TForm {
 public:
  explicit TfrmControls(TComponent* AOwner);

  TPageControl* pgcMain = nullptr;
  TTabSheet* tshGeneral = nullptr;
  TTabSheet* tshLists = nullptr;
  TTabSheet* tshButtons = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TEdit* edtMins = nullptr;
  TUpDown* updMins = nullptr;
  TScrollBar* scbAdjust = nullptr;
  TRadioGroup* rbxMode = nullptr;
  TScrollBar* scbZoom = nullptr;
  TProgressBar* pgbTired = nullptr;
  TComboBox* cbbPlan = nullptr;
  TComboBox* cbbSkin = nullptr;
  TComboBox* cbbFolder = nullptr;
  TColorBox* clbBody = nullptr;
  TColorBox* clbBorder = nullptr;
  TListBox* lbxFolders = nullptr;
  TCheckListBox* clxPlaylist = nullptr;
  TMemo* mmoHistory = nullptr;
  TPanel* pnlSource = nullptr;
  TLabel* lblOnPanel = nullptr;
  TBevel* bvlPlay = nullptr;
  TSpeedButton* btnPlay = nullptr;
  TSpeedButton* btnImg1 = nullptr;
  TSpeedButton* btnImg2 = nullptr;
  TRadioButton* rbnColour = nullptr;
  TRadioButton* rbnPicture = nullptr;
  TOpenDialog* dlgOpenMusic = nullptr;
  TSaveDialog* dlgSaveMusList = nullptr;
  TOpenPictureDialog* OpenPictureDialog1 = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TColorDialog* ColorDialog1 = nullptr;

  void pgcMainChange(TObject* Sender);
  void pgcMainChanging(TObject* Sender, bool& AllowChange);
  void tshGeneralShow(TObject* Sender);
  void tshGeneralHide(TObject* Sender);
  void tshListsShow(TObject* Sender);
  void updMinsClick(TObject* Sender, TUDBtnType Button);
  void updMinsChanging(TObject* Sender, bool& AllowChange);
  void rbxModeClick(TObject* Sender);
  void scbZoomChange(TObject* Sender);
  void scbZoomScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void cbbPlanSelect(TObject* Sender);
  void cbbSkinChange(TObject* Sender);
  void cbbFolderChange(TObject* Sender);
  void clbBodyChange(TObject* Sender);
  void clbBorderSelect(TObject* Sender);
  void lbxFoldersClick(TObject* Sender);
  void clxPlaylistClick(TObject* Sender);
  void clxPlaylistClickCheck(TObject* Sender);
  void btnPlayClick(TObject* Sender);
  void btnImgClick(TObject* Sender);
  void rbnPictureClick(TObject* Sender);

  // What the handlers saw, for the tests: "handler:detail".
  std::vector<std::wstring> log;
  bool allowPageChange = true, allowStep = true;
  int scrollOverride = -1000;  // a position the scroll handler puts in place of the user's
};
