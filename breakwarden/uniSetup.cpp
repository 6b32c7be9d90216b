#include "uniSetup.h"

#include <algorithm>
#include <random>

#include "BkwdSeams.h"
#include "QVSeams.h"
#include "ScrRules.h"
#include "ScreenSavers.h"
#include "TextFile.h"
#include "SchedulerMath.h"
#include "uniBreakHint.h"
#include "uniQVShare.h"
#include "uniScrBKWD.h"
#include "uniStat.h"
#include "unitFrmMain.h"

TfrmSetup* frmSetup = nullptr;

namespace {

std::wstring& ConfigFolderOverride() {
  static std::wstring folder;
  return folder;
}

constexpr const wchar_t* kSaveQuestion = L"是否保存设置？未更改或想放弃更改请点否。";
constexpr const wchar_t* kSaveCaption = L"存盘提示:";
constexpr const wchar_t* kHintCaption = L"提示";

// The standard message window: the application's title and an OK button.
void ShowMessage(const std::wstring& text) { Application->MessageBox(text, Application->Title, MB_OK); }

}  // namespace

// ---- the configuration file's folder ----------------------------------------------------------

std::wstring SetupConfigFolder() {
  // The executable's folder comes without its last backslash.
  const std::wstring f = ConfigFolderOverride().empty() ? OwnExeFolder() : ConfigFolderOverride();
  if (f.empty()) return f;
  return f.back() == L'\\' || f.back() == L'/' ? f : f + L"\\";
}

void SetSetupConfigFolder(const std::wstring& folder) { ConfigFolderOverride() = folder; }

std::wstring SetupConfigPath() { return SetupConfigFolder() + kConfigFileName; }

// ---- the dialog -------------------------------------------------------------------------------

TfrmSetup::TfrmSetup(TComponent* AOwner) : TForm(AOwner) {
  Binder<TfrmSetup> b(this);
  BindControls(b);
  BindRemindHandlers(b);
  BindOtherHandlers(b);
  InitForm(L"TfrmSetup", b);
}
QV_REGISTER_FORM(TfrmSetup);

TfrmSetup::~TfrmSetup() {
  if (frmSetup != this) return;
  frmSetup = nullptr;
}

