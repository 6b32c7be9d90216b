#include "BkwdSeams.h"

BOOL AnimationSeam::Animate(HWND window, DWORD ms, DWORD flags) { return AnimateWindow(window, ms, flags); }

bool ScreenSaverSeam::IsActive() {
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &on, 0) && on;
}

void ScreenSaverSeam::SetActive(bool on) { SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, on ? 1 : 0, nullptr, 0); }

bool SoundSeam::PlaySound(const std::wstring& file, bool loop) {
  return sndPlaySoundW(file.c_str(), SND_ASYNC | (loop ? SND_LOOP : 0)) != FALSE;
}

void SoundSeam::StopAll() { sndPlaySoundW(nullptr, 0); }

int InputSeam::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

bool InputSeam::BlockInput(bool block) { return ::BlockInput(block ? TRUE : FALSE) != FALSE; }

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
Slot<SoundSeam>& SoundSlot() {
  static Slot<SoundSeam> s;
  return s;
}
Slot<InputSeam>& InputSlot() {
  static Slot<InputSeam> s;
  return s;
}
}  // namespace

AnimationSeam& Animation() { return AnimationSlot().Get(); }
void SetAnimationSeam(AnimationSeam* seam) { AnimationSlot().current = seam; }
ScreenSaverSeam& ScreenSaver() { return ScreenSaverSlot().Get(); }
void SetScreenSaverSeam(ScreenSaverSeam* seam) { ScreenSaverSlot().current = seam; }
SoundSeam& Sound() { return SoundSlot().Get(); }
void SetSoundSeam(SoundSeam* seam) { SoundSlot().current = seam; }
InputSeam& SystemInput() { return InputSlot().Get(); }
void SetInputSeam(InputSeam* seam) { InputSlot().current = seam; }
