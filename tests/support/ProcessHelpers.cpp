#include "ProcessHelpers.h"

#include <cstdint>

#include "TextFile.h"
#include "uniQVShare.h"

bool WaitFor(const std::function<bool()>& done, DWORD ms, DWORD stepMs) {
  for (DWORD waited = 0;; waited += stepMs) {
    if (done()) return true;
    if (waited >= ms) return false;
    Sleep(stepMs);
  }
}

namespace {
// The programs that write their own path file at their first run, with the version they write.
struct SelfPublishing {
  const wchar_t* exeName;
  const wchar_t* pathFile;
  const wchar_t* version;
};
const SelfPublishing kSelfPublishing[] = {{L"breakwarden.exe", L"dir1", L"30"}};
}  // namespace

void SeedPathFile(const std::wstring& exe) {
  const std::wstring name = ExtractFileName(exe);
  for (const SelfPublishing& p : kSelfPublishing) {
    if (lstrcmpiW(name.c_str(), p.exeName) != 0) continue;
    const std::wstring folder = PathFileFolder();
    if (folder.empty()) return;
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteTextLines(folder + L"\\" + p.pathFile, {exe, p.version});
  }
}

TestProcess::TestProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& dir,
                         FirstRun firstRun) {
  if (firstRun == FirstRun::Done) SeedPathFile(exe);
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

namespace {
struct ChildSearch {
  std::function<bool(HWND)> match;
  std::vector<HWND> found;
  bool firstOnly;
};
BOOL CALLBACK CollectChild(HWND c, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  if (s->match(c)) {
    s->found.push_back(c);
    if (s->firstOnly) return FALSE;
  }
  return TRUE;
}
std::vector<HWND> Children(HWND parent, std::function<bool(HWND)> match, bool firstOnly) {
  ChildSearch s{std::move(match), {}, firstOnly};
  EnumChildWindows(parent, CollectChild, LPARAM(&s));
  return s.found;
}
}  // namespace

HWND ChildByCaption(HWND parent, const std::wstring& caption) {
  auto found = Children(parent, [&](HWND c) { return WindowText(c) == caption; }, true);
  return found.empty() ? nullptr : found.front();
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* cls) {
  return Children(
      parent,
      [cls](HWND c) {
        wchar_t name[64] = {};
        GetClassNameW(c, name, 64);
        return lstrcmpiW(name, cls) == 0;
      },
      false);
}

std::wstring WindowText(HWND h) {
  wchar_t t[512] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, 512, LPARAM(t), SMTO_ABORTIFHUNG, 5000, &got);
  return t;
}

void ClickButton(HWND button) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &r);
}

int ScreenPixels::Count(const std::function<bool(COLORREF)>& test) const {
  int n = 0;
  for (COLORREF c : pixels) n += test(c) ? 1 : 0;
  return n;
}

ScreenPixels CaptureScreen(const RECT& r) {
  ScreenPixels shot;
  shot.rect = r;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  shot.pixels.resize(size_t(w) * h);
  const auto* px = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < shot.pixels.size(); ++i)  // 0x00RRGGBB to COLORREF
    shot.pixels[i] = RGB((px[i] >> 16) & 0xFF, (px[i] >> 8) & 0xFF, px[i] & 0xFF);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return shot;
}
