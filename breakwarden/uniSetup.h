#pragma once
// The settings dialog: created at start, lives hidden for the whole run; its controls are the settings.
#include <cstdint>
#include <string>

#include "BreakPlans.h"
#include "BreakWindowSettings.h"
#include "Buttons.h"
#include "ComCtrls.h"
#include "ConfigLayout.h"
#include "CountdownSettings.h"
#include "Dialogs.h"
#include "DisplayZoom.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "RemindWindows.h"
#include "SchedulerMath.h"
#include "StdCtrls.h"

// The folder of qv30cfg: the executable's folder (with its last backslash) unless a test has set
// another one. Set it before the dialog is created; an empty text goes back to the default.
std::wstring SetupConfigFolder();
void SetSetupConfigFolder(const std::wstring& folder);
std::wstring SetupConfigPath();

class TfrmSetup : public TForm {
 public:
  explicit TfrmSetup(TComponent* AOwner);
  ~TfrmSetup() override;

  TPageControl* PageControl1 = nullptr;

  // ---- page 0 "基本设置" ----
  TTabSheet* tshBasicSetupOfBreak = nullptr;
  TComboBox* cbxBreakPlanPreSet = nullptr;
  TButton* btnAddMyBreakPlan = nullptr;
  TButton* btnRenameMyBreakPlan = nullptr;
  TButton* btnRememberMyBreakPlan = nullptr;
  TGroupBox* GroupBox101 = nullptr;
  TEdit* edtBreakInterval = nullptr;
  TUpDown* updBreakInterval = nullptr;
  TEdit* edtBreakMins = nullptr;
  TUpDown* updBreakMins = nullptr;
  TGroupBox* GroupBox102 = nullptr;
  TEdit* edtCanApplyMaxMins = nullptr;
  TUpDown* updCanApplyMaxMins = nullptr;
  TEdit* edtCanApplyMaxTimes = nullptr;
  TUpDown* updCanApplyMaxTimes = nullptr;
  TEdit* edtApplyOnceMaxMins = nullptr;
  TUpDown* updApplyOnceMaxMins = nullptr;
  TEdit* edtAddBreak4ExtTime_SECperMIN = nullptr;
  TUpDown* updAddBreak4ExtTime_SECperMIN = nullptr;
  TGroupBox* GroupBox103 = nullptr;
  TEdit* edtIdleMinsResetCycle = nullptr;
  TUpDown* updIdleMinsResetCycle = nullptr;
  TEdit* edtExtWorkMinsPerIdle = nullptr;
  TUpDown* updExtWorkMinsPerIdle = nullptr;
  TComboBox* cbxFrequencyOfPCOperation = nullptr;
  TGroupBox* GroupBox104 = nullptr;
  TScrollBar* scbMicroAdjust = nullptr;
  TButton* btnApplyBreakPlanNow = nullptr;

  // ---- page 1 "休息模式" ----
  TTabSheet* tshBreakMode = nullptr;
  TRadioGroup* rbxSelectBreakMode = nullptr;
  TGroupBox* gbxModeFree = nullptr;
  TCheckBox* cbxNotShowFrmBreakHintLastOneMin_FreeMode = nullptr;
  TGroupBox* gbxModeHint = nullptr;
  TCheckBox* cbxNotShowFrmBreakHintLastOneMin_PasswordMode = nullptr;
  TGroupBox* gbxModeinterrupt = nullptr;
  TScrollBar* scbInterfereIntensity = nullptr;
  TLabel* lblInterfereIntensity = nullptr;
  TGroupBox* gbxModeForce = nullptr;
  TCheckBox* cbxDisableKeyboard = nullptr;
  TCheckBox* cbxHideCursor = nullptr;

