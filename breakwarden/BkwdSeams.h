#pragma once
// Seams of the break reminder: calls that Wine fakes (window animation) or that change the
// machine's own settings (the screen-saver-active flag), and the settings dialog and the other
// windows as the main window and the break window reach them. Each defaults to the real call or
// window; a test installs a fake for its scope.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BreakWindowSettings.h"
#include "CountdownSettings.h"
#include "Graphics.h"
#include "RemindWindowLook.h"
#include "SchedulerMath.h"

class TForm;

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

// The screen saver and the machine's power: a real call would switch the display off or suspend
// the machine (Wine answers success and does nothing), so tests record them instead.
class PowerSeam {
 public:
  virtual ~PowerSeam() = default;
  // A screen saver as the settings set it (NLaunchSCRClick): "预览" of the settings dialog.
  virtual void LaunchScreenSaver();
  // WM_SYSCOMMAND SC_MONITORPOWER with lParam 2 (display off), sent to window.
  virtual void DisplayOff(HWND window);
  // Enables (or disables) "SeShutDownPrivilege" in the process token; true when the adjustment
  // left no error.
  virtual bool AdjustShutdownPrivilege(bool enable);
  // SetSystemPowerState(suspend, force); it returns after the system has woken up again.
  virtual bool SetSystemPowerState(BOOL suspend, BOOL force);
  // SetForegroundWindow; then whether window is the foreground window.
  virtual bool BringToFront(HWND window);
  virtual bool IsInFront(HWND window);
  // keybd_event(vk, 0, KEYEVENTF_KEYUP when up, 0)
  virtual void PressKey(BYTE vk, bool up);
};
PowerSeam& Power();
void SetPowerSeam(PowerSeam* seam);

// The reminder windows the scheduler opens. The real side opens the small window (type 0) or the
// centre window (type 1) for the kind, or raises the one that is up; any other type opens none.
class ReminderWindowSeam {
 public:
  virtual ~ReminderWindowSeam() = default;
  virtual void Show(int windowType, uint8_t kind);
};
ReminderWindowSeam& ReminderWindows();
void SetReminderWindowSeam(ReminderWindowSeam* seam);

// The settings dialog: its controls are the settings, read at the moment of use, one reader per
// consumer. The real side asks frmSetup; while there is none (before it is made, after it is
// freed) every reader answers the dialog's defaults, in one place.
class SettingsSeam {
 public:
  virtual ~SettingsSeam() = default;
  // The minute step, the alarms and the reminder windows' types.
  virtual TSchedulerSettings SchedulerSettings();
  // The break window, at every fade step and every second.
  virtual TBreakWindowSettings BreakWindowSettings();
  // A reminder window as it is made: the kind's row, content, colours and zoom (the zoom mode's
  // handler runs first, so the automatic mode follows the current screen); no value text.
  virtual RemindWindowLook RemindLook(int kind, ZoomWindow window);
  // The countdown window as it is made (its zoom mode's handler runs first, as above).
  virtual TCountdownSettings CountdownSettings();
  // cbxActionOnSelectTerminate's item; -1 with none.
  virtual int ExitActionIndex();
  // The two overlays' pictures (imgScreenShadow, imgDesktopDeco) as they are made.
  virtual TPicture OverlayPicture();
  virtual TPicture DesktopDecoPicture();
  // The hot keys' descriptions (cbbHotKeyAction's items), for the tray's list and the own screen
  // saver's tips; none while there is no dialog.
  virtual std::vector<std::wstring> HotKeyEntries();

  // What the other windows change in the dialog.
  // The pattern drawn at random goes back into cbbBreakInterface.
  virtual void SetBreakPattern(int pattern);
  // StoreBreakPlan, then the plan selected in the list takes force.
  virtual void SelectedPlanTakesForce();
  // btnPreviewBreakForm ("点击预览") and the countdown's btnPreviewHintForm ("预览")
  virtual void EnableBreakPreview(bool on);
  virtual void EnableHintPreview(bool on);
  // The countdown's "刷屏" box and cbxToggleB4Break are one choice.
  virtual void SetToggleDesktop(bool on);
  // The exit setting's colour, flashed to show where it is.
  virtual void SetExitActionColor(TColor color);

  // The dialog as a window: nullptr while there is none; its page control.
  virtual TForm* SetupForm();
  virtual void SelectSetupPage(int page);
};
SettingsSeam& Settings();
void SetSettingsSeam(SettingsSeam* seam);

// The program's other windows as the main window and the break window open them. The real side
// goes to the window (frmStat, frmAboutHelp); what is not built yet does nothing.
class ProgramWindowsSeam {
 public:
  virtual ~ProgramWindowsSeam() = default;
  // A new statistics window, shown.
  virtual void CreateStat();
  // One line at the end of the statistics window's history (Memo1), when it is open.
  virtual void AddStatLine(const std::wstring& line);
  // The about window on a page, and its welcome.
  virtual void ShowAboutPage(int page);
  virtual void AboutWelcome();
  // The system's shut-down dialog (the tray's quick tool "系统关机介面"); filled with the tray menu.
  virtual void ShutDownDialog();
};
ProgramWindowsSeam& ProgramWindows();
void SetProgramWindowsSeam(ProgramWindowsSeam* seam);
