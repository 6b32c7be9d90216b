#pragma once
// Seams of the break reminder: calls that Wine fakes (window animation) or that change the
// machine's own settings (the screen-saver-active flag). Each defaults to the real call; a test
// installs a fake for its scope.
#include <windows.h>

#include <string>

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

// Wave sounds through sndPlaySound. Wine answers success even for a missing file, so tests watch
// what was asked for instead.
class SoundSeam {
 public:
  virtual ~SoundSeam() = default;
  // sndPlaySoundW(file, SND_ASYNC), with SND_LOOP when looped
  virtual bool PlaySound(const std::wstring& file, bool loop);
  // Stops whatever the program is playing (a null sound; SND_PURGE is ignored by current Windows).
  virtual void StopAll();
};
SoundSeam& Sound();
void SetSoundSeam(SoundSeam* seam);

// The cursor's display counter and the system-wide input block: what the break window applies in
// the enforce mode. Wine's BlockInput is a stub, and a test must never block the machine's input.
class InputSeam {
 public:
  virtual ~InputSeam() = default;
  // ShowCursor: the new display counter.
  virtual int ShowCursor(bool show);
  // BlockInput
  virtual bool BlockInput(bool block);
};
InputSeam& SystemInput();
void SetInputSeam(InputSeam* seam);
