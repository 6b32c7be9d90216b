#include "unitFrmDemo.h"

TfrmDemo::TfrmDemo(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmDemo", Binder<TfrmDemo>(this)
                            .Bind("lblHello", lblHello)
                            .Bind("edtName", edtName)
                            .Bind("cbxAutoRun", cbxAutoRun)
                            .Bind("btnOK", btnOK)
                            .Bind("btnFail", btnFail)
                            .Bind("imgPhoto", imgPhoto)
                            .Bind("tmrTick", tmrTick)
                            .Bind("pmPhoto", pmPhoto)
                            .Bind("NFirst", NFirst)
                            .On("FormCreate", &TfrmDemo::FormCreate)
                            .On("FormClose", &TfrmDemo::FormClose)
                            .On("edtNameChange", &TfrmDemo::edtNameChange)
                            .On("cbxAutoRunClick", &TfrmDemo::cbxAutoRunClick)
                            .On("btnOKClick", &TfrmDemo::btnOKClick)
                            .On("btnFailClick", &TfrmDemo::btnFailClick)
                            .On("tmrTickTimer", &TfrmDemo::tmrTickTimer)
                            .On("NFirstClick", &TfrmDemo::NFirstClick)
                            .On("NFirstMeasureItem", &TfrmDemo::NFirstMeasureItem));
}
QV_REGISTER_FORM(TfrmDemo);

void TfrmDemo::FormCreate(TObject*) { log.push_back(L"create"); }

void TfrmDemo::FormClose(TObject*, TCloseAction& Action) {
  log.push_back(L"close");
  Action = closeAction;
}

void TfrmDemo::edtNameChange(TObject*) { log.push_back(L"change:" + edtName->Text()); }

void TfrmDemo::cbxAutoRunClick(TObject* Sender) {
  senders.push_back(Sender);
  log.push_back(cbxAutoRun->Checked() ? L"checked" : L"unchecked");
}

void TfrmDemo::btnOKClick(TObject* Sender) {
  senders.push_back(Sender);
  log.push_back(L"ok");
  if (onOK) onOK();
}

void TfrmDemo::btnFailClick(TObject*) { StrToInt(L"十二"); }

void TfrmDemo::tmrTickTimer(TObject*) { ++ticks; }

void TfrmDemo::NFirstClick(TObject*) { log.push_back(L"first"); }

void TfrmDemo::NFirstMeasureItem(TObject*, TCanvas* ACanvas, int& Width, int& Height) {
  log.push_back(L"measure");
  Width = ACanvas->TextWidth(L"第一项") + 40;
  Height = 24;
}
