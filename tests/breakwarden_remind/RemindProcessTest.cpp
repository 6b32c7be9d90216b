// The built program with an alarm two minutes ahead in its qv30cfg: the first minute's break
// reminder goes by itself, the alarm's centre window stays until it is clicked.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "ConfigLayout.h"
#include "Fakes.h"
#include "Text.h"
#include "TextFile.h"

namespace {

// Keeps the user "at work" (input counts for the scheduler) while waiting.
bool WaitFor(const std::function<bool()>& done, DWORD ms) {
  for (DWORD waited = 0;; waited += 250) {
    if (done()) return true;
    if (waited >= ms) return false;
    if (waited % 5000 == 0) {
      INPUT in{};
      in.type = INPUT_MOUSE;
      in.mi.dwFlags = MOUSEEVENTF_MOVE;
      in.mi.dx = (waited / 5000) % 2 ? 3 : -3;
      SendInput(1, &in, sizeof(in));
    }
    Sleep(250);
  }
}

HWND ProcessWindow(DWORD pid, const wchar_t* cls) {
  struct Find {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } f{pid, cls, nullptr};
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<Find*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        wchar_t c[64] = {};
        GetClassNameW(h, c, 64);
        if (owner == f->pid && lstrcmpW(c, f->cls) == 0 && IsWindowVisible(h)) {
          f->found = h;
          return FALSE;
        }
        return TRUE;
      },
      LPARAM(&f));
  return f.found;
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
  namespace fs = std::filesystem;
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  const fs::path dir = fs::path(tmp) / (L"remind_process_" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(dir);
  const fs::path exe = dir / L"breakwarden.exe";
  ASSERT_TRUE(CopyFileW((L"Z:" + Utf8ToWide(BREAKWARDEN_EXE)).c_str(), exe.c_str(), FALSE));

  SYSTEMTIME now;
  GetLocalTime(&now);
  const int at = (now.wHour * 60 + now.wMinute + 2) % (24 * 60);
  ConfigValues values = DefaultConfigValues();
  values.SetBool(L"cbxRemindOnce1", true);
  values.SetInt(L"cbxHourOfRemindOnce1", at / 60);
  values.SetInt(L"cbxMinOfRemindOnce1", at % 60);
  values.SetText(L"edtContentOfRemindOnce1", L"该开会了");
  values.SetInt(L"cbbSelectRemindOnceWindow", 1);
  values.SetInt(L"cbbSelectBreakHintSmallWindow", 0);
  WriteTextLines((dir / kConfigFileName).wstring(), WriteConfigLines(values));

  std::wstring cmd = L"\"" + exe.wstring() + L"\"";
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
  const DWORD pid = pi.dwProcessId;

  // The first minute announces the next break in the small window, which closes by itself.
  HWND small = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (small = ProcessWindow(pid, L"TfrmHintSmallWindow")) != nullptr; }, 100000))
      << "the first-minute reminder";
  if (small) {
    EXPECT_TRUE(WaitFor([&] { return !ProcessWindow(pid, L"TfrmHintSmallWindow"); }, 20000));
  }

  HWND alarm = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (alarm = ProcessWindow(pid, L"TfrmRemindWindowCenter")) != nullptr; }, 200000))
      << "the alarm's centre window";
  const std::wstring texts = ChildTexts(alarm);
  EXPECT_NE(texts.find(L"Quovel闹钟提醒"), std::wstring::npos) << Narrow(texts);
  EXPECT_NE(texts.find(L"提醒时间已到"), std::wstring::npos) << Narrow(texts);
  EXPECT_NE(texts.find(L"该开会了"), std::wstring::npos) << Narrow(texts);

  // It stays well past the other windows' auto-close times.
  Sleep(12000);
  EXPECT_TRUE(ProcessWindow(pid, L"TfrmRemindWindowCenter"));

  PostMessageW(alarm, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(alarm, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(WaitFor([&] { return !ProcessWindow(pid, L"TfrmRemindWindowCenter"); }, 10000));
  // The click opens the alarm page of the settings dialog.
  EXPECT_TRUE(WaitFor([&] { return ProcessWindow(pid, L"TfrmSetup") != nullptr; }, 10000));

  PostThreadMessageW(pi.dwThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace
