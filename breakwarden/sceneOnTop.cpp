#include "sceneOnTop.h"

#include "BkwdSeams.h"

TSOTForm* SOTForm = nullptr;

TSOTForm::TSOTForm(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TSOTForm", Binder<TSOTForm>(this)
                            .Bind(QV_MEMBER(Image1))
                            .On(QV_HANDLER(FormCreate))
                            .On(QV_HANDLER(FormClose))
                            .On(QV_HANDLER(FormDestroy)));
}
QV_REGISTER_FORM(TSOTForm);

void TSOTForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Layered and click-through from its creation, so that it never shows an opaque frame or
  // catches a click. Never activated either: when another window of the program goes (the
  // splash), the system would make this one the active window, and the keys typed into the
  // program the user works in would go to a picture (under Wine a full-screen active window also
  // holds the pointer to itself); the form layer passes on an activation that comes anyway.
  // It stays owned by the program's hidden window: Wine's taskbar gives every unowned window a
  // button, tool window or not.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
}

void TSOTForm::FormCreate(TObject*) {
  SetBounds(0, 0, Screen->Width(), Screen->Height());
  Image1->SetBounds(0, 0, Screen->Width(), Screen->Height());
  Image1->Picture.Assign(Settings().OverlayPicture());
  Image1->PictureChanged();
  SetAlphaBlendValue(50);
  SetAlphaBlend(true);
}

void TSOTForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TSOTForm::FormDestroy(TObject*) {
  if (SOTForm == this) SOTForm = nullptr;
}
