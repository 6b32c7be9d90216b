// The settings as the other windows read them: one reader per consumer, each reading the dialog's
// controls at the moment of use, and the settings seam's real side, which falls back to the
// dialog's defaults while there is no dialog.
#include "BkwdSeams.h"
#include "ConfigLayout.h"
#include "Forms.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

bool IsChecked(const TCheckBox* box) { return box && box->Checked(); }
int ItemOf(const TComboBox* box) { return box ? box->ItemIndex() : -1; }
int PositionOf(const TUpDown* upDown, int fallback) { return upDown ? upDown->Position() : fallback; }

TColor DefaultColour(const wchar_t* control) {
  const ConfigItem* item = control ? FindConfigItem(control) : nullptr;
  return item ? TColor(item->defaultValue) : clGray;
}

// What each reader answers while there is no settings dialog.
namespace no_dialog {

TSchedulerSettings SchedulerSettings() {
  TSchedulerSettings c;
  c.Plan = c.SelectedPlan = TBreakPlanStore().PlanInForce();
  return c;
}

TBreakWindowSettings BreakWindowSettings() { return {}; }

RemindWindowLook RemindLook(int kind, ZoomWindow window) {
  const RemindKindInfo& info = ShownRemindKind(kind);
  RemindWindowLook look{&info, L"", info.content ? info.content : L"", 0, 0, zmAuto, 0, 0};
  look.percent = ZoomPercentForMode(zmAuto, 0, Screen->Width(), Screen->Height());
  look.fontAdjust = ZoomPercentChanged(window, look.percent).fontAdjust;
  look.body = DefaultColour(info.bodyColour);
  look.border = DefaultColour(info.borderColour);
  if (!info.content) {
    const ConfigItem* item = FindConfigItem(info.contentControl);
    look.content = item && item->defaultText ? item->defaultText : L"";
  }
  return look;
}

}  // namespace no_dialog

}  // namespace

// ---- the dialog's readers ---------------------------------------------------------------------

TSchedulerSettings TfrmSetup::SchedulerSettings() const {
  TSchedulerSettings c;
  c.Plan = PlanInForce();
  c.SelectedPlan = SelectedPlan();
  c.FrequencyItem = ItemOf(cbxFrequencyOfPCOperation);
  c.Clock.Once1 = IsChecked(cbxRemindOnce1);
  c.Clock.Once1Hour = ItemOf(cbxHourOfRemindOnce1);
  c.Clock.Once1Min = ItemOf(cbxMinOfRemindOnce1);
  c.Clock.Once2 = IsChecked(cbxRemindOnce2);
  c.Clock.Once2Hour = ItemOf(cbxHourOfRemindOnce2);
  c.Clock.Once2Min = ItemOf(cbxMinOfRemindOnce2);
  c.Clock.OnHour = IsChecked(cbxRemindOnHour);
  c.Clock.OnHalfHour = IsChecked(cbxRemindOnHalfHour);
  const TBreakMode mode = BreakModeFromIndex(rbxSelectBreakMode ? rbxSelectBreakMode->ItemIndex() : 0);
  c.CountdownHidden = CountdownRunsHidden(mode, IsChecked(cbxNotShowFrmBreakHintLastOneMin_FreeMode),
                                          IsChecked(cbxNotShowFrmBreakHintLastOneMin_PasswordMode));
  c.ScrIdleMins = PositionOf(updSCR, c.ScrIdleMins);
  c.DisplayOffIdleMins = PositionOf(updShutDownDisplayer, c.DisplayOffIdleMins);
  c.DisplayOffEnabled = IsChecked(cbxEnableShutDownDisplayer);
  c.SuspendIdleMins = PositionOf(updLetSuspend, c.SuspendIdleMins);
  c.SuspendEnabled = IsChecked(cbxEnableSuspend);
  c.StandByOrSleep = ItemOf(cbbStandByOrSleep);
  c.OnceWindow = ItemOf(cbbSelectRemindOnceWindow);
  c.HourWindow = ItemOf(cbbSelectRemindHourWindow);
  c.BreakHintWindow = ItemOf(cbbSelectBreakHintSmallWindow);
  c.Laptop = IsChecked(cbxHarwareIsLaptop);
  return c;
}

