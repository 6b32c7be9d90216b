#pragma once
// The detail box of the countdown window: what is used and left of the postponements.
#include <string>

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmShowDetail : public TForm {
 public:
  explicit TfrmShowDetail(TComponent* AOwner);

  TTimer* Timer1 = nullptr;

  // The size of a text in the box's own font, as its canvas measures it.
  SIZE MeasureText(const std::wstring& text);
  // The line the box shows, in black at (10, 5); kept so that it is drawn again when uncovered.
  const std::wstring& DetailText() const { return detailText_; }
  void SetDetailText(const std::wstring& text);

  void FormPaint(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  std::wstring detailText_;
};

// The box made last (each click of "详细..." makes a new one).
extern TfrmShowDetail* frmShowDetail;

inline constexpr int kShowDetailMinWidth = 240;