void TfrmSetup::BindControls(Binder<TfrmSetup>& b) {
  b.Bind(QV_MEMBER(PageControl1))
      // page 0
      .Bind(QV_MEMBER(tshBasicSetupOfBreak))
      .Bind(QV_MEMBER(cbxBreakPlanPreSet))
      .Bind(QV_MEMBER(btnAddMyBreakPlan))
      .Bind(QV_MEMBER(btnRenameMyBreakPlan))
      .Bind(QV_MEMBER(btnRememberMyBreakPlan))
      .Bind(QV_MEMBER(GroupBox101))
      .Bind(QV_MEMBER(edtBreakInterval))
      .Bind(QV_MEMBER(updBreakInterval))
      .Bind(QV_MEMBER(edtBreakMins))
      .Bind(QV_MEMBER(updBreakMins))
      .Bind(QV_MEMBER(GroupBox102))
      .Bind(QV_MEMBER(edtCanApplyMaxMins))
      .Bind(QV_MEMBER(updCanApplyMaxMins))
      .Bind(QV_MEMBER(edtCanApplyMaxTimes))
      .Bind(QV_MEMBER(updCanApplyMaxTimes))
      .Bind(QV_MEMBER(edtApplyOnceMaxMins))
      .Bind(QV_MEMBER(updApplyOnceMaxMins))
      .Bind(QV_MEMBER(edtAddBreak4ExtTime_SECperMIN))
      .Bind(QV_MEMBER(updAddBreak4ExtTime_SECperMIN))
      .Bind(QV_MEMBER(GroupBox103))
      .Bind(QV_MEMBER(edtIdleMinsResetCycle))
      .Bind(QV_MEMBER(updIdleMinsResetCycle))
      .Bind(QV_MEMBER(edtExtWorkMinsPerIdle))
      .Bind(QV_MEMBER(updExtWorkMinsPerIdle))
      .Bind(QV_MEMBER(cbxFrequencyOfPCOperation))
      .Bind(QV_MEMBER(GroupBox104))
      .Bind(QV_MEMBER(scbMicroAdjust))
      .Bind(QV_MEMBER(btnApplyBreakPlanNow))
      // page 1
      .Bind(QV_MEMBER(tshBreakMode))
      .Bind(QV_MEMBER(rbxSelectBreakMode))
      .Bind(QV_MEMBER(gbxModeFree))
      .Bind(QV_MEMBER(cbxNotShowFrmBreakHintLastOneMin_FreeMode))
      .Bind(QV_MEMBER(gbxModeHint))
      .Bind(QV_MEMBER(cbxNotShowFrmBreakHintLastOneMin_PasswordMode))
      .Bind(QV_MEMBER(gbxModeinterrupt))
      .Bind(QV_MEMBER(scbInterfereIntensity))
      .Bind(QV_MEMBER(lblInterfereIntensity))
      .Bind(QV_MEMBER(gbxModeForce))
      .Bind(QV_MEMBER(cbxDisableKeyboard))
      .Bind(QV_MEMBER(cbxHideCursor))
      // page 2
      .Bind(QV_MEMBER(tshScrAndPower))
      .Bind(QV_MEMBER(cbxEnableSelfSCR))
      .Bind(QV_MEMBER(edtSCR))
      .Bind(QV_MEMBER(updSCR))
      .Bind(QV_MEMBER(cbxAutoRestoreDisabledSCR))
      .Bind(QV_MEMBER(edtRestoreSCRAfterMins))
      .Bind(QV_MEMBER(updRestoreSCRAfterMins))
      .Bind(QV_MEMBER(lblSCR_total))
      .Bind(QV_MEMBER(cbxRandomSCR))
      .Bind(QV_MEMBER(cbxUseSaverDeck))
      .Bind(QV_MEMBER(cbxBanYing))
      .Bind(QV_MEMBER(cbbSCRSavers))
      .Bind(QV_MEMBER(cbbSCRSaversName))
      .Bind(QV_MEMBER(btnSCRSetup))
      .Bind(QV_MEMBER(btnSCRPreview))
      .Bind(QV_MEMBER(tmrToRestoreDisabledSCR))
      .Bind(QV_MEMBER(cbxEnableShutDownDisplayer))
      .Bind(QV_MEMBER(edtShutDownDisplayer))
      .Bind(QV_MEMBER(updShutDownDisplayer))
      .Bind(QV_MEMBER(cbxEnableSuspend))
      .Bind(QV_MEMBER(edtLetSuspend))
      .Bind(QV_MEMBER(updLetSuspend))
      .Bind(QV_MEMBER(cbbStandByOrSleep))
      .Bind(QV_MEMBER(lblHelp_PowerSetup))
      .Bind(QV_MEMBER(btnPowerSetup))
      // page 3
      .Bind(QV_MEMBER(tshRemind))
      .Bind(QV_MEMBER(cbxRemindOnHour))
      .Bind(QV_MEMBER(cbxRemindOnHalfHour))
      .Bind(QV_MEMBER(cbxRemindOnce1))
      .Bind(QV_MEMBER(cbxHourOfRemindOnce1))
      .Bind(QV_MEMBER(cbxMinOfRemindOnce1))
      .Bind(QV_MEMBER(edtContentOfRemindOnce1))
      .Bind(QV_MEMBER(cbxRemindOnce2))
      .Bind(QV_MEMBER(cbxHourOfRemindOnce2))
      .Bind(QV_MEMBER(cbxMinOfRemindOnce2))
      .Bind(QV_MEMBER(edtContentOfRemindOnce2))
      .Bind(QV_MEMBER(grbRemindHourWindow))
      .Bind(QV_MEMBER(cbbSelectRemindHourWindow))
      .Bind(QV_MEMBER(lblRemindHourWindowColorBorder))
      .Bind(QV_MEMBER(clbRemindHourWindowColorBody))
      .Bind(QV_MEMBER(clbRemindHourWindowColorBorder))
      .Bind(QV_MEMBER(cbxRemindHourUseColorOfMainSetup))
      .Bind(QV_MEMBER(btnViewDefaultColor1))
      .Bind(QV_MEMBER(btnPreviewRemindHourWindow))
      .Bind(QV_MEMBER(grbRemindOnceWindow))
      .Bind(QV_MEMBER(cbbSelectRemindOnceWindow))
      .Bind(QV_MEMBER(lblRemindOnceWindowColorBorder))
      .Bind(QV_MEMBER(clbRemindOnceWindowColorBody))
      .Bind(QV_MEMBER(clbRemindOnceWindowColorBorder))
      .Bind(QV_MEMBER(cbxRemindOnceUseColorOfMainSetup))
      .Bind(QV_MEMBER(btnViewDefaultColor2))
      .Bind(QV_MEMBER(btnPreviewRemindOnceWindow))
      // page 4
      .Bind(QV_MEMBER(tshInterfaceBreakForm))
      .Bind(QV_MEMBER(cbbBreakInterface))
      .Bind(QV_MEMBER(cbxRandomInterface))
      .Bind(QV_MEMBER(cbxShowSlogan))
      .Bind(QV_MEMBER(cbbSlogan))
      .Bind(QV_MEMBER(SpeedButton1))
      .Bind(QV_MEMBER(FontDialog1))
      .Bind(QV_MEMBER(cbxShowPowerButton))
      .Bind(QV_MEMBER(cbxShowCurrentMode))
      .Bind(QV_MEMBER(cbxToggleB4Break))
      .Bind(QV_MEMBER(btnPreviewBreakForm))
      .Bind(QV_MEMBER(GroupBox8))
      .Bind(QV_MEMBER(edtFadeInSpeed))
      .Bind(QV_MEMBER(updFadeInSpeed))
      .Bind(QV_MEMBER(edtFadeInStep))
      .Bind(QV_MEMBER(UpdFadeInStep))
      .Bind(QV_MEMBER(edtTransparency))
      .Bind(QV_MEMBER(updTransparency))
      .Bind(QV_MEMBER(edtMoiseStrenth))
      .Bind(QV_MEMBER(updMoiseStrenth))
      .Bind(QV_MEMBER(cbxUseMoiseEffect))
      // page 5
      .Bind(QV_MEMBER(tshInterfaceBreakRemind))
      .Bind(QV_MEMBER(grbCountDownWindow))
      .Bind(QV_MEMBER(imgOfHintForm))
      .Bind(QV_MEMBER(clbBreakHintColorMain))
      .Bind(QV_MEMBER(cbbZoomRateCountDownWindow))
      .Bind(QV_MEMBER(scbZoomRateCountDownWindow))
      .Bind(QV_MEMBER(lblZoomRate1))
      .Bind(QV_MEMBER(edtFontAdjustOfCountDownWindow))
      .Bind(QV_MEMBER(updFontAdjustOfCountDownWindow))
      .Bind(QV_MEMBER(btnPreviewHintForm))
      .Bind(QV_MEMBER(grbBreakHintSmallWindow))
      .Bind(QV_MEMBER(cbbSelectBreakHintSmallWindow))
      .Bind(QV_MEMBER(clbBreakHintSmallWindowColorBody))
      .Bind(QV_MEMBER(lblBreakHintSmallWindowColorBorder))
      .Bind(QV_MEMBER(clbBreakHintSmallWindowColorBorder))
      .Bind(QV_MEMBER(cbxRestoreColorOfBreakHintSmallWindowToDefault))
      .Bind(QV_MEMBER(btnViewDefaultColorOfBreakHintSmallWindow))
      .Bind(QV_MEMBER(btnPreviewBreakHintSmallWindow))
      // page 6
      .Bind(QV_MEMBER(tshInterfaceMgr))
      .Bind(QV_MEMBER(grbHintSmallWindow))
      .Bind(QV_MEMBER(clbHintSmallWindowColorBody))
      .Bind(QV_MEMBER(cbbZoomRateHintSmallWindow))
      .Bind(QV_MEMBER(scbZoomRateHintSmallWindow))
      .Bind(QV_MEMBER(lblZoomRate2))
      .Bind(QV_MEMBER(edtFontAdjustOfHintSmallWindow))
      .Bind(QV_MEMBER(updFontAdjustOfHintSmallWindow))
      .Bind(QV_MEMBER(btnPreviewHintSmallWindow))
      .Bind(QV_MEMBER(grbRemindCenterWindow))
      .Bind(QV_MEMBER(clbColorMainOfRemindCenterWindow))
      .Bind(QV_MEMBER(clbColorBorderOfRemindCenterWindow))
      .Bind(QV_MEMBER(cbbZoomRateRemindCenterWindow))
      .Bind(QV_MEMBER(scbZoomRateRemindCenterWindow))
      .Bind(QV_MEMBER(lblZoomRateCenterWindow))
      .Bind(QV_MEMBER(edtFontAdjustOfRemindCenterWindow))
      .Bind(QV_MEMBER(updFontAdjustOfRemindCenterWindow))
      .Bind(QV_MEMBER(btnPreviewRemindCenterWindow))
      // page 7
      .Bind(QV_MEMBER(tshOther))
      .Bind(QV_MEMBER(imgScreenShadow))
      .Bind(QV_MEMBER(btnLoadScreenShadow))
      .Bind(QV_MEMBER(cbxShowSOT))
      .Bind(QV_MEMBER(imgDesktopDeco))
      .Bind(QV_MEMBER(btnLoadDesktopDeco))
      .Bind(QV_MEMBER(cbxShowDesktopDeco))
      .Bind(QV_MEMBER(cbxAutoRun))
      .Bind(QV_MEMBER(btnFixAutoRun))
      .Bind(QV_MEMBER(btnAddtoStartMenu))
      .Bind(QV_MEMBER(btnCreateDeskIcon))
      .Bind(QV_MEMBER(btnLaunchDeskpanel))
      .Bind(QV_MEMBER(cbxActionOnSelectTerminate))
      .Bind(QV_MEMBER(cbxHarwareIsLaptop))
      .Bind(QV_MEMBER(GroupBox10))
      .Bind(QV_MEMBER(cbbHotKeyAction))
      .Bind(QV_MEMBER(btnClose))
      .Bind(QV_MEMBER(OpenPictureDialog1));

  b.On(QV_HANDLER(FormCreate))
      .On(QV_HANDLER(FormShow))
      .On(QV_HANDLER(FormClose))
      .On(QV_HANDLER(FormKeyDown))
      .On(QV_HANDLER(btnCloseClick))
      .On(QV_HANDLER(cbxBreakPlanPreSetSelect))
      .On(QV_HANDLER(updCanApplyMaxMinsClick))
      .On(QV_HANDLER(btnApplyBreakPlanNowClick))
      .On(QV_HANDLER(btnAddMyBreakPlanClick))
      .On(QV_HANDLER(btnRenameMyBreakPlanClick))
      .On(QV_HANDLER(btnRememberMyBreakPlanClick))
      .On(QV_HANDLER(rbxSelectBreakModeClick))
      .On(QV_HANDLER(scbInterfereIntensityChange))
      .On(QV_HANDLER(cbbSCRSaversChange))
      .On(QV_HANDLER(cbbSCRSaversNameChange))
      .On(QV_HANDLER(cbxUseSaverDeckClick))
      .On(QV_HANDLER(btnSCRPreviewClick))
      .On(QV_HANDLER(btnSCRSetupClick))
      .On(QV_HANDLER(cbxEnableSelfSCRClick))
      .On(QV_HANDLER(tmrToRestoreDisabledSCRTimer))
      .On(QV_HANDLER(cbxEnableShutDownDisplayerClick))
      .On(QV_HANDLER(cbxEnableSuspendClick))
      .On(QV_HANDLER(lblHelp_PowerSetupClick))
      .On(QV_HANDLER(btnPowerSetupClick))
      .On(QV_HANDLER(cbxShowSOTClick))
      .On(QV_HANDLER(updFadeInSpeedClick))
      .On(QV_HANDLER(updMoiseStrenthClick))
      .On(QV_HANDLER(btnPreviewBreakFormClick))
      .On(QV_HANDLER(btnPreviewHintFormClick));
}

