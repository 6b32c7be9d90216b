#pragma once
// The built break reminder copied into a folder of the test's own, so that the qv30cfg beside it
// (and whatever a save leaves there) belongs to the test. For process tests compiled with
// BREAKWARDEN_EXE, the built program's path.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

class BreakwardenCopy : public testing::Test {
 protected:
  explicit BreakwardenCopy(const wchar_t* folderHint) : folder(folderHint) {}
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClassBKWD, nullptr), nullptr) << "a break reminder is left over";
    exe = folder / L"breakwarden.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(BREAKWARDEN_EXE).c_str(), exe.c_str(), FALSE));
  }
  std::wstring ConfigPath() const { return folder / L"qv30cfg"; }

  TestFolder folder;
  std::wstring exe;
};

// The main window and the settings dialog of a started break reminder, the dialog opened as the
// siblings open it (on page 2). False when either does not come.
inline bool OpenSettingsOf(const TestProcess& p, HWND& main, HWND& setup) {
  if (!WaitFor([&] { return (main = p.AnyWindow(kClassBKWD)) && (setup = p.AnyWindow(L"TfrmSetup")); })) return false;
  PostMessageW(main, WM_BKWD_OPENSETUPSCR, 0, 0);
  return WaitFor([&] { return IsWindowVisible(setup); });
}
