#pragma once
// The countdown window of the last minute before a break.
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmBreakHint : public TForm {
 public:
  explicit TfrmBreakHint(TComponent* AOwner);
};

extern TfrmBreakHint* frmBreakHint;
