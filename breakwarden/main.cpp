// The break reminder's program block: one instance, no older version beside it, then the forms.
#include <windows.h>

#include "Forms.h"
#include "QVSeams.h"
#include "uniAboutQV.h"
#include "uniSetup.h"
#include "unitFrmMain.h"
#include "uniQVShare.h"

namespace {
// Older versions of the program, by their main windows' classes in the product table.
bool OlderVersionRunning() {
  static const std::vector<std::wstring> older = OlderClasses(pcBKWD, kClassBKWD);
  for (const std::wstring& c : older)
    if (FindWindowW(c.c_str(), nullptr)) return true;
  return false;
}

int EndProgram(int rc) {
  TComponent::Free(Application);
  Application = nullptr;
  return rc;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TSingleInstance instance(pcBKWD);
  instance.WaitForFirst(kClassBKWD, kWaitForFirstInstanceMs);
  InitApplication();
  Application->Title = L"Restalon";
  DelayWithMessages(200);

  if (HWND running = FindWindowW(kClassBKWD, nullptr)) {
    PostMessageW(running, WM_BKWD_SHOWWELCOME, 0, 0);
    return EndProgram(0);
  }
  // The first instance never showed its window: still only one.
  if (!instance.First()) return EndProgram(0);
  // No way on but closing the old version.
  while (OlderVersionRunning())
    Application->MessageBox(L"Restalon检测到已经有一个旧版本在运行,请您先关闭它,再继续！", L"提示",
                            MB_SYSTEMMODAL | MB_ICONINFORMATION);

  // In this order: the settings dialog's creation starts the scheduler and needs the main window;
  // the about window's creation tells a first run, whose setup comes 3 s later.
  Application->CreateForm(frmMain);
  Application->CreateForm(frmAboutHelp);
  Application->CreateForm(frmSetup);
  instance.MainWindowReady();
  Application->Run();
  int rc = EndProgram(Application->ExitCode());
  instance.Release();

  // "重启程序": this instance has cleaned up and its main window is gone, so the new one starts
  // cleanly instead of finding it and ending.
  if (RestartAfterExit) ShellCalls().Execute(nullptr, L"open", OwnExePath(), L"", L"", SW_SHOWNORMAL);
  return rc;
}
