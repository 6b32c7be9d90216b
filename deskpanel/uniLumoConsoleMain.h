#pragma once
// The desktop console's bar: a thin launcher at the top edge of the screen whose buttons command
// the sibling programs. It owns the tray icon and the pop-up menu, hides upwards or to the tray,
// and keeps its choices in qvccfg beside the executable. Its window class is fixed, since the
// siblings and a second instance find the running console by it.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Buttons.h"
#include "ConsoleConfig.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"

inline constexpr UINT WM_DESKPANEL_TRAY = WM_USER + 4;
inline constexpr UINT kConsoleTrayIconId = 101;
inline constexpr const wchar_t* kConsoleVersion = L"V2.0";
inline constexpr const wchar_t* kConsoleProductKey = L"DESKPANEL";

class TfrmLumoConsoleMain : public TForm {
 public:
  explicit TfrmLumoConsoleMain(TComponent* AOwner);

  TSpeedButton* btnProductBKWD = nullptr;
  TSpeedButton* btnProductZEPT = nullptr;
  TSpeedButton* btnProductSaverDeck = nullptr;
  TSpeedButton* btnProductMINV = nullptr;
  TSpeedButton* btnSVDSetup = nullptr;
  TSpeedButton* btnPlayOrPause = nullptr;
  TSpeedButton* btnPlayScrWithMus = nullptr;
  TSpeedButton* btnPlayScr = nullptr;
  TImage* imgQV = nullptr;
  TSpeedButton* btnMenu = nullptr;
  TTimer* tmrAutoHide = nullptr;
  TTimer* tmrRemind2Change = nullptr;
  TColorDialog* ColorDialog1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* NShowOrHide = nullptr;
  TMenuItem* NHideAuto = nullptr;
  TMenuItem* NHideDownwards = nullptr;
  TMenuItem* NNoLineLeftOnHideUpwards = nullptr;
  TMenuItem* NHideOnStart = nullptr;
  TMenuItem* NRememberPosOnExit = nullptr;
  TMenuItem* NRememerPosManually = nullptr;
  TMenuItem* NNotRememberPos = nullptr;
  TMenuItem* NResetPos = nullptr;
  TMenuItem* NChangeFormColorRandom = nullptr;
  TMenuItem* NChangeFormColorSelect = nullptr;
  TMenuItem* NChangeFormColorDefault = nullptr;
  TMenuItem* NRemind2ChangeScrMusPic = nullptr;
  TMenuItem* NAutoRun = nullptr;
  TMenuItem* NShares = nullptr;
  TMenuItem* NWeb_MyVendora = nullptr;
  TMenuItem* NMore_PCKnowledge = nullptr;
  TMenuItem* NMore_Weather = nullptr;
  TMenuItem* NMore_Clock = nullptr;
  TMenuItem* NMore_RiLi = nullptr;
  TMenuItem* NFm = nullptr;
  TMenuItem* NMore_Map = nullptr;
  TMenuItem* NMore_CiDian = nullptr;
  TMenuItem* NExit = nullptr;

  // Close action of the close event: caNone until the exit command is answered Yes.
  TCloseAction FCloseAction = caNone;
  // Set while qvccfg is being read: the position items' clicks then save nothing.
  bool LoadingConfig = false;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  void btnProductBKWDClick(TObject* Sender);
  void btnProductZEPTClick(TObject* Sender);
  void btnProductSaverDeckClick(TObject* Sender);
  void btnProductMINVClick(TObject* Sender);
  void btnSVDSetupClick(TObject* Sender);
  void btnPlayOrPauseClick(TObject* Sender);
  void btnPlayScrWithMusClick(TObject* Sender);
  void btnPlayScrClick(TObject* Sender);
  void btnMenuMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  void NHideAutoClick(TObject* Sender);
  void NHideDownwardsClick(TObject* Sender);
  void NNoLineLeftOnHideUpwardsClick(TObject* Sender);
  void NHideOnStartClick(TObject* Sender);
  void NRememberPosClick(TObject* Sender);
  void NChangeFormColorClick(TObject* Sender);
  void NRemind2ChangeScrMusPicClick(TObject* Sender);
  void NAutoRunClick(TObject* Sender);
  void NCreateDesktopIconClick(TObject* Sender);
  void NAddToProgramListClick(TObject* Sender);
  void NUsefulLinksClick(TObject* Sender);
  void N11Click(TObject* Sender);
  void NHomePageClick(TObject* Sender);
  void NProductHomeClick(TObject* Sender);
  void NExitClick(TObject* Sender);
  void tmrAutoHideTimer(TObject* Sender);
  void tmrRemind2ChangeTimer(TObject* Sender);
  // The show step's reminder half: arms the one-shot box when an item is due.
  void ArmRemind2Change();

  void ResetPos();
  void HidePanel();
  void ShowPanel();
  void SaveConfig();
  void LoadConfig();
  void ApplyConfigFields(const ConsoleConfigRead& read);
  void ApplyPosMode(uint8_t mode);
  uint8_t RememberPosMode() const;
  // What SaveConfig writes: the bar's state now.
  TConsoleConfig CurrentConfig() const;
  // Applies a colour as the bar's (black, the see-through key, as its nearest other colour).
  void SetBarColor(TColor rgb);

  void WMShowConsole();
  void WMOpenRemind2Change();
  void WMConsoleTray(TMessage& m);
  void WMConsolePowerBroadcast(TMessage& m);

  NOTIFYICONDATAW TrayIconData{};
  bool TrayIconAdded() const { return trayAdded_; }

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void EndSession() override;

 private:
  void AddTrayIcon();
  void RemoveTrayIcon();
  void ShowHiddenCaptions();
  void PopupAtCursor();
  bool trayAdded_ = false, trayEnded_ = false, showStepDone_ = false, startedHidden_ = false;
  // Siblings' commands that came while a start-up box waited; run once the start-up steps are done.
  bool startUpDone_ = false;
  std::vector<UINT> heldCommands_;
};
extern TfrmLumoConsoleMain* frmLumoConsoleMain;

// Program-wide values shared with the change reminder.
extern bool FirstRun;  // decided at creation: the install record does not name this executable
extern TDayNumber DuePic, DueScr, DueMus;

// Where qvccfg is kept: the executable's folder, or a folder a test sets ("" for the real one).
std::wstring ConsoleConfigPath();
void SetConsoleConfigFolder(const std::wstring& folder);
// The taskbar's re-creation message ("TaskbarCreated").
UINT ConsoleTaskbarCreatedMessage();
// The address of the links menu's web search for a word (GBK percent-encoded).
std::wstring ConsoleSearchAddress(const std::wstring& word);
