#include "uniScrBKWD.h"

#include "BkwdSeams.h"
#include "DisplayZoom.h"
#include "ScrRules.h"
#include "uniSetup.h"

bool ScrStaticMode = false;
TfrmScrBKWD* frmScrBKWD = nullptr;

TfrmScrBKWD::TfrmScrBKWD(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmScrBKWD", Binder<TfrmScrBKWD>(this)
                               .Bind(QV_MEMBER(Label1))
                               .Bind(QV_MEMBER(Timer1))
                               .On(QV_HANDLER(FormCreate))
                               .On(QV_HANDLER(FormPaint))
                               .On(QV_HANDLER(Timer1Timer))
                               .On(QV_HANDLER(FormKeyDown))
                               .On(QV_HANDLER(FormMouseDown))
                               .On(QV_HANDLER(FormMouseMove))
                               .On(QV_HANDLER(FormClose)));
}
QV_REGISTER_FORM(TfrmScrBKWD);

TfrmScrBKWD::~TfrmScrBKWD() {
  // Freed without a close (the program ends): the cursor still comes back.
  GiveCursorBack();
  if (frmScrBKWD == this) frmScrBKWD = nullptr;
}

void TfrmScrBKWD::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above every window, and not owned by the program's hidden window.
  p.ExStyle |= WS_EX_TOPMOST;
  p.WndParent = GetDesktopWindow();
}

void TfrmScrBKWD::FormCreate(TObject*) {
  frmScrBKWD = this;
  FStatic = ScrStaticMode;
  // The whole screen, taskbar included.
  SetBounds(0, 0, Screen->Width(), Screen->Height());

  const int adjust = GetAutoFontAdjust(Screen->Width(), Screen->Height());
  Label1->Font.Size += adjust;
  Label1->FontChanged();
  FTipFont.Assign(Font);
  FTipFont.Size = 10 + adjust;

  FRight = FRandom.Next(2) == 0;
  R = int16_t(FRandom.Next(256));
  G = int16_t(FRandom.Next(256));
  B = int16_t(FRandom.Next(256));
  dR = dG = dB = 5;
  Label1->SetBounds(FRandom.Next(Width()), FRandom.Next(Height() - Label1->Height()), Label1->Width(),
                    Label1->Height());
  // In the black screen nothing moves: the greeting is not shown either.
  Label1->SetVisible(!FStatic);

  GetCursorPos(&FStart);
  Timer1->SetEnabled(!FStatic);
  SystemInput().ShowCursor(false);
  FCursorHidden = true;
}

void TfrmScrBKWD::GiveCursorBack() {
  if (!FCursorHidden) return;
  FCursorHidden = false;
  SystemInput().ShowCursor(true);
}

// ---- drawing -----------------------------------------------------------------------------------

void TfrmScrBKWD::DrawLines(TCanvas& canvas) {
  if (FStatic) return;
  const int n = ScrLineCount(Screen->Width(), FRandom);
  const int labelTop = Label1->Top(), labelBottom = Label1->Top() + Label1->Height();
  for (int i = 0; i < n; ++i) {
    const int r = FRandom.Next(156), g = FRandom.Next(156), b = FRandom.Next(156);
    canvas.Pen.Color = TColor(RGB(r, g, b));
    const int x = FRandom.Next(Width());
    canvas.MoveTo(x, 0);
    canvas.LineTo(x, labelTop);
    canvas.MoveTo(x, labelBottom);
    canvas.LineTo(x, Height());
  }
}

void TfrmScrBKWD::FormPaint(TObject*) { DrawLines(Canvas); }

std::wstring TfrmScrBKWD::RandomTipText() {
  std::vector<std::wstring> hotKeys;
  if (frmSetup && frmSetup->cbbHotKeyAction)
    for (int i = 0; i < frmSetup->cbbHotKeyAction->Items.Count(); ++i)
      hotKeys.push_back(frmSetup->cbbHotKeyAction->Items[i]);
  return ScrTipText(hotKeys, FRandom);
}

void TfrmScrBKWD::DrawTipOn(TCanvas& canvas) {
  canvas.Font.Assign(FTipFont);
  canvas.Font.Color = TColor(RGB(FRandom.Next(256), FRandom.Next(256), FRandom.Next(256)));
  const std::wstring text = RandomTipText();
  const SIZE size = canvas.TextExtent(text);
  canvas.Brush.Style = bsClear;
  canvas.TextOut(FRandom.Next(Width() - size.cx), FRandom.Next(Height() - size.cy), text);
  canvas.Brush.Style = bsSolid;
}

void TfrmScrBKWD::DrawRandomTip() {
  if (!HandleAllocated()) return;
  // Drawn over the window as it stands, not part of its paint: the next repaint erases it.
  WindowDC dc(HandleIfAllocated());
  if (!dc.get()) return;
  TCanvas canvas(dc.get());
  DrawTipOn(canvas);
}

// ---- the tick ----------------------------------------------------------------------------------

void TfrmScrBKWD::Timer1Timer(TObject*) {
  const TScrLabelStep step = ScrLabelStep(Label1->Left(), Label1->Width(), Width(), FRight);
  ScrColourStep(R, dR);
  ScrColourStep(G, dG);
  ScrColourStep(B, dB);
  Label1->Font.Color = TColor(RGB(R & 0xFF, G & 0xFF, B & 0xFF));
  Label1->FontChanged();
  if (!step.Wrapped) {
    Label1->SetLeft(step.Left);
    return;
  }
  Label1->SetBounds(step.Left, FRandom.Next(Height() - Label1->Height()), Label1->Width(), Label1->Height());
  Invalidate();
  Update();
  DrawRandomTip();
}

// ---- the end -----------------------------------------------------------------------------------

void TfrmScrBKWD::FormKeyDown(TObject*, WORD&, TShiftState) { Close(); }

void TfrmScrBKWD::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) { Close(); }

void TfrmScrBKWD::FormMouseMove(TObject* Sender, TShiftState, int X, int Y) {
  // The label passes its moves on too; each in its own client coordinates.
  auto* control = dynamic_cast<TControl*>(Sender);
  const POINT at = control ? control->ClientToScreen(POINT{X, Y}) : POINT{X, Y};
  if (ScrMoveEnds(FStart, at)) Close();
  else Invalidate();
}

void TfrmScrBKWD::FormClose(TObject*, TCloseAction& Action) {
  Timer1->SetEnabled(false);
  GiveCursorBack();
  Action = caFree;
}
