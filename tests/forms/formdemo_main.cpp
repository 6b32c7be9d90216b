// The demo program: shows the test form until it is closed.
#include <windows.h>

#include "unitFrmDemo.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  InitApplication();
  Application->Title = L"表单演示";
  TfrmDemo* frmDemo;
  Application->CreateForm(frmDemo);
  Application->Run();
  int rc = Application->ExitCode();
  TComponent::Free(Application);
  return rc;
}
