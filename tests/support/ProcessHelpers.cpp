#include "ProcessHelpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <shellapi.h>
#include <tlhelp32.h>

#include "ShellFakes.h"
#include "Text.h"

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

#include "TextFile.h"
#include "uniQVShare.h"

bool WaitFor(const std::function<bool()>& done, DWORD ms, DWORD stepMs) {
  for (DWORD waited = 0;; waited += stepMs) {
    if (done()) return true;
    if (waited >= ms) return false;
    Sleep(stepMs);
  }
}

bool SettleCursorAt(POINT p) {
  SetCursorPos(p.x, p.y);
  // Two readings, each after 150 ms without a change: both come from the X server.
  int agreed = 0;
  for (int i = 0; i < 33 && agreed < 2; ++i) {
    Sleep(150);
    POINT now{};
    GetCursorPos(&now);
    if (now.x == p.x && now.y == p.y) {
      ++agreed;
    } else {
      agreed = 0;
      SetCursorPos(p.x, p.y);
    }
  }
  return agreed == 2;
}

void ClickScreenAt(POINT p, bool right) {
  // Absolute places run from 0 to 65536 over the screen; rounded up, they come back as p itself.
  const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in[2] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = LONG((LONGLONG(p.x) * 65536 + w - 1) / w);
    i.mi.dy = LONG((LONGLONG(p.y) * 65536 + h - 1) / h);
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  in[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  SetCursorPos(p.x, p.y);
  SendInput(2, in, sizeof(INPUT));
}

namespace {
// The programs that write their own path file at their first run, with the version they write.
struct SelfPublishing {
  const wchar_t* exeName;
  const wchar_t* pathFile;
  const wchar_t* version;
};
const SelfPublishing kSelfPublishing[] = {{L"breakwarden.exe", L"dir1", L"30"}, {L"saverdeck.exe", L"dir3", L"25"}};
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

namespace {
// A start that fails says why in the test's output, beside the expectation that it started.
void ReportStartFailure(const std::wstring& exe) {
  const DWORD err = GetLastError();
  std::fprintf(stderr, "starting %s failed: error %lu\n", WideToUtf8(exe).c_str(), err);
}
}  // namespace

TestProcess::TestProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& dir,
                         FirstRunSeed firstRun) {
  if (firstRun == FirstRunSeed::Done) SeedPathFile(exe);
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!args.empty()) cmd += L" " + args;
  STARTUPINFOW si{sizeof(si)};
  started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            dir.empty() ? nullptr : dir.c_str(), &si, &pi_);
  if (!started_) ReportStartFailure(exe);
}

TestProcess::TestProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& dir,
                         LocalTimeShift shift) {
  SeedPathFile(exe);
  // faketime is a host program: Wine starts it as one, and its Wine loader joins this prefix's
  // server as a process of its own, found then by its image path. The monotonic clock is left
  // alone, so the program's performance counter stays on the server's time.
  const std::wstring faketime = Utf8ToWide(FAKETIME_PROGRAM);
  std::wstring cmd = L"\"" + faketime + L"\" --exclude-monotonic -m -f " + (shift.seconds < 0 ? L"" : L"+") +
                     std::to_wstring(shift.seconds) + L" \"" + Utf8ToWide(WINE_LOADER) + L"\" \"" + exe + L"\"";
  if (!args.empty()) cmd += L" " + args;
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION host{};
  if (!CreateProcessW(WinPathFromBuild(FAKETIME_PROGRAM).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.empty() ? nullptr : dir.c_str(), &si, &host))
    return;
  if (host.hThread) CloseHandle(host.hThread);
  if (host.hProcess) CloseHandle(host.hProcess);
  started_ = WaitFor([&] { return Adopt(exe); }, 20000);
}

TestProcess::TestProcess(const std::wstring& exe, const std::wstring& args, Held) {
  SeedPathFile(exe);
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!args.empty()) cmd += L" " + args;
  STARTUPINFOW si{sizeof(si)};
  started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                            &si, &pi_);
  if (!started_) ReportStartFailure(exe);
}

void TestProcess::Resume() {
  if (started_) ResumeThread(pi_.hThread);
}

