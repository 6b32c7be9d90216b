#include "uniSetup.h"

TfrmSetup* frmSetup = nullptr;

TfrmSetup::TfrmSetup(TComponent* AOwner) : TForm(AOwner) {
  Binder<TfrmSetup> b(this);
  BindRemindHandlers(b);
  InitForm(L"TfrmSetup", b);
}
QV_REGISTER_FORM(TfrmSetup);
