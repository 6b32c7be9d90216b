#include "uniPopInfo.h"

TfrmPopHint* frmPopHint = nullptr;
std::wstring PopHintText = L"屏幕保护已启用！";
TColor PopHintLabelColor = clRed;
TColor PopHintFormColor = clBtnFace;
TCloseAction PopHintCloseAction = caNone;

TfrmPopHint::TfrmPopHint(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmPopHint", Binder<TfrmPopHint>(this)
                               .Bind(QV_MEMBER(lblInfo))
                               .Bind(QV_MEMBER(Timer1))
                               .On(QV_HANDLER(FormCreate))
                               .On(QV_HANDLER(FormClose))
                               .On(QV_HANDLER(FormDestroy))
                               .On(QV_HANDLER(Timer1Timer)));
}
QV_REGISTER_FORM(TfrmPopHint);

void TfrmPopHint::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above every window, no taskbar button, and not owned by the program's hidden window.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  p.WndParent = GetDesktopWindow();
}

void TfrmPopHint::FormCreate(TObject*) {
  // The described client size, exact for the dialog frame, before the label is centred in it.
  SetClientSize(226, 129);
  lblInfo->SetCaption(PopHintText);
  lblInfo->SetLeft((Width() - lblInfo->Width()) / 2);
  lblInfo->SetTop((ClientHeight() - lblInfo->Height()) / 2);
  SetColor(PopHintFormColor);
  lblInfo->Font.Color = PopHintLabelColor;
  lblInfo->FontChanged();
  lblInfo->Invalidate();
  PopHintCloseAction = caNone;
}

void TfrmPopHint::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  PopHintCloseAction = caFree;
  Close();
}

void TfrmPopHint::FormClose(TObject*, TCloseAction& Action) { Action = PopHintCloseAction; }

void TfrmPopHint::FormDestroy(TObject*) {
  if (frmPopHint == this) frmPopHint = nullptr;
}