DoubleStart::DoubleStart(const std::wstring& exe, const std::wstring& args)
    : starts{{exe, args, TestProcess::Held{}}, {exe, args, TestProcess::Held{}}} {
  starts[0].Resume();
  starts[1].Resume();
}

int DoubleStart::Survivor(DWORD ms) const {
  WaitFor([&] { return !starts[0].Running() || !starts[1].Running(); }, ms);
  const bool a = starts[0].Running(), b = starts[1].Running();
  return a == b ? -1 : (a ? 0 : 1);
}

int WindowsOfClass(const wchar_t* cls) {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, cls, nullptr));) ++n;
  return n;
}

bool TestProcess::Adopt(const std::wstring& exe) {
  const std::wstring name = exe.substr(exe.find_last_of(L"\\/") + 1);
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W pe{sizeof(pe)};
  for (BOOL more = Process32FirstW(snap, &pe); more && !pi_.hProcess; more = Process32NextW(snap, &pe)) {
    if (lstrcmpiW(pe.szExeFile, name.c_str()) != 0) continue;
    HANDLE h = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pe.th32ProcessID);
    if (!h) continue;
    wchar_t image[MAX_PATH] = {};
    DWORD n = MAX_PATH;
    if (QueryFullProcessImageNameW(h, 0, image, &n) && lstrcmpiW(image, exe.c_str()) == 0) {
      pi_.hProcess = h;
      pi_.dwProcessId = pe.th32ProcessID;
    } else {
      CloseHandle(h);
    }
  }
  // Its main thread is its first: the one that gets WM_QUIT.
  ULONGLONG first = ~0ull;
  THREADENTRY32 te{sizeof(te)};
  for (BOOL more = pi_.hProcess && Thread32First(snap, &te); more; more = Thread32Next(snap, &te)) {
    if (te.th32OwnerProcessID != pi_.dwProcessId) continue;
    HANDLE t = OpenThread(THREAD_ALL_ACCESS, FALSE, te.th32ThreadID);
    FILETIME created, unused;
    if (t && GetThreadTimes(t, &created, &unused, &unused, &unused)) {
      const ULONGLONG c = (ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime;
      if (c < first) {
        first = c;
        if (pi_.hThread) CloseHandle(pi_.hThread);
        pi_.hThread = t;
        pi_.dwThreadId = te.th32ThreadID;
        continue;
      }
    }
    if (t) CloseHandle(t);
  }
  CloseHandle(snap);
  return pi_.hProcess && pi_.hThread;
}

TestProcess::~TestProcess() {
  if (Running()) {
    Quit();
    if (!Ended(10000)) TerminateProcess(pi_.hProcess, 1);
  }
  if (pi_.hThread) CloseHandle(pi_.hThread);
  if (pi_.hProcess) CloseHandle(pi_.hProcess);
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
  for (HWND h : TopWindowsOf(pi_.dwProcessId)) {
    if ((visibleOnly && !IsWindowVisible(h)) || ClassOf(h) != cls) continue;
    if (!caption || WindowText(h) == caption) return h;
  }
  return nullptr;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
  struct Walk {
    DWORD pid;
    std::vector<HWND> found;
  } w{pid, {}};
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* w = reinterpret_cast<Walk*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == w->pid) w->found.push_back(h);
        return TRUE;
      },
      LPARAM(&w));
  return w.found;
}

std::wstring ClassOf(HWND h) {
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  return cls;
}

std::string StateOf(const TestProcess& p) {
  if (!p.Started()) return "not started";
  if (!p.Running()) return "ended with exit code " + std::to_string(p.ExitCode());
  std::wstring text;
  for (HWND h : TopWindowsOf(p.Pid())) {
    if (!IsWindowVisible(h)) continue;
    text += (text.empty() ? L"" : L", ") + ClassOf(h) + L" '" + WindowText(h) + L"'";
  }
  return "running, " + (text.empty() ? std::string("showing no window") : "showing " + WideToUtf8(text));
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
  DWORD_PTR length = 0;
  SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring t(std::max<size_t>(length, 511) + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, t.size(), LPARAM(t.data()), SMTO_ABORTIFHUNG, 5000, &got);
  t.resize(wcslen(t.c_str()));
  return t;
}

