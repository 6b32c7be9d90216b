// One step of the transit window's welcome text, repainted, over a stretched picture that covers
// the screen: "飞快" asks for one every 50 ms. Prints the time of a step with the window's double
// buffering (the picture stretched once, each step copies only what it uncovers) and without it
// (each repaint stretches the picture again). Not a test: run it by hand under Xvfb at 1920x1080
// (scripts/bench-saverdeck).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ShellFakes.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"
#include "uniTransitForm.h"

namespace {

// Paints everything due now, the children included, as the next pass of the message loop would.
void PaintNow(HWND h) {
  RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

}  // namespace

int wmain() {
  const int steps = 200;
  BenchPlayerWorld world(L"qvtransitbench");

  InitApplication();
  Application->Title = L"Sonavista";
  Application->ShowMainForm = false;
  Application->CreateForm(frmSaverDeck);
  Application->CreateForm(frmSetupSaverDeck);
  Application->CreateForm(frmTransitForm);

  // A 1024x768 picture, stretched over the screen.
  const std::wstring picture = world.folder + L"\\transit.bmp";
  WriteBitmapFile(picture, 1024, 768);
  frmSetupSaverDeck->imgTransitBackground->Picture.LoadFromFile(picture);
  frmSetupSaverDeck->rdgTransitFormBackgroundUse->SetItemIndex(2);
  frmSetupSaverDeck->cbbTextSpeed->SetItemIndex(0);

  TfrmTransitForm* w = frmTransitForm;
  std::printf("screen %dx%d, picture 1024x768 stretched\n", Screen->Width(), Screen->Height());
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  for (bool buffered : {true, false}) {
    w->DoubleBuffered = buffered;
    w->Show();
    w->tmrTextMove->SetEnabled(false);
    w->tmrCountDown->SetEnabled(false);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    PaintNow(w->Handle());
    QueryPerformanceCounter(&t1);
    std::printf("%s: first paint of the whole window %.2f ms\n", buffered ? "double-buffered" : "unbuffered",
                MsBetween(t0, t1, freq));
    std::vector<double> ms;
    for (int i = 0; i < steps; ++i) {
      QueryPerformanceCounter(&t0);
      w->tmrTextMoveTimer(nullptr);
      PaintNow(w->Handle());
      QueryPerformanceCounter(&t1);
      ms.push_back(MsBetween(t0, t1, freq));
    }
    ReportTimes(buffered ? "double-buffered text step, repainted" : "unbuffered text step, repainted", ms, "steps");
    w->Close();
    Application->ProcessMessages();
  }

  DeleteFileW(picture.c_str());
  TComponent::Free(Application);
  return 0;
}
