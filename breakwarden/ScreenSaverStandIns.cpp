// Stand-ins for the screen-saver module: the switch that WIN+K and the statistics window's
// "屏保开关" turn over, and the plain black screen of WIN+H. The screen-saver module replaces this
// file whole (the switch's box and tray item, the restore timer, the animated saver).
#include <cstdlib>

#include "BkwdSeams.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

const char kBlackScreenText[] =
    "object frmScrBKWD: TfrmScrBKWD\n"
    "  BorderStyle = bsNone\n"
    "  FormStyle = fsStayOnTop\n"
    "  Color = clBlack\n"
    "  KeyPreview = True\n"
    "  OnKeyDown = FormKeyDown\n"
    "  OnMouseDown = FormMouseDown\n"
    "  OnMouseMove = FormMouseMove\n"
    "  OnClose = FormClose\n"
    "end\n";

// A black, topmost window over the whole screen without the cursor; a key, a mouse button or a
// mouse move of more than 2 pixels ends it.
class TBlackScreen : public TForm {
 public:
  explicit TBlackScreen(TComponent* owner) : TForm(owner) {
    InitFormFromText(kBlackScreenText, "frmScrBKWD", Binder<TBlackScreen>(this)
                                                         .On(QV_HANDLER(FormKeyDown))
                                                         .On(QV_HANDLER(FormMouseDown))
                                                         .On(QV_HANDLER(FormMouseMove))
                                                         .On(QV_HANDLER(FormClose)));
    SetBounds(0, 0, Screen->Width(), Screen->Height());
    GetCursorPos(&start_);
    SystemInput().ShowCursor(false);
  }
  void FormKeyDown(TObject*, WORD&, TShiftState) { Close(); }
  void FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) { Close(); }
  void FormMouseMove(TObject*, TShiftState, int, int) {
    POINT p{};
    GetCursorPos(&p);
    if (std::abs(p.x - start_.x) > 2 || std::abs(p.y - start_.y) > 2) Close();
  }
  void FormClose(TObject*, TCloseAction& action) {
    if (!closed_) SystemInput().ShowCursor(true);
    closed_ = true;
    action = caFree;
  }

 private:
  POINT start_{};
  bool closed_ = false;
};

}  // namespace

void TfrmSetup::ShowInternalSCR(bool /*animated*/) { (new TBlackScreen(Application))->Show(); }

void TfrmSetup::cbxEnableSelfSCRClick(TObject* Sender) {
  if (SelfSCRToggling) return;
  if (!Sender) {
    SelfSCRToggling = true;
    cbxEnableSelfSCR->SetChecked(!cbxEnableSelfSCR->Checked());
    SelfSCRToggling = false;
  }
  if (!frmMain || !frmMain->NDisableSelfSCR) return;
  frmMain->NDisableSelfSCR->Checked = !cbxEnableSelfSCR->Checked();
  frmMain->NDisableSelfSCRClick(cbxEnableSelfSCR);
}

void TfrmMain::NDisableSelfSCRClick(TObject* Sender) {
  TCheckBox* box = frmSetup ? frmSetup->cbxEnableSelfSCR : nullptr;
  if (!NDisableSelfSCR) return;
  if (Sender != box) {
    NDisableSelfSCR->Checked = !NDisableSelfSCR->Checked;
    if (box) box->SetChecked(!NDisableSelfSCR->Checked);
  }
  const bool disabled = NDisableSelfSCR->Checked;
  NDisableSelfSCR->Caption = disabled ? L"屏保开关(WIN+K)--屏保已禁用,点击启用" : L"屏保开关(WIN+K)--屏保已启用,点击禁用";
  if (disabled) ShowPopHint(clTeal, clRed, L"屏幕保护已禁用！");
  else ShowPopHint(clTeal, clLime, L"屏幕保护已启用！");
}