// ---- break plans -------------------------------------------------------------------

TBreakPlan TfrmSetup::SelectedPlan() const { return Plans.SelectedOrInForce(cbxBreakPlanPreSet->ItemIndex()); }

TBreakMode TfrmSetup::BreakMode() const { return BreakModeFromIndex(rbxSelectBreakMode->ItemIndex()); }

TBreakPlanPage TfrmSetup::PlanPage() const {
  TBreakPlanPage p;
  p.BreakInterval = updBreakInterval->Position();
  p.BreakMins = updBreakMins->Position();
  p.CanApplyMaxMins = updCanApplyMaxMins->Position();
  p.CanApplyMaxTimes = updCanApplyMaxTimes->Position();
  p.ApplyOnceMaxMins = updApplyOnceMaxMins->Position();
  p.MicroAdjust = scbMicroAdjust->Position();
  p.AddBreak4ExtTime_SECperMIN = updAddBreak4ExtTime_SECperMIN->Position();
  p.ExtWorkMinsPerIdle = updExtWorkMinsPerIdle->Position();
  p.IdleMinsResetCycle = updIdleMinsResetCycle->Position();
  return p;
}

void TfrmSetup::StoreBreakPlan() {
  Plans.StoreBreakPlan(cbxBreakPlanPreSet->ItemIndex(), size_t(cbxBreakPlanPreSet->Items.Count()), PlanPage());
}

