#pragma once
// The three-second notice box: a small topmost box with one line of text that closes itself.
#include <string>

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmPopHint : public TForm {
 public:
  explicit TfrmPopHint(TComponent* AOwner);

  TLabel* lblInfo = nullptr;
  TTimer* Timer1 = nullptr;

  // Takes the text and colours from the unit globals; run again for a box that is already open.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void Timer1Timer(TObject* Sender);

 protected:
  void CreateParams(TCreateParams& p) override;
};
extern TfrmPopHint* frmPopHint;

extern std::wstring PopHintText;
extern TColor PopHintLabelColor;
extern TColor PopHintFormColor;
// The user cannot close the box; its timer frees it.
extern TCloseAction PopHintCloseAction;
