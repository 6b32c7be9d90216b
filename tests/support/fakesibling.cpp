// A stand-in for a sibling program in process tests (built a second time as fake.scr, a stand-in
// screen saver). Its settings come from the command line
// (--class NAME --delay MS --log PATH --life MS) or, when started as a sibling would be (by its
// product's executable name, with "/A" or nothing), from a file beside it named <exe>.ini with
// lines key=value (class, delay, log, life). It logs its arguments, waits delay ms, registers the
// class with one hidden window, then logs every message of WM_USER and above that it receives, and
// ends on WM_CLOSE or after life ms (default 60000).
#include <windows.h>

#include <string>

namespace {

std::wstring g_log;

void Log(const std::wstring& line) {
  if (g_log.empty()) return;
  HANDLE h = CreateFileW(g_log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  std::wstring text = line + L"\r\n";
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), n, nullptr, nullptr);
  DWORD w;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &w, nullptr);
  CloseHandle(h);
}

std::wstring ReadIni(const std::wstring& path, const std::wstring& key) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string bytes(65536, '\0');
  DWORD got = 0;
  ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
  CloseHandle(h);
  bytes.resize(got);
  int n = MultiByteToWideChar(936, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  std::wstring text(n, L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), int(bytes.size()), text.data(), n);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(L'\n', pos);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (line.compare(0, key.size() + 1, key + L"=") == 0) return line.substr(key.size() + 1);
    pos = end + 1;
  }
  return {};
}

LRESULT CALLBACK WndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring cls, args;
  int delay = 0, life = 60000;
  bool configured = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (!args.empty()) args += L" ";
    args += a;
    if (i + 1 < argc && (a == L"--class" || a == L"--delay" || a == L"--log" || a == L"--life")) {
      std::wstring v = argv[++i];
      args += L" " + v;
      configured = true;
      if (a == L"--class") cls = v;
      else if (a == L"--delay") delay = _wtoi(v.c_str());
      else if (a == L"--log") g_log = v;
      else life = _wtoi(v.c_str());
    }
  }
  if (!configured) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring ini = std::wstring(self) + L".ini";
    cls = ReadIni(ini, L"class");
    g_log = ReadIni(ini, L"log");
    std::wstring d = ReadIni(ini, L"delay"), f = ReadIni(ini, L"life");
    if (!d.empty()) delay = _wtoi(d.c_str());
    if (!f.empty()) life = _wtoi(f.c_str());
  }
  LocalFree(argv);
  Log(L"start pid=" + std::to_wstring(GetCurrentProcessId()));
  Log(L"args " + args);
  if (delay > 0) Sleep(delay);
  if (cls.empty()) cls = L"QuovelFakeSibling";
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = inst;
  wc.lpszClassName = cls.c_str();
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(0, cls.c_str(), L"fakesibling", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             inst, nullptr);
  Log(L"ready " + cls);
  SetTimer(wnd, 1, life, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == wnd && msg.wParam == 1) {
      DestroyWindow(wnd);
      continue;
    }
    if (msg.message >= WM_USER || msg.message == WM_CLOSE) {
      wchar_t line[96];
      swprintf(line, 96, L"msg 0x%04X %llu %lld", msg.message, (unsigned long long)msg.wParam, (long long)msg.lParam);
      Log(line);
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Log(L"exit");
  return 0;
}
