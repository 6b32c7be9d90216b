// The built program's screen savers as a user meets them: page 2 opened by a sibling's message, a
// saver file in the Windows folder started with "预览", and the own saver that only a real mouse
// move ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BkwdProcessFixture.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

// The visible child of a class with that text (the dialog's pages repeat some captions).
HWND VisibleChild(HWND parent, const wchar_t* cls, const std::wstring& text) {
  for (HWND h : ChildrenOfClass(parent, cls))
    if (IsWindowVisible(h) && WindowText(h) == text) return h;
  return nullptr;
}

// The visible list holding an item, chosen in it as a user does.
bool ChooseInVisibleList(HWND parent, const std::wstring& item) {
  for (HWND combo : ChildrenOfClass(parent, L"ComboBox")) {
    if (!IsWindowVisible(combo)) continue;
    const LRESULT i = SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(item.c_str()));
    if (i == CB_ERR) continue;
    SendMessageW(combo, CB_SETCURSEL, WPARAM(i), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), LPARAM(combo));
    return true;
  }
  return false;
}

class ScreenSaverProcess : public BreakwardenCopy {
 protected:
  ScreenSaverProcess() : BreakwardenCopy(L"qvscrproc") {}
  // Starts the program and opens its settings on page 2 as a sibling does.
  void OpenPage2(TestProcess& p) {
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClassBKWD)) && (setup = p.AnyWindow(L"TfrmSetup")); }));
    PostMessageW(main, WM_BKWD_OPENSETUPSCR, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(setup); }));
    ASSERT_TRUE(WaitFor([&] { return VisibleChild(setup, L"Button", L"预览") != nullptr; })) << "not page 2";
  }
  HWND setup = nullptr;
};

TEST_F(ScreenSaverProcess, ASaverFileOfTheWindowsFolderIsListedAndStartedWithSlashSAsItsOnlyArgument) {
  const std::wstring log = folder / L"saver.log";
  SaverInWindowsFolder saver(WinPathFromBuild(FAKESAVER_SCR), L"fake.scr", log);
  ASSERT_TRUE(saver.ok);
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  OpenPage2(p);
  HWND totalCaption = VisibleChild(setup, L"Static", L"当前屏保总数：");
  ASSERT_TRUE(totalCaption);
  EXPECT_EQ(WindowText(GetWindow(totalCaption, GW_HWNDNEXT)), L"2") << "the own saver and fake.scr";

  ASSERT_TRUE(ChooseInVisibleList(setup, L"fake"));
  ClickButton(VisibleChild(setup, L"Button", L"预览"));
  std::vector<std::wstring> lines;
  ASSERT_TRUE(WaitFor([&] {
    lines = saver.LogLines();
    return lines.size() >= 2;
  })) << "the saver did not start";
  EXPECT_EQ(lines[1], L"args /S");
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

TEST_F(ScreenSaverProcess, TheOwnSaverCoversTheScreenAboveAllAndOnlyAMoveBeyondTwoPixelsEndsIt) {
  // The bottom row: the moving greeting never reaches it. Where the greeting slides under a resting
  // cursor, Wine reports a move to it in coordinates of its place before the step.
  const POINT start{400, GetSystemMetrics(SM_CYSCREEN) - 1};
  // The saver takes the cursor's place at its start. The hand rests there before the program
  // starts: under Wine a window that opens under the cursor hears of its place in an X event,
  // and one handled after a later warp would put that earlier place back.
  ASSERT_TRUE(SettleCursorAt(start));
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  OpenPage2(p);
  // The picture overlay lies above a saver, and Wine draws it opaque: WIN+V takes it away first.
  if (p.Window(L"TSOTForm")) {
    PostMessageW(p.AnyWindow(L"KMR474747_30"), WM_HOTKEY, 0, MAKELPARAM(MOD_WIN, 'V'));
    EXPECT_TRUE(WaitFor([&] { return !p.Window(L"TSOTForm"); }, 10000)) << "WIN+V did not hide the overlay";
  }
  ASSERT_TRUE(SettleCursorAt(start));
  ClickButton(VisibleChild(setup, L"Button", L"预览"));  // the own saver, as designed
  HWND saver = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (saver = p.Window(L"TfrmScrBKWD")) != nullptr; }));
  RECT r;
  GetWindowRect(saver, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(GetWindowLongPtrW(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The moving greeting is a window of the saver's own: what counts is the top window there.
  const HWND aboveTop = GetAncestor(WindowFromPoint(POINT{10, 10}), GA_ROOT);
  EXPECT_EQ(aboveTop, saver) << "nothing above it, but " << Narrow(ClassOf(aboveTop)) << " '" << Narrow(WindowText(aboveTop))
                          << "' is";

  // Two pixels: it stays.
  SetCursorPos(start.x + 2, start.y);
  Sleep(300);
  SetCursorPos(start.x - 2, start.y);
  EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(saver); }, 1500))
      << "a jiggle ended it (window " << (IsWindow(saver) ? "hidden" : "closed") << ")";
  // Three: it ends, and the cursor is back.
  SetCursorPos(start.x + 3, start.y);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(saver) || !IsWindowVisible(saver); }, 5000));
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

}  // namespace
