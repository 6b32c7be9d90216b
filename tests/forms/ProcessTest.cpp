// The demo program as a real process: its form shows, answers by its class, and closes.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"

namespace {

TEST(Process, DemoProgramShowsItsFormAndEndsWhenItIsClosed) {
  TestProcess p(WinPathFromBuild(FORMDEMO_EXE));
  ASSERT_TRUE(p.Started()) << GetLastError();
  HWND form = nullptr;
  // The window exists from the form's creation; the main loop shows it.
  WaitFor([&] { return (form = p.Window(L"TfrmDemo", L"表单层测试")) != nullptr; }, 10000);
  ASSERT_NE(form, nullptr) << "the demo form did not appear";
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_NE(FindWindowExW(form, nullptr, L"BUTTON", L"确定"), nullptr);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.Ended(10000));
  EXPECT_EQ(p.ExitCode(), 0u);
}

}  // namespace
