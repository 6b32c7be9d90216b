#include "uniBreakHint.h"

TfrmBreakHint* frmBreakHint = nullptr;

TfrmBreakHint::TfrmBreakHint(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmBreakHint", Binder<TfrmBreakHint>(this));
}
QV_REGISTER_FORM(TfrmBreakHint);
