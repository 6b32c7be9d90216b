#pragma once
// Fakes for the break reminder's own seams, each installed for the scope of a test.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "BkwdSeams.h"
#include "Fakes.h"

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

// Records the screen-saver and power calls. It can refuse the privilege or the power request, and
// plays a sleep as the system would: the broadcasts sent to a window while the request blocks,
// the clock moved on, then the resume, sent before the request returns or posted to arrive after.
class FakePower : public PowerSeam {
 public:
  FakePower() : saved_(&Power()) { SetPowerSeam(this); }
  ~FakePower() override { SetPowerSeam(saved_ == this ? nullptr : saved_); }
  void LaunchScreenSaver() override { Record(L"NLaunchSCRClick"); }
  void DisplayOff(HWND window) override {
    displayOffTo = window;
    Record(L"DisplayOff");
  }
  bool AdjustShutdownPrivilege(bool enable) override {
    Record(enable ? L"Privilege(on)" : L"Privilege(off)");
    return !refusePrivilege;
  }
  bool SetSystemPowerState(BOOL suspend, BOOL force) override {
    Record(std::wstring(L"SetSystemPowerState(") + (suspend ? L"TRUE" : L"FALSE") + L", " +
           (force ? L"TRUE" : L"FALSE") + L")");
    if (refuseSleep) return false;
    if (sleep.window) PlaySleep();
    return true;
  }
  bool BringToFront(HWND window) override {
    Record(L"BringToFront");
    if (comesToFront) front = window;
    return IsInFront(window);
  }
  bool IsInFront(HWND window) override { return front == window && front != nullptr; }
  void PressKey(BYTE vk, bool up) override {
    keys.push_back((vk == VK_CONTROL ? std::wstring(L"Ctrl") : vk == VK_NEXT ? L"PgDn" : std::to_wstring(vk)) +
                   (up ? L" up" : L" down"));
    if (onKey) onKey(keys.size());
  }

  struct Sleep {
    HWND window = nullptr;           // nullptr: the request returns at once, nothing is played
    FakeClock* clock = nullptr;      // moved on by ms while asleep
    DWORD ms = 0;
    std::vector<WPARAM> before{PBT_APMSUSPEND};  // sent as the sleep begins
    bool resume = true;              // PBT_APMRESUMESUSPEND at the wake
    bool resumeAfterReturn = false;  // posted: it arrives once the request has returned
  } sleep;
  bool refusePrivilege = false, refuseSleep = false;
  bool comesToFront = true;  // SetForegroundWindow succeeds
  HWND front = nullptr;
  HWND displayOffTo = nullptr;
  std::vector<std::wstring> calls, keys;
  std::vector<LRESULT> answers;  // what the window answered each broadcast sent
  std::function<void(const std::wstring&)> onCall;  // told of each call as it comes
  std::function<void(size_t)> onKey;  // told of each key, by the count so far

 private:
  void PlaySleep();
  void Record(const std::wstring& call) {
    calls.push_back(call);
    if (onCall) onCall(call);
  }
  PowerSeam* saved_;
};

