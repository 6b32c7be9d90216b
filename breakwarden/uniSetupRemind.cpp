// The settings dialog's handlers for the reminder windows: zoom, window type, colours, previews.
#include <algorithm>

#include "ConfigLayout.h"
#include "DisplayZoom.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

constexpr const wchar_t* kHintCaption = L"提示";

template <class T>
T* Find(const TForm* form, const wchar_t* name) {
  return name ? dynamic_cast<T*>(form->FindComponent(name)) : nullptr;
}

// A stored colour's default, for a colour box the dialog does not have.
TColor DefaultColour(const wchar_t* control) {
  const ConfigItem* item = control ? FindConfigItem(control) : nullptr;
  return item ? TColor(item->defaultValue) : clGray;
}

// Keeps the position inside the new range whichever way the range moves.
void SetUpDownRange(TUpDown* up, int min, int max) {
  if (min > up->Max()) {
    up->SetMax(max);
    up->SetMin(min);
  } else {
    up->SetMin(min);
    up->SetMax(max);
  }
}

}  // namespace

void TfrmSetup::BindRemindHandlers(Binder<TfrmSetup>& b) {
  b.On(QV_HANDLER(cbbZoomRateCountDownWindowSelect))
      .On(QV_HANDLER(cbbZoomRateHintSmallWindowSelect))
      .On(QV_HANDLER(cbbZoomRateRemindCenterWindowSelect))
      .On(QV_HANDLER(scbZoomRateCountDownWindowChange))
      .On(QV_HANDLER(scbZoomRateHintSmallWindowChange))
      .On(QV_HANDLER(scbZoomRateRemindCenterWindowChange))
      .On(QV_HANDLER(scbZoomRateCountDownWindowScroll))
      .On(QV_HANDLER(scbZoomRateHintSmallWindowScroll))
      .On(QV_HANDLER(scbZoomRateRemindCenterWindowScroll))
      .On(QV_HANDLER(tshInterfaceBreakRemindShow))
      .On(QV_HANDLER(tshInterfaceMgrShow))
      .On(QV_HANDLER(cbbSelectBreakHintSmallWindowChange))
      .On(QV_HANDLER(cbbSelectRemindHourWindowChange))
      .On(QV_HANDLER(cbbSelectRemindOnceWindowChange))
      .On(QV_HANDLER(cbxRestoreColorOfBreakHintSmallWindowToDefaultClick))
      .On(QV_HANDLER(cbxRemindHourUseColorOfMainSetupClick))
      .On(QV_HANDLER(cbxRemindOnceUseColorOfMainSetupClick))
      .On(QV_HANDLER(clbBreakHintSmallWindowColorBodyChange))
      .On(QV_HANDLER(clbBreakHintSmallWindowColorBorderChange))
      .On(QV_HANDLER(clbRemindHourWindowColorBodySelect))
      .On(QV_HANDLER(clbRemindHourWindowColorBorderSelect))
      .On(QV_HANDLER(clbRemindOnceWindowColorBodySelect))
      .On(QV_HANDLER(clbRemindOnceWindowColorBorderSelect))
      .On(QV_HANDLER(btnViewDefaultColorClick))
      .On(QV_HANDLER(btnPreviewBreakHintSmallWindowClick))
      .On(QV_HANDLER(btnPreviewRemindHourWindowClick))
      .On(QV_HANDLER(btnPreviewRemindOnceWindowClick))
      .On(QV_HANDLER(btnPreviewHintSmallWindowClick))
      .On(QV_HANDLER(btnPreviewRemindCenterWindowClick));
}

// ---- zoom ------------------------------------------------------------------------------------

double TfrmSetup::GetAutoZoomRate(uint16_t designWidth, uint16_t designHeight) {
  return ::GetAutoZoomRate(designWidth, designHeight, Screen->Width(), Screen->Height());
}

int TfrmSetup::GetAutoFontAdjust() { return ::GetAutoFontAdjust(Screen->Width(), Screen->Height()); }