void TfrmSetup::ShowBreakPlan() {
  std::optional<TBreakPlanPage> p = Plans.ShowBreakPlan(cbxBreakPlanPreSet->ItemIndex());
  if (!p) return;
  updBreakInterval->SetPosition(p->BreakInterval);
  updBreakMins->SetPosition(p->BreakMins);
  updCanApplyMaxMins->SetPosition(p->CanApplyMaxMins);
  updCanApplyMaxTimes->SetPosition(p->CanApplyMaxTimes);
  updApplyOnceMaxMins->SetPosition(p->ApplyOnceMaxMins);
  scbMicroAdjust->SetPosition(p->MicroAdjust);
  updExtWorkMinsPerIdle->SetPosition(p->ExtWorkMinsPerIdle);
  updIdleMinsResetCycle->SetPosition(p->IdleMinsResetCycle);
  updAddBreak4ExtTime_SECperMIN->SetPosition(p->AddBreak4ExtTime_SECperMIN);
}

void TfrmSetup::cbxBreakPlanPreSetSelect(TObject*) {
  const int index = cbxBreakPlanPreSet->ItemIndex();
  if (index >= 0 && index < int(kPresetCount)) {
    // The preset's values, in the order the page shows them.
    const TBreakPlanPreset& p = kBreakPlanPresets[index];
    updBreakInterval->SetPosition(p.BreakInterval);
    updBreakMins->SetPosition(p.BreakMins);
    updCanApplyMaxMins->SetPosition(p.CanApplyMaxMins);
    updCanApplyMaxMinsClick(nullptr, btNext);
    updCanApplyMaxTimes->SetPosition(3);
    scbMicroAdjust->SetPosition(p.MicroAdjust);
    updAddBreak4ExtTime_SECperMIN->SetPosition(p.AddBreak4ExtTime_SECperMIN);
    updExtWorkMinsPerIdle->SetPosition(p.ExtWorkMinsPerIdle);
    updIdleMinsResetCycle->SetPosition(updBreakMins->Position() + 1);
  } else {
    ShowBreakPlan();
  }
  UpdatePlanEditing();
}

void TfrmSetup::updCanApplyMaxMinsClick(TObject*, TUDBtnType) {
  updApplyOnceMaxMins->SetMax(updCanApplyMaxMins->Position());
  updApplyOnceMaxMins->SetPosition(updApplyOnceMaxMins->Max());
}

void TfrmSetup::UpdatePlanEditing() {
  const bool e = PlanEditable(cbxBreakPlanPreSet->ItemIndex());
  GroupBox101->SetEnabled(e);
  GroupBox102->SetEnabled(e);
  GroupBox103->SetEnabled(e);
  GroupBox104->SetEnabled(e);
  btnRenameMyBreakPlan->SetEnabled(e);
  btnRememberMyBreakPlan->SetEnabled(GroupBox101->Enabled());
}

bool TfrmSetup::PlanNameExists(TComboBox* list, const std::wstring& name) {
  for (int i = 0; i < list->Items.Count(); ++i)
    if (list->Items[i] == name) return true;
  return false;
}