std::vector<std::wstring> TaskbarButtonsOf(DWORD pid) {
  std::vector<std::wstring> captions;
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!tray) return captions;
  for (HWND b : ChildrenOfClass(tray, L"Button")) {
    if (!IsWindowVisible(b)) continue;
    HWND target = HWND(GetWindowLongPtrW(b, GWLP_ID));
    DWORD owner = 0;
    if (!target || !IsWindow(target) || !GetWindowThreadProcessId(target, &owner) || owner != pid) continue;
    wchar_t text[128] = {};
    GetWindowTextW(target, text, 128);
    captions.push_back(text);
  }
  return captions;
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

bool Checked(HWND box) {
  DWORD_PTR r = 0;
  SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 10000, &r);
  return r == BST_CHECKED;
}

bool TrayIconShown(HWND owner, UINT id, const wchar_t* tip) {
  NOTIFYICONDATAW nid{sizeof(nid)};
  nid.hWnd = owner;
  nid.uID = id;
  nid.uFlags = NIF_TIP;
  lstrcpynW(nid.szTip, tip, ARRAYSIZE(nid.szTip));
  return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

std::wstring WindowTexts(HWND window) {
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

bool AnswerBoxOf(const TestProcess& p, const wchar_t* caption, int button, std::wstring* texts) {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = p.Window(L"#32770", caption)) != nullptr; })) return false;
  if (texts) *texts = WindowTexts(box);
  HWND b = GetDlgItem(box, button);
  if (!b) return false;
  PostMessageW(b, BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

SaverInWindowsFolder::SaverInWindowsFolder(const std::wstring& builtSaver, const std::wstring& name,
                                           const std::wstring& log, int lifeMs)
    : path(GetWinDir() + L"\\" + name), log_(log) {
  ok = CopyFileW(builtSaver.c_str(), path.c_str(), FALSE) != FALSE;
  WriteTextLines(path + L".ini", {L"log=" + log, L"life=" + std::to_wstring(lifeMs)});
}

SaverInWindowsFolder::~SaverInWindowsFolder() {
  for (DWORD pid : Started()) End(pid);
  DeleteFileW(path.c_str());
  DeleteFileW((path + L".ini").c_str());
}

std::vector<std::wstring> SaverInWindowsFolder::LogLines() const {
  try {
    return ReadTextLines(log_);
  } catch (const std::exception&) {
    return {};
  }
}

std::vector<DWORD> SaverInWindowsFolder::Started() const {
  std::vector<DWORD> pids;
  for (const std::wstring& line : LogLines())
    if (line.rfind(L"start pid=", 0) == 0) pids.push_back(DWORD(_wtoi(line.c_str() + 10)));
  return pids;
}

bool SaverInWindowsFolder::Running(DWORD pid) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!h) return false;
  const bool running = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  CloseHandle(h);
  return running;
}

void SaverInWindowsFolder::End(DWORD pid) {
  if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
    TerminateProcess(h, 0);
    WaitForSingleObject(h, 5000);
    CloseHandle(h);
  }
}

std::string WindowRectText(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

HWND TrackingMenu(const TestProcess& p) {
  HWND menu = p.Window(L"#32768");
  if (!menu) return nullptr;
  GUITHREADINFO gui{sizeof(gui)};
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(menu, nullptr), &gui)) return nullptr;
  if (!(gui.flags & GUI_INMENUMODE) || !gui.hwndCapture) return nullptr;
  return ClassOf(gui.hwndCapture) == L"#32768" ? gui.hwndCapture : menu;
}

bool ClickBesideMenus(const TestProcess& p) {
  // 100 pixels beside the box around all of them: up and left where there is room, else down and
  // right.
  RECT all{};
  for (HWND h : TopWindowsOf(p.Pid())) {
    if (ClassOf(h) != L"#32768" || !IsWindowVisible(h)) continue;
    RECT r;
    GetWindowRect(h, &r);
    UnionRect(&all, &all, &r);
  }
  const POINT beside{all.left > 200 ? all.left - 100 : all.right + 100, all.top > 200 ? all.top - 100 : all.bottom + 100};
  ClickScreenAt(beside);
  if (!WaitFor([&] { return p.Window(L"#32768") == nullptr; })) return false;
  return SettleCursorAt(beside);
}
