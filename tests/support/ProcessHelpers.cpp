#include "ProcessHelpers.h"

#include <shellapi.h>

#include <cstring>

bool TrayIconAnswers(HWND owner, UINT id, const wchar_t* tip) {
  NOTIFYICONDATAW nid{sizeof(nid)};
  nid.hWnd = owner;
  nid.uID = id;
  nid.uFlags = NIF_TIP;
  lstrcpynW(nid.szTip, tip, ARRAYSIZE(nid.szTip));
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

std::wstring WindowChildTexts(HWND window) {
  std::wstring all;
  EnumChildWindows(
      window,
      [](HWND c, LPARAM p) -> BOOL {
        wchar_t t[512] = {};
        GetWindowTextW(c, t, 512);
        *reinterpret_cast<std::wstring*>(p) += std::wstring(t) + L"|";
        return TRUE;
      },
      LPARAM(&all));
  return all;
}

bool SetClipboardText(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool done = false;
  if (h) {
    std::memcpy(GlobalLock(h), text.c_str(), bytes);
    GlobalUnlock(h);
    done = SetClipboardData(CF_UNICODETEXT, h) != nullptr;
    if (!done) GlobalFree(h);
  }
  CloseClipboard();
  return done;
}

std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return L"<busy>";
  std::wstring text = L"<none>";
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) text = p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms, DWORD stepMs) {
  for (DWORD waited = 0;; waited += stepMs) {
    if (done()) return true;
    if (waited >= ms) return false;
    Sleep(stepMs);
  }
}

TestProcess::TestProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& dir) {
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!args.empty()) cmd += L" " + args;
  STARTUPINFOW si{sizeof(si)};
  started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            dir.empty() ? nullptr : dir.c_str(), &si, &pi_);
}

TestProcess::~TestProcess() {
  if (!started_) return;
  if (Running()) {
    Quit();
    if (!Ended(10000)) TerminateProcess(pi_.hProcess, 1);
  }
  CloseHandle(pi_.hThread);
  CloseHandle(pi_.hProcess);
}

bool TestProcess::Running() const { return started_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

void TestProcess::Quit() {
  if (started_) PostThreadMessageW(pi_.dwThreadId, WM_QUIT, 0, 0);
}

void TestProcess::CloseWindows() {
  if (!started_) return;
  EnumThreadWindows(
      pi_.dwThreadId,
      [](HWND h, LPARAM) {
        PostMessageW(h, WM_CLOSE, 0, 0);
        return TRUE;
      },
      0);
}

bool TestProcess::Ended(DWORD ms) const {
  return started_ && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD TestProcess::ExitCode() const {
  DWORD code = 99;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

HWND TestProcess::Window(const wchar_t* cls, const wchar_t* caption) const { return Find(cls, caption, true); }

HWND TestProcess::AnyWindow(const wchar_t* cls, const wchar_t* caption) const { return Find(cls, caption, false); }

HWND TestProcess::Find(const wchar_t* cls, const wchar_t* caption, bool visibleOnly) const {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* caption;
    bool visibleOnly;
    HWND found;
  } s{pi_.dwProcessId, cls, caption, visibleOnly, nullptr};
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != s->pid || (s->visibleOnly && !IsWindowVisible(h))) return TRUE;
        wchar_t text[256] = {};
        GetClassNameW(h, text, 256);
        if (lstrcmpW(text, s->cls) != 0) return TRUE;
        if (s->caption) {
          GetWindowTextW(h, text, 256);
          if (lstrcmpW(text, s->caption) != 0) return TRUE;
        }
        s->found = h;
        return FALSE;
      },
      LPARAM(&s));
  return s.found;
}
