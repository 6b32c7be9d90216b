// The tray menu's own loop delivers the icon's callbacks too. Posted right clicks used to open the
// menu again inside the open one (65 deep, every window call answering 0 until 65 clicks closed
// them); now a callback while the menu is up opens nothing more.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "Menus.h"
#include "unitFrmMain.h"

namespace {

int MenusUp() {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"#32768", nullptr)) != nullptr;) n += IsWindowVisible(h) != 0;
  return n;
}

TEST(TrayMenu, CallbacksWhileTheMenuIsUpOpenNothingMore) {
  FakeClock clock;
  auto* form = new TfrmMain(Application);
  frmMain = form;
  static HWND main;
  static int ticks, mostMenus, popups;
  main = form->Handle();
  ticks = mostMenus = popups = 0;
  form->PopupMenu1->OnPopup = [](TObject*) { ++popups; };
  // While the menu tracks, a timer of this thread brings the callbacks of a storm, then closes it.
  UINT_PTR t = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
    if (ticks <= 3) {
      for (int i = 0; i < 20; ++i) {
        SendMessageW(main, WM_BKWD_TRAY, kTrayIconId, WM_RBUTTONUP);
        SendMessageW(main, WM_BKWD_TRAY, kTrayIconId, WM_LBUTTONUP);
      }
      PostMessageW(main, WM_BKWD_TRAY, kTrayIconId, WM_RBUTTONUP);
    }
    mostMenus = std::max(mostMenus, MenusUp());
    if (ticks >= 5) TPopupMenu::CloseOpenMenu();
  });
  SendMessageW(main, WM_BKWD_TRAY, kTrayIconId, WM_RBUTTONUP);
  KillTimer(nullptr, t);
  EXPECT_GE(ticks, 5);
  EXPECT_EQ(mostMenus, 1);
  EXPECT_EQ(popups, 1) << "a menu opened inside the menu";
  EXPECT_FALSE(TPopupMenu::MenuOpen());
  EXPECT_EQ(Application->FindForm(L"frmStat"), nullptr);
  // Once it is closed, the next right click opens it again.
  UINT_PTR t2 = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { TPopupMenu::CloseOpenMenu(); });
  SendMessageW(main, WM_BKWD_TRAY, kTrayIconId, WM_RBUTTONUP);
  KillTimer(nullptr, t2);
  EXPECT_EQ(popups, 2);
  TComponent::Free(form);
  frmMain = nullptr;
  PumpMessages();
}

}  // namespace
