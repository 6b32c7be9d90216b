// The built program with an alarm in its qv30cfg that falls in its first minute: the alarm's
// centre window comes, the first minute's break reminder comes and goes by itself beside it, and
// the alarm's window stays until it is clicked.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ConfigLayout.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"

namespace {

// Keeps the user "at work" (input counts for the scheduler) while waiting.
bool WaitAtWork(const std::function<bool()>& done, DWORD ms) {
  DWORD waited = 0;
  return WaitFor(
      [&] {
        if (done()) return true;
        if (waited % 5000 == 0) {
          INPUT in{};
          in.type = INPUT_MOUSE;
          in.mi.dwFlags = MOUSEEVENTF_MOVE;
          in.mi.dx = (waited / 5000) % 2 ? 3 : -3;
          SendInput(1, &in, sizeof(in));
        }
        waited += 250;
        return false;
      },
      ms, 250);
}

std::wstring ChildTexts(HWND h) {
  std::wstring all;
  EnumChildWindows(
      h,
      [](HWND c, LPARAM p) -> BOOL {
        // WM_GETTEXT itself: an edit keeps its text where another process's GetWindowText
        // does not look.
        wchar_t t[256] = {};
        DWORD_PTR got = 0;
        SendMessageTimeoutW(c, WM_GETTEXT, 256, LPARAM(t), SMTO_ABORTIFHUNG, 2000, &got);
        *reinterpret_cast<std::wstring*>(p) += std::wstring(t) + L"|";
        return TRUE;
      },
      LPARAM(&all));
  return all;
}

TEST(RemindProcess, AlarmFromTheConfigurationRingsUntilClicked) {
  const TestFolder dir{L"remind_process"};
  const std::wstring exe = dir / L"breakwarden.exe";
  ASSERT_TRUE(CopyFileW(WinPathFromBuild(BREAKWARDEN_EXE).c_str(), exe.c_str(), FALSE));

  // The program's local time starts so that the alarm's minute begins kLeadMs after it starts:
  // time enough for the program to start and arm its clock reminders, which are due at the start
  // of each wall-clock minute. Nothing here waits for the wall clock.
  const int kLeadMs = 20000;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int nowMs = ((now.wHour * 60 + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
  const int atMin = (nowMs + kLeadMs + 59999) / 60000;
  const int at = atMin % (24 * 60);
  const LocalTimeShift shift{(atMin * 60000 - kLeadMs - nowMs + 500) / 1000};
  ConfigValues values = DefaultConfigValues();
  values.SetBool(L"cbxRemindOnce1", true);
  values.SetInt(L"cbxHourOfRemindOnce1", at / 60);
  values.SetInt(L"cbxMinOfRemindOnce1", at % 60);
  values.SetText(L"edtContentOfRemindOnce1", L"该开会了");
  values.SetInt(L"cbbSelectRemindOnceWindow", 1);
  values.SetInt(L"cbbSelectBreakHintSmallWindow", 0);
  WriteTextLines(dir / kConfigFileName, WriteConfigLines(values));

  TestProcess p(exe, L"", dir.Path(), shift);
  ASSERT_TRUE(p.Started());

  HWND alarm = nullptr;
  ASSERT_TRUE(WaitAtWork([&] { return (alarm = p.Window(L"TfrmRemindWindowCenter")) != nullptr; }, 100000))
      << "the alarm's centre window";
  const std::wstring texts = ChildTexts(alarm);
  EXPECT_NE(texts.find(L"Quovel闹钟提醒"), std::wstring::npos) << Narrow(texts);
  EXPECT_NE(texts.find(L"提醒时间已到"), std::wstring::npos) << Narrow(texts);
  EXPECT_NE(texts.find(L"该开会了"), std::wstring::npos) << Narrow(texts);

  // The program's own first minute (its minute tick, a real 60 s timer) announces the next break
  // in the small window, which closes by itself after its 10 s; the alarm stays past that.
  HWND small = nullptr;
  EXPECT_TRUE(WaitAtWork([&] { return (small = p.Window(L"TfrmHintSmallWindow")) != nullptr; }, 100000))
      << "the first-minute reminder";
  if (small) {
    EXPECT_TRUE(WaitAtWork([&] { return !p.Window(L"TfrmHintSmallWindow"); }, 20000));
  }
  EXPECT_TRUE(p.Window(L"TfrmRemindWindowCenter")) << "the alarm closed by itself";

  PostMessageW(alarm, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(alarm, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(WaitAtWork([&] { return !p.Window(L"TfrmRemindWindowCenter"); }, 10000));
  // The click opens the alarm page of the settings dialog.
  EXPECT_TRUE(WaitAtWork([&] { return p.Window(L"TfrmSetup") != nullptr; }, 10000));
}

}  // namespace
