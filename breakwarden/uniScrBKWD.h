#pragma once
// The program's own screen saver: a full-screen black window with a wandering, colour-cycling
// greeting, random lines and tips; in its static mode the one-key black screen (WIN+H). The first
// key, click or real mouse move ends it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BreakPatterns.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

// Set by ShowInternalSCR before it makes the window: true = the plain black screen.
extern bool ScrStaticMode;

class TfrmScrBKWD : public TForm {
 public:
  explicit TfrmScrBKWD(TComponent* AOwner);
  ~TfrmScrBKWD() override;

  TLabel* Label1 = nullptr;
  TTimer* Timer1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormPaint(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void FormClose(TObject* Sender, TCloseAction& Action);

  std::wstring RandomTipText();
  // A tip in a random colour at a random place, drawn over what the window shows.
  void DrawRandomTip();
  // What a paint draws: the random lines, the label's band left free (nothing in static mode).
  void DrawLines(TCanvas& canvas);

  // Its state, for the tests.
  bool StaticMode() const { return FStatic; }
  bool MovingRight() const { return FRight; }
  POINT StartPoint() const { return FStart; }
  int16_t R = 0, G = 0, B = 0, dR = 5, dG = 5, dB = 5;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  void DrawTipOn(TCanvas& canvas);
  void GiveCursorBack();
  TRandom FRandom;
  TFont FTipFont;
  bool FStatic = false, FRight = true, FCursorHidden = false;
  POINT FStart{};
};

// The last one made (each start makes a new window).
extern TfrmScrBKWD* frmScrBKWD;
