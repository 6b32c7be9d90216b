// Shows the own screen saver full screen, for screenshots, until a key, a click or a mouse move
// ends it; the argument "static" shows the one-key black screen instead. Its qv30cfg is looked for
// in the temporary folder, so the build's folder is never touched.
#include <windows.h>

#include "uniSetup.h"
#include "unitFrmMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmd, int) {
  InitApplication();
  Application->Title = L"Restalon";
  Application->ShowMainForm = false;
  wchar_t tmp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tmp);
  SetSetupConfigFolder(tmp);
  Application->CreateForm(frmMain);
  Application->CreateForm(frmSetup);
  frmMain->CloseAnimateTimer->SetEnabled(false);
  frmSetup->ShowInternalSCR(Trim(cmd) != L"static");
  Application->Run();
  int rc = Application->ExitCode();
  TComponent::Free(Application);
  return rc;
}
