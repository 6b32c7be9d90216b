// Shows the controls test form, on the page given as the argument (0, 1 or 2), until it is closed.
#include <windows.h>

#include "unitFrmControls.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmd, int) {
  InitApplication();
  Application->Title = L"控件演示";
  TfrmControls* frmControls;
  Application->CreateForm(frmControls);
  frmControls->pgcMain->SetActivePageIndex(StrToIntDef(Trim(cmd), 1));
  frmControls->mmoHistory->Lines().Add(L"第三行：历史记录");
  frmControls->clxPlaylist->SetChecked(1, true);
  Application->Run();
  int rc = Application->ExitCode();
  TComponent::Free(Application);
  return rc;
}
