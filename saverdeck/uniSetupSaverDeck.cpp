#include "uniSetupSaverDeck.h"

#include "FileTypeRegistration.h"
#include "Seams.h"
#include "uniQVShare.h"

TfrmSetupSaverDeck* frmSetupSaverDeck = nullptr;

TfrmSetupSaverDeck::TfrmSetupSaverDeck(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmSetupSaverDeck", Binder<TfrmSetupSaverDeck>(this)
                                      .Bind("PageControl1", PageControl1)
                                      .Bind("cbxEnableStartUpWithSys", cbxEnableStartUpWithSys)
                                      .Bind("cbxMinimizeOnStart", cbxMinimizeOnStart)
                                      .Bind("cbxPlayMusListAtStart", cbxPlayMusListAtStart)
                                      .Bind("cbxPlayImediately", cbxPlayImediately)
                                      .Bind("edtPlayMusListAtStart", edtPlayMusListAtStart)
                                      .Bind("cbbSkins", cbbSkins)
                                      .Bind("cbxUseFlatButton", cbxUseFlatButton)
                                      .Bind("cbbMusDir", cbbMusDir)
                                      .Bind("edtQVMLdir", edtQVMLdir)
                                      .Bind("ComboBox2", ComboBox2)
                                      .Bind("bbtClose", bbtClose)
                                      .Bind("updTimePlayEachScr", updTimePlayEachScr)
                                      .Bind("edtTimePlayEachScr", edtTimePlayEachScr)
                                      .Bind("updTransitTime", updTransitTime)
                                      .Bind("edtTransitTime", edtTransitTime)
                                      .Bind("cbbTextSpeed", cbbTextSpeed)
                                      .Bind("rdgTransitFormBackgroundUse", rdgTransitFormBackgroundUse)
                                      .Bind("lblTransitFormColor", lblTransitFormColor)
                                      .Bind("imgTransitBackground", imgTransitBackground)
                                      .Bind("btnImg1", btnImg1)
                                      .Bind("btnImg2", btnImg2)
                                      .Bind("Image1", Image1)
                                      .Bind("Image2", Image2)
                                      .Bind("cbbTransitFormStyle", cbbTransitFormStyle)
                                      .Bind("edtPicDir", edtPicDir)
                                      .Bind("OpenPictureDialog1", OpenPictureDialog1)
                                      .Bind("ColorDialog1", ColorDialog1)
                                      .Bind("tshSetupAutoScr", tshSetupAutoScr)
                                      .Bind("cbbBanYingForAutoScr", cbbBanYingForAutoScr)
                                      .Bind("cbxSlientStartupOnMsg", cbxSlientStartupOnMsg)
                                      .Bind("edtSelfSelectBanYing", edtSelfSelectBanYing)
                                      .Bind("cbbBanYingMusic", cbbBanYingMusic)
                                      .Bind("cbbUseBanYingOrNot", cbbUseBanYingOrNot)
                                      .Bind("Panel1", Panel1)
                                      .Bind("Panel2", Panel2)
                                      .Bind("Panel3", Panel3)
                                      .Bind("ppmMore", ppmMore)
                                      .On("FormClose", &TfrmSetupSaverDeck::FormClose)
                                      .On("bbtCloseClick", &TfrmSetupSaverDeck::bbtCloseClick)
                                      .On("btnFixQVMLClick", &TfrmSetupSaverDeck::btnFixQVMLClick));
}
QV_REGISTER_FORM(TfrmSetupSaverDeck);

void TfrmSetupSaverDeck::bbtCloseClick(TObject*) { Close(); }

void TfrmSetupSaverDeck::FormClose(TObject*, TCloseAction& Action) {
  // The values in the controls stay in force whatever the answer; No only skips the file.
  int answer = Dialogs().MessageBox(Handle(), L"是否保存设置？未更改或想放弃更改请点否。", L"存盘提示:", MB_YESNOCANCEL);
  if (answer == IDCANCEL) {
    Action = caNone;
    return;
  }
  if (answer == IDYES) SaveConfig();
  Action = caHide;
}

void TfrmSetupSaverDeck::SaveConfig() {}

void TfrmSetupSaverDeck::RegisterPlayListFileType(const std::wstring& extension, const std::wstring& exePath) {
  RegisterPlayListType(extension, exePath);
}

void TfrmSetupSaverDeck::btnFixQVMLClick(TObject*) {
  // A registry error leaves through the standard error box, and no "done" is said.
  RegisterPlayListFileType(L"qvml", OwnExePath());
  Application->MessageBox(L"修复已完成！", L"Quovel提示", MB_SYSTEMMODAL | MB_ICONINFORMATION);
}
