#pragma once
// Seams of the break reminder: calls that Wine fakes (window animation) or that change the
// machine's own settings (the screen-saver-active flag). Each defaults to the real call; a test
// installs a fake for its scope.
#include <windows.h>

class AnimationSeam {
 public:
  virtual ~AnimationSeam() = default;
  // AnimateWindow(window, ms, flags)
  virtual BOOL Animate(HWND window, DWORD ms, DWORD flags);
};
AnimationSeam& Animation();
void SetAnimationSeam(AnimationSeam* seam);  // nullptr: the real call

class ScreenSaverSeam {
 public:
  virtual ~ScreenSaverSeam() = default;
  // SPI_GETSCREENSAVEACTIVE
  virtual bool IsActive();
  // SPI_SETSCREENSAVEACTIVE with no profile update
  virtual void SetActive(bool on);
};
ScreenSaverSeam& ScreenSaver();
void SetScreenSaverSeam(ScreenSaverSeam* seam);