  // ---- page 2 "屏保与电源" ----
  TTabSheet* tshScrAndPower = nullptr;
  TCheckBox* cbxEnableSelfSCR = nullptr;
  TEdit* edtSCR = nullptr;
  TUpDown* updSCR = nullptr;
  TCheckBox* cbxAutoRestoreDisabledSCR = nullptr;
  TEdit* edtRestoreSCRAfterMins = nullptr;
  TUpDown* updRestoreSCRAfterMins = nullptr;
  TLabel* lblSCR_total = nullptr;
  TCheckBox* cbxRandomSCR = nullptr;
  TCheckBox* cbxUseSaverDeck = nullptr;
  TCheckBox* cbxBanYing = nullptr;
  TComboBox* cbbSCRSavers = nullptr;  // hidden: the paths
  TComboBox* cbbSCRSaversName = nullptr;
  TButton* btnSCRSetup = nullptr;
  TButton* btnSCRPreview = nullptr;
  TTimer* tmrToRestoreDisabledSCR = nullptr;
  TCheckBox* cbxEnableShutDownDisplayer = nullptr;
  TEdit* edtShutDownDisplayer = nullptr;
  TUpDown* updShutDownDisplayer = nullptr;
  TCheckBox* cbxEnableSuspend = nullptr;
  TEdit* edtLetSuspend = nullptr;
  TUpDown* updLetSuspend = nullptr;
  TComboBox* cbbStandByOrSleep = nullptr;
  TLabel* lblHelp_PowerSetup = nullptr;
  TButton* btnPowerSetup = nullptr;

  // ---- page 3 "闹钟提醒" ----
  TTabSheet* tshRemind = nullptr;
  TCheckBox* cbxRemindOnHour = nullptr;
  TCheckBox* cbxRemindOnHalfHour = nullptr;
  TCheckBox* cbxRemindOnce1 = nullptr;
  TComboBox* cbxHourOfRemindOnce1 = nullptr;
  TComboBox* cbxMinOfRemindOnce1 = nullptr;
  TEdit* edtContentOfRemindOnce1 = nullptr;
  TCheckBox* cbxRemindOnce2 = nullptr;
  TComboBox* cbxHourOfRemindOnce2 = nullptr;
  TComboBox* cbxMinOfRemindOnce2 = nullptr;
  TEdit* edtContentOfRemindOnce2 = nullptr;
  TGroupBox* grbRemindHourWindow = nullptr;  // "报时界面选择"
  TComboBox* cbbSelectRemindHourWindow = nullptr;
  TLabel* lblRemindHourWindowColorBorder = nullptr;  // the border box's caption
  TColorBox* clbRemindHourWindowColorBody = nullptr;
  TColorBox* clbRemindHourWindowColorBorder = nullptr;
  TCheckBox* cbxRemindHourUseColorOfMainSetup = nullptr;
  TButton* btnViewDefaultColor1 = nullptr;
  TButton* btnPreviewRemindHourWindow = nullptr;
  TGroupBox* grbRemindOnceWindow = nullptr;  // "快速提醒界面选择"
  TComboBox* cbbSelectRemindOnceWindow = nullptr;
  TLabel* lblRemindOnceWindowColorBorder = nullptr;
  TColorBox* clbRemindOnceWindowColorBody = nullptr;
  TColorBox* clbRemindOnceWindowColorBorder = nullptr;
  TCheckBox* cbxRemindOnceUseColorOfMainSetup = nullptr;
  TButton* btnViewDefaultColor2 = nullptr;
  TButton* btnPreviewRemindOnceWindow = nullptr;

  // ---- page 4 "休息主界面" ----
  TTabSheet* tshInterfaceBreakForm = nullptr;
  TComboBox* cbbBreakInterface = nullptr;
  TCheckBox* cbxRandomInterface = nullptr;
  TCheckBox* cbxShowSlogan = nullptr;
  TComboBox* cbbSlogan = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TCheckBox* cbxShowPowerButton = nullptr;
  TCheckBox* cbxShowCurrentMode = nullptr;
  TCheckBox* cbxToggleB4Break = nullptr;
  TButton* btnPreviewBreakForm = nullptr;
  TGroupBox* GroupBox8 = nullptr;  // "控制", not visible
  TEdit* edtFadeInSpeed = nullptr;
  TUpDown* updFadeInSpeed = nullptr;
  TEdit* edtFadeInStep = nullptr;
  TUpDown* UpdFadeInStep = nullptr;
  TEdit* edtTransparency = nullptr;
  TUpDown* updTransparency = nullptr;
  TEdit* edtMoiseStrenth = nullptr;
  TUpDown* updMoiseStrenth = nullptr;
  TCheckBox* cbxUseMoiseEffect = nullptr;

