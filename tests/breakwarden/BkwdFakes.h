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
  void StandBy(bool, bool) override { Record(L"LetSysStandBy"); }
  void Hibernate(bool, bool) override { Record(L"LetSysSleep"); }
  std::vector<std::wstring> calls;
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