void TfrmSetup::ZoomModeSelected(ZoomWindow w) {
  const ZoomWindowInfo& info = ZoomWindowInfoOf(w);
  auto* mode = Find<TComboBox>(this, info.modeCombo);
  auto* bar = Find<TScrollBar>(this, info.percentScrollBar);
  if (!mode || !bar) return;
  // The scroll bar runs its change handler only when the percent really changes, so an unchanged
  // percent keeps the user's fine-tuned font adjustment.
  bar->SetPosition(ZoomPercentForMode(mode->ItemIndex(), bar->Position(), Screen->Width(), Screen->Height()));
}

void TfrmSetup::ZoomPercentChangedBy(ZoomWindow w) {
  const ZoomWindowInfo& info = ZoomWindowInfoOf(w);
  auto* bar = Find<TScrollBar>(this, info.percentScrollBar);
  if (!bar) return;
  ZoomPercentChange change = ZoomPercentChanged(w, bar->Position());
  if (auto* label = Find<TLabel>(this, info.percentLabel)) label->SetCaption(change.label);
  if (auto* adjust = Find<TUpDown>(this, info.fontAdjust)) {
    SetUpDownRange(adjust, change.min, change.max);
    adjust->SetPosition(change.fontAdjust);
  }
}

void TfrmSetup::ZoomScrolledByUser(ZoomWindow w) {
  if (auto* mode = Find<TComboBox>(this, ZoomWindowInfoOf(w).modeCombo)) mode->SetItemIndex(zmCustom);
}

void TfrmSetup::cbbZoomRateCountDownWindowSelect(TObject*) { ZoomModeSelected(ZoomWindow::CountDown); }
void TfrmSetup::cbbZoomRateHintSmallWindowSelect(TObject*) { ZoomModeSelected(ZoomWindow::HintSmall); }
void TfrmSetup::cbbZoomRateRemindCenterWindowSelect(TObject*) { ZoomModeSelected(ZoomWindow::RemindCenter); }
void TfrmSetup::scbZoomRateCountDownWindowChange(TObject*) { ZoomPercentChangedBy(ZoomWindow::CountDown); }
void TfrmSetup::scbZoomRateHintSmallWindowChange(TObject*) { ZoomPercentChangedBy(ZoomWindow::HintSmall); }
void TfrmSetup::scbZoomRateRemindCenterWindowChange(TObject*) { ZoomPercentChangedBy(ZoomWindow::RemindCenter); }
void TfrmSetup::scbZoomRateCountDownWindowScroll(TObject*, TScrollCode, int&) {
  ZoomScrolledByUser(ZoomWindow::CountDown);
}
void TfrmSetup::scbZoomRateHintSmallWindowScroll(TObject*, TScrollCode, int&) {
  ZoomScrolledByUser(ZoomWindow::HintSmall);
}
void TfrmSetup::scbZoomRateRemindCenterWindowScroll(TObject*, TScrollCode, int&) {
  ZoomScrolledByUser(ZoomWindow::RemindCenter);
}

void TfrmSetup::tshInterfaceBreakRemindShow(TObject*) { cbbZoomRateCountDownWindowSelect(nullptr); }

void TfrmSetup::tshInterfaceMgrShow(TObject*) {
  cbbZoomRateHintSmallWindowSelect(nullptr);
  cbbZoomRateRemindCenterWindowSelect(nullptr);
}

TfrmSetup::TRemindZoom TfrmSetup::RemindWindowZoom(ZoomWindow w) {
  ZoomModeSelected(w);
  const ZoomWindowInfo& info = ZoomWindowInfoOf(w);
  auto* mode = Find<TComboBox>(this, info.modeCombo);
  auto* bar = Find<TScrollBar>(this, info.percentScrollBar);
  auto* adjust = Find<TUpDown>(this, info.fontAdjust);
  TRemindZoom z{mode ? mode->ItemIndex() : zmAuto, 0, 0};
  z.percent = bar ? bar->Position() : ZoomPercentForMode(zmAuto, 0, Screen->Width(), Screen->Height());
  z.fontAdjust = adjust ? adjust->Position() : ZoomPercentChanged(w, z.percent).fontAdjust;
  return z;
}

