#pragma once
// The change reminder's window: for the wallpaper, the screen saver and the music, the days until
// each is due, the tools for changing it, and the confirmation that sets the next due dates and
// rewrites qvccfg. Made on demand, one at a time; it cannot be closed before the confirmation and
// frees itself then.
#include <windows.h>

#include "Buttons.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ListCtrls.h"
#include "Menus.h"
#include "Remind2ChangeRules.h"
#include "StdCtrls.h"

class TfrmRemindScrMusPic : public TForm {
 public:
  explicit TfrmRemindScrMusPic(TComponent* AOwner);
  ~TfrmRemindScrMusPic() override;

  TSpeedButton* btnChangeWallpaper = nullptr;
  TSpeedButton* btnChangeSCR = nullptr;
  TSpeedButton* btnChangeMUS = nullptr;
  TComboBox* cbxChangeWallpaper = nullptr;
  TComboBox* cbxChangeSCR = nullptr;
  TComboBox* cbxChangeMUS = nullptr;
  TLabel* lblDue_Pic = nullptr;
  TLabel* lblDue_Scr = nullptr;
  TLabel* lblDue_Mus = nullptr;
  TButton* btnOK = nullptr;
  TPopupMenu* ppmChangePic = nullptr;
  TPopupMenu* ppmChangeSCR = nullptr;

  // Close action of the close event: caNone until the confirmation sets caFree.
  TCloseAction FCloseAction = caNone;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void cbxChangeWallpaperChange(TObject* Sender);
  void cbxChangeSCRChange(TObject* Sender);
  void cbxChangeMUSChange(TObject* Sender);
  void btnChangeWallpaperClick(TObject* Sender);
  void btnChangeSCRClick(TObject* Sender);
  void btnChangeMUSClick(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void NChangeSCR_BySysClick(TObject* Sender);
  void NChangeSCR_ByMINVClick(TObject* Sender);
  void NBaiduWallpaper1Click(TObject* Sender);
  void NBaiduWallpaper2Click(TObject* Sender);
  void NGoogleWallpaper1Click(TObject* Sender);
  void NChangeAutoSCRClick(TObject* Sender);
  void NChangeZEPTClick(TObject* Sender);
  void NReadmeAboutSCRClick(TObject* Sender);

  void WndProc(TMessage& m) override;

 private:
  void PopupAtCursor(TPopupMenu* menu);
  SIZE fixedSize_{};
};
extern TfrmRemindScrMusPic* frmRemindScrMusPic;

// Opens the window, or restores the open one (also from minimised), and brings it to the front.
void OpenRemind2ChangeWindow();
// Today's day number, from the clock's local date.
TDayNumber Remind2ChangeToday();
