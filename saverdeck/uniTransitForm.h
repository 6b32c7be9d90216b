#pragma once
// The full-screen transit window between two screen savers of a run. Created hidden at start
// and kept for the whole run.
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmTransitForm : public TForm {
 public:
  explicit TfrmTransitForm(TComponent* AOwner);

  TImage* imgTransitFormBgr = nullptr;
  TLabel* lblPleaseWait = nullptr;
  TLabel* lblCountDown = nullptr;
  TLabel* lblWelcome = nullptr;
  TButton* btnExit = nullptr;
  TButton* btnNextScrNow = nullptr;
  TTimer* tmrCountDown = nullptr;
  TTimer* tmrTextMove = nullptr;
};
extern TfrmTransitForm* frmTransitForm;
