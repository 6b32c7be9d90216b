#include "unitFrmDemo.h"

TfrmDemo::TfrmDemo(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmDemo", Binder<TfrmDemo>(this)
                            .Bind(QV_MEMBER(lblHello))
                            .Bind(QV_MEMBER(edtName))
                            .Bind(QV_MEMBER(cbxAutoRun))
                            .Bind(QV_MEMBER(btnOK))
                            .Bind(QV_MEMBER(btnFail))
                            .Bind(QV_MEMBER(imgPhoto))
                            .Bind(QV_MEMBER(tmrTick))
                            .Bind(QV_MEMBER(pmPhoto))
                            .Bind(QV_MEMBER(NFirst))
                            .On(QV_HANDLER(FormCreate))
                            .On(QV_HANDLER(FormClose))
                            .On(QV_HANDLER(edtNameChange))
                            .On(QV_HANDLER(cbxAutoRunClick))
                            .On(QV_HANDLER(btnOKClick))
                            .On(QV_HANDLER(btnFailClick))
                            .On(QV_HANDLER(tmrTickTimer))
                            .On(QV_HANDLER(NFirstClick))
                            .On(QV_HANDLER(NFirstMeasureItem)));
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
