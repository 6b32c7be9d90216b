#pragma once
// The countdown window of the last minute before a break: it counts down, grants postponements
// within the limits of the plan in force, and at zero starts the break.
#include <cstdint>
#include <string>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "StdCtrls.h"

class TfrmBreakHint : public TForm {
 public:
  explicit TfrmBreakHint(TComponent* AOwner);

  TImage* Image1 = nullptr;
  TLabel* lblTimeRemain = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* edtMins = nullptr;
  TUpDown* UpDown1 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* lblStatus = nullptr;
  TButton* btnDetails = nullptr;
  TCheckBox* cbxToggleDesktop = nullptr;
  TButton* btnApplyMins = nullptr;
  TButton* btnBreak = nullptr;
  TButton* btnM = nullptr;
  TBevel* Bevel1 = nullptr;
  TBevel* Bevel2 = nullptr;
  TTimer* Timer1 = nullptr;

  // The countdown's state belongs to this window, so a preview and a real countdown never mix.
  uint16_t HintCountdown = 0;  // seconds left; + 60 per granted minute
  uint8_t HintReopenAt = 60;   // the count at which requests open again
  uint8_t AppliedMins = 0;     // postponement minutes granted before this break
  uint8_t AppliedTimes = 0;    // requests granted before this break
  bool HintCanClose = false;
  bool HintZoomed = false;
  // A preview counts 3 seconds and grants nothing.
  bool Preview() const { return preview_; }
  // The postponement limits of the plan in force when the countdown began.
  uint8_t CanApplyMaxMins() const { return canApplyMaxMins_; }
  uint8_t CanApplyMaxTimes() const { return canApplyMaxTimes_; }
  uint8_t ApplyOnceMaxMins() const { return applyOnceMaxMins_; }

  std::wstring CurrentModeName() const;
  void UpdateCaption();
  void ApplyFontAdjust(int points);
  void ApplyZoom(int percent);

  void FormCreate(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void UpDown1Click(TObject* Sender, TUDBtnType Button);
  void btnApplyMinsClick(TObject* Sender);
  void btnBreakClick(TObject* Sender);
  void btnDetailsClick(TObject* Sender);
  void btnMClick(TObject* Sender);
  // Releasing the button adds nothing to its click.
  void btnMMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void cbxToggleDesktopClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  bool preview_ = false;
  uint8_t canApplyMaxMins_ = 0, canApplyMaxTimes_ = 0, applyOnceMaxMins_ = 0;
};

// The countdown window made last.
extern TfrmBreakHint* frmBreakHint;

// The texts the window shows.
inline constexpr wchar_t kHintKnown[] = L"我知道了";
inline constexpr wchar_t kHintApply[] = L"申请延时";
inline constexpr wchar_t kStatusNever[] = L"  不可申请  ";
inline constexpr wchar_t kStatusNotYet[] = L"  未可申请  ";
inline constexpr wchar_t kStatusOpen[] = L"  可以申请  ";
inline constexpr wchar_t kStatusNoMore[] = L" 不可再申请 ";
inline constexpr wchar_t kStatusLater[] = L" 暂不可申请 ";
inline constexpr wchar_t kTimeRemainTitle[] = L"离休息还剩:";
inline constexpr wchar_t kTimeUp[] = L"休息时间已到!";

// "还剩1分59秒!" above one minute, else "还剩59秒!".
std::wstring CountdownText(unsigned seconds);
// What the detail box tells of the postponements used and left.
std::wstring PostponementDetailText(unsigned appliedMins, unsigned appliedTimes, unsigned maxMins, unsigned maxTimes);
