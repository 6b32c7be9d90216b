#pragma once
// The few calls that a test must control: time, questions, the screen's size. Each seam defaults
// to the real call; a test installs a fake for its scope (tests/support/Fakes.h).
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>

// Where a seam's calls go: the real calls, or the fake a test has installed for its scope. One
// slot per seam type for the whole program; the accessors below (Clock(), SetClockSeam()...) and
// those of shared/ and the programs are written over it.
template <class T>
class SeamSlot {
 public:
  static SeamSlot& Instance() {
    static SeamSlot slot;
    return slot;
  }
  T& Get() { return fake_ ? *fake_ : real_; }
  void Set(T* fake) { fake_ = fake; }  // nullptr: the real calls again

 private:
  T real_;
  T* fake_ = nullptr;
};

class ClockSeam {
 public:
  virtual ~ClockSeam() = default;
  virtual DWORD TickCount();
  // The 64-bit count (GetTickCount64), which does not wrap after 49.7 days up.
  virtual ULONGLONG TickCount64();
  virtual DWORD LastInputTick();  // the tick of the user's last input
  virtual SYSTEMTIME LocalTime();
  // Blocks until a message arrives or ms have passed. A fake clock moves its time on instead.
  virtual void WaitForMessages(DWORD ms);
};
ClockSeam& Clock();
void SetClockSeam(ClockSeam* seam);  // nullptr: the real clock

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  virtual int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
  // The standard dialogs, taking what the system's calls take; each returns whether the user
  // confirmed (the answer is then in the structure).
  virtual bool OpenFileDialog(OPENFILENAMEW& ofn);   // GetOpenFileNameW
  virtual bool SaveFileDialog(OPENFILENAMEW& ofn);   // GetSaveFileNameW
  // Why the last file dialog returned false (CommDlgExtendedError; 0 for a cancel).
  virtual DWORD FileDialogError();
  virtual bool FontDialog(CHOOSEFONTW& cf);          // ChooseFontW
  virtual bool ColorDialog(CHOOSECOLORW& cc);        // ChooseColorW
  // The shell's folder browser (SHBrowseForFolderW); folder receives the chosen folder's path.
  // False on Cancel and for a choice that is no file-system folder.
  virtual bool BrowseForFolder(BROWSEINFOW& bi, std::wstring& folder);
};
DialogSeam& Dialogs();
void SetDialogSeam(DialogSeam* seam);

class DisplaySeam {
 public:
  virtual ~DisplaySeam() = default;
  virtual int ScreenWidth();
  virtual int ScreenHeight();
  virtual RECT WorkArea();
};
DisplaySeam& Display();
void SetDisplaySeam(DisplaySeam* seam);
