// Shows the break window as a user sees it, for screenshots:
//   breakdemo.exe <mode 0..3> [end] [pattern]
// The fade-in is run through at once and six seconds are counted, so the mode's exit controls
// show; with "end" the count is run to its end. The password mode also asks its question.
#include <windows.h>

#include <cwchar>
#include <string>

#include "BkwdSeams.h"
#include "Forms.h"
#include "Transparent_Window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int mode = argc > 1 ? _wtoi(argv[1]) : 0;
  const bool end = argc > 2 && std::wstring(argv[2]) == L"end";
  const int pattern = argc > 3 ? _wtoi(argv[3]) : 8;
  InitApplication();
  Application->Title = L"breakdemo";

  TBreakWindowSettings s;
  s.Mode = BreakModeFromIndex(mode);
  s.Slogan = L"健康是最大的财富，请您休息！";
  s.SloganFont.Name = L"楷体_GB2312";
  s.SloganFont.Size = 24;
  s.Pattern = pattern;
  s.UseWaveEffect = false;
  TBreakPlanStore plans;
  s.Plan = plans.PlanInForce();
  // The window reads these settings instead of a settings dialog's.
  struct DemoSettings : SettingsSeam {
    TBreakWindowSettings s;
    TBreakWindowSettings BreakWindowSettings() override { return s; }
  } demo;
  demo.s = s;
  SetSettingsSeam(&demo);

  TTWForm* w = new TTWForm(Application);
  while (w->FadingIn()) w->CreateAnimateTimer->Timer();
  w->TrackingTimer->SetEnabled(false);  // the picture stays as it is
  const int ticks = end ? w->ProgressBar1->Max() : 6;
  for (int i = 0; i < ticks; ++i) w->TrackingTimer->Timer();
  w->TrackingTimer->SetEnabled(false);
  if (s.Mode == bmPassword) {
    w->cbbRemindAgainAt->SetItemIndex(2);
    w->cbbRemindAgainAtSelect(w->cbbRemindAgainAt);
  }
  Application->Run();
  return 0;
}
