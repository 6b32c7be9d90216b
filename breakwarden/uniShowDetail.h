#pragma once
// The detail box of the countdown window: what is used and left of the postponements.
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmShowDetail : public TForm {
 public:
  explicit TfrmShowDetail(TComponent* AOwner);
};

extern TfrmShowDetail* frmShowDetail;
