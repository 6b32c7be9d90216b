#pragma once
// Fakes for the break reminder's own seams, each installed for the scope of a test.
#include <windows.h>

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
