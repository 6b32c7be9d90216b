#include "uniRemindWindowCenter.h"

TfrmRemindWindowCenter* frmRemindWindowCenter = nullptr;

TfrmRemindWindowCenter::TfrmRemindWindowCenter(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmRemindWindowCenter", Binder<TfrmRemindWindowCenter>(this));
}
QV_REGISTER_FORM(TfrmRemindWindowCenter);
