// The built program as a new user meets it: the settings dialog's previews clicked, the windows
// they open read from outside and from the screen, the up-downs' arrow keys, the taskbar, and the
// dialog's caption buttons as the screen shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

namespace {

// A button inside the group box of that caption (several buttons read "预览").
HWND ButtonInGroup(HWND dialog, const std::wstring& group, const std::wstring& caption) {
  HWND box = ChildByCaption(dialog, group);
  return box ? ChildByCaption(box, caption) : nullptr;
}

bool Enabled(HWND h) { return IsWindowEnabled(h) != FALSE; }

bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80; }

class UserWalk : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClassBKWD, nullptr), nullptr) << "a break reminder is left over";
    exe = folder / L"breakwarden.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(BREAKWARDEN_EXE).c_str(), exe.c_str(), FALSE));
    p = std::make_unique<TestProcess>(exe);
    ASSERT_TRUE(p->Started());
    ASSERT_TRUE(WaitFor([&] { return (main = p->AnyWindow(kClassBKWD)) && (setup = p->AnyWindow(L"TfrmSetup")); }));
  }
  // The settings dialog as the siblings open it.
  void OpenSettings() {
    PostMessageW(main, WM_BKWD_OPENSETUPSCR, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(setup); })) << "the dialog did not open";
  }

  TestFolder folder{L"qvuserwalk"};
  std::wstring exe;
  std::unique_ptr<TestProcess> p;
  HWND main = nullptr, setup = nullptr;
};

TEST_F(UserWalk, BreakPreviewButtonShowsTheBreakWindowForItsThreeSeconds) {
  OpenSettings();
  HWND preview = ChildByCaption(setup, L"点击预览");
  ASSERT_TRUE(preview);
  ClickButton(preview);
  HWND brk = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (brk = p->Window(L"TTWForm")) != nullptr; }, 10000)) << "no break preview";
  EXPECT_FALSE(Enabled(preview)) << "one preview at a time";
  // Fade-in, three seconds, and the preview closes itself; the button comes back.
  EXPECT_TRUE(WaitFor([&] { return !p->Window(L"TTWForm"); }, 30000)) << "the preview stayed";
  EXPECT_TRUE(WaitFor([&] { return Enabled(preview); }, 5000));
  EXPECT_TRUE(p->Running());
}

TEST_F(UserWalk, CountdownPreviewCountsDownVisiblyAndCloses) {
  OpenSettings();
  HWND preview = ButtonInGroup(setup, L"大窗口倒计时提醒界面", L"预览");
  ASSERT_TRUE(preview);
  ClickButton(preview);
  HWND hint = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (hint = p->Window(L"TfrmBreakHint")) != nullptr; }, 10000)) << "no countdown";
  EXPECT_FALSE(Enabled(preview));

  // The time label, read and looked at on the screen over the seconds of the preview.
  std::set<std::wstring> texts;
  std::vector<std::wstring> blank;
  while (IsWindow(hint) && IsWindowVisible(hint)) {
    std::wstring text;
    HWND label = nullptr;
    for (HWND c : ChildrenOfClass(hint, L"Static")) {
      const std::wstring t = WindowText(c);
      if (t.rfind(L"还剩", 0) == 0 || t.rfind(L"离休息还剩", 0) == 0 || t.rfind(L"休息时间已到", 0) == 0) {
        label = c;
        text = t;
      }
    }
    if (label) {
      texts.insert(text);
      RECT r;
      GetWindowRect(label, &r);
      // Shown once it has painted: a few looks while the text stays the same.
      bool shown = false;
      for (int look = 0; look < 6 && !shown; ++look) {
        Sleep(100);
        if (!IsWindowVisible(hint) || WindowText(label) != text) shown = true;  // moved on: no verdict
        else shown = CaptureScreen(r).Count(IsRed) >= 15;
      }
      if (!shown) blank.push_back(text);
    }
    if (texts.size() > 10) break;
  }
  for (const wchar_t* t : {L"还剩2秒!", L"还剩1秒!"})
    EXPECT_TRUE(texts.count(t)) << "never read " << Narrow(t);
  EXPECT_TRUE(blank.empty()) << "the label showed nothing while it held " << Narrow(blank.front());
  EXPECT_TRUE(WaitFor([&] { return !p->Window(L"TfrmBreakHint"); }, 10000));
  EXPECT_TRUE(WaitFor([&] { return Enabled(preview); }, 5000)) << "the preview button stays disabled";
}

