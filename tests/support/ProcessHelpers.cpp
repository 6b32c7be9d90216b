#include "ProcessHelpers.h"

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

void TestProcess::Kill() {
  if (!started_) return;
  TerminateProcess(pi_.hProcess, 9);
  WaitForSingleObject(pi_.hProcess, 15000);
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

// A child window by its caption.
HWND Child(HWND parent, const std::wstring& caption) {
  struct Find {
    const std::wstring* caption;
    HWND found;
  } f{&caption, nullptr};
  EnumChildWindows(
      parent,
      [](HWND c, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<Find*>(p);
        wchar_t t[256] = {};
        GetWindowTextW(c, t, 256);
        if (*f->caption == t) {
          f->found = c;
          return FALSE;
        }
        return TRUE;
      },
      LPARAM(&f));
  return f.found;
}

void Click(HWND button) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &r);
}

bool Checked(HWND box) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 10000, &r);
  return r == BST_CHECKED;
}

// Answers a message box of the program with one of its buttons.
bool AnswerBox(const TestProcess& p, const wchar_t* title, int button) {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = p.Window(L"#32770", title)) != nullptr; })) return false;
  HWND b = GetDlgItem(box, button);
  if (!b) return false;
  PostMessageW(b, BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}
