#pragma once
// A hidden top-level window of a given class in this process, standing in for a sibling program's
// window: it logs the messages posted or sent to it from WM_USER up.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ClassWindow {
 public:
  explicit ClassWindow(const std::wstring& cls) : cls_(cls) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls_.c_str();
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, cls_.c_str(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(this));
  }
  ~ClassWindow() {
    if (hwnd) DestroyWindow(hwnd);
    UnregisterClassW(cls_.c_str(), GetModuleHandleW(nullptr));
  }
  HWND hwnd = nullptr;
  std::vector<UINT> got;
  std::function<void(UINT)> onMessage;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<ClassWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && m >= WM_USER) {
      self->got.push_back(m);
      if (self->onMessage) self->onMessage(m);
      return 0;
    }
    return DefWindowProcW(h, m, w, l);
  }
  std::wstring cls_;
};
