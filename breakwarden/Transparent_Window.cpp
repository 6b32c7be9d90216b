#include "Transparent_Window.h"

#include <algorithm>

#include "BkwdSeams.h"
#include "DisplayZoom.h"
#include "unitFrmMain.h"

TTWForm* TWForm = nullptr;

namespace {
const wchar_t kRestText[] = L"请您休息！";
const wchar_t kEndText[] = L"结束休息,点击返回！";
const wchar_t kAbortQuestion[] = L"你确定要完全中止休息吗？这将降低你的健康得分。";
const wchar_t kAbortCaption[] = L"确认：";
constexpr int kAbortItem = 6;  // "不再提醒"
}  // namespace

namespace {
TBreakWindowSettings ReadSettings() { return Settings().BreakWindowSettings(); }

void EnableBreakCommands() {
  if (frmMain) {
    if (frmMain->NBreakNow) frmMain->NBreakNow->Enabled = true;
    if (frmMain->NBreakDemo) frmMain->NBreakDemo->Enabled = true;
  }
  Settings().EnableBreakPreview(true);
}
}  // namespace

TTWForm::TTWForm(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TTWForm", Binder<TTWForm>(this)
                           .Bind(QV_MEMBER(ProgressBar1))
                           .Bind(QV_MEMBER(lblBreakRemainSec))
                           .Bind(QV_MEMBER(lblCurrentMode))
                           .Bind(QV_MEMBER(lblSlogan))
                           .Bind(QV_MEMBER(imgShutDownIcon))
                           .Bind(QV_MEMBER(imgUrgentExitIcon))
                           .Bind(QV_MEMBER(cbbRemindAgainAt))
                           .Bind(QV_MEMBER(edtExitPsw))
                           .Bind(QV_MEMBER(CreateAnimateTimer))
                           .Bind(QV_MEMBER(TrackingTimer))
                           .Bind(QV_MEMBER(InterfereControlTimer))
                           .On(QV_HANDLER(FormCreate))
                           .On(QV_HANDLER(FormShow))
                           .On(QV_HANDLER(FormPaint))
                           .On(QV_HANDLER(FormClick))
                           .On(QV_HANDLER(FormKeyDown))
                           .On(QV_HANDLER(FormCloseQuery))
                           .On(QV_HANDLER(FormClose))
                           .On(QV_HANDLER(FormDestroy))
                           .On(QV_HANDLER(CreateAnimateTimerTimer))
                           .On(QV_HANDLER(TrackingTimerTimer))
                           .On(QV_HANDLER(InterfereControlTimerTimer))
                           .On(QV_HANDLER(imgUrgentExitIconClick))
                           .On(QV_HANDLER(imgShutDownIconClick))
                           .On(QV_HANDLER(cbbRemindAgainAtSelect))
                           .On(QV_HANDLER(edtExitPswMouseDown)));
  if (!CheckOnly()) TWForm = this;
}
QV_REGISTER_FORM(TTWForm);

TTWForm::~TTWForm() {
  ReleaseInputLimits();
  if (TWForm == this) TWForm = nullptr;
}

void TTWForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above every window, and not owned by the program's hidden window.
  p.ExStyle |= WS_EX_TOPMOST;
  p.WndParent = GetDesktopWindow();
}

// ---- creation, showing, layout ----------------------------------------------------------------

void TTWForm::FormCreate(TObject*) {
  const int W = Screen->Width(), H = Screen->Height();
  SetBounds(0, 0, W, H);
  BreakCanClose = false;
  FClosed = false;
  FPreview = frmMain && frmMain->FDemoBreak;

  TBreakWindowSettings s = ReadSettings();
  FPattern = ChooseBreakPattern(s.Pattern, s.PatternCount, s.RandomPattern, FRandom);
  // The settings list shows the pattern drawn, and a later save stores it.
  if (s.RandomPattern && FPattern >= 0) Settings().SetBreakPattern(FPattern);
  FWindowColor = BreakWindowColor(FPattern, FRandom);
  SetBreakInterface();

  SetAlphaBlend(true);
  SetAlphaBlendValue(1);
  Show();
  BringToFront();

  CreateAnimateTimer->SetInterval(FadeInFor(s.FadeInSpeed, s.FadeInStep, s.Transparency).Interval);
  CreateAnimateTimer->SetEnabled(true);

  LayOut();

  const int length = BreakLengthSecs(s.Plan, frmMain ? frmMain->FPostponedMins : 0, FPreview);
  ProgressBar1->SetMin(0);
  ProgressBar1->SetMax(length);
  ProgressBar1->SetPosition(length);
  lblBreakRemainSec->SetCaption(std::to_wstring(ProgressBar1->Position()));

  BreakTicks = 0;
  TrackingTimer->SetEnabled(false);

  if (!FPreview && frmMain) frmMain->BreakStarted();
}

