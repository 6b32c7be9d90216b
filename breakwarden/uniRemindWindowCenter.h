#pragma once
// The reminder window in the centre of the screen.
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmRemindWindowCenter : public TForm {
 public:
  explicit TfrmRemindWindowCenter(TComponent* AOwner);
};

extern TfrmRemindWindowCenter* frmRemindWindowCenter;
