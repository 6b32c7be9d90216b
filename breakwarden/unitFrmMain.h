#pragma once
// The break reminder's main window: the welcome splash, the owner of the tray icon and the hot
// keys, and the receiver of the sibling programs' messages. Its window class is fixed, since the
// siblings and a second instance find the running program by it.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "EventLog.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"

inline constexpr UINT WM_BKWD_TRAY = WM_USER + 1;
inline constexpr UINT kTrayIconId = 100;

enum TBreakState : uint8_t { stWorking = 0, stCountdown = 1, stOnBreak = 2 };

// The windows that other modules build, as the main window reaches them. Each module sets its
// entries when its form is created; while an entry is empty the command that leads there does
// nothing.
struct TMainFormLinks {
  std::function<TForm*()> SetupForm;              // the settings dialog (uniSetup)
  std::function<void(int page)> SelectSetupPage;  // its page control
  std::function<int()> ExitActionIndex;           // cbxActionOnSelectTerminate's item (-1: none)
  std::function<void(TColor)> SetExitActionColor;
  std::function<void()> CreateStat;               // a new statistics window, shown (uniStat)
  std::function<void(int page)> ShowAboutPage;    // the about window on a page (uniAboutQV)
  std::function<void()> AboutWelcome;             // its welcome
};
extern TMainFormLinks MainFormLinks;

class TfrmMain : public TForm {
 public:
  explicit TfrmMain(TComponent* AOwner);

  TImage* Image1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TTimer* CloseAnimateTimer = nullptr;
  TTimer* DetectPauseTimer = nullptr;
  TMenuItem* NExit = nullptr;
  TMenuItem* NStat = nullptr;
  TMenuItem* NSetup = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void CloseAnimateTimerTimer(TObject* Sender);

  // Tray menu commands that lead to the other windows.
  void NExitClick(TObject* Sender);
  void NStatClick(TObject* Sender);
  void NSetupClick(TObject* Sender);
  void NSetupModeClick(TObject* Sender);
  void NSetupSCRClick(TObject* Sender);
  void NSetupPowerClick(TObject* Sender);
  void NSetupMeiHuaClick(TObject* Sender);
  void NQuickRemindClick(TObject* Sender);
  void NWelcomeClick(TObject* Sender);
  void NChatWithMeClick(TObject* Sender);
  void NAboutHelpClick(TObject* Sender);

  void PlaceSplash();
  void ShowSplash();
  void OpenSetupPage(int page);
  void ShowPopHint(TColor labelColor, TColor formColor, const std::wstring& text);

  // Sibling messages and the tray icon's callback.
  void WMShowWelcome();
  void WMOpenSetupSCR();
  void WMOpenStat();
  void WMTrayIcon(TMessage& m);

  void RegisterHotKeys();
  // Unregisters the hot keys, deletes their atoms, removes the tray icon and gives the system back
  // its screen-saver flag; once only, whichever of exit, log-off or destruction comes first.
  void ReleaseSystemResources();
  bool TrayIconAdded() const { return trayAdded_; }

  NOTIFYICONDATAW TrayIconData{};
  std::array<ATOM, 7> FHotKeyAtoms{};
  std::array<uint8_t, 7> FHotKeyIds{};

  // Scheduler and event-log state set at start-up (their modules own the rest).
  uint8_t FCycleNo = 0;
  uint8_t FBreakState = stWorking;
  uint8_t FRemindKind = 0;
  uint8_t FPostponedMins = 0;
  bool FDemoBreak = false, FDemoHint = false;
  // The run's work cycles, written only through its RecordEvent.
  TEventLog EventLog;

  void WndProc(TMessage& m) override;

 protected:
  void EndSession() override;

 private:
  void AddTrayIcon();
  void RecordAppStart();
  bool trayAdded_ = false, released_ = false;
};
extern TfrmMain* frmMain;

// Unit globals read by the scheduler and power modules.
extern bool SelfSuspending;
extern bool ResetBonusOnStart;
extern uint16_t TiredCarry;
// The system's screen-saver flag as it was before the program switched it; given back at exit.
extern bool ScreenSaverWasActive;
// Set by the exit rule "重启程序": the program block starts a new instance once this one has
// cleaned up, so the new one finds no main window and can register the hot keys.
extern bool RestartAfterExit;

// The taskbar's re-creation message ("TaskbarCreated"), registered once.
UINT TaskbarCreatedMessage();
// Splash size and place for a screen size and work area (Round half to even).
RECT SplashBounds(int screenWidth, int screenHeight, const RECT& workArea);
