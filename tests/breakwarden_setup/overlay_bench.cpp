// Times the picture overlay at the screen's size: a picture file loaded as the settings dialog loads
// it, then the overlay made, shown and painted, and closed again. Prints milliseconds.
// Usage: overlay_bench.exe <picture file> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Text.h"
#include "sceneOnTop.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {
double Now() {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER v;
    QueryPerformanceFrequency(&v);
    return v;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    printf("usage: overlay_bench <picture file> [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
  InitApplication();
  Application->ShowMainForm = false;
  wchar_t tmp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tmp);
  SetSetupConfigFolder(std::wstring(tmp) + L"overlay_bench\\");
  CreateDirectoryW((std::wstring(tmp) + L"overlay_bench").c_str(), nullptr);
  Application->CreateForm(frmMain);
  Application->CreateForm(frmSetup);
  frmMain->ShowSOT(false);
  frmMain->ShowDesktopDeco(false);
  Application->ProcessMessages();

  std::vector<double> load, show;
  for (int i = 0; i < runs; ++i) {
    double t0 = Now();
    TPicture picture;
    picture.LoadFromFile(argv[1]);
    frmSetup->imgScreenShadow->Picture.Assign(picture);
    load.push_back(Now() - t0);

    t0 = Now();
    frmMain->ShowSOT(true);
    RedrawWindow(SOTForm->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    show.push_back(Now() - t0);
    frmMain->ShowSOT(false);
    Application->ProcessMessages();
  }
  printf("picture %dx%d, screen %dx%d, %d runs\n", frmSetup->imgScreenShadow->Picture.Width(),
         frmSetup->imgScreenShadow->Picture.Height(), Screen->Width(), Screen->Height(), runs);
  printf("picture loaded (decoded): median %.1f ms, worst %.1f ms\n", Median(load), *std::max_element(load.begin(), load.end()));
  printf("overlay made, shown and painted: median %.1f ms, worst %.1f ms\n", Median(show),
         *std::max_element(show.begin(), show.end()));
  TComponent::Free(Application);
  return 0;
}
