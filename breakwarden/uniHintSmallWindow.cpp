#include "uniHintSmallWindow.h"

#include "BkwdSeams.h"

TfrmHintSmallWindow* frmHintSmallWindow = nullptr;

namespace {
constexpr int kDesignWidth = 119, kDesignHeight = 106;
constexpr TColor kTitleBack = 0x00FFFF;  // RGB 255, 255, 0
constexpr TColor kValueColour = 0x0000FF;  // RGB 255, 0, 0
}  // namespace

TfrmHintSmallWindow::TfrmHintSmallWindow(TComponent* AOwner)
    : TfrmHintSmallWindow(AOwner, RequestedRemindKind()) {}

TfrmHintSmallWindow::TfrmHintSmallWindow(TComponent* AOwner, int kind) : TForm(AOwner), FKind(kind) {
  if (!FindRemindKind(FKind)) FKind = rkNextBreak;
  frmHintSmallWindow = this;
  InitForm(L"TfrmHintSmallWindow", Binder<TfrmHintSmallWindow>(this)
                                       .Bind(QV_MEMBER(Timer1))
                                       .On(QV_HANDLER(FormCreate))
                                       .On(QV_HANDLER(FormShow))
                                       .On(QV_HANDLER(FormPaint))
                                       .On(QV_HANDLER(FormClick))
                                       .On(QV_HANDLER(Timer1Timer))
                                       .On(QV_HANDLER(FormClose))
                                       .On(QV_HANDLER(FormDestroy)));
}
QV_REGISTER_FORM(TfrmHintSmallWindow);

TfrmHintSmallWindow::~TfrmHintSmallWindow() {
  StopRemindSound(this);
  if (frmHintSmallWindow == this) frmHintSmallWindow = nullptr;
}

void TfrmHintSmallWindow::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above every window and no taskbar button. It stays owned by the program's hidden window: a
  // window without an owner gets a taskbar button from shells that look only at the owner (Wine's
  // taskbar does), tool window or not.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TfrmHintSmallWindow::FormCreate(TObject*) {
  FLook = GetRemindWindowLook(FKind, ZoomWindow::HintSmall);
  SetBounds(Left(), Top(), kDesignWidth, kDesignHeight);
  if (FLook.zoomMode != zmDesignSize) ApplyZoom();
  // Against the work area's own edges, wherever the taskbar is.
  RECT work = Screen->WorkAreaRect();
  SetBounds(work.right - Width(), work.bottom - Height(), Width(), Height());
  SetColor(FLook.body);
  HandleNeeded();
  StartRemindSound(*FLook.info, this);
  Animation().Animate(Handle(), 2500, AW_VER_NEGATIVE);
  Show();
}

void TfrmHintSmallWindow::ApplyZoom() {
  SetBounds(Left(), Top(), ZoomLength(Width(), FLook.percent), ZoomLength(Height(), FLook.percent));
}

void TfrmHintSmallWindow::FormShow(TObject*) {
  Invalidate();
  if (FLook.info->closesByItself) Timer1->SetEnabled(true);
}

void TfrmHintSmallWindow::SetLineFont(TCanvas& c, int size) const {
  c.Font.Assign(Font);
  c.Font.Size = size;
}

std::vector<TfrmHintSmallWindow::TLineLayout> TfrmHintSmallWindow::LineLayout() {
  const int a = FLook.fontAdjust;
  std::vector<TLineLayout> lines{{FLook.info->title, a + 10, 0, 0},
                                 {FLook.info->label, a + 9, 0, 0},
                                 {FLook.value, a + 16, 0, 0}};
  const int gaps[] = {ZoomLength(20, FLook.percent), ZoomLength(12, FLook.percent), ZoomLength(10, FLook.percent)};
  TCanvas measure;
  int y = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    SetLineFont(measure, lines[i].fontSize);
    SIZE s = measure.TextExtent(lines[i].text);
    lines[i].x = (Width() - s.cx) / 2;
    lines[i].y = y + gaps[i];
    y = lines[i].y + s.cy;
  }
  return lines;
}

void TfrmHintSmallWindow::FormPaint(TObject*) {
  // Painted on every WM_PAINT, so a window uncovered or repainted keeps its text.
  std::vector<TLineLayout> lines = LineLayout();
  for (size_t i = 0; i < lines.size(); ++i) {
    SetLineFont(Canvas, lines[i].fontSize);
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = i == 0 ? kTitleBack : Color();
    if (i == 2) Canvas.Font.Color = kValueColour;
    Canvas.TextOut(lines[i].x, lines[i].y, lines[i].text);
  }
}

void TfrmHintSmallWindow::FormClick(TObject*) {
  Timer1->SetEnabled(false);
  RemindWindowClicked(*FLook.info);
  Close();
}

void TfrmHintSmallWindow::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Close();
}

void TfrmHintSmallWindow::FormClose(TObject*, TCloseAction& Action) {
  StopRemindSound(this);
  Action = caFree;
}

void TfrmHintSmallWindow::FormDestroy(TObject*) {
  StopRemindSound(this);
  if (frmHintSmallWindow == this) frmHintSmallWindow = nullptr;
}
