#include "uniTransitForm.h"

TfrmTransitForm* frmTransitForm = nullptr;

TfrmTransitForm::TfrmTransitForm(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmTransitForm", Binder<TfrmTransitForm>(this)
                                   .Bind("imgTransitFormBgr", imgTransitFormBgr)
                                   .Bind("lblPleaseWait", lblPleaseWait)
                                   .Bind("lblCountDown", lblCountDown)
                                   .Bind("lblWelcome", lblWelcome)
                                   .Bind("btnExit", btnExit)
                                   .Bind("btnNextScrNow", btnNextScrNow)
                                   .Bind("tmrCountDown", tmrCountDown)
                                   .Bind("tmrTextMove", tmrTextMove));
}
QV_REGISTER_FORM(TfrmTransitForm);
