#pragma once
// The small reminder window at the bottom right of the work area.
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmHintSmallWindow : public TForm {
 public:
  explicit TfrmHintSmallWindow(TComponent* AOwner);
};

extern TfrmHintSmallWindow* frmHintSmallWindow;
