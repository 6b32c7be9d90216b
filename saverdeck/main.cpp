// The player's program block: one instance (a second start hands its playlist over and ends), no
// older version beside it, then the four forms and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "Forms.h"
#include "Handles.h"
#include "PlaylistHandOver.h"
#include "SaverDeckCommands.h"
#include "uniMusicList.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"
#include "uniTransitForm.h"

namespace {
std::vector<std::wstring> Arguments() {
  int argc = 0;
  LocalMemory<wchar_t**> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv.get()[i]);
  return args;
}

// Older versions of the player, by their main windows' classes in the product table.
bool OlderVersionRunning() {
  static const std::vector<std::wstring> older = OlderClasses(pcSaverDeck, kClassSaverDeck);
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
  TSingleInstance instance(pcSaverDeck);
  instance.WaitForFirst(kClassSaverDeck, kWaitForFirstInstanceMs);
  InitApplication();
  Application->Title = L"Sonavista";
  if (HWND running = FindWindowW(kClassSaverDeck, nullptr)) {
    std::wstring path;
    if (PlaylistHandOverPath(Arguments(), path)) PutPlaylistOnClipboard(path);
    PostMessageW(running, WM_SAVERDECK_SHOW, 0, 0);
    return EndProgram(0);
  }
  // The first instance never showed its window: still only one.
  if (!instance.First()) return EndProgram(0);
  // No way on but closing the old version.
  while (OlderVersionRunning())
    Application->MessageBox(L"Sonavista检测到已经有一个旧版本在运行,请您先关闭它,再继续！", L"提示",
                            MB_SYSTEMMODAL | MB_ICONINFORMATION);

  Application->CreateForm(frmSaverDeck);
  // The playlist window reads the settings dialog's controls as it is created.
  Application->CreateForm(frmSetupSaverDeck);
  Application->CreateForm(frmTransitForm);
  StartArguments = Arguments();
  Application->CreateForm(frmMusicList);
  instance.MainWindowReady();
  Application->Run();
  return EndProgram(Application->ExitCode());
}
