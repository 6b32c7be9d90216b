// The hot keys of the built program, as another program meets them: held while it runs, free
// after it, and acting on the WM_HOTKEY messages posted to its main window (Xvfb's WIN key cannot
// be pressed reliably, so the message stands for the key).
#include <gtest/gtest.h>

#include <set>

#include "BkwdProcessFixture.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "uniQVShare.h"

namespace {

const UINT kKeys[] = {'H', 'Z', 'C', 'W', 'K', 'V', 'X'};

// 0 when this process can take the key itself (and gives it back), else the error.
DWORD TakeHotKey(UINT modifiers, UINT key) {
  if (!RegisterHotKey(nullptr, 0xBF01, modifiers, key)) return GetLastError();
  UnregisterHotKey(nullptr, 0xBF01);
  return 0;
}

std::set<HWND> VisibleWindowsOf(const wchar_t* cls) {
  std::set<HWND> out;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, cls, nullptr)) != nullptr;)
    if (IsWindowVisible(h)) out.insert(h);
  return out;
}

void EndProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
    TerminateProcess(h, 0);
    WaitForSingleObject(h, 5000);
    CloseHandle(h);
  }
}

class HotKeys : public BreakwardenCopy {
 protected:
  HotKeys() : BreakwardenCopy(L"qvhotkeys") {}
  // Started, its settings dialog made (the hot keys reach into it) and the splash gone.
  HWND Start(TestProcess& p) {
    HWND main = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClassBKWD)) && p.AnyWindow(L"TfrmSetup"); }));
    EXPECT_TRUE(WaitFor([&] { return main && !IsWindowVisible(main); })) << "the splash did not fade";
    return main;
  }
  void PostHotKey(HWND main, UINT modifiers, UINT key) {
    PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(modifiers, key));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer);
  }
};

TEST_F(HotKeys, HeldWhileTheProgramRunsAndFreeAfterIt) {
  for (UINT key : kKeys) ASSERT_EQ(TakeHotKey(MOD_WIN, key), 0u) << char(key) << " is held before the start";
  HWND main = nullptr;
  {
    TestProcess p(exe);
    main = Start(p);
    ASSERT_NE(main, nullptr);
    for (UINT key : kKeys) EXPECT_EQ(TakeHotKey(MOD_WIN, key), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED)) << char(key);
    EXPECT_EQ(TakeHotKey(MOD_WIN | MOD_SHIFT, 'K'), 0u) << "only WIN alone is taken";
    p.Quit();
    ASSERT_TRUE(p.Ended());
  }
  for (UINT key : kKeys) EXPECT_EQ(TakeHotKey(MOD_WIN, key), 0u) << char(key) << " outlived the program";
}

TEST_F(HotKeys, WinZBringsNotepadOnlyWithWinAlone) {
  TestProcess p(exe);
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  const std::set<HWND> before = VisibleWindowsOf(L"Notepad");
  PostHotKey(main, MOD_WIN | MOD_SHIFT, 'Z');
  Sleep(2000);
  EXPECT_EQ(VisibleWindowsOf(L"Notepad"), before) << "WIN+SHIFT+Z started a notepad";
  PostHotKey(main, MOD_WIN, 'Z');
  HWND pad = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND h : VisibleWindowsOf(L"Notepad"))
      if (!before.count(h)) pad = h;
    return pad != nullptr;
  })) << "no notepad";
  if (pad) EndProcessOf(pad);
  // Tools Wine lacks fail silently.
  PostHotKey(main, MOD_WIN, 'W');
  PostHotKey(main, MOD_WIN, 'X');
  Sleep(1000);
  EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a box for a tool that is not there";
  EXPECT_TRUE(p.Running());
}

TEST_F(HotKeys, WinKNoticeWithoutABoxAndWinHABlackScreenAKeyEnds) {
  TestProcess p(exe);
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  PostHotKey(main, MOD_WIN, 'K');
  HWND notice = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (notice = p.Window(L"TfrmPopHint")) != nullptr; })) << "no notice";
  if (notice) {
    EXPECT_NE(WindowTexts(notice).find(L"屏幕保护已禁用！"), std::wstring::npos) << Narrow(WindowTexts(notice));
  }
  EXPECT_EQ(p.Window(L"#32770", L"Quovel提示："), nullptr) << "WIN+K asked";

  // The picture overlay lies above a saver; without a compositor Wine draws it opaque, so it is
  // switched off before the screen is read.
  if (p.Window(L"TSOTForm")) {
    PostHotKey(main, MOD_WIN, 'V');
    EXPECT_TRUE(WaitFor([&] { return !p.Window(L"TSOTForm"); }, 10000)) << "WIN+V did not hide the overlay";
  }
  PostHotKey(main, MOD_WIN, 'H');
  HWND black = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (black = p.Window(L"TfrmScrBKWD")) != nullptr; })) << "no black screen";
  RECT r;
  GetWindowRect(black, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(GetWindowLongPtrW(black, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const RECT centre{r.right / 2 - 10, r.bottom / 2 - 10, r.right / 2 + 10, r.bottom / 2 + 10};
  int blackPixels = 0;
  EXPECT_TRUE(WaitFor([&] {
    blackPixels = CaptureScreen(centre).Count([](COLORREF c) { return c == RGB(0, 0, 0); });
    return blackPixels == 400;
  }, 5000)) << "not black: " << blackPixels << " of 400";
  PostMessageW(black, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(black); })) << "a key did not end it";
  EXPECT_TRUE(p.Running());
}

}  // namespace
