#pragma once
// A built program started by a test and talked to as its siblings do: by its windows, posted
// messages and its exit. Whatever the test's outcome, the process does not outlive its object.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The clipboard as a user's copy leaves it: only this text.
bool SetClipboardText(const std::wstring& text);
// The clipboard's text; "<none>" when it holds none, "<busy>" when it cannot be opened.
std::wstring ClipboardText();

// Polls done every stepMs until it holds (true) or ms have passed (false).
bool WaitFor(const std::function<bool()>& done, DWORD ms = 20000, DWORD stepMs = 50);
// Moves the cursor there and waits until the X server has it there too. Under Wine, GetCursorPos
// asks the X server when the cursor's last change is more than 100 ms old, and a warp of one
// process may reach a loaded X server after another process's question: that process would read
// the place before the move (and put it back). False if it is not there within 5 s.
bool SettleCursorAt(POINT p);
// A click of the left (or right) button at that place of the screen. The place goes with the
// button's input itself: under Wine a program that handles X events from before a warp puts the
// cursor's old place back into the system, and a click without a place of its own lands there.
// The X pointer is moved there first, as a hand moves the mouse: Wine's SendInput moves only the
// system's cursor, and the next look at the X pointer takes the cursor back to where that was.
// While a menu is up its program holds the pointer grabbed and the X pointer cannot be moved.
void ClickScreenAt(POINT p, bool right = false);

// How far a program's local time runs ahead of the system's (negative: behind).
struct LocalTimeShift {
  int seconds;
};

// Whether a program that writes its own path file at its first run finds it written for exe.
enum class FirstRunSeed {
  Done,   // the path file names exe, as after the first run: no first-run boxes
  AsIs,   // the path file is left as the test made it
};

class TestProcess {
 public:
  // Starts exe (a Windows path) with args after its quoted path; dir empty: this process's folder.
  explicit TestProcess(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& dir = L"",
                       FirstRunSeed firstRun = FirstRunSeed::Done);
  // The same under the host's faketime: the program's local time is shifted, its tick count and
  // timers stay the system's. A test that needs a time of day starts the program just before it.
  TestProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& dir, LocalTimeShift shift);
  // Created suspended: it runs from Resume on, so that two starts come at the same moment, as a
  // double click or a sibling's start beside the log-on start makes them.
  struct Held {};
  TestProcess(const std::wstring& exe, const std::wstring& args, Held);
  void Resume();
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
  // Ends it at once, as a crash or the task manager would: nothing of the program runs after.
  void Kill();
  DWORD ExitCode() const;  // 99 when it cannot be read
  // Its visible top-level window of a class (and caption, when given), or null.
  HWND Window(const wchar_t* cls, const wchar_t* caption = nullptr) const;
  // The same, hidden windows included.
  HWND AnyWindow(const wchar_t* cls, const wchar_t* caption = nullptr) const;

 private:
  HWND Find(const wchar_t* cls, const wchar_t* caption, bool visibleOnly) const;
  // The Windows process of exe that a host program started, when it appears.
  bool Adopt(const std::wstring& exe);
  bool started_ = false;
  PROCESS_INFORMATION pi_{};
};

// Two starts of exe let go at the same moment.
struct DoubleStart {
  explicit DoubleStart(const std::wstring& exe, const std::wstring& args = L"");
  // Waits until one of the two has ended: the one still running then (0 or 1); -1 when both still
  // run after ms, or both ended.
  int Survivor(DWORD ms = 30000) const;
  TestProcess starts[2];
};
// The top-level windows of a class on the desktop.
int WindowsOfClass(const wchar_t* cls);
// A process's top-level windows, hidden ones included, in the desktop's order from the top.
std::vector<HWND> TopWindowsOf(DWORD pid);
// A window's class name.
std::wstring ClassOf(HWND h);
// What a process shows or how it ended, for a failure's message: "running, showing class
// 'caption', ..." from the top, or "ended with exit code N".
std::string StateOf(const TestProcess& p);

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
// The captions of the windows of a process that the shell's taskbar shows a button for.
std::vector<std::wstring> TaskbarButtonsOf(DWORD pid);
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

// True while a tray icon of that owner and id is there (a NIM_MODIFY of its tip succeeds).
bool TrayIconShown(HWND owner, UINT id, const wchar_t* tip);
// The captions of every child window, each followed by '|' (a box's text and buttons).
std::wstring WindowTexts(HWND window);
// Answers a visible box (#32770) of the process with that caption by one of its buttons; texts, when
// given, receives WindowTexts of the box. False when no such box or button comes, or it stays open.
bool AnswerBoxOf(const TestProcess& p, const wchar_t* caption, int button, std::wstring* texts = nullptr);
// The process's pop-up menu (#32768) once its thread tracks it: the menu's loop holds the mouse
// capture in menu mode. The window shows before the loop takes the capture, and a click made in
// between goes to the window beneath, so the menu never sees it. Null until then.
// Where a submenu is open too, this is the menu the tray opened: under Wine the top menu holds
// the capture.
HWND TrackingMenu(const TestProcess& p);
// A click beside every menu the process shows, as a user's click outside them; true once they
// have closed. The X pointer is then settled at the click's place, where a hand would have left
// it: a menu opened next opens there, and not over a place that the X pointer still holds.
bool ClickBesideMenus(const TestProcess& p);
// A window's place on the screen as "left,top right,bottom", to compare in one expectation.
std::string WindowRectText(HWND h);
// A check box's state, as a user's tool reads it.
bool Checked(HWND box);

// A copy of the build's fake saver (builtSaver, a Windows path) in the Windows folder as name, for
// a test's scope: the .ini beside it points its log at log. Whatever it started ends with it, and
// both files go.
class SaverInWindowsFolder {
 public:
  SaverInWindowsFolder(const std::wstring& builtSaver, const std::wstring& name, const std::wstring& log,
                       int lifeMs = 30000);
  ~SaverInWindowsFolder();
  SaverInWindowsFolder(const SaverInWindowsFolder&) = delete;
  SaverInWindowsFolder& operator=(const SaverInWindowsFolder&) = delete;
  // Its log's lines; none while there is no log.
  std::vector<std::wstring> LogLines() const;
  // The ids of the processes its log says started, in order.
  std::vector<DWORD> Started() const;
  // Whether a process of the id still runs.
  static bool Running(DWORD pid);
  // Ends the process of the id as a user's input ends a saver, and waits until it is gone.
  static void End(DWORD pid);
  const std::wstring path;
  bool ok = false;

 private:
  std::wstring log_;
};
