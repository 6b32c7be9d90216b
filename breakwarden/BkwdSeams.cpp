#include "BkwdSeams.h"

#include "Handles.h"
#include "Seams.h"
#include "uniQVShare.h"

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

// LaunchScreenSaver is the settings dialog's (uniSetup.cpp).

void PowerSeam::DisplayOff(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2); }

bool PowerSeam::AdjustShutdownPrivilege(bool enable) {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, token.put())) return false;
  TOKEN_PRIVILEGES tp{};
  if (!LookupPrivilegeValueW(nullptr, L"SeShutDownPrivilege", &tp.Privileges[0].Luid)) return false;
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  // Success with a privilege the token does not hold still sets ERROR_NOT_ALL_ASSIGNED.
  AdjustTokenPrivileges(token.get(), FALSE, &tp, sizeof(tp), nullptr, nullptr);
  return GetLastError() == ERROR_SUCCESS;
}

bool PowerSeam::SetSystemPowerState(BOOL suspend, BOOL force) { return ::SetSystemPowerState(suspend, force) != FALSE; }

bool PowerSeam::BringToFront(HWND window) {
  SetForegroundWindow(window);
  return IsInFront(window);
}

bool PowerSeam::IsInFront(HWND window) { return GetForegroundWindow() == window; }

void PowerSeam::PressKey(BYTE vk, bool up) { keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

AnimationSeam& Animation() { return SeamSlot<AnimationSeam>::Instance().Get(); }
void SetAnimationSeam(AnimationSeam* seam) { SeamSlot<AnimationSeam>::Instance().Set(seam); }
ScreenSaverSeam& ScreenSaver() { return SeamSlot<ScreenSaverSeam>::Instance().Get(); }
void SetScreenSaverSeam(ScreenSaverSeam* seam) { SeamSlot<ScreenSaverSeam>::Instance().Set(seam); }
SoundSeam& Sound() { return SeamSlot<SoundSeam>::Instance().Get(); }
void SetSoundSeam(SoundSeam* seam) { SeamSlot<SoundSeam>::Instance().Set(seam); }
InputSeam& SystemInput() { return SeamSlot<InputSeam>::Instance().Get(); }
void SetInputSeam(InputSeam* seam) { SeamSlot<InputSeam>::Instance().Set(seam); }
PowerSeam& Power() { return SeamSlot<PowerSeam>::Instance().Get(); }
void SetPowerSeam(PowerSeam* seam) { SeamSlot<PowerSeam>::Instance().Set(seam); }
ReminderWindowSeam& ReminderWindows() { return SeamSlot<ReminderWindowSeam>::Instance().Get(); }
void SetReminderWindowSeam(ReminderWindowSeam* seam) { SeamSlot<ReminderWindowSeam>::Instance().Set(seam); }
SettingsSeam& Settings() { return SeamSlot<SettingsSeam>::Instance().Get(); }
void SetSettingsSeam(SettingsSeam* seam) { SeamSlot<SettingsSeam>::Instance().Set(seam); }
ProgramWindowsSeam& ProgramWindows() { return SeamSlot<ProgramWindowsSeam>::Instance().Get(); }
void SetProgramWindowsSeam(ProgramWindowsSeam* seam) { SeamSlot<ProgramWindowsSeam>::Instance().Set(seam); }
