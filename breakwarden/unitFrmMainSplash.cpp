// The main window as the welcome splash: placed in the middle of the work area, faded out, and
// hidden instead of closed.
#include "BkwdSeams.h"
#include "DisplayZoom.h"
#include "unitFrmMain.h"

RECT SplashBounds(int screenWidth, int screenHeight, const RECT& workArea) {
  int h = RoundHalfEven(screenHeight * 0.46484375);
  int w = RoundHalfEven(screenWidth * 0.5537109375);
  // Centred in the work area, wherever the taskbar sits.
  int left = workArea.left + (workArea.right - workArea.left - w) / 2;
  int top = workArea.top + (workArea.bottom - workArea.top - h) / 2;
  return RECT{left, top, left + w, top + h};
}

void TfrmMain::PlaceSplash() {
  RECT r = SplashBounds(Screen->Width(), Screen->Height(), Screen->WorkAreaRect());
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TfrmMain::FormShow(TObject*) {
  PlaceSplash();
  // The splash's seconds count from its showing: on a slow start the settings dialog is made
  // between the window's creation and its first showing, and a count begun at the creation
  // would fade the splash out the moment it appears.
  CloseAnimateTimer->SetEnabled(false);
  CloseAnimateTimer->SetEnabled(true);
}

void TfrmMain::ShowSplash() {
  PlaceSplash();
  SetFormStyle(fsStayOnTop);
  Show();
  ShowWindow(Handle(), SW_SHOW);
  CloseAnimateTimer->SetEnabled(true);
  ShowWindow(Application->Handle(), SW_SHOW);
}

void TfrmMain::CloseAnimateTimerTimer(TObject*) {
  Close();
  CloseAnimateTimer->SetEnabled(false);
}

void TfrmMain::FormClose(TObject*, TCloseAction& Action) {
  // The main window never closes: it fades out and the program goes on in the tray.
  if (HandleAllocated() && IsWindowVisible(HandleIfAllocated()))
    Animation().Animate(HandleIfAllocated(), 400, AW_HIDE | AW_BLEND);
  Action = caNone;
  Hide();
  Application->HideWindow();
  HWND app = Application->Handle();
  // No taskbar button and no Alt+Tab entry for the hidden application window.
  SetWindowLongPtrW(app, GWL_EXSTYLE, GetWindowLongPtrW(app, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}
