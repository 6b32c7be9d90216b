#include "uniBreakHint.h"

#include <algorithm>

#include "BkwdSeams.h"
#include "DisplayZoom.h"
#include "EventLog.h"
#include "Menus.h"
#include "uniShowDetail.h"
#include "unitFrmMain.h"

TfrmBreakHint* frmBreakHint = nullptr;

namespace {
constexpr uint16_t kCountdownSeconds = 60, kPreviewSeconds = 3;
constexpr uint16_t kRestoreAt = 10;  // a minimised window comes back, and requests open once more

bool MenuChecked(const wchar_t* name) {
  auto* item = frmMain ? dynamic_cast<TMenuItem*>(frmMain->FindComponent(name)) : nullptr;
  return item && item->Checked;
}

// Every open detail box: each click of "详细..." makes one.
void CloseDetailBoxes() {
  std::vector<TForm*> boxes;
  for (TForm* f : Application->Forms())
    if (f->Name() == L"frmShowDetail" && !f->Destroying()) boxes.push_back(f);
  for (TForm* f : boxes) f->Close();
}
}  // namespace

std::wstring CountdownText(unsigned seconds) {
  if (seconds > 60)
    return L"还剩" + std::to_wstring(seconds / 60) + L"分" + std::to_wstring(seconds % 60) + L"秒!";
  return L"还剩" + std::to_wstring(seconds) + L"秒!";
}

std::wstring PostponementDetailText(unsigned appliedMins, unsigned appliedTimes, unsigned maxMins, unsigned maxTimes) {
  if (appliedMins >= maxMins) return L"你已申请 " + std::to_wstring(appliedMins) + L" 分钟,还可申请 0 分钟!";
  if (appliedTimes >= maxTimes) return L"你已申请 " + std::to_wstring(appliedTimes) + L" 次,还可申请 0 次!";
  return L"你已申请 " + std::to_wstring(appliedMins) + L" 分钟,还可申请 " + std::to_wstring(maxMins - appliedMins) +
         L" 分钟!" + L"你已申请 " + std::to_wstring(appliedTimes) + L" 次,还可申请 " +
         std::to_wstring(maxTimes - appliedTimes) + L" 次!";
}

TfrmBreakHint::TfrmBreakHint(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmBreakHint", Binder<TfrmBreakHint>(this)
                                 .Bind(QV_MEMBER(Image1))
                                 .Bind(QV_MEMBER(lblTimeRemain))
                                 .Bind(QV_MEMBER(Label2))
                                 .Bind(QV_MEMBER(edtMins))
                                 .Bind(QV_MEMBER(UpDown1))
                                 .Bind(QV_MEMBER(Label3))
                                 .Bind(QV_MEMBER(lblStatus))
                                 .Bind(QV_MEMBER(btnDetails))
                                 .Bind(QV_MEMBER(cbxToggleDesktop))
                                 .Bind(QV_MEMBER(btnApplyMins))
                                 .Bind(QV_MEMBER(btnBreak))
                                 .Bind(QV_MEMBER(btnM))
                                 .Bind(QV_MEMBER(Bevel1))
                                 .Bind(QV_MEMBER(Bevel2))
                                 .Bind(QV_MEMBER(Timer1))
                                 .On(QV_HANDLER(FormCreate))
                                 .On(QV_HANDLER(Timer1Timer))
                                 .On(QV_HANDLER(UpDown1Click))
                                 .On(QV_HANDLER(btnApplyMinsClick))
                                 .On(QV_HANDLER(btnBreakClick))
                                 .On(QV_HANDLER(btnDetailsClick))
                                 .On(QV_HANDLER(btnMClick))
                                 .On(QV_HANDLER(btnMMouseUp))
                                 .On(QV_HANDLER(cbxToggleDesktopClick))
                                 .On(QV_HANDLER(FormCloseQuery))
                                 .On(QV_HANDLER(FormClose))
                                 .On(QV_HANDLER(FormDestroy)));
}
QV_REGISTER_FORM(TfrmBreakHint);

void TfrmBreakHint::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // Above everything, and not owned by the program's hidden window.
  p.ExStyle |= WS_EX_TOPMOST;
  p.WndParent = GetDesktopWindow();
}

std::wstring TfrmBreakHint::CurrentModeName() const {
  if (MenuChecked(L"NModeFree")) return L"自由模式";
  if (MenuChecked(L"NModePassword")) return L"密码模式";
  if (MenuChecked(L"NModeInterference")) return L"干扰模式";
  return L"强制模式";
}

