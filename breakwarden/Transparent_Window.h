#pragma once
// The full-screen break window.
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TTWForm : public TForm {
 public:
  explicit TTWForm(TComponent* AOwner);
};

extern TTWForm* TWForm;
