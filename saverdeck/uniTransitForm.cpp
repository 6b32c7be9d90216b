#include "uniTransitForm.h"

#include "Seams.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"

TfrmTransitForm* frmTransitForm = nullptr;
uint8_t TransitCountDown = 0;

namespace {
const int kDefaultTransitTime = 10;

int TransitTime() {
  return frmSetupSaverDeck ? frmSetupSaverDeck->updTransitTime->Position() : kDefaultTransitTime;
}

bool Usable(const TPicture& p) { return p.Graphic && !p.Graphic->Empty(); }
}  // namespace

TfrmTransitForm::TfrmTransitForm(TComponent* AOwner) : TForm(AOwner), generator_(Clock().TickCount()) {
  Random = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(generator_); };
  InitForm(L"TfrmTransitForm", Binder<TfrmTransitForm>(this)
                                   .Bind(QV_MEMBER(imgTransitFormBgr))
                                   .Bind(QV_MEMBER(lblPleaseWait))
                                   .Bind(QV_MEMBER(lblCountDown))
                                   .Bind(QV_MEMBER(lblWelcome))
                                   .Bind(QV_MEMBER(btnExit))
                                   .Bind(QV_MEMBER(btnNextScrNow))
                                   .Bind(QV_MEMBER(tmrCountDown))
                                   .Bind(QV_MEMBER(tmrTextMove))
                                   .On(QV_HANDLER(FormCreate))
                                   .On(QV_HANDLER(FormShow))
                                   .On(QV_HANDLER(FormClose))
                                   .On(QV_HANDLER(FormKeyPress))
                                   .On(QV_HANDLER(tmrCountDownTimer))
                                   .On(QV_HANDLER(tmrTextMoveTimer))
                                   .On(QV_HANDLER(btnNextScrNowClick))
                                   .On(QV_HANDLER(btnExitClick)));
}
QV_REGISTER_FORM(TfrmTransitForm);

void TfrmTransitForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above every window, and no taskbar button. It stays owned by the program's hidden window:
  // Wine's taskbar shows a button for every unowned window, a tool window with the desktop as
  // its parent included.
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TfrmTransitForm::FormCreate(TObject*) { DoubleBuffered = true; }

void TfrmTransitForm::FormShow(TObject*) {
  SetBounds(0, 0, Screen->Width(), Screen->Height());
  btnNextScrNow->SetLeft(Width() - 8 - btnNextScrNow->Width());
  lblPleaseWait->SetCaption(FirstScrStart == 1 ? L"屏幕保护启动中，请稍候***" : L"屏幕保护切换中，请稍候***");

  TransitCountDown = uint8_t(TransitTime());
  lblCountDown->SetCaption(CountDownCaption(TransitCountDown));
  lblPleaseWait->SetBounds((Width() - lblPleaseWait->Width()) / 2, (Height() - lblPleaseWait->Height()) / 2,
                           lblPleaseWait->Width(), lblPleaseWait->Height());
  lblCountDown->SetBounds((Width() - lblCountDown->Width()) / 2, lblPleaseWait->Top() + 80, lblCountDown->Width(),
                          lblCountDown->Height());

  ApplyBackground();
  tmrCountDown->SetEnabled(true);

  if (frmSetupSaverDeck)
    if (std::optional<unsigned> ms = TextMoveInterval(frmSetupSaverDeck->cbbTextSpeed->ItemIndex()))
      tmrTextMove->SetInterval(*ms);
  FDirection = DrawBelow(Random, 2) == 0;
  const int left = DrawBelow(Random, Width());
  lblWelcome->SetBounds(left, RandomTextTop(), lblWelcome->Width(), lblWelcome->Height());
  tmrTextMove->SetEnabled(true);
}

void TfrmTransitForm::ApplyBackground() {
  if (!frmSetupSaverDeck) return;
  TfrmSetupSaverDeck* s = frmSetupSaverDeck;
  TImage* skin = frmSaverDeck ? frmSaverDeck->Image1 : nullptr;
  switch (TransitBackgroundFor(s->rdgTransitFormBackgroundUse->ItemIndex(), s->cbbSkins->ItemIndex(),
                               skin && Usable(skin->Picture), Usable(s->imgTransitBackground->Picture))) {
    case TTransitBackground::Unchanged:
      return;
    case TTransitBackground::SettingsColour:
      imgTransitFormBgr->Picture.Clear();
      SetColor(s->lblTransitFormColor->Color());
      break;
    case TTransitBackground::MainColour:
      imgTransitFormBgr->Picture.Clear();
      if (frmSaverDeck) SetColor(frmSaverDeck->Color());
      break;
    case TTransitBackground::SkinPicture:
      imgTransitFormBgr->Picture.Assign(skin->Picture);
      break;
    case TTransitBackground::Picture:
      imgTransitFormBgr->Picture.Assign(s->imgTransitBackground->Picture);
      break;
  }
  imgTransitFormBgr->PictureChanged();
}

void TfrmTransitForm::tmrCountDownTimer(TObject*) {
  TCountDownStep step = CountDownTick(TransitCountDown, TransitTime());
  TransitCountDown = uint8_t(step.remaining);
  lblCountDown->SetCaption(CountDownCaption(step.shown));
  if (step.finished) {
    tmrCountDown->SetEnabled(false);
    tmrTextMove->SetEnabled(false);
  }
}

void TfrmTransitForm::tmrTextMoveTimer(TObject*) {
  TTextStep step = StepWelcomeText(lblWelcome->Left(), Width(), lblWelcome->Width(), FDirection);
  const int top = step.newTop ? RandomTextTop() : lblWelcome->Top();
  lblWelcome->SetBounds(step.left, top, lblWelcome->Width(), lblWelcome->Height());
}

int TfrmTransitForm::RandomTextTop() {
  return ::RandomTextTop(Height(), lblPleaseWait->Top(), lblCountDown->Top(), lblCountDown->Height(),
                         lblWelcome->Height(), Random);
}

void TfrmTransitForm::FormClose(TObject*, TCloseAction&) {
  const bool usersClose = !closingForNextSaver_ && HandleAllocated() && IsWindowVisible(Handle());
  if (frmSaverDeck && frmSaverDeck->tmrTransit) frmSaverDeck->tmrTransit->SetEnabled(false);
  tmrCountDown->SetEnabled(false);
  tmrTextMove->SetEnabled(false);
  // "退出", a key or the user's own close: no further saver starts, and music the run started
  // itself goes with it.
  if (usersClose && frmSaverDeck) frmSaverDeck->StopRunMusic();
}

void TfrmTransitForm::CloseForNextSaver() {
  FlagScope scope(closingForNextSaver_);
  Close();
}

void TfrmTransitForm::btnExitClick(TObject*) { Close(); }

void TfrmTransitForm::FormKeyPress(TObject*, wchar_t& Key) {
  Key = 0;
  btnExitClick(nullptr);
}

void TfrmTransitForm::btnNextScrNowClick(TObject*) {
  // A click that lands after the run has ended (a key ended it first) starts nothing.
  if (!frmSaverDeck || !Visible()) return;
  frmSaverDeck->tmrTransit->SetEnabled(false);
  frmSaverDeck->tmrTransitTimer(nullptr);
}
