#include "uniShowDetail.h"

TfrmShowDetail* frmShowDetail = nullptr;

TfrmShowDetail::TfrmShowDetail(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmShowDetail", Binder<TfrmShowDetail>(this)
                                  .Bind(QV_MEMBER(Timer1))
                                  .On(QV_HANDLER(FormPaint))
                                  .On(QV_HANDLER(Timer1Timer))
                                  .On(QV_HANDLER(FormClose))
                                  .On(QV_HANDLER(FormDestroy)));
}
QV_REGISTER_FORM(TfrmShowDetail);

void TfrmShowDetail::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above the stay-on-top countdown window, and not owned by the program's hidden window; a box
  // of eight seconds needs no taskbar button.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  p.WndParent = GetDesktopWindow();
}

SIZE TfrmShowDetail::MeasureText(const std::wstring& text) {
  WindowDC dc(Handle());
  TCanvas canvas(dc.get());
  canvas.Font.Assign(Font);
  return canvas.TextExtent(text);
}

void TfrmShowDetail::SetDetailText(const std::wstring& text) {
  detailText_ = text;
  Invalidate();
}

void TfrmShowDetail::FormPaint(TObject*) {
  Canvas.Brush.Style = bsClear;
  Canvas.Font.Color = clBlack;
  Canvas.TextOut(10, 5, detailText_);
}

void TfrmShowDetail::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Close();
}

void TfrmShowDetail::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmShowDetail::FormDestroy(TObject*) {
  if (frmShowDetail == this) frmShowDetail = nullptr;
}
