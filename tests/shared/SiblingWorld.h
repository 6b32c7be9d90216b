#pragma once
// The world a sibling call looks at, owned by the test: shell folders (so path files) in a test
// folder, install records redirected from HKLM\SOFTWARE\Quovel into a test key, and windows of the
// family's classes created in this process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ShellFakes.h"
#include "TextFile.h"

struct SiblingWorld {
  SiblingWorld() {
    folders.registry.Redirect(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\", install.Path() + L"\\");
  }
  void PathFile(const std::wstring& name, const std::wstring& exe) {
    CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
    WriteTextLines(folders.appData + L"\\Quovel\\" + name, {exe, L"30"});
  }
  void InstallRecord(const std::wstring& productKey, const std::wstring& exe) {
    install.SetString(productKey, L"dir", exe);
  }
  ShellFoldersInTestFolder folders;
  TestRegKey install;
};

// A hidden top-level window of a given class in this process, logging what is posted to it.
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

// A file that exists for the test's scope (an empty "executable").
struct TempFile {
  explicit TempFile(std::wstring p) : path(std::move(p)) { WriteBytes(path, "MZ"); }
  ~TempFile() { DeleteFileW(path.c_str()); }
  std::wstring path;
};
