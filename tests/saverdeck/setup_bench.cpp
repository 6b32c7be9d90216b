// The settings dialog's creation as the player's start runs it (after the main window): the time of
// each creation, without svd25cfg and with a full one whose transit picture loads. Not a test: run it
// by hand under Xvfb (scripts/bench-saverdeck). The path file is set for this executable while it
// runs, so no first run is timed, and given back at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"

int wmain() {
  const int rounds = 25;
  BenchPlayerWorld world(L"qvsetupbench");
  const std::wstring& folder = world.folder;

  InitApplication();
  Application->Title = L"Sonavista";
  Application->ShowMainForm = false;
  Application->CreateForm(frmSaverDeck);

  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  auto time = [&](const char* what) {
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
      LARGE_INTEGER t0, t1;
      QueryPerformanceCounter(&t0);
      Application->CreateForm(frmSetupSaverDeck);
      QueryPerformanceCounter(&t1);
      ms.push_back(MsBetween(t0, t1, freq));
      TComponent::Free(frmSetupSaverDeck);
      frmSetupSaverDeck = nullptr;
      Application->ProcessMessages();
    }
    ReportTimes(what, ms, "creations");
  };
  time("settings dialog created, no svd25cfg");

  // A full file with its picture.
  const std::wstring picture = folder + L"\\transit.bmp";
  WriteBitmapFile(picture, 640, 480);
  WriteTextLines(folder + L"\\svd25cfg",
                 {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", L"[0] FALSE TRUE TRUE", L"[1] 3", L"[2]",
                  L"[3] 60 12 2 0 -16777190 2", L"[4] 1 TRUE", L"C:\\列表.qvml", L"C:\\伴音.mp3", picture, L"C:\\列表",
                  L"C:\\图片", L"C:\\一", L"C:\\二", L"C:\\三", L"C:\\四", L"C:\\五", L"2"});
  time("settings dialog created, full svd25cfg with a 640x480 picture");

  DeleteFileW((folder + L"\\svd25cfg").c_str());
  DeleteFileW(picture.c_str());
  TComponent::Free(Application);
  return 0;
}
