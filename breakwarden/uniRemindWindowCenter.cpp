#include "uniRemindWindowCenter.h"

#include "BkwdSeams.h"

TfrmRemindWindowCenter* frmRemindWindowCenter = nullptr;

namespace {

// The picture's background (its bottom-left pixel, as a transparent picture takes it) becomes
// the window's colour.
void BlendPictureInto(TPicture& picture, TColor body) {
  auto* bmp = dynamic_cast<TBitmap*>(picture.Graphic.get());
  if (!bmp || !bmp->Bits() || bmp->Empty()) return;
  COLORREF rgb = ColorToRGB(body);
  uint32_t to = (uint32_t(GetRValue(rgb)) << 16) | (uint32_t(GetGValue(rgb)) << 8) | GetBValue(rgb);
  uint32_t* px = bmp->Bits();
  const size_t n = size_t(bmp->Width()) * bmp->Height();
  const uint32_t key = px[size_t(bmp->Height() - 1) * bmp->Width()] & 0xFFFFFF;
  for (size_t i = 0; i < n; ++i)
    if ((px[i] & 0xFFFFFF) == key) px[i] = to;
  GdiFlush();
}

}  // namespace

TfrmRemindWindowCenter::TfrmRemindWindowCenter(TComponent* AOwner)
    : TfrmRemindWindowCenter(AOwner, RequestedRemindKind()) {}

TfrmRemindWindowCenter::TfrmRemindWindowCenter(TComponent* AOwner, int kind) : TForm(AOwner), FKind(kind) {
  if (!FindRemindKind(FKind)) FKind = rkNextBreak;
  frmRemindWindowCenter = this;
  InitForm(L"TfrmRemindWindowCenter", Binder<TfrmRemindWindowCenter>(this)
                                          .Bind(QV_MEMBER(Label1))
                                          .Bind(QV_MEMBER(Label2))
                                          .Bind(QV_MEMBER(Label3))
                                          .Bind(QV_MEMBER(Label4))
                                          .Bind(QV_MEMBER(imgAlarm))
                                          .Bind(QV_MEMBER(edtRemindContent))
                                          .Bind(QV_MEMBER(tmrAutoClose))
                                          .On(QV_HANDLER(FormCreate))
                                          .On(QV_HANDLER(FormPaint))
                                          .On(QV_HANDLER(FormClick))
                                          .On(QV_HANDLER(tmrAutoCloseTimer))
                                          .On(QV_HANDLER(FormClose))
                                          .On(QV_HANDLER(FormDestroy)));
}
QV_REGISTER_FORM(TfrmRemindWindowCenter);

TfrmRemindWindowCenter::~TfrmRemindWindowCenter() {
  StopRemindSound(this);
  if (frmRemindWindowCenter == this) frmRemindWindowCenter = nullptr;
}

void TfrmRemindWindowCenter::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above every window and no taskbar button. It stays owned by the program's hidden window: a
  // window without an owner gets a taskbar button from shells that look only at the owner (Wine's
  // taskbar does), tool window or not.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TfrmRemindWindowCenter::FormCreate(TObject*) {
  FLook = GetRemindWindowLook(FKind, ZoomWindow::RemindCenter);
  if (FLook.fontAdjust != 0) ApplyFontAdjust();
  if (FLook.zoomMode != zmDesignSize) ApplyZoom();
  SetColor(FLook.body);
  BlendPictureInto(imgAlarm->Picture, FLook.body);
  // The kind's texts before the window grows into view, not the design's.
  Label1->SetCaption(FLook.info->title);
  Label2->SetCaption(FLook.info->label);
  Label3->SetCaption(FLook.value);
  edtRemindContent->SetText(FLook.content);
  HandleNeeded();
  StartRemindSound(*FLook.info, this);
  Animation().Animate(Handle(), 500, AW_CENTER);
  Show();
  if (FLook.info->closesByItself) tmrAutoClose->SetEnabled(true);
}

void TfrmRemindWindowCenter::ApplyFontAdjust() {
  for (TControl* c : std::initializer_list<TControl*>{Label1, Label2, Label3, Label4, edtRemindContent}) {
    c->Font.Size += FLook.fontAdjust;
    c->FontChanged();
  }
}

void TfrmRemindWindowCenter::ApplyZoom() {
  const int p = FLook.percent;
  const int w = ZoomLength(Width(), p), h = ZoomLength(Height(), p);
  // Centred in the work area itself, wherever the taskbar is.
  RECT work = Screen->WorkAreaRect();
  SetBounds(work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2, w, h);
  imgAlarm->SetBounds(ZoomLength(imgAlarm->Left(), p), ZoomLength(imgAlarm->Top(), p),
                      ZoomLength(imgAlarm->Width(), p), ZoomLength(imgAlarm->Height(), p));
  for (TControl* c : std::initializer_list<TControl*>{Label1, Label2, Label3, Label4, edtRemindContent})
    c->SetBounds(ZoomLength(c->Left(), p), ZoomLength(c->Top(), p), c->Width(), c->Height());
  edtRemindContent->SetBounds(edtRemindContent->Left(), edtRemindContent->Top(),
                              ZoomLength(edtRemindContent->Width(), p), ZoomLength(edtRemindContent->Height(), p));
}

void TfrmRemindWindowCenter::FormPaint(TObject*) {
  const int w = Width(), h = Height();
  Canvas.Pen.Color = FLook.border;
  Canvas.Pen.Width = 2;
  Canvas.Pen.Style = psSolid;
  Canvas.MoveTo(5, 5);
  Canvas.LineTo(5, h - 5);
  Canvas.LineTo(w - 5, h - 5);
  Canvas.LineTo(w - 5, 5);
  Canvas.LineTo(5, 5);
}

void TfrmRemindWindowCenter::FormClick(TObject*) {
  tmrAutoClose->SetEnabled(false);
  RemindWindowClicked(*FLook.info);
  Close();
}

void TfrmRemindWindowCenter::tmrAutoCloseTimer(TObject*) {
  tmrAutoClose->SetEnabled(false);
  Close();
}

void TfrmRemindWindowCenter::FormClose(TObject*, TCloseAction& Action) {
  StopRemindSound(this);
  Action = caFree;
}

void TfrmRemindWindowCenter::FormDestroy(TObject*) {
  StopRemindSound(this);
  if (frmRemindWindowCenter == this) frmRemindWindowCenter = nullptr;
}