// ---- window types and colours ----------------------------------------------------------------

TColor TfrmSetup::RemindBodyColor(int kind) {
  const RemindKindInfo* info = FindRemindKind(kind);
  if (!info) return clBtnFace;
  auto* box = Find<TColorBox>(this, info->bodyColour);
  return box ? box->Selected() : DefaultColour(info->bodyColour);
}

TColor TfrmSetup::RemindBorderColor(int kind) {
  const RemindKindInfo* info = FindRemindKind(kind);
  if (!info) return clYellow;
  auto* box = Find<TColorBox>(this, info->borderColour);
  return box ? box->Selected() : DefaultColour(info->borderColour);
}

std::wstring TfrmSetup::RemindContent(int kind) {
  const RemindKindInfo* info = FindRemindKind(kind);
  if (!info) return L"";
  if (info->content) return info->content;
  auto* edit = Find<TEdit>(this, info->contentControl);
  return edit ? edit->Text() : L"";
}

void TfrmSetup::RemindChooserChanged(TComboBox* chooser, TColorBox* border, TLabel* borderCaption,
                                     TCheckBox* restore) {
  if (!chooser) return;
  // Only the centre window has a border.
  const bool centre = chooser->ItemIndex() == rwCenterWindow;
  if (border) border->SetVisible(centre);
  if (borderCaption) borderCaption->SetVisible(centre);
  UncheckRestoreBox(restore);
}

void TfrmSetup::RestoreRemindColors(TCheckBox* restore, TComboBox* chooser, TColorBox* body, TColorBox* border) {
  if (!restore || !restore->Checked() || !chooser) return;
  if (chooser->ItemIndex() == rwSmallWindow) {
    if (body && clbHintSmallWindowColorBody) body->SetSelected(clbHintSmallWindowColorBody->Selected());
  } else if (chooser->ItemIndex() == rwCenterWindow) {
    if (body && clbColorMainOfRemindCenterWindow) body->SetSelected(clbColorMainOfRemindCenterWindow->Selected());
    if (border && clbColorBorderOfRemindCenterWindow)
      border->SetSelected(clbColorBorderOfRemindCenterWindow->Selected());
  }
}

void TfrmSetup::UncheckRestoreBox(TCheckBox* restore) {
  if (restore) restore->SetChecked(false);
}

void TfrmSetup::cbbSelectBreakHintSmallWindowChange(TObject*) {
  RemindChooserChanged(cbbSelectBreakHintSmallWindow, clbBreakHintSmallWindowColorBorder,
                       lblBreakHintSmallWindowColorBorder, cbxRestoreColorOfBreakHintSmallWindowToDefault);
}
void TfrmSetup::cbbSelectRemindHourWindowChange(TObject*) {
  RemindChooserChanged(cbbSelectRemindHourWindow, clbRemindHourWindowColorBorder, lblRemindHourWindowColorBorder,
                       cbxRemindHourUseColorOfMainSetup);
}
void TfrmSetup::cbbSelectRemindOnceWindowChange(TObject*) {
  RemindChooserChanged(cbbSelectRemindOnceWindow, clbRemindOnceWindowColorBorder, lblRemindOnceWindowColorBorder,
                       cbxRemindOnceUseColorOfMainSetup);
}

void TfrmSetup::cbxRestoreColorOfBreakHintSmallWindowToDefaultClick(TObject*) {
  RestoreRemindColors(cbxRestoreColorOfBreakHintSmallWindowToDefault, cbbSelectBreakHintSmallWindow,
                      clbBreakHintSmallWindowColorBody, clbBreakHintSmallWindowColorBorder);
}
void TfrmSetup::cbxRemindHourUseColorOfMainSetupClick(TObject*) {
  RestoreRemindColors(cbxRemindHourUseColorOfMainSetup, cbbSelectRemindHourWindow, clbRemindHourWindowColorBody,
                      clbRemindHourWindowColorBorder);
}
void TfrmSetup::cbxRemindOnceUseColorOfMainSetupClick(TObject*) {
  RestoreRemindColors(cbxRemindOnceUseColorOfMainSetup, cbbSelectRemindOnceWindow, clbRemindOnceWindowColorBody,
                      clbRemindOnceWindowColorBorder);
}