TBreakWindowSettings TfrmSetup::BreakWindowSettings() const {
  TBreakWindowSettings s;
  if (rbxSelectBreakMode) s.Mode = BreakModeFromIndex(rbxSelectBreakMode->ItemIndex());
  if (scbInterfereIntensity) s.InterfereIntensity = scbInterfereIntensity->Position();
  if (cbxHideCursor) s.HideCursor = cbxHideCursor->Checked();
  if (cbxDisableKeyboard) s.DisableKeyboard = cbxDisableKeyboard->Checked();
  if (updFadeInSpeed) s.FadeInSpeed = updFadeInSpeed->Position();
  if (UpdFadeInStep) s.FadeInStep = UpdFadeInStep->Position();
  if (updTransparency) s.Transparency = updTransparency->Position();
  if (cbxUseMoiseEffect) s.UseWaveEffect = cbxUseMoiseEffect->Checked();
  if (updMoiseStrenth) s.WaveStrength = updMoiseStrenth->Position();
  if (cbxShowSlogan) s.ShowSlogan = cbxShowSlogan->Checked();
  if (cbbSlogan) s.Slogan = cbbSlogan->Text();
  if (FontDialog1) s.SloganFont.Assign(FontDialog1->Font);
  if (cbxShowPowerButton) s.ShowPowerButton = cbxShowPowerButton->Checked();
  if (cbxShowCurrentMode) s.ShowCurrentMode = cbxShowCurrentMode->Checked();
  if (cbbBreakInterface) {
    s.Pattern = cbbBreakInterface->ItemIndex();
    s.PatternCount = cbbBreakInterface->Items.Count();
  }
  if (cbxRandomInterface) s.RandomPattern = cbxRandomInterface->Checked();
  s.Plan = PlanInForce();
  s.ToggleDesktop = IsChecked(cbxToggleB4Break);
  return s;
}

RemindWindowLook TfrmSetup::RemindLook(int kind, ZoomWindow window) {
  const RemindKindInfo& info = ShownRemindKind(kind);
  RemindWindowLook look{&info, L"", L"", 0, 0, zmAuto, 0, 0};
  const TRemindZoom z = RemindWindowZoom(window);
  look.zoomMode = z.mode;
  look.percent = z.percent;
  look.fontAdjust = z.fontAdjust;
  look.body = RemindBodyColor(info.kind);
  look.border = RemindBorderColor(info.kind);
  look.content = RemindContent(info.kind);
  return look;
}

// ---- the settings seam's real side -------------------------------------------------------------

TSchedulerSettings SettingsSeam::SchedulerSettings() {
  TSchedulerSettings c = frmSetup ? frmSetup->SchedulerSettings() : no_dialog::SchedulerSettings();
  // The tray item, not the dialog, switches the own screen saver off.
  c.SelfScrDisabled = frmMain && frmMain->NDisableSelfSCR && frmMain->NDisableSelfSCR->Checked;
  return c;
}

TBreakWindowSettings SettingsSeam::BreakWindowSettings() {
  return frmSetup ? frmSetup->BreakWindowSettings() : no_dialog::BreakWindowSettings();
}

RemindWindowLook SettingsSeam::RemindLook(int kind, ZoomWindow window) {
  return frmSetup ? frmSetup->RemindLook(kind, window) : no_dialog::RemindLook(kind, window);
}

int SettingsSeam::ExitActionIndex() { return frmSetup ? frmSetup->cbxActionOnSelectTerminate->ItemIndex() : -1; }

void SettingsSeam::SetBreakPattern(int pattern) {
  if (frmSetup && frmSetup->cbbBreakInterface) frmSetup->cbbBreakInterface->SetItemIndex(pattern);
}

void SettingsSeam::SelectedPlanTakesForce() {
  if (!frmSetup || !frmSetup->cbxBreakPlanPreSet) return;
  const int selected = frmSetup->cbxBreakPlanPreSet->ItemIndex();
  frmSetup->StoreBreakPlan();
  // With no selection the plan in force stays.
  frmSetup->Plans.SetPlanInForce(selected);
}

void SettingsSeam::EnableBreakPreview(bool on) {
  if (frmSetup && frmSetup->btnPreviewBreakForm) frmSetup->btnPreviewBreakForm->SetEnabled(on);
}

void SettingsSeam::EnableHintPreview(bool on) {
  if (frmSetup && frmSetup->btnPreviewHintForm) frmSetup->btnPreviewHintForm->SetEnabled(on);
}

void SettingsSeam::SetExitActionColor(TColor color) {
  if (frmSetup) frmSetup->cbxActionOnSelectTerminate->SetColor(color);
}

TForm* SettingsSeam::SetupForm() { return frmSetup; }

void SettingsSeam::SelectSetupPage(int page) {
  if (frmSetup && page >= 0 && page < frmSetup->PageControl1->PageCount())
    frmSetup->PageControl1->SetActivePageIndex(page);
}