  // ---- page 5 "休息提醒界面" ----
  TTabSheet* tshInterfaceBreakRemind = nullptr;
  TGroupBox* grbCountDownWindow = nullptr;  // "大窗口倒计时提醒界面"
  TImage* imgOfHintForm = nullptr;
  TColorBox* clbBreakHintColorMain = nullptr;
  TComboBox* cbbZoomRateCountDownWindow = nullptr;
  TScrollBar* scbZoomRateCountDownWindow = nullptr;
  TLabel* lblZoomRate1 = nullptr;
  TEdit* edtFontAdjustOfCountDownWindow = nullptr;
  TUpDown* updFontAdjustOfCountDownWindow = nullptr;
  TButton* btnPreviewHintForm = nullptr;
  TGroupBox* grbBreakHintSmallWindow = nullptr;  // "小窗口休息提醒界面选择"
  TComboBox* cbbSelectBreakHintSmallWindow = nullptr;
  TColorBox* clbBreakHintSmallWindowColorBody = nullptr;
  TLabel* lblBreakHintSmallWindowColorBorder = nullptr;
  TColorBox* clbBreakHintSmallWindowColorBorder = nullptr;
  TCheckBox* cbxRestoreColorOfBreakHintSmallWindowToDefault = nullptr;
  TButton* btnViewDefaultColorOfBreakHintSmallWindow = nullptr;
  TButton* btnPreviewBreakHintSmallWindow = nullptr;

  // ---- page 6 "通用界面管理" ----
  TTabSheet* tshInterfaceMgr = nullptr;
  TGroupBox* grbHintSmallWindow = nullptr;
  TColorBox* clbHintSmallWindowColorBody = nullptr;
  TComboBox* cbbZoomRateHintSmallWindow = nullptr;
  TScrollBar* scbZoomRateHintSmallWindow = nullptr;
  TLabel* lblZoomRate2 = nullptr;
  TEdit* edtFontAdjustOfHintSmallWindow = nullptr;
  TUpDown* updFontAdjustOfHintSmallWindow = nullptr;
  TButton* btnPreviewHintSmallWindow = nullptr;
  TGroupBox* grbRemindCenterWindow = nullptr;
  TColorBox* clbColorMainOfRemindCenterWindow = nullptr;
  TColorBox* clbColorBorderOfRemindCenterWindow = nullptr;
  TComboBox* cbbZoomRateRemindCenterWindow = nullptr;
  TScrollBar* scbZoomRateRemindCenterWindow = nullptr;
  TLabel* lblZoomRateCenterWindow = nullptr;
  TEdit* edtFontAdjustOfRemindCenterWindow = nullptr;
  TUpDown* updFontAdjustOfRemindCenterWindow = nullptr;
  TButton* btnPreviewRemindCenterWindow = nullptr;

  // ---- page 7 "综合/其它" ----
  TTabSheet* tshOther = nullptr;
  TImage* imgScreenShadow = nullptr;
  TButton* btnLoadScreenShadow = nullptr;
  TCheckBox* cbxShowSOT = nullptr;
  TImage* imgDesktopDeco = nullptr;
  TButton* btnLoadDesktopDeco = nullptr;
  TCheckBox* cbxShowDesktopDeco = nullptr;
  TCheckBox* cbxAutoRun = nullptr;
  TButton* btnFixAutoRun = nullptr;
  TButton* btnAddtoStartMenu = nullptr;
  TButton* btnCreateDeskIcon = nullptr;
  TButton* btnLaunchDeskpanel = nullptr;
  TComboBox* cbxActionOnSelectTerminate = nullptr;
  TCheckBox* cbxHarwareIsLaptop = nullptr;
  TGroupBox* GroupBox10 = nullptr;
  TComboBox* cbbHotKeyAction = nullptr;
  TButton* btnClose = nullptr;
  TOpenPictureDialog* OpenPictureDialog1 = nullptr;

  // ---- break plans and modes ----
  // FBreakPlans and FCurrentPlanIndex, bounds-checked.
  TBreakPlanStore Plans;
  // The plan in force (scheduler, countdown, break window, statistics caption).
  TBreakPlan PlanInForce() const { return Plans.PlanInForce(); }
  // The plan selected in the list (tiredness, statistics' rest time).
  TBreakPlan SelectedPlan() const;
  TBreakMode BreakMode() const;