void TTWForm::LayOut() {
  TBreakWindowSettings s = ReadSettings();
  const int W = Screen->Width(), H = Screen->Height();
  const RECT wa = Screen->WorkAreaRect();
  const int WAW = wa.right - wa.left, WAH = wa.bottom - wa.top;
  const int width = Width();

  const int barLeft = RoundHalfEven(W * 20 / 1024.0);
  ProgressBar1->SetBounds(barLeft, RoundHalfEven(H * 20 / 768.0), width - 2 * barLeft,
                          8 * RoundHalfEven(width / 1024.0));

  const int adjust = GetAutoFontAdjust(W, H);
  FCanvasFont.Assign(Font);
  FCanvasFont.Size = Font.Size + adjust;
  lblBreakRemainSec->Font.Size += adjust;
  lblBreakRemainSec->FontChanged();
  lblCurrentMode->Font.Size += adjust;
  lblCurrentMode->FontChanged();
  const int labelTop = RoundHalfEven(H * 48 / 768.0);
  lblBreakRemainSec->SetBounds(RoundHalfEven(W * 28 / 1024.0), labelTop, lblBreakRemainSec->Width(),
                               lblBreakRemainSec->Height());
  lblCurrentMode->SetBounds((width - lblCurrentMode->Width()) / 2, labelTop, lblCurrentMode->Width(),
                            lblCurrentMode->Height());

  lblSlogan->SetCaption(s.Slogan);
  const TColor designed = lblSlogan->Font.Color;
  lblSlogan->Font.Assign(s.SloganFont);
  // A font dialog never used keeps the system's text colour, black on the black window: the
  // slogan then keeps its designed white.
  if (s.SloganFont.Color == clWindowText) lblSlogan->Font.Color = designed;
  lblSlogan->FontChanged();
  lblSlogan->SetBounds((width - lblSlogan->Width()) / 2, (Height() - lblSlogan->Height()) / 2, lblSlogan->Width(),
                       lblSlogan->Height());
  lblSlogan->SetVisible(s.ShowSlogan);

  imgShutDownIcon->SetBounds(WAW * 5 / 100, WAH * 95 / 100 - imgShutDownIcon->Height(), imgShutDownIcon->Width(),
                             imgShutDownIcon->Height());
  imgShutDownIcon->SetVisible(s.ShowPowerButton);

  const int iconLeft = WAW * 95 / 100 - imgUrgentExitIcon->Width();
  const int iconTop = WAH * 95 / 100 - imgUrgentExitIcon->Height();
  imgUrgentExitIcon->SetBounds(iconLeft, iconTop, imgUrgentExitIcon->Width(), imgUrgentExitIcon->Height());
  const int bottom = iconTop + imgUrgentExitIcon->Height();
  const int comboLeft = iconLeft - cbbRemindAgainAt->Width() - 10;
  cbbRemindAgainAt->SetBounds(comboLeft, bottom - cbbRemindAgainAt->Height(), cbbRemindAgainAt->Width(),
                              cbbRemindAgainAt->Height());
  edtExitPsw->SetBounds(comboLeft - edtExitPsw->Width() - 10, bottom - edtExitPsw->Height(), edtExitPsw->Width(),
                        edtExitPsw->Height());
}

void TTWForm::FormShow(TObject*) {
  cbbRemindAgainAt->SetItemIndex(0);
  cbbRemindAgainAtSelect(nullptr);
  TBreakWindowSettings s = ReadSettings();
  if (s.ShowCurrentMode) {
    lblCurrentMode->SetCaption(ModeCaption(s.Mode));
    lblCurrentMode->SetVisible(true);
  } else {
    lblCurrentMode->SetVisible(false);
  }
}

// ---- background --------------------------------------------------------------------------------