inline void FakePower::PlaySleep() {
  for (WPARAM w : sleep.before) answers.push_back(SendMessageW(sleep.window, WM_POWERBROADCAST, w, 0));
  if (sleep.clock) sleep.clock->Advance(sleep.ms);
  if (!sleep.resume) return;
  if (sleep.resumeAfterReturn)
    PostMessageW(sleep.window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  else
    answers.push_back(SendMessageW(sleep.window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0));
}

// No test reaches the machine's own power requests or key presses: until a test installs
// FakePower, they fail the test and are refused. The screen saver and the display stay as they
// are.
class NoMachinePower : public PowerSeam {
 public:
  void LaunchScreenSaver() override {}
  void DisplayOff(HWND) override {}
  bool SetSystemPowerState(BOOL, BOOL) override {
    ADD_FAILURE() << "SetSystemPowerState reached without FakePower";
    return false;
  }
  bool BringToFront(HWND) override { return false; }
  bool IsInFront(HWND) override { return false; }
  void PressKey(BYTE, bool) override { ADD_FAILURE() << "a key pressed without FakePower"; }
};
inline const bool kMachinePowerGuarded = [] {
  static NoMachinePower guard;
  SetPowerSeam(&guard);
  return true;
}();

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

// The settings dialog as the other windows reach it: each hook a test sets answers in the dialog's
// place; a call without one goes to the real dialog (its defaults while there is none).
class FakeSettings : public SettingsSeam {
 public:
  FakeSettings() : saved_(&Settings()) { SetSettingsSeam(this); }
  ~FakeSettings() override { SetSettingsSeam(saved_ == this ? nullptr : saved_); }
  TSchedulerSettings SchedulerSettings() override {
    return schedulerSettings ? schedulerSettings() : SettingsSeam::SchedulerSettings();
  }
  TBreakWindowSettings BreakWindowSettings() override {
    return breakWindowSettings ? breakWindowSettings() : SettingsSeam::BreakWindowSettings();
  }
  int ExitActionIndex() override { return exitActionIndex ? exitActionIndex() : SettingsSeam::ExitActionIndex(); }
  void SetBreakPattern(int pattern) override {
    setBreakPattern ? setBreakPattern(pattern) : SettingsSeam::SetBreakPattern(pattern);
  }
  void SelectedPlanTakesForce() override {
    selectedPlanTakesForce ? selectedPlanTakesForce() : SettingsSeam::SelectedPlanTakesForce();
  }
  void EnableBreakPreview(bool on) override {
    enableBreakPreview ? enableBreakPreview(on) : SettingsSeam::EnableBreakPreview(on);
  }
  void EnableHintPreview(bool on) override {
    enableHintPreview ? enableHintPreview(on) : SettingsSeam::EnableHintPreview(on);
  }
  void SetExitActionColor(TColor color) override {
    setExitActionColor ? setExitActionColor(color) : SettingsSeam::SetExitActionColor(color);
  }
  TForm* SetupForm() override { return setupForm ? setupForm() : SettingsSeam::SetupForm(); }
  void SelectSetupPage(int page) override {
    selectSetupPage ? selectSetupPage(page) : SettingsSeam::SelectSetupPage(page);
  }

  std::function<TSchedulerSettings()> schedulerSettings;
  std::function<TBreakWindowSettings()> breakWindowSettings;
  std::function<int()> exitActionIndex;
  std::function<void(int)> setBreakPattern;
  std::function<void()> selectedPlanTakesForce;
  std::function<void(bool)> enableBreakPreview, enableHintPreview;
  std::function<void(TColor)> setExitActionColor;
  std::function<TForm*()> setupForm;
  std::function<void(int)> selectSetupPage;

 private:
  SettingsSeam* saved_;
};

// The statistics and about windows and the shut-down dialog: each hook a test sets takes the
// call; a call without one goes to the real window.
class FakeProgramWindows : public ProgramWindowsSeam {
 public:
  FakeProgramWindows() : saved_(&ProgramWindows()) { SetProgramWindowsSeam(this); }
  ~FakeProgramWindows() override { SetProgramWindowsSeam(saved_ == this ? nullptr : saved_); }
  void CreateStat() override { createStat ? createStat() : ProgramWindowsSeam::CreateStat(); }
  void AddStatLine(const std::wstring& line) override {
    addStatLine ? addStatLine(line) : ProgramWindowsSeam::AddStatLine(line);
  }
  void ShowAboutPage(int page) override { showAboutPage ? showAboutPage(page) : ProgramWindowsSeam::ShowAboutPage(page); }
  void AboutWelcome() override { aboutWelcome ? aboutWelcome() : ProgramWindowsSeam::AboutWelcome(); }
  void ShutDownDialog() override { shutDownDialog ? shutDownDialog() : ProgramWindowsSeam::ShutDownDialog(); }

  std::function<void()> createStat;
  std::function<void(const std::wstring&)> addStatLine;
  std::function<void(int)> showAboutPage;
  std::function<void()> aboutWelcome;
  std::function<void()> shutDownDialog;

 private:
  ProgramWindowsSeam* saved_;
};
