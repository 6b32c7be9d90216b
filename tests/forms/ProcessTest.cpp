// The demo program as a real process: its form shows, answers by its class, and closes.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "Text.h"

namespace {

TEST(Process, DemoProgramShowsItsFormAndEndsWhenItIsClosed) {
  std::wstring exe = L"Z:" + Utf8ToWide(FORMDEMO_EXE);
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  HWND form = nullptr;
  // The window exists from the form's creation; the main loop shows it.
  for (int i = 0; i < 200 && !(form && IsWindowVisible(form)); ++i) {
    form = FindWindowW(L"TfrmDemo", L"表单层测试");
    if (!(form && IsWindowVisible(form))) Sleep(50);
  }
  ASSERT_NE(form, nullptr) << "the demo form did not appear";
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_NE(FindWindowExW(form, nullptr, L"BUTTON", L"确定"), nullptr);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
