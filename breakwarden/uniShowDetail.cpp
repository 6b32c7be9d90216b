#include "uniShowDetail.h"

TfrmShowDetail* frmShowDetail = nullptr;

TfrmShowDetail::TfrmShowDetail(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmShowDetail", Binder<TfrmShowDetail>(this));
}
QV_REGISTER_FORM(TfrmShowDetail);
