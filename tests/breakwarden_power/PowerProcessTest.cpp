// The built program answering the system's suspend query as a sibling or the system reaches it: a
// WM_POWERBROADCAST sent to its main window. Wine sends none of its own, so the test sends them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BkwdProcessFixture.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

class PowerProcess : public BreakwardenCopy {
 protected:
  PowerProcess() : BreakwardenCopy(L"qvpower") {}
  // The program started, its scheduler running.
  HWND Start(std::unique_ptr<TestProcess>& p) {
    p = std::make_unique<TestProcess>(exe);
    HWND main = nullptr;
    EXPECT_TRUE(p->Started());
    EXPECT_TRUE(WaitFor([&] { return (main = p->AnyWindow(kClassBKWD)) && p->AnyWindow(L"TfrmSetup"); }));
    return main;
  }
  // Sent as the system sends it; the answer, or -1 when the window did not answer in time.
  static LRESULT Send(HWND main, WPARAM event, UINT ms = 30000) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(main, WM_POWERBROADCAST, event, 0, SMTO_NORMAL, ms, &answer)) return -1;
    return LRESULT(answer);
  }
  // Sends the query from a thread of its own while the test answers the question it brings.
  static LRESULT QueryAnswered(const TestProcess& p, HWND main, int button, std::wstring* texts, bool* boxSeen) {
    LRESULT result = -2;
    std::thread sender([&] { result = Send(main, PBT_APMQUERYSUSPEND); });
    *boxSeen = AnswerBoxOf(p, L"Quovel提示", button, texts);
    sender.join();
    return result;
  }
};

TEST_F(PowerProcess, OnADesktopTheSuspendQuestionComesAndNoDenies) {
  std::unique_ptr<TestProcess> p;
  HWND main = Start(p);
  ASSERT_TRUE(main);
  std::wstring texts;
  bool box = false;
  EXPECT_EQ(QueryAnswered(*p, main, IDNO, &texts, &box), LRESULT(0x424D5144));
  EXPECT_TRUE(box) << "no question";
  EXPECT_NE(texts.find(L"系统正准备挂机,要继续吗?"), std::wstring::npos) << Narrow(texts);
  EXPECT_EQ(QueryAnswered(*p, main, IDYES, &texts, &box), TRUE);
  EXPECT_TRUE(box);
  EXPECT_TRUE(p->Running());
}

TEST_F(PowerProcess, ALaptopIsNotAskedAndNotDenied) {
  const std::wstring caption = std::to_wstring(GetSysColor(COLOR_ACTIVECAPTION));
  WriteTextLines(ConfigPath(), {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", L"[0] 2", L"[1] 0 30 FALSE FALSE",
                                L"[2] 2 1 FALSE 10 FALSE 30 FALSE 0 FALSE FALSE TRUE 30",
                                L"[3] TRUE FALSE FALSE 0 0 FALSE 0 0 1 1 8421504 65535 8421504 65535",
                                L"[4] 0 FALSE TRUE 24 5 32 12 200 112", L"[5] 0 1 0 0 " + caption + L" 16777215",
                                L"[6] 0 0 1 1 0 0",
                                L"[7] TRUE TRUE",  // "我使用的是笔记本（重要！改善硬件兼容性。）"
                                L"在这里输入提醒内容。", L"在这里输入提醒内容。", L""});
  std::unique_ptr<TestProcess> p;
  HWND main = Start(p);
  ASSERT_TRUE(main);
  EXPECT_EQ(Send(main, PBT_APMQUERYSUSPEND, 10000), TRUE);
  EXPECT_EQ(p->Window(L"#32770"), nullptr) << "a box came";
}

// Keys posted to the open tray menu, as a user's keyboard chooses an item.
bool ChooseFromTrayMenu(const TestProcess& p, HWND main, const std::vector<WPARAM>& keys) {
  PostMessageW(main, WM_USER + 1, 100, WM_RBUTTONUP);
  HWND menu = nullptr;
  if (!WaitFor([&] { return (menu = p.Window(L"#32768")) != nullptr; })) return false;
  for (WPARAM k : keys) PostMessageW(menu, WM_KEYDOWN, k, 0);
  return WaitFor([&] { return p.Window(L"#32768") == nullptr; });
}

TEST_F(PowerProcess, TimeAsleepInABreakIsTakenOffIt) {
  std::unique_ptr<TestProcess> p;
  HWND main = Start(p);
  ASSERT_TRUE(main);
  // "立即休息", fifth from the bottom of the tray menu, and its question answered Yes.
  ASSERT_TRUE(ChooseFromTrayMenu(*p, main, {VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}));
  ASSERT_TRUE(AnswerBoxOf(*p, L"Quovel提示", IDYES)) << "no break question";
  HWND brk = nullptr, bar = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (brk = p->Window(L"TTWForm")) != nullptr; })) << "no break window";
  ASSERT_TRUE(WaitFor([&] {
    auto bars = ChildrenOfClass(brk, L"msctls_progress32");
    return !bars.empty() && (bar = bars[0]) != nullptr;
  }));
  const int max = int(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
  auto left = [&] { return int(SendMessageW(bar, PBM_GETPOS, 0, 0)); };
  ASSERT_TRUE(WaitFor([&] { return left() < max; }, 30000)) << "the break does not count";

  EXPECT_EQ(Send(main, PBT_APMQUERYSUSPEND), TRUE) << "a break is not interrupted by the question";
  const int before = left();
  Sleep(20000);
  EXPECT_EQ(Send(main, PBT_APMRESUMESUSPEND), TRUE);
  const int after = left();
  // 20 seconds counted and 20 seconds asleep.
  EXPECT_GE(before - after, 37) << before << " -> " << after;
  EXPECT_LE(before - after, 43) << before << " -> " << after;
  EXPECT_EQ(p->Window(L"#32770"), nullptr) << "a box came";
}

}  // namespace
