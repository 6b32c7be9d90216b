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

  DWORD TickCount() override { return tick; }
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

 private:
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

// Lets pending messages (paint, posted, timers due) run, from the test's outer level.
void PumpMessages();
// gtest prints wide strings as UTF-8 through this.
std::string Narrow(const std::wstring& s);
