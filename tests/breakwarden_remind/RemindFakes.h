#pragma once
// The sound seam's fake, and helpers shared by the reminder tests.
#include <windows.h>

#include <string>
#include <vector>

#include "BkwdSeams.h"
#include "Forms.h"
#include "uniHintSmallWindow.h"
#include "uniRemindWindowCenter.h"

// Records what would be played; plays nothing.
class FakeSound : public SoundSeam {
 public:
  struct Call {
    enum { Play, Stop } op;
    std::wstring file;
    bool loop;
  };
  FakeSound() : saved_(&Sound()) { SetSoundSeam(this); }
  ~FakeSound() override { SetSoundSeam(saved_ == this ? nullptr : saved_); }
  bool PlaySound(const std::wstring& file, bool loop) override {
    calls.push_back({Call::Play, file, loop});
    return true;
  }
  void StopAll() override { calls.push_back({Call::Stop, L"", false}); }
  int Count(decltype(Call::op) op) const {
    int n = 0;
    for (const Call& c : calls) n += c.op == op;
    return n;
  }
  std::vector<Call> calls;

 private:
  SoundSeam* saved_;
};

// Frees whatever reminder window is still open and lets released ones go.
inline void CloseReminderWindows() {
  if (frmHintSmallWindow) TComponent::Free(frmHintSmallWindow);
  if (frmRemindWindowCenter) TComponent::Free(frmRemindWindowCenter);
  Application->FreeReleasedForms();
}

// Clicks a window of ours as the user does: button down and up over its client area.
inline void ClickWindow(HWND h) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
}
