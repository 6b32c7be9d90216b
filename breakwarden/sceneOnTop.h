#pragma once
// "银屏倩影": the picture overlay. A full-screen, translucent, topmost picture through which every
// click passes to the windows below; made on demand and freed when closed.
#include "ExtCtrls.h"
#include "Forms.h"

class TSOTForm : public TForm {
 public:
  explicit TSOTForm(TComponent* AOwner);

  TImage* Image1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

 protected:
  void CreateParams(TCreateParams& p) override;
};

// The overlay made last.
extern TSOTForm* SOTForm;
