#pragma once
// The settings dialog: created at start, lives hidden for the whole run; its controls are the settings.
#include "Buttons.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "StdCtrls.h"

class TfrmSetup : public TForm {
 public:
  explicit TfrmSetup(TComponent* AOwner);

  // ---- reminder windows: zoom, window type, colours, previews (uniSetupRemind.cpp) ----
  void BindRemindHandlers(Binder<TfrmSetup>& b);
  // ---- end of reminder windows ----
};

extern TfrmSetup* frmSetup;