void TTWForm::SetBreakInterface() {
  SetColor(FWindowColor);
  // Drawn only inside a paint: every paint draws the pattern anew.
  if (Canvas.Handle()) DrawBreakPattern(Canvas, ClientWidth(), ClientHeight(), FPattern, FPaintRandom, FWindowColor);
}

POINT TTWForm::BannerPoint() const {
  return POINT{RoundHalfEven(Screen->Width() * 110 / 1024.0), RoundHalfEven(Screen->Height() * 110 / 768.0)};
}

void TTWForm::FormPaint(TObject*) {
  SetBreakInterface();
  if (FBanner.empty()) return;
  Canvas.Font.Assign(FCanvasFont);
  Canvas.Brush.Style = bsClear;
  POINT p = BannerPoint();
  Canvas.TextOut(p.x, p.y, FBanner);
  Canvas.Brush.Style = bsSolid;
}

// ---- fade-in and the count ---------------------------------------------------------------------

void TTWForm::CreateAnimateTimerTimer(TObject*) {
  TBreakWindowSettings s = ReadSettings();
  const TFadeIn f = FadeInFor(s.FadeInSpeed, s.FadeInStep, s.Transparency);
  if (std::optional<int> next = NextOpacity(AlphaBlendValue(), f)) {
    SetAlphaBlendValue(*next);
    if (s.UseWaveEffect) CreateAnimateTimer->SetInterval(WaveInterval(s.FadeInSpeed, FRandom.Next(s.WaveStrength)));
    return;
  }
  CreateAnimateTimer->SetEnabled(false);
  TrackingTimer->SetEnabled(true);
  FCanvasFont.Color = TColor(RGB(255, 255, 0));
  FBanner = kRestText;
  Invalidate();
  if (s.Mode == bmEnforce) ApplyInputLimits();
}

void TTWForm::ApplyInputLimits() {
  TBreakWindowSettings s = ReadSettings();
  if (s.HideCursor && !FCursorHidden) {
    SystemInput().ShowCursor(false);
    FCursorHidden = true;
  }
  if (s.DisableKeyboard && !FInputBlocked) FInputBlocked = SystemInput().BlockInput(true);
}

void TTWForm::ReleaseInputLimits() {
  if (FCursorHidden) {
    SystemInput().ShowCursor(true);
    FCursorHidden = false;
  }
  if (FInputBlocked) {
    SystemInput().BlockInput(false);
    FInputBlocked = false;
  }
}

void TTWForm::SetExitControls(const TExitControls& c) {
  imgUrgentExitIcon->SetVisible(c.Icon);
  cbbRemindAgainAt->SetVisible(c.Minutes);
  edtExitPsw->SetVisible(c.Password);
}

void TTWForm::TrackingTimerTimer(TObject*) {
  ProgressBar1->SetPosition(ProgressBar1->Position() - 1);
  ++BreakTicks;
  TBreakWindowSettings s = ReadSettings();
  SetExitControls(ExitControlsAt(s.Mode, BreakTicks, s.InterfereIntensity, imgUrgentExitIcon->Visible()));
  lblBreakRemainSec->SetCaption(std::to_wstring(ProgressBar1->Position()));
  if (ProgressBar1->Position() <= ProgressBar1->Min()) EndOfCount();
}

void TTWForm::EndOfCount() {
  TrackingTimer->SetEnabled(false);
  FBanner = kEndText;
  Invalidate();
  Update();
  ReleaseInputLimits();
  if (FPreview) {
    BreakCanClose = true;
    Close();
  }
}

void TTWForm::FormClick(TObject*) {
  if (ProgressBar1->Position() > ProgressBar1->Min()) return;
  BreakCanClose = true;
  Close();
}

void TTWForm::FormKeyDown(TObject* Sender, WORD&, TShiftState) { FormClick(Sender); }

// ---- ways out ----------------------------------------------------------------------------------

