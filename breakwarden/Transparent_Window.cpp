#include "Transparent_Window.h"

TTWForm* TWForm = nullptr;

TTWForm::TTWForm(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TTWForm", Binder<TTWForm>(this));
}
QV_REGISTER_FORM(TTWForm);