bool TfrmSetup::PlanIsChosen() {
  const int index = cbxBreakPlanPreSet->ItemIndex();
  const std::wstring& text = cbxBreakPlanPreSet->Text();
  return !text.empty() && index >= 0 && index < cbxBreakPlanPreSet->Items.Count() &&
         text == cbxBreakPlanPreSet->Items[index];
}

void TfrmSetup::btnApplyBreakPlanNowClick(TObject*) {
  if (!PlanIsChosen()) {
    ShowMessage(L"你还未选定方案！");
    return;
  }
  StoreBreakPlan();
  Plans.SetPlanInForce(cbxBreakPlanPreSet->ItemIndex());
  Dialogs().MessageBox(Handle(), L"当前设置已正式生效!", kHintCaption, MB_OK);
}

void TfrmSetup::btnAddMyBreakPlanClick(TObject*) { ShowMessage(L"V1.0暂时不开放此功能。"); }

void TfrmSetup::btnRenameMyBreakPlanClick(TObject*) {
  if (!PlanIsChosen()) {
    ShowMessage(L"你还未选定要改名的方案！");
    return;
  }
  // The input box comes with the custom plans, which nothing creates yet: until then the
  // answer is the one a cancelled box gives.
  const std::wstring name;
  if (PlanNameExists(cbxBreakPlanPreSet, name)) {
    Dialogs().MessageBox(Handle(), L"方案名＂" + name + L"＂已经存在!", kHintCaption, MB_OK);
    return;
  }
  if (!name.empty() && name[0] != L' ') {
    const int index = cbxBreakPlanPreSet->ItemIndex();
    cbxBreakPlanPreSet->Items.Put(index, name);
    cbxBreakPlanPreSet->SetItemIndex(index);
    UpdatePlanEditing();
  } else {
    Dialogs().MessageBox(Handle(), L"文件名＂" + name + L"＂非法!请输入正确的名称!", kHintCaption, MB_OK);
  }
}

void TfrmSetup::btnRememberMyBreakPlanClick(TObject*) {
  if (!PlanIsChosen()) {
    ShowMessage(L"你还未选定要保存的方案！");
    return;
  }
  StoreBreakPlan();
  ShowMessage(L"数值已暂时保存！");
}

// ---- break modes -------------------------------------------------------------------

void TfrmSetup::rbxSelectBreakModeClick(TObject*) {
  const int index = rbxSelectBreakMode->ItemIndex();
  if (index >= 0 && index < kBreakModeCount) {
    TGroupBox* const groups[kBreakModeCount] = {gbxModeFree, gbxModeHint, gbxModeinterrupt, gbxModeForce};
    for (int i = 0; i < kBreakModeCount; ++i) groups[i]->SetVisible(i == index);
    if (frmMain) {
      const wchar_t* const items[kBreakModeCount] = {L"NModeFree", L"NModePassword", L"NModeInterference",
                                                     L"NModeEnforce"};
      for (int i = 0; i < kBreakModeCount; ++i)
        if (auto* item = dynamic_cast<TMenuItem*>(frmMain->FindComponent(items[i]))) item->Checked = i == index;
    }
  }
  if (IsFormCreated(L"frmBreakHint") && frmBreakHint) frmBreakHint->UpdateCaption();
  if (IsFormCreated(L"frmStat") && frmStat) frmStat->UpdateCaption();
}

void TfrmSetup::scbInterfereIntensityChange(TObject*) {
  lblInterfereIntensity->SetCaption(InterfereIntensityText(scbInterfereIntensity->Position()));
}

// ---- screen-saver list -------------------------------------------------------------

void TfrmSetup::AddSysSCR() {
  // The Windows folder, then the System folder.
  for (const std::wstring& folder : ScrFolders()) FindAllFileInADirectory(folder);
}

void TfrmSetup::FindAllFileInADirectory(const std::wstring& folder) {
  for (const ScrEntry& e : ListScrFiles(folder)) {
    cbbSCRSavers->Items.Add(e.Path);
    cbbSCRSaversName->Items.Add(e.Name);
  }
}

void TfrmSetup::cbbSCRSaversChange(TObject*) { cbbSCRSaversName->SetItemIndex(cbbSCRSavers->ItemIndex()); }

void TfrmSetup::cbbSCRSaversNameChange(TObject*) { cbbSCRSavers->SetItemIndex(cbbSCRSaversName->ItemIndex()); }

void TfrmSetup::cbxUseSaverDeckClick(TObject*) { cbbSCRSaversName->SetEnabled(!cbxUseSaverDeck->Checked()); }

// ---- screen savers: start, settings, the switch ------------------------------------------------

void TfrmSetup::LaunchSCR(bool usePlayer) {
  TRandom random;  // seeded anew at each start
  const TScrLaunch l = ScrLaunchFor(usePlayer, cbxRandomSCR->Checked(), cbxBanYing->Checked(),
                                    cbbSCRSavers->ItemIndex(), cbbSCRSavers->Items.Count(), random);
  if (l.PlayerCommand) {
    CallSaverDeck(Handle(), l.PlayerCommand);
    return;
  }
  if (l.Saver == kScrInternal) ShowInternalSCR(true);
  // "/S" alone: "%1" belongs in the shell's command templates, and a saver given it literally
  // opens its settings instead of running. Its failure is not reported.
  else if (l.Saver > kScrInternal)
    ShellCalls().Execute(Handle(), L"open", cbbSCRSavers->Items[l.Saver], L"/S", L"", SW_SHOWNORMAL);
  if (l.RestartAccompaniment) CallSaverDeck(Handle(), 15);
}

