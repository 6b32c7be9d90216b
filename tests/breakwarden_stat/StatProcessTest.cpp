// The built program, without a qv30cfg, asked for its statistics as a sibling asks (0x8202): the
// window and its texts as another program reads them, its page switch, and the mode in its caption.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "uniQVShare.h"

namespace {

std::vector<std::wstring> ChildTexts(HWND h) {
  std::vector<std::wstring> all;
  EnumChildWindows(
      h,
      [](HWND c, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(WindowText(c));
        return TRUE;
      },
      LPARAM(&all));
  return all;
}

int CountOf(const std::vector<std::wstring>& texts, const std::wstring& t) {
  return int(std::count(texts.begin(), texts.end(), t));
}

int StatWindowCount() {
  int n = 0;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"TfrmStat", nullptr));) n += IsWindowVisible(h) ? 1 : 0;
  return n;
}

std::wstring Caption(HWND h) {
  wchar_t buf[256] = {};
  GetWindowTextW(h, buf, 256);
  return buf;
}

// A speed button answers the mouse, as the user's click reaches it.
void MouseClick(HWND h) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

TEST(StatProcess, ASiblingsRequestOpensOneWindowWithTheFirstMinutesFigures) {
  ASSERT_EQ(FindWindowW(kClassBKWD, nullptr), nullptr) << "a break reminder is left over";
  const TestFolder dir{L"stat_process"};
  const std::wstring exe = dir / L"breakwarden.exe";
  ASSERT_TRUE(CopyFileW(WinPathFromBuild(BREAKWARDEN_EXE).c_str(), exe.c_str(), FALSE));
  TestProcess p(exe, L"", dir.Path());
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClassBKWD)) && p.AnyWindow(L"TfrmSetup"); }));

  PostMessageW(main, WM_BKWD_OPENSTAT, 0, 0);
  HWND stat = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (stat = p.Window(L"TfrmStat")) != nullptr; })) << "no statistics window";
  EXPECT_EQ(Narrow(Caption(stat)), Narrow(L"休息统计(供参考)-[当前方案:每隔50分钟休息5分钟，当前模式:自由模式]"));
  PostMessageW(main, WM_BKWD_OPENSTAT, 0, 0);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(StatWindowCount(), 1) << "a second request makes no second window";

  std::vector<std::wstring> texts = ChildTexts(stat);
  EXPECT_GE(CountOf(texts, L"0"), 2) << "breaks taken and cut short";
  EXPECT_EQ(CountOf(texts, L"无"), 1);
  EXPECT_EQ(CountOf(texts, L"2 (饱满)"), 1);
  EXPECT_EQ(CountOf(texts, L"100分"), 1);
  EXPECT_EQ(CountOf(texts, L"很好"), 1);
  EXPECT_EQ(CountOf(texts, L"暂无建议。"), 1);

  // The page switch: the history page with the log's first line.
  HWND sw = ChildByCaption(stat, L"111000000");
  ASSERT_NE(sw, nullptr);
  MouseClick(sw);
  EXPECT_EQ(Narrow(WindowText(sw)), "000111000");
  std::vector<HWND> edits = ChildrenOfClass(stat, L"Edit");
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(WindowText(edits[0]).rfind(L"程序开始运行: ", 0), 0u) << Narrow(WindowText(edits[0]));

  // The enforce mode chosen in the settings renames the open window.
  HWND setup = p.AnyWindow(L"TfrmSetup");
  HWND enforce = ChildByCaption(setup, L"强制模式(不允许退出休息,建议自觉性较差的用户选用)");
  ASSERT_NE(enforce, nullptr);
  ClickButton(enforce);
  EXPECT_TRUE(WaitFor([&] {
    const std::wstring c = Caption(stat);
    return c.size() > 10 && c.substr(c.size() - 10) == L"当前模式:强制模式]";
  }, 5000)) << Narrow(Caption(stat));

  p.Quit();
  EXPECT_TRUE(p.Ended());
}

}  // namespace