void TfrmBreakHint::UpdateCaption() {
  SetCaption(L"休息倒计时-[当前模式:" + CurrentModeName() + L",请在休息前选择您最合适的休息模式!点击M调用]");
}

void TfrmBreakHint::ApplyFontAdjust(int points) {
  for (TControl* c : {static_cast<TControl*>(lblTimeRemain), static_cast<TControl*>(lblStatus),
                      static_cast<TControl*>(edtMins), static_cast<TControl*>(Label2), static_cast<TControl*>(Label3)}) {
    c->Font.Size += points;
    c->FontChanged();
  }
}

void TfrmBreakHint::ApplyZoom(int percent) {
  auto z = [percent](int length) { return ZoomLength(length, percent); };
  const int w = z(Width()), h = z(Height());
  SetBounds((Screen->Width() - w) / 2, (Screen->Height() - h) / 2, w, h);
  for (TControl* c : {static_cast<TControl*>(Image1), static_cast<TControl*>(btnApplyMins),
                      static_cast<TControl*>(btnBreak), static_cast<TControl*>(btnM),
                      static_cast<TControl*>(btnDetails), static_cast<TControl*>(edtMins),
                      static_cast<TControl*>(Bevel1), static_cast<TControl*>(Bevel2), static_cast<TControl*>(UpDown1)})
    c->SetBounds(z(c->Left()), z(c->Top()), z(c->Width()), z(c->Height()));
  // Labels and the check box keep the size their text gives them.
  for (TControl* c : {static_cast<TControl*>(lblTimeRemain), static_cast<TControl*>(Label2),
                      static_cast<TControl*>(Label3), static_cast<TControl*>(lblStatus),
                      static_cast<TControl*>(cbxToggleDesktop)})
    c->SetBounds(z(c->Left()), z(c->Top()), c->Width(), c->Height());
  HintZoomed = true;
}

void TfrmBreakHint::FormCreate(TObject*) {
  UpdateCaption();
  HintCanClose = false;
  HintZoomed = false;
  // Read once: the automatic zoom follows the screen the window opens on, and the limits stay
  // those of the plan the countdown began with, even if another takes force now.
  const TCountdownSettings s = Settings().CountdownSettings();
  SetColor(s.Colour);
  if (s.FontAdjust != 0) ApplyFontAdjust(s.FontAdjust);
  if (s.ZoomMode != zmDesignSize) ApplyZoom(s.ZoomPercent);
  Image1->Picture.Assign(s.Picture);
  Image1->PictureChanged();

  preview_ = frmMain && frmMain->FDemoHint;
  canApplyMaxMins_ = s.Plan.CanApplyMaxMins;
  canApplyMaxTimes_ = s.Plan.CanApplyMaxTimes;
  applyOnceMaxMins_ = s.Plan.ApplyOnceMaxMins;
  HintCountdown = preview_ ? kPreviewSeconds : kCountdownSeconds;
  HintReopenAt = 60;
  AppliedMins = 0;
  AppliedTimes = 0;

  cbxToggleDesktop->SetChecked(s.ToggleDesktop);
  UpDown1->SetEnabled(false);
  UpDown1->SetMin(0);
  UpDown1->SetMax(std::min(applyOnceMaxMins_, canApplyMaxMins_));
  UpDown1->SetPosition(0);
  edtMins->SetText(L"0");
  lblTimeRemain->SetCaption(kTimeRemainTitle);
  lblStatus->SetCaption(canApplyMaxTimes_ == 0 || canApplyMaxMins_ == 0 ? kStatusNever : kStatusNotYet);
  Timer1->SetEnabled(true);
}

void TfrmBreakHint::Timer1Timer(TObject*) {
  const uint16_t n = HintCountdown;
  if (n == 0) {
    Timer1->SetEnabled(false);
    lblTimeRemain->SetCaption(kTimeUp);
    btnBreakClick(nullptr);  // a scheduled break
    return;
  }
  // Only a window the user minimised comes back; a countdown that runs unseen stays unseen.
  if (n == kRestoreAt && Visible() && WindowState() == wsMinimized) SetWindowState(wsNormal);
  if (AppliedTimes < canApplyMaxTimes_ && AppliedMins < canApplyMaxMins_ && (n == HintReopenAt || n == kRestoreAt)) {
    UpDown1->SetEnabled(true);
    lblStatus->SetCaption(kStatusOpen);
  }
  HintCountdown = n - 1;
  lblTimeRemain->SetCaption(CountdownText(HintCountdown));
}