  // ---- the readers: the controls as each consumer reads them, at the moment of use ----
  TSchedulerSettings SchedulerSettings() const;
  TBreakWindowSettings BreakWindowSettings() const;
  // Runs the window's zoom mode handler first; no value text.
  RemindWindowLook RemindLook(int kind, ZoomWindow window);
  // Runs the countdown's zoom mode handler first.
  TCountdownSettings CountdownSettings();

  void StoreBreakPlan();
  void ShowBreakPlan();
  void UpdatePlanEditing();
  static bool PlanNameExists(TComboBox* list, const std::wstring& name);
  void cbxBreakPlanPreSetSelect(TObject* Sender);
  void updCanApplyMaxMinsClick(TObject* Sender, TUDBtnType Button);
  void btnApplyBreakPlanNowClick(TObject* Sender);
  void btnAddMyBreakPlanClick(TObject* Sender);
  void btnRenameMyBreakPlanClick(TObject* Sender);
  void btnRememberMyBreakPlanClick(TObject* Sender);
  void rbxSelectBreakModeClick(TObject* Sender);
  void scbInterfereIntensityChange(TObject* Sender);

  // ---- life cycle and qv30cfg ----
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnCloseClick(TObject* Sender);
  void LoadConfig();
  // Throws the file error (shown in the standard error box by the caller's boundary).
  void SaveConfig();
  // The controls' values as qv30cfg holds them, and back.
  ConfigValues CollectConfigValues();
  void ApplyConfigValues(const ConfigValues& values);
  ConfigListCounts ConfigCounts() const;
  // True while LoadConfig sets the controls: handlers run, but ask nothing.
  bool LoadingConfig() const { return loadingConfig_; }

  // ---- screen-saver list ----
  void AddSysSCR();
  void FindAllFileInADirectory(const std::wstring& folder);
  void cbbSCRSaversChange(TObject* Sender);
  void cbbSCRSaversNameChange(TObject* Sender);
  void cbxUseSaverDeckClick(TObject* Sender);

  // ---- screen savers: start, settings, the on/off switch ----
  // The chosen saver (or a random one, the own saver, or the player's run) as page 2 sets it.
  void LaunchSCR(bool usePlayer);
  // A new own-saver window; animated false: the plain black screen.
  void ShowInternalSCR(bool animated);
  void btnSCRPreviewClick(TObject* Sender);
  void btnSCRSetupClick(TObject* Sender);
  // The switch; Sender nil turns the box over (WIN+K, the restore timer).
  void cbxEnableSelfSCRClick(TObject* Sender);
  void tmrToRestoreDisabledSCRTimer(TObject* Sender);
  // Set while the switch turns its own box over, so the box's handler does nothing then.
  bool SelfSCRToggling = false;

  // ---- previews: "点击预览" (page 4) and the countdown's "预览" (page 5) ----
  void btnPreviewBreakFormClick(TObject* Sender);
  void btnPreviewHintFormClick(TObject* Sender);

  // ---- power options: the help question, the help page, the system's power options ----
  // "请问你是否已经阅读"设置必读"？...": No opens the help and gives true (setting stops here).
  bool ConfirmPowerHelpRead();
  void lblHelp_PowerSetupClick(TObject* Sender);
  void btnPowerSetupClick(TObject* Sender);

  // ---- handlers loading runs, kept minimal until the power and overlay work arrives ----
  void cbxEnableShutDownDisplayerClick(TObject* Sender);
  void cbxEnableSuspendClick(TObject* Sender);
  void cbxShowSOTClick(TObject* Sender);
  void cbxShowDesktopDecoClick(TObject* Sender);
  void updFadeInSpeedClick(TObject* Sender, TUDBtnType Button);
  void updMoiseStrenthClick(TObject* Sender, TUDBtnType Button);

