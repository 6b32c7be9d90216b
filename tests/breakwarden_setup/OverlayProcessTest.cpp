// The built program's desktop overlays and auto-start repair, read from outside: the picture overlay
// covers the screen translucent and click-through and follows WIN+V, the desktop-status picture sits
// at the top right, neither has a taskbar button; "修复" writes the Run value once.
#include <gtest/gtest.h>

#include <string>

#include "BkwdProcessFixture.h"
#include "Fakes.h"
#include "OverlayChecks.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

namespace {

void DeleteRunValue() {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
    RegDeleteValueW(k, kAutoRunBKWD);
    RegCloseKey(k);
  }
}

// A plain window of the test under the overlay, noting the clicks it gets.
class ClickTarget {
 public:
  explicit ClickTarget(const RECT& r) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"QuovelTestClickTarget";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"click target", WS_POPUP | WS_VISIBLE, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(this));
  }
  ~ClickTarget() {
    DestroyWindow(hwnd);
    UnregisterClassW(L"QuovelTestClickTarget", GetModuleHandleW(nullptr));
  }
  HWND hwnd = nullptr;
  int clicks = 0;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<ClickTarget*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && m == WM_LBUTTONDOWN) ++self->clicks;
    return DefWindowProcW(h, m, w, l);
  }
};

class OverlayProcess : public BreakwardenCopy {
 protected:
  OverlayProcess() : BreakwardenCopy(L"qvoverlay") {}
  void TearDown() override { DeleteRunValue(); }
};

TEST_F(OverlayProcess, TheOverlayCoversTheScreenLetsClicksThroughAndFollowsWinV) {
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr, sot = nullptr, deco = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (main = p.AnyWindow(kClassBKWD)) && (sot = p.Window(L"TSOTForm")) && (deco = p.Window(L"TfrmDesktopDeco"));
  })) << "the overlays did not open";

  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  ExpectOverlayWindow(sot, RECT{0, 0, sw, sh});
  RECT r;
  const POINT centre{sw / 2, sh / 2};
  HWND hit = WindowFromPoint(centre);
  EXPECT_NE(hit, sot);
  EXPECT_NE(GetAncestor(hit, GA_ROOT), sot);

  // A click at the centre reaches the window beneath the overlay (once the splash there has faded).
  // That window, another program's, is the active one once the splash goes: the overlay never
  // takes the activation (the keys typed would go to a picture).
  {
    ClickTarget target(RECT{centre.x - 60, centre.y - 40, centre.x + 60, centre.y + 40});
    SetForegroundWindow(main);  // as the user meets it: the splash of the program just started is active
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 15000)) << "the splash did not fade";
    EXPECT_TRUE(WaitFor([&] {
      PumpMessages();
      return GetForegroundWindow() != sot;
    }, 3000)) << "the overlay is the active window";
    SetWindowPos(target.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpMessages();
    ASSERT_EQ(WindowFromPoint(centre), target.hwnd);
    ClickScreenAt(centre);
    EXPECT_TRUE(WaitFor([&] {
      PumpMessages();
      return target.clicks > 0;
    }, 5000)) << "the click did not pass through";
  }

  // The desktop-status picture: 250 pixels per 1024 of screen width, at the work area's top right.
  GetWindowRect(deco, &r);
  EXPECT_EQ(r.right - r.left, sw * 250 / 1024);
  EXPECT_EQ(r.top, 25);
  EXPECT_FALSE(GetWindowLongPtrW(deco, GWL_EXSTYLE) & WS_EX_TOPMOST);

  if (FindWindowW(L"Shell_TrayWnd", nullptr)) {
    EXPECT_TRUE(WaitFor([&] { return TaskbarButtonsOf(p.Pid()).empty(); }, 15000)) << "a taskbar button";
  }

  // WIN+V hides it, another shows a new one.
  PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(MOD_WIN, 'V'));
  EXPECT_TRUE(WaitFor([&] { return !p.Window(L"TSOTForm"); }, 10000)) << "WIN+V did not hide it";
  PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(MOD_WIN, 'V'));
  EXPECT_TRUE(WaitFor([&] { return p.Window(L"TSOTForm") != nullptr; }, 10000)) << "WIN+V did not show it again";
  EXPECT_TRUE(p.Running());
}

TEST_F(OverlayProcess, RepairWritesTheDeletedRunValueAndThenFindsNothingToRepair) {
  DeleteRunValue();
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr, setup = nullptr;
  ASSERT_TRUE(OpenSettingsOf(p, main, setup)) << "the dialog did not open";
  HWND fix = ChildByCaption(setup, L"修复");
  ASSERT_TRUE(fix);

  PostMessageW(fix, BM_CLICK, 0, 0);
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"启动检测", IDOK, &texts)) << "no repair box";
  EXPECT_NE(texts.find(L"您的自启动设置未开启或存在问题，请点击确定进行修复。"), std::wstring::npos) << Narrow(texts);
  EXPECT_TRUE(WaitFor([&] { return RegReadStr(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunBKWD) == L"\"" + exe + L"\""; }, 5000))
      << Narrow(RegReadStr(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunBKWD));

  PostMessageW(fix, BM_CLICK, 0, 0);
  texts.clear();
  ASSERT_TRUE(AnswerBoxOf(p, L"启动检测", IDOK, &texts)) << "no second box";
  EXPECT_NE(texts.find(L"您的自启动设置已开启且没有问题，无需修复！"), std::wstring::npos) << Narrow(texts);
  EXPECT_TRUE(p.Running());
}

}  // namespace
