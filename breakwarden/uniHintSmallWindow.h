#pragma once
// The small reminder window: slides up at the bottom right of the work area and paints three
// lines for its kind (title, label, value).
#include "DisplayZoom.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "RemindWindows.h"
#include "StdCtrls.h"

class TfrmHintSmallWindow : public TForm {
 public:
  // Shows the kind the main window asks for (FRemindKind).
  explicit TfrmHintSmallWindow(TComponent* AOwner);
  TfrmHintSmallWindow(TComponent* AOwner, int kind);
  ~TfrmHintSmallWindow() override;

  TTimer* Timer1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormClick(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void ApplyZoom();

  // The kind this window was made for; click, close and paint use it, whatever comes later.
  int Kind() const { return FKind; }
  const RemindWindowLook& Look() const { return FLook; }
  // Where the three lines go, for the current look (measured with the paint's fonts).
  struct TLineLayout {
    std::wstring text;
    int fontSize, x, y;
  };
  std::vector<TLineLayout> LineLayout();

 protected:
  void CreateParams(TCreateParams& p) override;
  bool ClicksOnMouseUp() const override { return true; }

 private:
  void SetLineFont(TCanvas& c, int size) const;
  int FKind;
  RemindWindowLook FLook{};
};

extern TfrmHintSmallWindow* frmHintSmallWindow;
