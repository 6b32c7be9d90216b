#pragma once
// A small form with one of each basic control, for the form layer's tests and the demo program.
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"

class TfrmDemo : public TForm {
 public:
  explicit TfrmDemo(TComponent* AOwner);

  TLabel* lblHello = nullptr;
  TEdit* edtName = nullptr;
  TCheckBox* cbxAutoRun = nullptr;
  TButton* btnOK = nullptr;
  TButton* btnFail = nullptr;
  TImage* imgPhoto = nullptr;
  TTimer* tmrTick = nullptr;
  TPopupMenu* pmPhoto = nullptr;
  TMenuItem* NFirst = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void edtNameChange(TObject* Sender);
  void cbxAutoRunClick(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnFailClick(TObject* Sender);
  void tmrTickTimer(TObject* Sender);
  void NFirstClick(TObject* Sender);
  void NFirstMeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);

  // What the handlers saw, for the tests.
  std::vector<std::wstring> log;
  std::vector<TObject*> senders;
  TCloseAction closeAction = caHide;
  int ticks = 0;
  std::function<void()> onOK;  // extra work a test hangs on the button
};
