#pragma once
// Seams of the player: what Wine fakes. Each defaults to the real behaviour; a test installs a
// fake for its scope.
#include <windows.h>

// The media player control's play state (1 stopped, 2 paused, 3 playing; 0 before any media).
// Wine's control cannot answer playState, so the player tracks the state from the control's
// PlayStateChange events and this seam reads what was tracked.
class MediaPlayerSeam {
 public:
  virtual ~MediaPlayerSeam() = default;
  virtual int PlayState();
};
MediaPlayerSeam& MediaPlayer();
void SetMediaPlayerSeam(MediaPlayerSeam* seam);  // nullptr: the tracked state

// The state the control last reported (its PlayStateChange events set it).
void SetTrackedPlayState(int state);

inline constexpr int kPlayStateStopped = 1, kPlayStatePaused = 2, kPlayStatePlaying = 3;

// The shell's notification that file associations changed (SHChangeNotify): a test must not
// disturb the shell of the machine, and watches that the call comes, and only once.
class ShellNotifySeam {
 public:
  virtual ~ShellNotifySeam() = default;
  // SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr)
  virtual void AssociationsChanged();
};
ShellNotifySeam& ShellNotify();
void SetShellNotifySeam(ShellNotifySeam* seam);  // nullptr: the real call
