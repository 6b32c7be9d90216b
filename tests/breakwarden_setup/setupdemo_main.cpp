// Shows the settings dialog on the page given as the argument (0 to 7), for screenshots, until it is
// closed; the argument "saver" shows the own screen saver instead, "black" its one-key black screen.
// Its qv30cfg is looked for in the temporary folder, so the build's folder is never touched.
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
  const std::wstring arg = Trim(cmd);
  if (arg == L"saver" || arg == L"black") frmSetup->ShowInternalSCR(arg == L"saver");
  else frmMain->OpenSetupPage(StrToIntDef(arg, 0));
  Application->Run();
  int rc = Application->ExitCode();
  TComponent::Free(Application);
  return rc;
}
