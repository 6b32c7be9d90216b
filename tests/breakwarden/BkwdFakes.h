#pragma once
// Fakes for the break reminder's own seams, each installed for the scope of a test.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "BkwdSeams.h"

// Records the animations instead of running them (Wine does not animate anyway).
class FakeAnimation : public AnimationSeam {
 public:
  struct Call {
    HWND window;
    DWORD ms, flags;
  };
  FakeAnimation() : saved_(&Animation()) { SetAnimationSeam(this); }
  ~FakeAnimation() override { SetAnimationSeam(saved_ == this ? nullptr : saved_); }
  BOOL Animate(HWND window, DWORD ms, DWORD flags) override {
    calls.push_back({window, ms, flags});
    return TRUE;
  }
  std::vector<Call> calls;

 private:
  AnimationSeam* saved_;
};

// The system's screen-saver flag, kept here so that no test changes the machine's.
class FakeScreenSaver : public ScreenSaverSeam {
 public:
  explicit FakeScreenSaver(bool initially) : active(initially), saved_(&ScreenSaver()) { SetScreenSaverSeam(this); }
  ~FakeScreenSaver() override { SetScreenSaverSeam(saved_ == this ? nullptr : saved_); }
  bool IsActive() override { return active; }
  void SetActive(bool on) override {
    active = on;
    sets.push_back(on);
  }
  bool active;
  std::vector<bool> sets;

 private:
  ScreenSaverSeam* saved_;
};

// The cursor counter and the input block, kept here so that no test touches the machine's.
class FakeInput : public InputSeam {
 public:
  FakeInput() : saved_(&SystemInput()) { SetInputSeam(this); }
  ~FakeInput() override { SetInputSeam(saved_ == this ? nullptr : saved_); }
  int ShowCursor(bool show) override {
    cursorCounter += show ? 1 : -1;
    calls.push_back(show ? "ShowCursor(TRUE)" : "ShowCursor(FALSE)");
    return cursorCounter;
  }
  bool BlockInput(bool block) override {
    blocked = block;
    calls.push_back(block ? "BlockInput(TRUE)" : "BlockInput(FALSE)");
    return true;
  }
  int cursorCounter = 0;
  bool blocked = false;
  std::vector<std::string> calls;

 private:
  InputSeam* saved_;
};

// Records the screen-saver and power calls, by the main window's names for them.
class FakePower : public PowerSeam {
 public:
  FakePower() : saved_(&Power()) { SetPowerSeam(this); }
  ~FakePower() override { SetPowerSeam(saved_ == this ? nullptr : saved_); }
  void LaunchScreenSaver() override { Record(L"NLaunchSCRClick"); }
  void DisplayOff() override { Record(L"ShutdownDisplayer"); }
  void StandBy(bool silent, bool ask) override {
    lastSilent = silent;
    lastAsk = ask;
    Record(L"LetSysStandBy");
  }
  void Hibernate(bool silent, bool ask) override {
    lastSilent = silent;
    lastAsk = ask;
    Record(L"LetSysSleep");
  }
  std::vector<std::wstring> calls;
  bool lastSilent = false, lastAsk = false;  // of the last stand-by or hibernation
  std::function<void(const std::wstring&)> onCall;  // told of each call as it comes

 private:
  void Record(const std::wstring& call) {
    calls.push_back(call);
    if (onCall) onCall(call);
  }
  PowerSeam* saved_;
};

// Records each reminder the scheduler shows, then opens the window as the program does.
class FakeReminderWindows : public ReminderWindowSeam {
 public:
  struct Call {
    int windowType;
    uint8_t kind;
  };
  FakeReminderWindows() : saved_(&ReminderWindows()) { SetReminderWindowSeam(this); }
  ~FakeReminderWindows() override { SetReminderWindowSeam(saved_ == this ? nullptr : saved_); }
  void Show(int windowType, uint8_t kind) override {
    calls.push_back({windowType, kind});
    if (onShow) onShow(calls.back());
    ReminderWindowSeam::Show(windowType, kind);
  }
  std::vector<Call> calls;
  std::function<void(const Call&)> onShow;

 private:
  ReminderWindowSeam* saved_;
};
