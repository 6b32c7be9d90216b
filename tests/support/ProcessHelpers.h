#pragma once
// A built program started by a test and talked to as its siblings do: by its windows, posted
// messages and its exit. Whatever the test's outcome, the process does not outlive its object.
#include <windows.h>

#include <functional>
#include <string>

// True while the tray holds the icon (owner, id): a tip change for it is accepted.
bool TrayIconAnswers(HWND owner, UINT id, const wchar_t* tip);
// The captions of every child window, each followed by '|' (what a box or dialog says).
std::wstring WindowChildTexts(HWND window);
// The clipboard as a user's copy leaves it: only this text.
bool SetClipboardText(const std::wstring& text);
// The clipboard's text; "<none>" when it holds none, "<busy>" when it cannot be opened.
std::wstring ClipboardText();

// Polls done every stepMs until it holds (true) or ms have passed (false).
bool WaitFor(const std::function<bool()>& done, DWORD ms = 20000, DWORD stepMs = 50);

class TestProcess {
 public:
  // Starts exe (a Windows path) with args after its quoted path; dir empty: this process's folder.
  explicit TestProcess(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& dir = L"");
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
