#include "Seams.h"

DWORD ClockSeam::TickCount() { return GetTickCount(); }

DWORD ClockSeam::LastInputTick() {
  LASTINPUTINFO li{sizeof(li), 0};
  return GetLastInputInfo(&li) ? li.dwTime : GetTickCount();
}

SYSTEMTIME ClockSeam::LocalTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return st;
}

void ClockSeam::WaitForMessages(DWORD ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int DialogSeam::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);  // the member shadows the API
}

bool DialogSeam::OpenFileDialog(OPENFILENAMEW& ofn) { return GetOpenFileNameW(&ofn); }
bool DialogSeam::SaveFileDialog(OPENFILENAMEW& ofn) { return GetSaveFileNameW(&ofn); }
bool DialogSeam::FontDialog(CHOOSEFONTW& cf) { return ChooseFontW(&cf); }
bool DialogSeam::ColorDialog(CHOOSECOLORW& cc) { return ChooseColorW(&cc); }

int DisplaySeam::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int DisplaySeam::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
RECT DisplaySeam::WorkArea() {
  RECT r{0, 0, ScreenWidth(), ScreenHeight()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

namespace {
template <class T>
struct Slot {
  T real;
  T* current = nullptr;
  T& Get() { return current ? *current : real; }
};
Slot<ClockSeam>& ClockSlot() { static Slot<ClockSeam> s; return s; }
Slot<DialogSeam>& DialogSlot() { static Slot<DialogSeam> s; return s; }
Slot<DisplaySeam>& DisplaySlot() { static Slot<DisplaySeam> s; return s; }
}  // namespace

ClockSeam& Clock() { return ClockSlot().Get(); }
void SetClockSeam(ClockSeam* seam) { ClockSlot().current = seam; }
DialogSeam& Dialogs() { return DialogSlot().Get(); }
void SetDialogSeam(DialogSeam* seam) { DialogSlot().current = seam; }
DisplaySeam& Display() { return DisplaySlot().Get(); }
void SetDisplaySeam(DisplaySeam* seam) { DisplaySlot().current = seam; }