void TfrmSetup::ShowInternalSCR(bool animated) {
  ScrStaticMode = !animated;
  auto* saver = new TfrmScrBKWD(Application);
  saver->Show();
  saver->BringToFront();
  // The picture overlay stays above the saver.
  if (cbxShowSOT->Checked())
    if (TForm* sot = Application->FindForm(L"SOTForm"); sot && sot->HandleAllocated())
      SetWindowPos(sot->HandleIfAllocated(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmSetup::btnSCRPreviewClick(TObject*) { LaunchSCR(cbxUseSaverDeck->Checked()); }

void TfrmSetup::btnSCRSetupClick(TObject*) {
  const int index = cbbSCRSavers->ItemIndex();
  switch (ScrSetupFor(cbxUseSaverDeck->Checked(), index, cbbSCRSavers->Items.Count())) {
    case TScrSetupAction::PlayerPage:
      CallSaverDeck(Handle(), 7);
      break;
    case TScrSetupAction::NoOptionsBox:
      Dialogs().MessageBox(Handle(), L"此屏幕保护程序没有可供设置的选项。", L"Quovel屏保提示", MB_OK);
      break;
    case TScrSetupAction::SaverConfig:
      // The verb's own command template starts the saver for its settings.
      ShellCalls().Execute(Handle(), L"config", cbbSCRSavers->Items[index], L"", L"", SW_SHOWNORMAL);
      break;
    case TScrSetupAction::None:
      break;
  }
}

void TfrmSetup::cbxEnableSelfSCRClick(TObject* Sender) {
  if (SelfSCRToggling) return;
  if (Sender) {
    Dialogs().MessageBox(Handle(), ScrSwitchMessage(cbxEnableSelfSCR->Checked()), kScrSwitchCaption, MB_OK);
  } else {
    FlagScope toggling(SelfSCRToggling);
    cbxEnableSelfSCR->SetChecked(!cbxEnableSelfSCR->Checked());
  }
  if (frmMain && frmMain->NDisableSelfSCR) {
    frmMain->NDisableSelfSCR->Checked = !cbxEnableSelfSCR->Checked();
    frmMain->NDisableSelfSCRClick(cbxEnableSelfSCR);
  }
}

void TfrmSetup::tmrToRestoreDisabledSCRTimer(TObject*) { cbxEnableSelfSCRClick(nullptr); }

void PowerSeam::LaunchScreenSaver() {
  if (frmSetup) frmSetup->btnSCRPreviewClick(nullptr);
}

// ---- previews of the break window and the countdown -----------------------------------------

void TfrmSetup::btnPreviewBreakFormClick(TObject*) {
  if (frmMain) frmMain->DemoBreak();
}

void TfrmSetup::btnPreviewHintFormClick(TObject*) {
  if (frmMain) frmMain->DemoHint();
}

// ---- handlers that loading runs; the power and overlay work completes them ---------------------

void TfrmSetup::cbxEnableShutDownDisplayerClick(TObject*) {
  // Only a box the user has just checked asks; loading qv30cfg never does. Unchecking runs this
  // again, unchecked, and asks nothing.
  if (!LoadingConfig() && cbxEnableShutDownDisplayer->Checked() && ConfirmPowerHelpRead())
    cbxEnableShutDownDisplayer->SetChecked(false);
}

void TfrmSetup::cbxEnableSuspendClick(TObject*) {
  if (!LoadingConfig() && cbxEnableSuspend->Checked() && ConfirmPowerHelpRead()) cbxEnableSuspend->SetChecked(false);
}

void TfrmSetup::cbxShowSOTClick(TObject*) {
  auto* item = frmMain ? dynamic_cast<TMenuItem*>(frmMain->FindComponent(L"NShowSOT")) : nullptr;
  if (item) item->Checked = cbxShowSOT->Checked();
  if (frmMain) frmMain->ShowSOT(item ? item->Checked : cbxShowSOT->Checked());
}

void TfrmSetup::updFadeInSpeedClick(TObject*, TUDBtnType) {
  updMoiseStrenth->SetMax(MoiseStrengthMax(updFadeInSpeed->Position()));
  updMoiseStrenthClick(nullptr, btNext);
}

void TfrmSetup::updMoiseStrenthClick(TObject*, TUDBtnType) {
  edtMoiseStrenth->SetText(IntToStr(updMoiseStrenth->Position()));
}

// ---- qv30cfg -----------------------------------------------------------------------

ConfigListCounts TfrmSetup::ConfigCounts() const {
  ConfigListCounts counts;
  for (const ConfigItem& item : ConfigLayout()) {
    if (item.kind != ConfigKind::Index) continue;
    TComponent* c = FindComponent(item.control);
    if (auto* combo = dynamic_cast<TComboBox*>(c)) counts[item.control] = combo->Items.Count();
    else if (auto* radio = dynamic_cast<TRadioGroup*>(c)) counts[item.control] = radio->Items().Count();
  }
  return counts;
}

ConfigValues TfrmSetup::CollectConfigValues() {
  ConfigValues v = DefaultConfigValues(ConfigCounts());
  for (const ConfigItem& item : ConfigLayout()) {
    TComponent* c = FindComponent(item.control);
    switch (item.kind) {
      case ConfigKind::Bool:
        if (auto* box = dynamic_cast<TCheckBox*>(c)) v.SetBool(item.control, box->Checked());
        break;
      case ConfigKind::Int:
        if (auto* up = dynamic_cast<TUpDown*>(c)) v.SetInt(item.control, up->Position());
        else if (auto* bar = dynamic_cast<TScrollBar*>(c)) v.SetInt(item.control, bar->Position());
        else if (auto* font = dynamic_cast<TFontDialog*>(c)) v.SetInt(item.control, font->Font.Size);
        break;
      case ConfigKind::Index:
        if (auto* combo = dynamic_cast<TComboBox*>(c)) v.SetInt(item.control, combo->ItemIndex());
        else if (auto* radio = dynamic_cast<TRadioGroup*>(c)) v.SetInt(item.control, radio->ItemIndex());
        break;
      case ConfigKind::Colour:
        if (auto* colours = dynamic_cast<TColorBox*>(c)) v.SetInt(item.control, colours->Selected());
        break;
      case ConfigKind::Text:
        if (auto* edit = dynamic_cast<TEdit*>(c)) v.SetText(item.control, edit->Text());
        break;
      case ConfigKind::Path:
        if (auto* dialog = dynamic_cast<TOpenDialog*>(c)) v.SetText(item.control, dialog->FileName);
        break;
    }
  }
  return v;
}

void TfrmSetup::ApplyConfigValue(const ConfigItem& item, const ConfigValues& values) {
  TComponent* c = FindComponent(item.control);
  switch (item.kind) {
    case ConfigKind::Bool:
      // A changed box runs its click handler, as a user's click would.
      if (auto* box = dynamic_cast<TCheckBox*>(c)) box->SetChecked(values.Bool(item.control));
      break;
    case ConfigKind::Int:
      // The controls hold the value within their ranges (a font adjustment within the range its
      // zoom position, applied just before, has given it).
      if (auto* up = dynamic_cast<TUpDown*>(c)) up->SetPosition(values.Int(item.control));
      else if (auto* bar = dynamic_cast<TScrollBar*>(c)) bar->SetPosition(values.Int(item.control));
      else if (auto* font = dynamic_cast<TFontDialog*>(c)) font->Font.Size = values.Int(item.control);
      break;
    case ConfigKind::Index:
      if (auto* combo = dynamic_cast<TComboBox*>(c)) combo->SetItemIndex(values.Int(item.control));
      else if (auto* radio = dynamic_cast<TRadioGroup*>(c)) radio->SetItemIndex(values.Int(item.control));
      break;
    case ConfigKind::Colour:
      if (auto* colours = dynamic_cast<TColorBox*>(c)) colours->SetSelected(values.Int(item.control));
      break;
    case ConfigKind::Text:
      if (auto* edit = dynamic_cast<TEdit*>(c)) edit->SetText(values.Text(item.control));
      break;
    case ConfigKind::Path:
      if (auto* dialog = dynamic_cast<TOpenDialog*>(c)) {
        const std::wstring name = values.Text(item.control);
        dialog->FileName = name;
        if (!name.empty() && FileExists(name)) {
          // A picture that does not load keeps the designed one, and its name is not saved again:
          // the error shows at this start only.
          dialog->FileName.clear();
          TPicture picture;
          picture.LoadFromFile(name);
          imgScreenShadow->Picture.Assign(picture);
          imgScreenShadow->PictureChanged();
          dialog->FileName = name;
        }
      }
      break;
  }
}

void TfrmSetup::ApplyConfigValues(const ConfigValues& values) {
  for (const ConfigItem* item : ConfigApplyOrder()) {
    const std::wstring control = item->control;
    StartUpStep([&] { ApplyConfigValue(*item, values); });
    // The handlers that run within the sections, as a user's change of the control would.
    if (control == L"cbbSCRSavers") StartUpStep([&] { cbbSCRSaversChange(nullptr); });
    if (control == L"clbRemindOnceWindowColorBorder")
      StartUpStep([&] {
        cbbSelectRemindHourWindowChange(nullptr);
        cbbSelectRemindOnceWindowChange(nullptr);
      });
    if (control == L"clbBreakHintSmallWindowColorBorder")
      StartUpStep([&] { cbbSelectBreakHintSmallWindowChange(nullptr); });
  }
}

void TfrmSetup::LoadConfig() {
  const std::wstring path = SetupConfigPath();
  if (!FileExists(path)) return;
  std::vector<std::wstring> lines;
  try {
    lines = ReadTextLines(path);
  } catch (const std::exception& e) {
    Application->HandleException(e);
    return;
  }
  ConfigReadResult read = ReadConfigLines(lines, ConfigCounts());
  {
    FlagScope loading(loadingConfig_);
    ApplyConfigValues(read.values);
  }
  // Each value that did not convert kept its design default; one box names them all.
  if (!read.errors.empty()) Application->HandleException(EConvertError(ConfigErrorSummary(read.errors)));
}

void TfrmSetup::SaveConfig() {
  const std::wstring path = SetupConfigPath();
  ConfigValues values = CollectConfigValues();
  // A path the file cannot keep keeps the value the file holds now.
  ConfigValues saved = DefaultConfigValues(ConfigCounts());
  if (FileExists(path)) {
    try {
      saved = ReadConfigLines(ReadTextLines(path), ConfigCounts()).values;
    } catch (const std::exception&) {
      // Unreadable: the form's values stand in.
    }
  }
  const std::vector<std::wstring> lost = KeepStorableNames(values, saved);
  WriteTextLines(path, WriteConfigLines(values));
  if (!lost.empty())
    Dialogs().MessageBox(Handle(), LostNamesText(kLostSettingNames, lost), kSaveCaption, MB_OK | MB_ICONWARNING);
}

// ---- life cycle --------------------------------------------------------------------

void TfrmSetup::FormCreate(TObject*) {
  frmSetup = this;

  // 1. The screen-saver lists; the file may then choose another entry.
  StartUpStep([&] { AddSysSCR(); });
  lblSCR_total->SetCaption(IntToStr(cbbSCRSavers->Items.Count() - 1));
  if (cbbSCRSavers->Items.Count() > 1) cbbSCRSavers->SetItemIndex(1);
  cbbSCRSaversName->SetItemIndex(cbbSCRSavers->ItemIndex());

  // 2. The countdown window's picture is the overlay picture as designed.
  imgOfHintForm->Picture.Assign(imgScreenShadow->Picture);
  imgOfHintForm->PictureChanged();

  // 3.
  StartUpStep([&] { LoadConfig(); });
  StartUpStep([&] { ShowAutoRunReadBack(); });

  // 4. Mode and plan; the plan in force is the selected one.
  StartUpStep([&] { rbxSelectBreakModeClick(nullptr); });
  StartUpStep([&] {
    cbxBreakPlanPreSetSelect(nullptr);
    StoreBreakPlan();
    Plans.SetPlanInForce(cbxBreakPlanPreSet->ItemIndex());
  });

  // 5. The scheduler runs from here on.
  if (frmMain) {
    StartUpStep([&] { frmMain->StartWorkPeriod(FullPeriodMins(PlanInForce())); });
    StartUpStep([&] { frmMain->StartIdleWatch(); });
  }

  // 6. The system's own screen saver is off while the program runs (given back at the end).
  StartUpStep([&] { ScreenSaver().SetActive(false); });

  // 7. The desktop overlays.
  if (frmMain) {
    if (cbxShowDesktopDeco->Checked()) StartUpStep([&] { frmMain->ShowDesktopDeco(true); });
    if (cbxShowSOT->Checked()) StartUpStep([&] { frmMain->ShowSOT(true); });
  }

  // 8.
  StartUpStep([&] {
    cbbSelectRemindHourWindowChange(nullptr);
    cbbSelectRemindOnceWindowChange(nullptr);
  });
  StartUpStep([&] { updFadeInSpeedClick(nullptr, btNext); });

  // 9. The splash ends 3000 ms later.
  if (frmMain && frmMain->CloseAnimateTimer) frmMain->CloseAnimateTimer->SetEnabled(true);
}

void TfrmSetup::FormShow(TObject*) {
  const int n = cbbHotKeyAction->Items.Count();
  if (n <= 0) return;
  std::mt19937 random(Clock().TickCount() ^ unsigned(GetCurrentProcessId()));
  cbbHotKeyAction->SetItemIndex(int(random() % unsigned(n)));
}

void TfrmSetup::FormCanResize(TObject*, int&, int&, bool& Resize) { Resize = false; }

void TfrmSetup::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) {
    Key = 0;
    Close();
  }
}

void TfrmSetup::FormClose(TObject*, TCloseAction& Action) {
  switch (Dialogs().MessageBox(Handle(), kSaveQuestion, kSaveCaption, MB_YESNOCANCEL)) {
    case IDYES:
      try {
        SaveConfig();
      } catch (const std::exception& e) {
        // Not saved: the dialog stays open, so the settings can be saved again.
        Application->HandleException(e);
        Action = caNone;
        return;
      }
      Action = caHide;
      return;
    case IDNO:
      Action = caHide;
      return;
    default:
      Action = caNone;
      return;
  }
}

void TfrmSetup::btnCloseClick(TObject*) {
  const int action = cbxActionOnSelectTerminate->ItemIndex();
  if ((action == 1 || action == 2) && frmMain) {
    frmMain->NExitClick(nullptr);
    return;
  }
  Close();
}

void TfrmSetup::WndProc(TMessage& m) {
  // A fixed size: every size change that would alter the dialog once it is on screen is refused.
  if (m.Msg == WM_WINDOWPOSCHANGING && HandleAllocated() && IsWindowVisible(HandleIfAllocated())) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
    if (!(pos->flags & SWP_NOSIZE) && (pos->cx != Width() || pos->cy != Height())) {
      int w = pos->cx, h = pos->cy;
      bool resize = true;
      FormCanResize(this, w, h, resize);
      if (!resize) pos->flags |= SWP_NOSIZE;
    }
  }
  TForm::WndProc(m);
}
