#include "Seams.h"

#include "Text.h"

DWORD ClockSeam::TickCount() { return GetTickCount(); }
ULONGLONG ClockSeam::TickCount64() { return GetTickCount64(); }

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
  // The system's box ends its text at a NUL and takes any length: it gets what a user can read.
  return ::MessageBoxW(owner, BoxText(text).c_str(), BoxText(caption).c_str(), flags);  // the member shadows the API
}

bool DialogSeam::OpenFileDialog(OPENFILENAMEW& ofn) { return GetOpenFileNameW(&ofn); }
bool DialogSeam::SaveFileDialog(OPENFILENAMEW& ofn) { return GetSaveFileNameW(&ofn); }
DWORD DialogSeam::FileDialogError() { return CommDlgExtendedError(); }
bool DialogSeam::FontDialog(CHOOSEFONTW& cf) { return ChooseFontW(&cf); }
bool DialogSeam::ColorDialog(CHOOSECOLORW& cc) { return ChooseColorW(&cc); }
bool DialogSeam::BrowseForFolder(BROWSEINFOW& bi, std::wstring& folder) {
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&bi);
  if (!item) return false;
  wchar_t path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListW(item, path);
  CoTaskMemFree(item);
  if (ok) folder = path;
  return ok && path[0];
}

int DisplaySeam::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int DisplaySeam::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
RECT DisplaySeam::WorkArea() {
  RECT r{0, 0, ScreenWidth(), ScreenHeight()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

ClockSeam& Clock() { return SeamSlot<ClockSeam>::Instance().Get(); }
void SetClockSeam(ClockSeam* seam) { SeamSlot<ClockSeam>::Instance().Set(seam); }
DialogSeam& Dialogs() { return SeamSlot<DialogSeam>::Instance().Get(); }
void SetDialogSeam(DialogSeam* seam) { SeamSlot<DialogSeam>::Instance().Set(seam); }
DisplaySeam& Display() { return SeamSlot<DisplaySeam>::Instance().Get(); }
void SetDisplaySeam(DisplaySeam* seam) { SeamSlot<DisplaySeam>::Instance().Set(seam); }
