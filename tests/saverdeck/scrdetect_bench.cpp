// What the end detector of a screen-saver run costs at each of its once-a-second ticks: one
// process snapshot that looks for a ".scr" process, with none running and with one (the fake saver
// whose path is the argument). Not a test: run it by hand (scripts/bench-saverdeck).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "uniQVShare.h"

namespace {
double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}

void Measure(const char* what, bool expected) {
  const int rounds = 200;
  double best = 1e9, total = 0;
  for (int i = 0; i < rounds; ++i) {
    const double t0 = Now();
    const bool found = IsProcessExtRunning(L".scr");
    const double t = Now() - t0;
    if (found != expected) std::printf("  unexpected: found=%d\n", int(found));
    best = std::min(best, t);
    total += t;
  }
  std::printf("detector tick (one process snapshot), %s: best %.3f ms, mean %.3f ms over %d\n", what, best,
              total / rounds, rounds);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  Measure("no saver running", false);
  if (argc < 2) return 0;
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + std::wstring(argv[1]) + L"\" --life 60000";
  if (!CreateProcessW(argv[1], cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("the saver did not start\n");
    return 1;
  }
  Sleep(500);
  Measure("one saver running", true);
  const double t0 = Now();
  KillProcessesByExt(L".scr");
  WaitForSingleObject(pi.hProcess, 5000);
  std::printf("ending it (until its process is gone): %.3f ms\n", Now() - t0);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return 0;
}
