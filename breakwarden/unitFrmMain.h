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
#include "ListCtrls.h"
#include "SchedulerMath.h"
#include "Forms.h"
#include "Menus.h"

inline constexpr UINT WM_BKWD_TRAY = WM_USER + 1;
inline constexpr UINT kTrayIconId = 100;

enum TBreakState : uint8_t { stWorking = 0, stCountdown = 1, stOnBreak = 2 };
// The window BreakNow opens.
enum class TBreakWindow : uint8_t { Break = 0, Countdown = 1 };

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
  // "进入本产品服务主页...": the about window's help link.
  void NWebPageOfThisProductClick(TObject* Sender);

  // ---- the tray menu's look, hot keys and quick tools (TrayMenu.cpp) ----
  TMenuItem* NModeFree = nullptr;
  TMenuItem* NModePassword = nullptr;
  TMenuItem* NModeInterference = nullptr;
  TMenuItem* NModeEnforce = nullptr;
  TMenuItem* NShowSOT = nullptr;
  TMenuItem* NDesktopDeco = nullptr;
  TMenuItem* NMore_Weather = nullptr;
  // Bound to every item of PopupMenu1: one look for the whole menu.
  void MenusMeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
  void MenusDrawItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected);
  static void DrawMenuItem(TMenuItem* item, TCanvas* canvas, const std::wstring& caption, bool selected,
                           const RECT& r);
  void WMHotKey(TMessage& m);
  void NOpenNotePadClick(TObject* Sender);
  void NOpenCalculatorClick(TObject* Sender);
  void NOpenWordClick(TObject* Sender);
  void NOpenExcelClick(TObject* Sender);
  void NSetMouseClick(TObject* Sender);
  void NSysShutdownInterfaceClick(TObject* Sender);
  void NHintSmallWindowClick(TObject* Sender);
  void NModeClick(TObject* Sender);
  void SetBreakMode(int mode);
  void NShortCutsClick(TObject* Sender);
  void ShowShortCuts();
  void MoreUsefulLinksClick(TObject* Sender);
  void NSharesClick(TObject* Sender);
  void NHomePageClick(TObject* Sender);
  void NLaunchDeskpanelClick(TObject* Sender);
  // The overlays' tray items turn their settings boxes over; each box's handler sets the check.
  void NShowSOTClick(TObject* Sender);
  void NDesktopDecoClick(TObject* Sender);
  // The desktop overlays: true makes a new window and shows it (unless one is up), false closes
  // every one that is up.
  void ShowSOT(bool show);
  void ShowDesktopDeco(bool show);

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

  // ---- the break scheduler ----
  TTimer* ClockRemindTimer = nullptr;  // alarms and chimes, once per wall-clock minute
  TMenuItem* NBreakNow = nullptr;
  TMenuItem* NBreakDemo = nullptr;
  TMenuItem* NDisableSelfSCR = nullptr;

  // The cycle's state. Only this window writes it: the countdown and the break window report
  // what happened through the transitions below. 16 bits: 8 would wrap after 255 breaks, two to
  // three weeks of running.
  uint16_t FCycleNo = 0;
  uint8_t FBreakState = stWorking;
  uint8_t FRemindKind = 0;
  uint8_t FPostponedMins = 0;
  // Set by a preview's entry point for the window it opens; the window keeps its own copy.
  bool FDemoBreak = false, FDemoHint = false;
  // The minute step's state, held once; the names below are its fields.
  TSchedulerState Scheduler;
  uint8_t& FWorkMins = Scheduler.FWorkMins;      // 0: no work period (during a break)
  uint8_t& FMinsPassed = Scheduler.FMinsPassed;  // ticks since the period started
  uint16_t& FIdleMins = Scheduler.FIdleMins;
  uint32_t& FPeriodStartTick = Scheduler.FPeriodStartTick;
  bool& ResetBonusOnStart = Scheduler.ResetBonusOnStart;
  uint16_t& TiredCarry = Scheduler.TiredCarry;
  uint16_t& LastIdleBonus = Scheduler.LastIdleBonus;  // credit of the last idle stretch; 999 for a fresh period
  uint32_t& LastInputSeen = Scheduler.LastInputSeen;  // the last-input tick at the previous check
  uint32_t& LastActiveTick = Scheduler.LastActiveTick;  // the tick count at the last tick that saw input

  // Transitions the other windows report.
  // The break window opened for a real break: its tiredness joins the carry, and no work period
  // runs during the break.
  void BreakStarted();
  // A real break ended with position of max seconds still to go: the cycle closes, the plan
  // selected in the settings takes force and the next work period starts.
  void BreakEnded(int position, int max);
  // The countdown ends with these minutes postponed (its own break or a click on "休息").
  void PostponementGranted(uint8_t mins);
  // A countdown preview ended; "休息预演" goes on with the break preview.
  void HintPreviewEnded();
  // The break preview closed.
  void PreviewEnded();

  void StartWorkPeriod(uint8_t minutes);
  void StartIdleWatch();
  uint8_t MinsToBreak() const;
  // 0..100, against the BreakInterval of the plan selected in the settings dialog.
  int WorkDonePercent() const;
  TDateTime NextBreakTime() const;
  uint16_t IdleBonusMins(uint16_t idle) const;
  // Logs the outcome, as the minute tick does.
  uint8_t NextPeriodAfterIdle(bool reset, uint8_t bonus);
  uint16_t MissedMins() const;
  // chooser: item 0 the small window, 1 the centre window, anything else none.
  void ShowRemindWindow(TComboBox* chooser, uint8_t kind);
  void DetectPauseTimerTimer(TObject* Sender);
  void ClockRemindTimerTimer(TObject* Sender);
  void BreakTimerTimer(TObject* Sender);
  // kind ekNone logs nothing (previews).
  void BreakNow(TBreakWindow which, uint8_t kind);
  void NBreakNowClick(TObject* Sender);
  void NBreakDemoClick(TObject* Sender);
  // Previews; refused (false) unless working with no countdown or break window open.
  bool DemoHint();
  bool DemoBreak();
  bool PreviewAllowed() const;

  // The screen-saver items of the tray menu.
  // The switch's menu side: the item's check means disabled; Sender nil (the statistics window's
  // button) or the item turns it over, the settings' box (its own handler) only follows it.
  void NDisableSelfSCRClick(TObject* Sender);
  // "立即启动屏保": logs an automatic start (no Sender, the idle rule) or a manual one, then starts
  // the saver as page 2 of the settings says.
  void NLaunchSCRClick(TObject* Sender);
  void NLaunchZEPTClick(TObject* Sender);
  void NRemind2ChangeSCRClick(TObject* Sender);

  // The power functions the idle rules call, through the power seam.
  void ShutdownDisplayer();
  void LetSysStandBy(bool silent, bool ask);
  void LetSysSleep(bool silent, bool ask);

  // ---- power management ----
  TMenuItem* NLetStandBy = nullptr;
  TMenuItem* NLetSleep = nullptr;
  void NLetStandByClick(TObject* Sender);
  void NLetSleepClick(TObject* Sender);
  // The shutdown privilege, which SetSystemPowerState needs; true when it was adjusted.
  bool EnabledDebugPrivilege(bool enable);
  void WMPowerBroadcast(TMessage& m);
  // Seconds the cycle's last power entry lasted; 32 bits, so a sleep of days does not wrap.
  uint32_t LastPowerEventSeconds() const;

  // The settings the scheduler reads, from the settings dialog's controls at each use (the
  // settings seam).
  TSchedulerSettings SchedulerSettings() const;

  // ---- the event log ----
  // The run's work cycles, written only through RecordEvent.
  TEventLog EventLog;
  const std::vector<TEventCycle>& FCycles = EventLog.Cycles();
  void RecordEvent(bool newCycle, bool newEntry, uint8_t value, uint8_t kind, bool useTick);
  uint16_t FindLastEvent(size_t cycle, uint8_t kind) const { return EventLog.FindLastEvent(cycle, kind); }
  void AddEventLogLine(uint8_t kind, uint32_t startTick, uint8_t value, uint32_t endTick);
  static TDateTime TickToDateTime(uint32_t stamp) { return ::TickToDateTime(stamp); }
  static TDateTime MsToDateTime(uint32_t ms) { return ::MsToDateTime(ms); }
  static std::wstring CutSeconds(const std::wstring& text);
  static std::wstring EventKindText(uint8_t kind) { return ::EventKindText(kind); }

  void WndProc(TMessage& m) override;

 protected:
  void EndSession() override;

 private:
  void BindMenuLook(TMenuItem* parent);
  void AddTrayIcon();
  void RecordAppStart();
  void ArmClockRemindTimer();
  void CloseOpenPreviews();
  void ShowRemindWindowOfType(int windowType, uint8_t kind);
  void RunTickEvents(const std::vector<TTickEvent>& events);
  void CloseIdleEntry(uint16_t idleMins, uint32_t stamp);
  void RequestSleep(bool standBy, bool silent, bool ask);
  void PowerResumed();
  bool trayAdded_ = false, released_ = false;
  long long lastClockMinute_ = -1;
};
extern TfrmMain* frmMain;

// Unit globals read by the power modules.
extern bool SelfSuspending;
// The system's screen-saver flag as it was before the program switched it; given back at exit.
extern bool ScreenSaverWasActive;
// Set by the exit rule "重启程序": the program block starts a new instance once this one has
// cleaned up, so the new one finds no main window and can register the hot keys.
extern bool RestartAfterExit;

// Takes a window out of the topmost band again after it was brought above everything to open.
void PlaceNotTopmost(HWND h);

// The taskbar's re-creation message ("TaskbarCreated"), registered once.
UINT TaskbarCreatedMessage();
// Splash size and place for a screen size and work area (Round half to even).
RECT SplashBounds(int screenWidth, int screenHeight, const RECT& workArea);