TEST_F(UserWalk, TheCountdownsMOpensTheModePageAboveEverythingOnlyWhileItOpens) {
  OpenSettings();
  HWND preview = ButtonInGroup(setup, L"大窗口倒计时提醒界面", L"预览");
  ASSERT_TRUE(preview);
  ClickButton(preview);
  HWND hint = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (hint = p->Window(L"TfrmBreakHint")) != nullptr; }, 10000));
  HWND m = ChildByCaption(hint, L"M");
  ASSERT_TRUE(m);
  ClickButton(m);
  EXPECT_TRUE(IsWindowVisible(setup));
  HWND freeMode = ChildByCaption(setup, L"自由模式(允许随意延后或中止休息,建议办公用户选用)");
  EXPECT_TRUE(freeMode && IsWindowVisible(freeMode)) << "not on the mode page";
  EXPECT_FALSE(GetWindowLongPtrW(setup, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the settings stay above every window";
}

TEST_F(UserWalk, TheSmallReminderAddsNoTaskbarButton) {
  ASSERT_TRUE(FindWindowW(L"Shell_TrayWnd", nullptr)) << "no taskbar on this desktop";
  // Once the splash has faded, the program has no taskbar button.
  EXPECT_TRUE(WaitFor([&] { return TaskbarButtonsOf(p->Pid()).empty(); }, 15000));
  OpenSettings();
  HWND preview = ButtonInGroup(setup, L"小窗口休息提醒界面选择", L"预览");
  ASSERT_TRUE(preview);
  ClickButton(preview);
  HWND small = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (small = p->Window(L"TfrmHintSmallWindow")) != nullptr; }, 10000));
  Sleep(1500);  // the taskbar follows the windows' changes
  ASSERT_TRUE(IsWindowVisible(small));
  std::wstring all;
  for (const auto& c : TaskbarButtonsOf(p->Pid())) all += c + L"|";
  EXPECT_TRUE(all.empty()) << "taskbar buttons: " << Narrow(all);
  EXPECT_TRUE(GetWindowLongPtrW(small, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(UserWalk, ArrowKeysInAnEditStepItsUpDown) {
  OpenSettings();
  // Every up-down has its edit as the system's buddy.
  std::vector<HWND> upDowns = ChildrenOfClass(setup, L"msctls_updown32");
  ASSERT_FALSE(upDowns.empty());
  HWND scr = nullptr;
  for (HWND u : upDowns) {
    HWND buddy = HWND(SendMessageW(u, UDM_GETBUDDY, 0, 0));
    wchar_t cls[32] = {};
    GetClassNameW(buddy, cls, 32);
    EXPECT_EQ(lstrcmpiW(cls, L"Edit"), 0) << "an up-down without its edit";
    // "空闲 [2] 分钟后启动屏保" on the open page, range 1..20.
    if (buddy && IsWindowVisible(buddy) && Enabled(u) && WindowText(buddy) == L"2") scr = buddy;
  }
  ASSERT_TRUE(scr) << "no edit showing the screen-saver minutes";
  auto key = [&](WPARAM vk) {
    PostMessageW(scr, WM_KEYDOWN, vk, 1);
    PostMessageW(scr, WM_KEYUP, vk, 0xC0000001);
  };
  key(VK_UP);
  EXPECT_TRUE(WaitFor([&] { return WindowText(scr) == L"3"; }, 5000)) << Narrow(WindowText(scr));
  key(VK_DOWN);
  key(VK_DOWN);
  key(VK_DOWN);  // not below the minimum
  EXPECT_TRUE(WaitFor([&] { return WindowText(scr) == L"1"; }, 5000)) << Narrow(WindowText(scr));
  Sleep(300);
  EXPECT_EQ(WindowText(scr), L"1");
}

// The close button of a captioned window, as the screen shows it: Wine draws the caption buttons
// with the symbol font Marlett, whose "r" is the cross. Without the font the letter itself shows.
TEST_F(UserWalk, TheDialogsCaptionButtonsAreDrawnAsButtons) {
  OpenSettings();
  SetWindowPos(setup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Sleep(500);
  RECT w;
  GetWindowRect(setup, &w);
  const int frame = GetSystemMetrics(SM_CXFIXEDFRAME), cx = GetSystemMetrics(SM_CXSIZE),
            cy = GetSystemMetrics(SM_CYSIZE);
  const RECT button{w.right - frame - cx, w.top + frame, w.right - frame, w.top + frame + cy};
  const ScreenPixels shot = CaptureScreen(button);
  // The glyph: the darkest pixels of the button face.
  auto dark = [](COLORREF c) { return GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) < 40; };
  int x0 = button.right, x1 = button.left - 1, y0 = button.bottom, y1 = button.top - 1;
  // Leave the button's own edges out.
  for (int y = button.top + 3; y < button.bottom - 3; ++y)
    for (int x = button.left + 3; x < button.right - 3; ++x)
      if (dark(shot.At(x, y))) {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  std::string art;
  for (int y = button.top; y < button.bottom; ++y) {
    for (int x = button.left; x < button.right; ++x) art += dark(shot.At(x, y)) ? '#' : '.';
    art += '\n';
  }
  ASSERT_GE(x1 - x0, 4) << "no glyph in the close button:\n" << art;
  ASSERT_GE(y1 - y0, 4) << art;
  // A cross is symmetric left to right and top to bottom; the letter "r" is neither.
  int total = 0, mirroredX = 0, mirroredY = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      if (!dark(shot.At(x, y))) continue;
      ++total;
      mirroredX += dark(shot.At(x0 + x1 - x, y)) ? 1 : 0;
      mirroredY += dark(shot.At(x, y0 + y1 - y)) ? 1 : 0;
    }
  EXPECT_GE(mirroredX * 10, total * 8) << "not a cross:\n" << art;
  EXPECT_GE(mirroredY * 10, total * 8) << "not a cross:\n" << art;
}

}  // namespace
