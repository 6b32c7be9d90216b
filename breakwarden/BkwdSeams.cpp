#include "BkwdSeams.h"

BOOL AnimationSeam::Animate(HWND window, DWORD ms, DWORD flags) { return AnimateWindow(window, ms, flags); }

bool ScreenSaverSeam::IsActive() {
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &on, 0) && on;
}

void ScreenSaverSeam::SetActive(bool on) { SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, on ? 1 : 0, nullptr, 0); }

namespace {
template <class T>
struct Slot {
  T real;
  T* current = nullptr;
  T& Get() { return current ? *current : real; }
};
Slot<AnimationSeam>& AnimationSlot() {
  static Slot<AnimationSeam> s;
  return s;
}
Slot<ScreenSaverSeam>& ScreenSaverSlot() {
  static Slot<ScreenSaverSeam> s;
  return s;
}
}  // namespace

AnimationSeam& Animation() { return AnimationSlot().Get(); }
void SetAnimationSeam(AnimationSeam* seam) { AnimationSlot().current = seam; }
ScreenSaverSeam& ScreenSaver() { return ScreenSaverSlot().Get(); }
void SetScreenSaverSeam(ScreenSaverSeam* seam) { ScreenSaverSlot().current = seam; }
