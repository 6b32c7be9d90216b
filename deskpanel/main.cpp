// The console's program block: one instance; a second start shows the running bar and ends.
#include <windows.h>

#include "Forms.h"
#include "uniLumoConsoleMain.h"
#include "uniQVShare.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TSingleInstance instance(pcDeskpanel);
  instance.WaitForFirst(kClassDeskpanel, kWaitForFirstInstanceMs);
  if (HWND running = FindWindowW(kClassDeskpanel, nullptr)) {
    PostMessageW(running, WM_DESKPANEL_SHOW, 0, 0);
    return 0;
  }
  // The first instance never showed its bar: still only one.
  if (!instance.First()) return 0;
  InitApplication();
  Application->Title = L"Deskora";
  Application->CreateForm(frmLumoConsoleMain);
  instance.MainWindowReady();
  Application->Run();
  const int rc = Application->ExitCode();
  TComponent::Free(Application);
  Application = nullptr;
  return rc;
}
