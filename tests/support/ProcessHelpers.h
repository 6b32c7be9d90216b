#pragma once
// A built program started by a test and talked to as its siblings do: by its windows, posted
// messages and its exit. Whatever the test's outcome, the process does not outlive its object.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls done every stepMs until it holds (true) or ms have passed (false).
bool WaitFor(const std::function<bool()>& done, DWORD ms = 20000, DWORD stepMs = 50);

// Whether a program that writes its own path file at its first run finds it written for exe.
enum class FirstRun {
  Done,   // the path file names exe, as after the first run: no first-run boxes
  AsIs,   // the path file is left as the test made it
};

class TestProcess {
 public:
  // Starts exe (a Windows path) with args after its quoted path; dir empty: this process's folder.
  explicit TestProcess(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& dir = L"",
                       FirstRun firstRun = FirstRun::Done);
  // A process still running is asked to quit (WM_QUIT to its main thread), then killed after 10 s.
  ~TestProcess();
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;

  bool Started() const { return started_; }
  bool Running() const;
  DWORD Pid() const { return pi_.dwProcessId; }
  // Ends the message loop as the system does; the program cleans up on its way out.
  void Quit();
  // Posts WM_CLOSE to every top-level window of its main thread, as a user closing it would.
  void CloseWindows();
  bool Ended(DWORD ms = 15000) const;
  DWORD ExitCode() const;  // 99 when it cannot be read
  // Its visible top-level window of a class (and caption, when given), or null.
  HWND Window(const wchar_t* cls, const wchar_t* caption = nullptr) const;
  // The same, hidden windows included.
  HWND AnyWindow(const wchar_t* cls, const wchar_t* caption = nullptr) const;

 private:
  HWND Find(const wchar_t* cls, const wchar_t* caption, bool visibleOnly) const;
  bool started_ = false;
  PROCESS_INFORMATION pi_{};
};

// Writes the path file of the family's program that exe is (by its file name), naming exe, as that
// program's first run does; nothing for another executable.
void SeedPathFile(const std::wstring& exe);

// ---- another process's windows, as a user's tool reaches them ----

// A child window (any depth) of parent by its caption, or null.
HWND ChildByCaption(HWND parent, const std::wstring& caption);
// Every child window (any depth) of parent of a window class.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* cls);
// A window's text as WM_GETTEXT gives it: an edit's text too, which GetWindowText of another
// process does not read.
std::wstring WindowText(HWND h);
// A button click as the system makes it (BM_CLICK), waited for.
void ClickButton(HWND button);

// What the screen shows in a rectangle (screen coordinates), as the user sees it.
struct ScreenPixels {
  RECT rect{};
  std::vector<COLORREF> pixels;  // row by row
  COLORREF At(int x, int y) const { return pixels[size_t(y - rect.top) * (rect.right - rect.left) + (x - rect.left)]; }
  // How many pixels pass the test.
  int Count(const std::function<bool(COLORREF)>& test) const;
};
ScreenPixels CaptureScreen(const RECT& r);