  // ---- reminder windows: zoom, window type, colours, previews (uniSetupRemind.cpp) ----
  void BindRemindHandlers(Binder<TfrmSetup>& b);
  // s of the zoom rule for a design screen (0 x 0: 800 x 600) on the current screen.
  static double GetAutoZoomRate(uint16_t designWidth, uint16_t designHeight);
  // Points the break window and the own screen saver add to their fonts.
  static int GetAutoFontAdjust();
  void cbbZoomRateCountDownWindowSelect(TObject* Sender);
  void cbbZoomRateHintSmallWindowSelect(TObject* Sender);
  void cbbZoomRateRemindCenterWindowSelect(TObject* Sender);
  void scbZoomRateCountDownWindowChange(TObject* Sender);
  void scbZoomRateHintSmallWindowChange(TObject* Sender);
  void scbZoomRateRemindCenterWindowChange(TObject* Sender);
  void scbZoomRateCountDownWindowScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void scbZoomRateHintSmallWindowScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void scbZoomRateRemindCenterWindowScroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  void tshInterfaceBreakRemindShow(TObject* Sender);
  void tshInterfaceMgrShow(TObject* Sender);
  void cbbSelectBreakHintSmallWindowChange(TObject* Sender);
  void cbbSelectRemindHourWindowChange(TObject* Sender);
  void cbbSelectRemindOnceWindowChange(TObject* Sender);
  void cbxRestoreColorOfBreakHintSmallWindowToDefaultClick(TObject* Sender);
  void cbxRemindHourUseColorOfMainSetupClick(TObject* Sender);
  void cbxRemindOnceUseColorOfMainSetupClick(TObject* Sender);
  void clbBreakHintSmallWindowColorBodyChange(TObject* Sender);
  void clbBreakHintSmallWindowColorBorderChange(TObject* Sender);
  void clbRemindHourWindowColorBodySelect(TObject* Sender);
  void clbRemindHourWindowColorBorderSelect(TObject* Sender);
  void clbRemindOnceWindowColorBodySelect(TObject* Sender);
  void clbRemindOnceWindowColorBorderSelect(TObject* Sender);
  void btnViewDefaultColorClick(TObject* Sender);
  void btnPreviewBreakHintSmallWindowClick(TObject* Sender);
  void btnPreviewRemindHourWindowClick(TObject* Sender);
  void btnPreviewRemindOnceWindowClick(TObject* Sender);
  void btnPreviewHintSmallWindowClick(TObject* Sender);
  void btnPreviewRemindCenterWindowClick(TObject* Sender);
  // What a reminder window reads when it is made: its zoom after the mode handler has run for
  // the current screen, and its kind's colours and content line.
  struct TRemindZoom {
    int mode, percent, fontAdjust;
  };
  TRemindZoom RemindWindowZoom(ZoomWindow w);
  TColor RemindBodyColor(int kind);
  TColor RemindBorderColor(int kind);
  std::wstring RemindContent(int kind);

 private:
  void ZoomModeSelected(ZoomWindow w);
  void ZoomPercentChangedBy(ZoomWindow w);
  void ZoomScrolledByUser(ZoomWindow w);
  void RemindChooserChanged(TComboBox* chooser, TColorBox* border, TLabel* borderCaption, TCheckBox* restore);
  void RestoreRemindColors(TCheckBox* restore, TComboBox* chooser, TColorBox* body, TColorBox* border);
  void UncheckRestoreBox(TCheckBox* restore);

 public:
  // ---- end of reminder windows ----

  // ---- page 7 "综合/其它" and the slogan font of page 4 (uniSetupOther.cpp) ----
  void BindOtherHandlers(Binder<TfrmSetup>& b);
  // btnClose's caption for the exit setting's item.
  static std::wstring ExitButtonCaption(int actionIndex);
  // The wave strength's maximum for a fade-in speed.
  static int MoiseStrengthMax(int fadeInSpeed);
  void btnLoadScreenShadowClick(TObject* Sender);
  void btnFixAutoRunClick(TObject* Sender);
  void cbxAutoRunClick(TObject* Sender);
  // cbxAutoRun := whether the Run value names this executable, asking and writing nothing.
  void ShowAutoRunReadBack();
  void btnAddtoStartMenuClick(TObject* Sender);
  void btnCreateDeskIconClick(TObject* Sender);
  void btnLaunchDeskpanelClick(TObject* Sender);
  void cbxActionOnSelectTerminateChange(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);

  void WndProc(TMessage& m) override;

 private:
  void BindControls(Binder<TfrmSetup>& b);
  TBreakPlanPage PlanPage() const;
  // The list's text is the selected item's: a plan is chosen.
  bool PlanIsChosen();
  void ApplyConfigValue(const ConfigItem& item, const ConfigValues& values);
  bool loadingConfig_ = false;
};

extern TfrmSetup* frmSetup;
