#include "uniHintSmallWindow.h"

TfrmHintSmallWindow* frmHintSmallWindow = nullptr;

TfrmHintSmallWindow::TfrmHintSmallWindow(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmHintSmallWindow", Binder<TfrmHintSmallWindow>(this));
}
QV_REGISTER_FORM(TfrmHintSmallWindow);