void TfrmBreakHint::UpDown1Click(TObject*, TUDBtnType) {
  btnApplyMins->SetCaption(edtMins->Text() != L"0" ? kHintApply : kHintKnown);
}

void TfrmBreakHint::btnApplyMinsClick(TObject*) {
  if (btnApplyMins->Caption() == kHintKnown) {
    CloseDetailBoxes();
    SetWindowState(wsMinimized);  // it comes back by itself at 10 seconds
    return;
  }
  if (preview_) return;
  // Only an open request within the current maximum is granted.
  const int m = UpDown1->Position();
  if (!UpDown1->Enabled() || m <= 0 || m > UpDown1->Max()) return;
  Timer1->SetEnabled(false);
  lblTimeRemain->SetCaption(kTimeRemainTitle);
  frmMain->RecordEvent(false, true, uint8_t(m), ekApplyExtension, true);
  HintCountdown = uint16_t(HintCountdown + 60 * m);
  AppliedMins = uint8_t(AppliedMins + m);
  AppliedTimes = uint8_t(AppliedTimes + 1);
  lblStatus->SetCaption(AppliedTimes >= canApplyMaxTimes_ || AppliedMins >= canApplyMaxMins_ ? kStatusNoMore
                                                                                            : kStatusLater);
  UpDown1->SetMax(std::min<int>(applyOnceMaxMins_, canApplyMaxMins_ - AppliedMins));
  UpDown1->SetPosition(0);
  UpDown1->SetEnabled(false);
  UpDown1Click(nullptr, btNext);
  Timer1->SetEnabled(true);
}

void TfrmBreakHint::btnBreakClick(TObject* Sender) {
  Timer1->SetEnabled(false);
  frmMain->PostponementGranted(AppliedMins);
  if (preview_) {
    frmMain->HintPreviewEnded();
  } else {
    frmMain->BreakNow(TBreakWindow::Break, Sender ? ekManualBreak : ekScheduledBreak);
  }
  HintCanClose = true;
  CloseDetailBoxes();
  Close();
}

void TfrmBreakHint::btnDetailsClick(TObject*) {
  const std::wstring text = PostponementDetailText(AppliedMins, AppliedTimes, canApplyMaxMins_, canApplyMaxTimes_);
  auto* box = new TfrmShowDetail(Application);
  frmShowDetail = box;
  const SIZE size = box->MeasureText(text);
  box->SetBounds(Left() + (Width() - size.cx) / 2, Top() + RoundHalfEven(Height() * 0.9) - size.cy,
                 std::max<int>(size.cx + 20, kShowDetailMinWidth), size.cy + 10);
  box->SetColor(Color());
  box->SetDetailText(text);
  box->Show();
}

void TfrmBreakHint::btnMClick(TObject*) {
  TForm* setup = Settings().SetupForm();
  if (!setup) return;
  SetWindowPos(setup->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (frmMain) frmMain->NSetupModeClick(nullptr);
  // Above everything while it opens, not for the rest of the run.
  if (setup->HandleAllocated()) PlaceNotTopmost(setup->HandleIfAllocated());
}

void TfrmBreakHint::btnMMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}

void TfrmBreakHint::cbxToggleDesktopClick(TObject*) {
  // The window's box and the setting are one choice.
  Settings().SetToggleDesktop(cbxToggleDesktop->Checked());
}

void TfrmBreakHint::FormCloseQuery(TObject*, bool& CanClose) { CanClose = HintCanClose; }

void TfrmBreakHint::FormCanResize(TObject*, int&, int&, bool& Resize) {
  if (HintZoomed) Resize = false;
}

void TfrmBreakHint::FormClose(TObject*, TCloseAction& Action) {
  Settings().EnableHintPreview(true);
  Action = caFree;
}

void TfrmBreakHint::FormDestroy(TObject*) {
  if (frmBreakHint == this) frmBreakHint = nullptr;
}

void TfrmBreakHint::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZING: {
      auto* r = reinterpret_cast<RECT*>(m.LParam);
      int w = r->right - r->left, h = r->bottom - r->top;
      bool resize = true;
      FormCanResize(this, w, h, resize);
      if (!resize) *r = BoundsRect();
      m.Result = TRUE;
      return;
    }
    case WM_QUERYENDSESSION:
      // Windows may log off or shut down while the countdown runs.
      m.Result = TRUE;
      return;
  }
  TForm::WndProc(m);
}
