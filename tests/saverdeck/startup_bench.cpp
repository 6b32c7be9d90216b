// Start to tray icon: starts the built player several times and prints how long each took until
// its tray icon answered (and, for comparison, until its main window was visible). Not a test:
// run it by hand under Xvfb (scripts/bench-saverdeck).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ProcessHelpers.h"

namespace {
std::wstring WinPath(const char* unixPath) {
  std::wstring p = L"Z:";
  for (const char* c = unixPath; *c; ++c) p += *c == '/' ? L'\\' : wchar_t(*c);
  return p;
}

HWND PlayerWindowOf(DWORD pid) {
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"KMR474747_325_SaverDeck", nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid) return h;
  }
  return nullptr;
}

double Ms(const LARGE_INTEGER& a, const LARGE_INTEGER& b, const LARGE_INTEGER& f) {
  return double(b.QuadPart - a.QuadPart) * 1000.0 / double(f.QuadPart);
}
}  // namespace

int main() {
  const int runs = 7;
  const std::wstring exe = WinPath(SAVERDECK_EXE);
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  std::vector<double> tray, shown;
  SeedPathFile(exe);  // its first run done: no welcome box in the way
  for (int run = 0; run < runs; ++run) {
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER t0, t1, t2{};
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      std::printf("cannot start %ls\n", exe.c_str());
      return 1;
    }
    HWND h = nullptr;
    bool iconUp = false, visible = false;
    for (int i = 0; i < 2000 && !(iconUp && visible); ++i) {
      if (!h) h = PlayerWindowOf(pi.dwProcessId);
      if (h && !iconUp && TrayIconShown(h, 102, L"Sonavista")) {
        iconUp = true;
        QueryPerformanceCounter(&t1);
      }
      if (h && !visible && IsWindowVisible(h)) {
        visible = true;
        QueryPerformanceCounter(&t2);
      }
      if (!(iconUp && visible)) Sleep(10);  // asking the tray too often would slow the program down
    }
    if (iconUp) tray.push_back(Ms(t0, t1, freq));
    if (visible) shown.push_back(Ms(t0, t2, freq));
    std::printf("run %d: tray icon %.1f ms, window shown %.1f ms\n", run + 1, iconUp ? Ms(t0, t1, freq) : -1.0,
                visible ? Ms(t0, t2, freq) : -1.0);
    PostThreadMessageW(pi.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  auto report = [](const char* what, std::vector<double> v) {
    if (v.empty()) return;
    std::sort(v.begin(), v.end());
    std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms (%zu runs)\n", what, v.front(), v[v.size() / 2],
                v.back(), v.size());
  };
  report("start to tray icon", tray);
  report("start to window shown", shown);
  return 0;
}
