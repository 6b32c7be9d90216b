#pragma once
// Fakes for the seams, each installed for the scope of a test.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "Seams.h"

// A clock that only moves when told to (or when a wait moves it).
class FakeClock : public ClockSeam {
 public:
  FakeClock();
  ~FakeClock() override;
  DWORD tick = 1000000;
  DWORD lastInput = 1000000;
  SYSTEMTIME local{2026, 12, 4, 10, 9, 0, 0, 0};  // Thursday 2026-12-10 09:00:00

  // Times the 32-bit count has wrapped since the system started; the 64-bit count carries them.
  DWORD wraps = 0;
  DWORD TickCount() override { return tick; }
  ULONGLONG TickCount64() override { return (ULONGLONG(wraps) << 32) | tick; }
  DWORD LastInputTick() override { return lastInput; }
  SYSTEMTIME LocalTime() override { return local; }
  void WaitForMessages(DWORD ms) override;
  // Moves the tick and the local time on together.
  void Advance(DWORD ms);
  void Input() { lastInput = tick; }

 private:
  ClockSeam* saved_;
};

// Message boxes answered from a script. A box the script did not expect fails the test at once
// (and is answered IDCANCEL), so no test ever waits on a real box.
class ScriptedDialogs : public DialogSeam {
 public:
  struct Box {
    HWND owner;
    std::wstring text, caption;
    UINT flags;
  };
  ScriptedDialogs();
  ~ScriptedDialogs() override;
  ScriptedDialogs& Answer(int id) {
    answers.push_back(id);
    return *this;
  }
  int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override;
  std::deque<int> answers;
  std::vector<Box> shown;

  // The standard dialogs, answered in order from a second script. A dialog the script did not
  // expect, or of another kind than scripted, fails the test and is cancelled.
  enum DialogKind { kOpenFile, kSaveFile, kFont, kColor, kFolder };
  struct DialogAnswer {
    enum { kFiles, kFont, kColor, kCancel } kind;
    std::vector<std::wstring> files;  // full paths, all in one folder; a folder browser's one folder
    std::wstring fontName;
    int fontSize = 0, fontStyle = 0;  // points; fsBold... of Graphics.h
    COLORREF color = 0;               // the colour chosen, or the font's colour
  };
  struct AskedDialog {
    DialogKind kind;
    HWND owner;
    // filter with '|' between parts; a folder browser's text above its tree is its title
    std::wstring title, initialDir, filter, fileName, defaultExt;
    DWORD flags;
    COLORREF color;       // the colour dialog's start, or the font's colour
    LOGFONTW font;        // the font dialog's start
    int fontPointSize;    // tenths of a point
  };
  ScriptedDialogs& ChooseFiles(std::vector<std::wstring> paths) {
    dialogAnswers.push_back({DialogAnswer::kFiles, std::move(paths), {}, 0, 0, 0});
    return *this;
  }
  ScriptedDialogs& ChooseFile(const std::wstring& path) { return ChooseFiles({path}); }
  // The folder browser's answer.
  ScriptedDialogs& ChooseFolder(const std::wstring& path) { return ChooseFiles({path}); }
  ScriptedDialogs& ChooseFont(const std::wstring& name, int size, int style = 0, COLORREF color = 0) {
    dialogAnswers.push_back({DialogAnswer::kFont, {}, name, size, style, color});
    return *this;
  }
  ScriptedDialogs& ChooseColor(COLORREF c) {
    dialogAnswers.push_back({DialogAnswer::kColor, {}, {}, 0, 0, c});
    return *this;
  }
  ScriptedDialogs& CancelDialog() {
    dialogAnswers.push_back({DialogAnswer::kCancel, {}, {}, 0, 0, 0});
    return *this;
  }
  bool OpenFileDialog(OPENFILENAMEW& ofn) override { return FileDialog(kOpenFile, ofn); }
  bool SaveFileDialog(OPENFILENAMEW& ofn) override { return FileDialog(kSaveFile, ofn); }
  // As the system: names that do not fit the buffer fail with FNERR_BUFFERTOOSMALL, the size
  // needed in the buffer's first character, and the same answer waits for the next ask.
  DWORD FileDialogError() override { return fileDialogError_; }
  bool FontDialog(CHOOSEFONTW& cf) override;
  bool ColorDialog(CHOOSECOLORW& cc) override;
  bool BrowseForFolder(BROWSEINFOW& bi, std::wstring& folder) override;
  std::deque<DialogAnswer> dialogAnswers;
  std::vector<AskedDialog> asked;

