#pragma once
// The full-screen break window: fades in over the desktop, counts the break's seconds down and
// offers the ways out of the break mode; when a real break ends it closes the cycle and starts
// the next work period.
#include <cstdint>
#include <functional>
#include <string>

#include "BreakPatterns.h"
#include "BreakPlans.h"
#include "BreakWindowSettings.h"
#include "BreakWindowRules.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ListCtrls.h"
#include "StdCtrls.h"

class TTWForm : public TForm {
 public:
  explicit TTWForm(TComponent* AOwner);
  ~TTWForm() override;

  TProgressBar* ProgressBar1 = nullptr;
  TLabel* lblBreakRemainSec = nullptr;
  TLabel* lblCurrentMode = nullptr;
  TLabel* lblSlogan = nullptr;
  TImage* imgShutDownIcon = nullptr;
  TImage* imgUrgentExitIcon = nullptr;
  TComboBox* cbbRemindAgainAt = nullptr;
  TEdit* edtExitPsw = nullptr;
  TTimer* CreateAnimateTimer = nullptr;
  TTimer* TrackingTimer = nullptr;
  TTimer* InterfereControlTimer = nullptr;

  // Each window's own, so a preview on its way out never answers for the real break's window.
  // The answer of the close query: false from creation until a way out is taken.
  bool BreakCanClose = false;
  // Whole seconds counted since the window was last shown.
  uint32_t BreakTicks = 0;

  // The unlock question of the password mode.
  int32_t FAddendA = 0, FAddendB = 0, FAnswer = 0;
  std::wstring FQuestion;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormClick(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void CreateAnimateTimerTimer(TObject* Sender);
  void TrackingTimerTimer(TObject* Sender);
  void InterfereControlTimerTimer(TObject* Sender);
  void imgUrgentExitIconClick(TObject* Sender);
  void imgShutDownIconClick(TObject* Sender);
  void cbbRemindAgainAtSelect(TObject* Sender);
  void edtExitPswClick(TObject* Sender);
  void edtExitPswMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void WMQueryEndSession(TMessage& m);

  // Window colour (patterns 0 and 1) at creation; the drawn patterns at each paint.
  void SetBreakInterface();
  // "你确定要完全中止休息吗？...": true for Yes.
  bool ConfirmAbortBreak();

  // What the window shows and holds, for the scheduler's other parts and for tests.
  int Pattern() const { return FPattern; }
  bool IsPreview() const { return FPreview; }
  bool FadingIn() const { return CreateAnimateTimer && CreateAnimateTimer->Enabled(); }
  // "请您休息！" while counting, "结束休息,点击返回！" once the count is over, else empty.
  const std::wstring& Banner() const { return FBanner; }
  POINT BannerPoint() const;
  bool CursorHidden() const { return FCursorHidden; }
  bool InputBlocked() const { return FInputBlocked; }
  bool Closed() const { return FClosed; }

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  bool ClicksOnMouseUp() const override { return true; }
  void EndSession() override;

 private:
  void LayOut();
  void TakePause(int item);
  void EndPause(int credit);
  void EndOfCount();
  void ApplyInputLimits();
  // Undoes exactly what ApplyInputLimits applied, whatever the mode is by now.
  void ReleaseInputLimits();
  void SetExitControls(const TExitControls& c);
  void RealBreakEnds();

  // The window's choices (pattern, colour, fade-in waves, the unlock question) and its pictures
  // draw from sources of their own: how often the system repaints never changes a choice.
  TRandom FRandom;
  TRandom FPaintRandom;
  TFont FCanvasFont;
  TColor FWindowColor = clBlack;
  int FPattern = 0;
  bool FPreview = false;
  bool FCursorHidden = false, FInputBlocked = false;
  bool FClosed = false;
  std::wstring FBanner;
};

extern TTWForm* TWForm;
