// The smallest tray program: a hidden window, a tray icon and a message loop, nothing else. It is
// what scripts/bench-idle holds the programs' idle cost against.
#include <windows.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"QuovelMinimalTray";
  RegisterClassW(&wc);
  HWND h = CreateWindowExW(0, wc.lpszClassName, L"mintray", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           instance, nullptr);
  NOTIFYICONDATAW nid{sizeof(nid)};
  nid.hWnd = h;
  nid.uID = 1;
  nid.uFlags = NIF_ICON | NIF_TIP;
  nid.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpyW(nid.szTip, L"mintray");
  Shell_NotifyIconW(NIM_ADD, &nid);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Shell_NotifyIconW(NIM_DELETE, &nid);
  return 0;
}