 private:
  bool FileDialog(DialogKind kind, OPENFILENAMEW& ofn);
  // The next answer when it is of that kind (or a cancel); nullptr fails the test.
  const DialogAnswer* NextAnswer(DialogKind kind, int answerKind);
  DialogAnswer current_;
  DWORD fileDialogError_ = 0;
  DialogSeam* saved_;
};

class FakeDisplay : public DisplaySeam {
 public:
  FakeDisplay(int w, int h, RECT workArea);
  FakeDisplay(int w, int h) : FakeDisplay(w, h, RECT{0, 0, w, h - 40}) {}
  ~FakeDisplay() override;
  int ScreenWidth() override { return w_; }
  int ScreenHeight() override { return h_; }
  RECT WorkArea() override { return work_; }

 private:
  int w_, h_;
  RECT work_;
  DisplaySeam* saved_;
};

// What a control sends its parent when the user changes it: the change (setMsg with index, none
// when 0), then the notification code in WM_COMMAND.
void UserCommand(HWND control, UINT setMsg, WPARAM index, WORD code);
// Lets pending messages (paint, posted, timers due) run, from the test's outer level.
void PumpMessages();

class TWinControl;
// A user's click on a control: the press and release the system sends; then pending messages run.
void UserClick(TWinControl* c);
// A user's choice of item index in a combo box: the selection, then the notice to its parent.
void UserChoose(TWinControl* combo, int index);
// A user's key press on the focused control, through the program's own loop: WM_KEYDOWN and
// WM_KEYUP posted to the focus window, with the modifiers (ssCtrl, ssShift, ssAlt) held in the
// thread's key state meanwhile; the loop translates the character. False when no window of the
// thread has the focus.
bool UserKey(WORD vk, int shift = 0);
// A user's mouse resting on a control: the cursor moved to its middle and the move sent through
// the program's loop (again each second, as a resting hand moves a little); then messages run until
// the tool tip of the control's form shows this control's tip (its own delay) or 5 s pass. The
// visible tool tip, or null.
HWND HoverForHint(TWinControl* c);
// The text of the tool a visible tool tip shows.
std::wstring HintShown(HWND tip);
// A user's left click on a window at a point of its client area, by the mouse messages.
void ClickWithMouse(HWND h, int x = 3, int y = 3);
// gtest prints wide strings as UTF-8 through this.
std::string Narrow(const std::wstring& s);

// Watches for the program's pop-up menu while it is tracked (the call that opens it returns only
// when it closes): every 150 ms it notes where a visible menu stands and closes it. Given keys, the
// first menu seen gets them as a user's key presses (VK_RIGHT opens a submenu, VK_RETURN chooses);
// choose n gives n presses of the down key and Enter: the menu's n-th item (separators skipped).
class PopupMenuWatch {
 public:
  explicit PopupMenuWatch(int choose = 0);
  explicit PopupMenuWatch(std::vector<WORD> keys);
  static std::vector<WORD> ChooseKeys(int n);
  ~PopupMenuWatch();
  PopupMenuWatch(const PopupMenuWatch&) = delete;
  PopupMenuWatch& operator=(const PopupMenuWatch&) = delete;
  bool Seen() const;
  RECT Rect() const;

 private:
  UINT_PTR timer_;
};