void TfrmSetup::clbBreakHintSmallWindowColorBodyChange(TObject*) {
  UncheckRestoreBox(cbxRestoreColorOfBreakHintSmallWindowToDefault);
}
void TfrmSetup::clbBreakHintSmallWindowColorBorderChange(TObject*) {
  UncheckRestoreBox(cbxRestoreColorOfBreakHintSmallWindowToDefault);
}
void TfrmSetup::clbRemindHourWindowColorBodySelect(TObject*) { UncheckRestoreBox(cbxRemindHourUseColorOfMainSetup); }
void TfrmSetup::clbRemindHourWindowColorBorderSelect(TObject*) { UncheckRestoreBox(cbxRemindHourUseColorOfMainSetup); }
void TfrmSetup::clbRemindOnceWindowColorBodySelect(TObject*) { UncheckRestoreBox(cbxRemindOnceUseColorOfMainSetup); }
void TfrmSetup::clbRemindOnceWindowColorBorderSelect(TObject*) { UncheckRestoreBox(cbxRemindOnceUseColorOfMainSetup); }

void TfrmSetup::btnViewDefaultColorClick(TObject* Sender) {
  if (PageControl1 && tshInterfaceMgr) PageControl1->SetActivePage(tshInterfaceMgr);
  TGroupBox* preset = Sender && Sender == btnViewDefaultColorOfBreakHintSmallWindow ? grbHintSmallWindow
                                                                                    : grbRemindCenterWindow;
  if (!preset) return;
  preset->SetColor(clYellow);
  DelayWithMessages(1000);
  // The dialog may have been closed meanwhile; it lives for the whole run, so its controls remain.
  preset->SetColor(Color());
}

// ---- previews --------------------------------------------------------------------------------

void TfrmSetup::btnPreviewBreakHintSmallWindowClick(TObject*) {
  // As the tray's "最新提示...": only between breaks.
  if (frmMain && frmMain->FBreakState == stWorking)
    frmMain->ShowRemindWindow(cbbSelectBreakHintSmallWindow, rkNextBreak);
}

void TfrmSetup::btnPreviewRemindHourWindowClick(TObject*) {
  bool onHour = cbxRemindOnHour && cbxRemindOnHour->Checked();
  bool onHalf = cbxRemindOnHalfHour && cbxRemindOnHalfHour->Checked();
  if (!onHour && !onHalf) {
    Dialogs().MessageBox(Handle(), L"你还没有启用报时功能！", kHintCaption, MB_OK);
    return;
  }
  if (frmMain) frmMain->ShowRemindWindow(cbbSelectRemindHourWindow, rkRemindHour);
}

void TfrmSetup::btnPreviewRemindOnceWindowClick(TObject*) {
  int kind;
  if (cbxRemindOnce1 && cbxRemindOnce1->Checked()) kind = rkRemindOnce1;
  else if (cbxRemindOnce2 && cbxRemindOnce2->Checked()) kind = rkRemindOnce2;
  else {
    Dialogs().MessageBox(Handle(), L"你还没有启用一个快速提醒！", kHintCaption, MB_OK);
    return;
  }
  if (frmMain) frmMain->ShowRemindWindow(cbbSelectRemindOnceWindow, uint8_t(kind));
}

void TfrmSetup::btnPreviewHintSmallWindowClick(TObject*) {
  Dialogs().MessageBox(Handle(), L"请转到“休息提醒”或“闹钟提醒”页进行预览!", kHintCaption, MB_OK);
}

void TfrmSetup::btnPreviewRemindCenterWindowClick(TObject*) { btnPreviewHintSmallWindowClick(nullptr); }
