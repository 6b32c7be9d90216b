#pragma once
// The reminder window in the middle of the work area: labels, the alarm clock and the content
// line, framed in the kind's border colour.
#include "DisplayZoom.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "RemindWindows.h"
#include "StdCtrls.h"

class TfrmRemindWindowCenter : public TForm {
 public:
  // Shows the kind the main window asks for (FRemindKind).
  explicit TfrmRemindWindowCenter(TComponent* AOwner);
  TfrmRemindWindowCenter(TComponent* AOwner, int kind);
  ~TfrmRemindWindowCenter() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TImage* imgAlarm = nullptr;
  TEdit* edtRemindContent = nullptr;
  TTimer* tmrAutoClose = nullptr;

  void FormCreate(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormClick(TObject* Sender);
  void tmrAutoCloseTimer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void ApplyFontAdjust();
  void ApplyZoom();

  // The kind this window was made for; click, close and paint use it, whatever comes later.
  int Kind() const { return FKind; }
  const RemindWindowLook& Look() const { return FLook; }

 protected:
  void CreateParams(TCreateParams& p) override;
  bool ClicksOnMouseUp() const override { return true; }

 private:
  int FKind;
  RemindWindowLook FLook{};
};

extern TfrmRemindWindowCenter* frmRemindWindowCenter;
