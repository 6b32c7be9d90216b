#pragma once
// Seams of the player: what Wine fakes. Each defaults to the real behaviour; a test installs a
// fake for its scope.
#include <windows.h>

#include <functional>
#include <random>
#include <string>

// The hidden media player control that plays the music, one file at a time. The real control is
// made on first use (CoCreateInstance, not hosted as a window); a test installs a fake. Wine's
// control cannot answer playState, so the state is tracked from its PlayStateChange reports.
class MediaPlayerSeam {
 public:
  virtual ~MediaPlayerSeam();
  // The file to play. The control starts it by itself once it has opened it (autoStart); a
  // change under loaded media stops that first, with a report of state 1.
  void SetURL(const std::wstring& url);
  // The file last given to SetURL, as the program gave it: the control's own echo of its URL may
  // be spelled otherwise, or empty for a file it could not open.
  const std::wstring& URL() const { return url_; }
  // The transport, each true when it was done. A pause the control refuses (Wine's answers
  // E_NOTIMPL) keeps the position and stops instead, which counts as paused; Play then resumes
  // from that position. Music that goes on playing is never reported as paused.
  bool Play();
  bool Pause();
  bool Stop();
  // 1 stopped, 2 paused, 3 playing, other values between them; 0 before any media.
  virtual int PlayState() { return state_; }
  // Lets the control go (the main window's end).
  virtual void Close();

 protected:
  virtual void OpenURL(const std::wstring& url);
  // The control's own calls, each true when the control took it. Nothing is done while the media
  // did not open (Wine's control crashes on play() there).
  virtual bool ControlPlay();
  virtual bool ControlPause();
  virtual bool ControlStop();
  // The position in the current media, in seconds.
  virtual bool ControlPosition(double& seconds);
  virtual bool ControlSetPosition(double seconds);
  // A PlayStateChange of the control: tracked, then passed to the listener.
  void Report(int state);
  int state_ = 0;
  std::wstring url_;

 private:
  struct Control;
  Control* control_ = nullptr;
  // A refused pause: the control was stopped at heldAt_ seconds. While it stops, its own report
  // of state 1 is not passed on: it is the pause's.
  bool held_ = false, holding_ = false, holdStopped_ = false;
  double heldAt_ = 0;
};
MediaPlayerSeam& MediaPlayer();
void SetMediaPlayerSeam(MediaPlayerSeam* seam);  // nullptr: the real control
// Where the control's PlayStateChange reports go (the main window); empty: nowhere.
void SetPlayStateListener(std::function<void(int state)> listener);

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

// The screen savers' processes: a run looks for running ".scr" processes every second and ends
// them between two savers. A test must not end the machine's processes; it watches the calls.
class SaverProcessSeam {
 public:
  virtual ~SaverProcessSeam() = default;
  // IsProcessExtRunning(ext)
  virtual bool IsExtRunning(const std::wstring& ext);
  // KillProcessesByExt(ext)
  virtual bool KillByExt(const std::wstring& ext);
};
SaverProcessSeam& SaverProcesses();
void SetSaverProcessSeam(SaverProcessSeam* seam);  // nullptr: the real process list

// The random generator of a random run, reseeded from the clock before each draw.
class PlayerRandomSeam {
 public:
  virtual ~PlayerRandomSeam() = default;
  virtual void Randomize();
  // A whole number in 0 .. n-1 (0 for n below 1).
  virtual int Random(int n);

 private:
  std::mt19937 gen_{5489u};
};
PlayerRandomSeam& PlayerRandom();
void SetPlayerRandomSeam(PlayerRandomSeam* seam);  // nullptr: the real generator
