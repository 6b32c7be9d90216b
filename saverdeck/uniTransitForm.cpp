#include "uniTransitForm.h"

TfrmTransitForm* frmTransitForm = nullptr;

TfrmTransitForm::TfrmTransitForm(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmTransitForm", Binder<TfrmTransitForm>(this)
                                   .Bind(QV_MEMBER(imgTransitFormBgr))
                                   .Bind(QV_MEMBER(lblPleaseWait))
                                   .Bind(QV_MEMBER(lblCountDown))
                                   .Bind(QV_MEMBER(lblWelcome))
                                   .Bind(QV_MEMBER(btnExit))
                                   .Bind(QV_MEMBER(btnNextScrNow))
                                   .Bind(QV_MEMBER(tmrCountDown))
                                   .Bind(QV_MEMBER(tmrTextMove)));
}
QV_REGISTER_FORM(TfrmTransitForm);
