#pragma once
// The full-screen transit window of a screen-saver run: before the first saver and between two.
// Created hidden at start; the run shows it and closes it, and closing only hides it.
#include <cstdint>
#include <random>

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TransitRules.h"

// Seconds left of the countdown.
extern uint8_t TransitCountDown;
// 1 from the start of a run until its first saver has been started (the run's, which sets it).
extern uint8_t FirstScrStart;

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

  // true: the welcome text moves to the right.
  bool FDirection = true;
  // The window's random draws; one generator, seeded once when the window is made. A test puts
  // its own source here.
  TRandomSource Random;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyPress(TObject* Sender, wchar_t& Key);
  void tmrCountDownTimer(TObject* Sender);
  void tmrTextMoveTimer(TObject* Sender);
  int RandomTextTop();
  void btnNextScrNowClick(TObject* Sender);
  void btnExitClick(TObject* Sender);

  // The run's own close at its transit tick: it ends nothing, since the run goes on.
  void CloseForNextSaver();

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  void ApplyBackground();
  // Any close but the run's own is the user's: the run ends as by "退出".
  bool closingForNextSaver_ = false;
  std::mt19937 generator_;
};
extern TfrmTransitForm* frmTransitForm;
