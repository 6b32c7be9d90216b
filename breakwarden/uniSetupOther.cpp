// The settings dialog's page 7 "综合/其它" (overlays, auto-start, shortcuts, console, exit setting)
// and the slogan font of page 4.
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

constexpr const wchar_t* kAutoRunCaption = L"启动检测";
constexpr const wchar_t* kShortcutName = L"Restavo";
constexpr const wchar_t* kShortcutDescription = L"Restalon";

TMenuItem* TrayItem(const wchar_t* name) {
  return frmMain ? dynamic_cast<TMenuItem*>(frmMain->FindComponent(name)) : nullptr;
}

}  // namespace

void TfrmSetup::BindOtherHandlers(Binder<TfrmSetup>& b) {
  b.On(QV_HANDLER(cbxShowDesktopDecoClick))
      .On(QV_HANDLER(btnLoadScreenShadowClick))
      .On(QV_HANDLER(btnFixAutoRunClick))
      .On(QV_HANDLER(cbxAutoRunClick))
      .On(QV_HANDLER(btnAddtoStartMenuClick))
      .On(QV_HANDLER(btnCreateDeskIconClick))
      .On(QV_HANDLER(btnLaunchDeskpanelClick))
      .On(QV_HANDLER(cbxActionOnSelectTerminateChange))
      .On(QV_HANDLER(SpeedButton1Click));
}

std::wstring TfrmSetup::ExitButtonCaption(int actionIndex) {
  switch (actionIndex) {
    case 1: return L"重启程序";
    case 2: return L"退出程序";
    default: return L"关闭窗口";
  }
}

int TfrmSetup::MoiseStrengthMax(int fadeInSpeed) { return 249 - fadeInSpeed; }

// ---- the overlays ------------------------------------------------------------------------------

void TfrmSetup::cbxShowDesktopDecoClick(TObject*) {
  TMenuItem* item = TrayItem(L"NDesktopDeco");
  if (item) item->Checked = cbxShowDesktopDeco->Checked();
  if (frmMain) frmMain->ShowDesktopDeco(item ? item->Checked : cbxShowDesktopDeco->Checked());
}

void TfrmSetup::btnLoadScreenShadowClick(TObject*) {
  const std::wstring kept = OpenPictureDialog1->FileName;
  if (!OpenPictureDialog1->Execute()) return;
  const std::wstring chosen = OpenPictureDialog1->FileName;
  // The name is kept (and so saved) only once its picture has loaded: a file that fails leaves
  // picture, saved name and overlay as they were.
  OpenPictureDialog1->FileName = kept;
  TPicture picture;
  picture.LoadFromFile(chosen);
  imgScreenShadow->Picture.Assign(picture);
  imgScreenShadow->PictureChanged();
  OpenPictureDialog1->FileName = chosen;
  if (!cbxShowSOT->Checked()) return;
  // The overlay is gone from the screen before the new one shows the new picture.
  cbxShowSOT->SetChecked(false);
  DelayWithMessages(900);
  cbxShowSOT->SetChecked(true);
}

// ---- auto-start, shortcuts, console ----------------------------------------------------------------

void TfrmSetup::btnFixAutoRunClick(TObject*) {
  const std::wstring exe = OwnExePath();
  if (IsAutoRunSet(kAutoRunBKWD, exe)) {
    Dialogs().MessageBox(Handle(), L"您的自启动设置已开启且没有问题，无需修复！", kAutoRunCaption, MB_OK);
  } else if (Dialogs().MessageBox(Handle(), L"您的自启动设置未开启或存在问题，请点击确定进行修复。", kAutoRunCaption,
                                  MB_OK) == IDOK) {
    try {
      SetAutoRun(kAutoRunBKWD, exe);
    } catch (const std::exception&) {
      // A write that fails is told by the read-back below, in one notice.
    }
    // The repair counts only when the value reads back as written.
    if (!IsAutoRunSet(kAutoRunBKWD, exe)) {
      Dialogs().MessageBox(Handle(), L"自启动设置修复失败：无法写入系统启动项，请以管理员身份运行本软件后再试。",
                           kAutoRunCaption, MB_OK | MB_ICONWARNING);
      return;
    }
  }
  cbxAutoRun->SetChecked(true);
}

void TfrmSetup::ShowAutoRunReadBack() {
  // Shown, not chosen: setting the box must neither write nor ask.
  FlagScope loading(loadingConfig_);
  cbxAutoRun->SetChecked(IsAutoRunSet(kAutoRunBKWD, OwnExePath()));
}

void TfrmSetup::cbxAutoRunClick(TObject*) {
  if (LoadingConfig()) return;
  if (cbxAutoRun->Checked()) {
    try {
      SetAutoRun(kAutoRunBKWD, OwnExePath());
    } catch (const std::exception& e) {
      Application->HandleException(e);
    }
  } else if (Application->MessageBox(L"你真要取消开机自动运行吗？", L"确认", MB_ICONQUESTION | MB_YESNO) == IDYES) {
    RemoveAutoRun(kAutoRunBKWD);
  } else {
    cbxAutoRun->SetChecked(true);
    return;
  }
  // The box shows what the Run key holds now: a key that could not be written changes nothing.
  ShowAutoRunReadBack();
}

void TfrmSetup::btnAddtoStartMenuClick(TObject*) {
  AddShortcut(GetShellFolder(L"Programs") + L"\\" + kShortcutFolderName, kShortcutName, kShortcutDescription);
}

void TfrmSetup::btnCreateDeskIconClick(TObject*) {
  AddShortcut(GetShellFolder(L"Desktop"), kShortcutName, kShortcutDescription);
}

void TfrmSetup::btnLaunchDeskpanelClick(TObject*) {
  if (TMenuItem* item = TrayItem(L"NLaunchDeskpanel")) item->Click();
}

// ---- the exit setting and the slogan font ------------------------------------------------------

void TfrmSetup::cbxActionOnSelectTerminateChange(TObject*) {
  btnClose->SetCaption(ExitButtonCaption(cbxActionOnSelectTerminate->ItemIndex()));
}

void TfrmSetup::SpeedButton1Click(TObject*) {
  // The break window reads the font from the dialog when it opens.
  FontDialog1->Execute();
}