void TTWForm::imgUrgentExitIconClick(TObject* Sender) {
  if (ProgressBar1->Position() <= 5) {
    FormClick(Sender);
    return;
  }
  TBreakWindowSettings s = ReadSettings();
  const int item = cbbRemindAgainAt->ItemIndex();
  const bool minutesChosen = item >= 1 && item <= kAbortItem;
  switch (s.Mode) {
    case bmFree:
      if (minutesChosen) TakePause(item);
      break;
    case bmPassword: {
      TUnlockQuestion q;
      q.AddendA = FAddendA;
      q.AddendB = FAddendB;
      q.Answer = FAnswer;
      q.Text = FQuestion;
      if (minutesChosen && UnlockAnswerCorrect(edtExitPsw->Text(), q)) TakePause(item);
      else edtExitPsw->SetText(FQuestion);
      break;
    }
    case bmInterference:
      ReleaseInputLimits();
      Hide();
      TrackingTimer->SetEnabled(false);
      InterfereControlTimer->SetInterval(unsigned(std::max(1, s.InterfereIntensity)) * 1000u);
      InterfereControlTimer->SetEnabled(true);
      break;
    case bmEnforce:
      break;
  }
}

void TTWForm::TakePause(int item) {
  ReleaseInputLimits();  // nothing may stay blocked behind a hidden window
  Hide();
  TrackingTimer->SetEnabled(false);
  if (item != kAbortItem) {
    InterfereControlTimer->SetInterval(PauseIntervalMs(item));
    InterfereControlTimer->SetEnabled(true);
    return;
  }
  if (ConfirmAbortBreak()) {
    BreakCanClose = true;
    Close();
  } else {
    EndPause(0);
  }
}

bool TTWForm::ConfirmAbortBreak() {
  return Dialogs().MessageBox(nullptr, kAbortQuestion, kAbortCaption, MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) ==
         IDYES;
}

void TTWForm::InterfereControlTimerTimer(TObject*) {
  TBreakWindowSettings s = ReadSettings();
  EndPause(PauseCredit(s.Mode, InterfereControlTimer->Interval()));
}

void TTWForm::EndPause(int credit) {
  if (FClosed) return;
  Show();  // FormShow puts the minutes list back to "<请选择...>"
  InterfereControlTimer->SetEnabled(false);
  ProgressBar1->SetPosition(ProgressBar1->Position() + credit);  // never beyond the full length
  lblBreakRemainSec->SetCaption(std::to_wstring(ProgressBar1->Position()));
  BreakTicks = 0;
  SetExitControls({false, false, false});
  TrackingTimer->SetEnabled(true);
}

void TTWForm::cbbRemindAgainAtSelect(TObject*) {
  if (ReadSettings().Mode != bmPassword) return;
  const int item = cbbRemindAgainAt->ItemIndex();
  const int32_t range = UnlockRandomRange(item);
  const int32_t a = FRandom.Next(range);
  const int32_t b = FRandom.Next(range);
  TUnlockQuestion q = MakeUnlockQuestion(item, a, b);
  FAddendA = q.AddendA;
  FAddendB = q.AddendB;
  FAnswer = q.Answer;
  FQuestion = q.Text;
  edtExitPsw->SetText(FQuestion);
}

void TTWForm::edtExitPswClick(TObject*) { edtExitPsw->SetText(L""); }

void TTWForm::edtExitPswMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
  if (Button == mbLeft) edtExitPswClick(Sender);
}

void TTWForm::imgShutDownIconClick(TObject*) {
  ProgramWindows().ShutDownDialog();
}

// ---- the end -----------------------------------------------------------------------------------

void TTWForm::FormCloseQuery(TObject*, bool& CanClose) { CanClose = BreakCanClose && !FClosed; }

void TTWForm::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  FClosed = true;
  CreateAnimateTimer->SetEnabled(false);
  TrackingTimer->SetEnabled(false);
  InterfereControlTimer->SetEnabled(false);
  ReleaseInputLimits();
  EnableBreakCommands();
  if (FPreview) {
    if (frmMain) frmMain->PreviewEnded();
    return;
  }
  RealBreakEnds();
}

void TTWForm::RealBreakEnds() {
  const int position = ProgressBar1->Position(), max = ProgressBar1->Max();
  if (frmMain) frmMain->BreakEnded(position, max);
  else Settings().SelectedPlanTakesForce();
}

void TTWForm::FormDestroy(TObject*) { ReleaseInputLimits(); }

void TTWForm::EndSession() { ReleaseInputLimits(); }

void TTWForm::WMQueryEndSession(TMessage& m) {
  // A break never holds up a log-off or shut-down.
  m.Result = TRUE;
}

void TTWForm::WndProc(TMessage& m) {
  if (m.Msg == WM_QUERYENDSESSION) {
    WMQueryEndSession(m);
    return;
  }
  TForm::WndProc(m);
}
