// The built player's screen-saver run as a sibling starts it: two saver files in the Windows
// folder, the in-turn command without music, the transit between them, and a saver ended by hand;
// and the break reminder's "预览" handing its saver start to the player.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BkwdProcessFixture.h"
#include "Fakes.h"
#include "PlayerConfig.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const wchar_t kClass[] = L"KMR474747_325_SaverDeck";
const DWORD kTransitMs = 5000, kPlayMs = 30000;

class ScrRunProcess : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a player is left over";
    exe = folder / L"saverdeck.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(SAVERDECK_EXE).c_str(), exe.c_str(), FALSE));
    // The shortest times the settings allow, and no music at start.
    TPlayerConfig c = DefaultPlayerConfig();
    c.TimePlayEachScr = int(kPlayMs / 1000);
    c.TransitTime = int(kTransitMs / 1000);
    c.PlayMusListAtStart = false;
    WriteTextLines(folder / kPlayerConfigFileName, WritePlayerConfigLines(c));
    ASSERT_TRUE(one.ok && two.ok);
  }
  static bool Transit(const TestProcess& p) { return p.Window(L"TfrmTransitForm") != nullptr; }
  // The saver of the two that has started count times.
  static SaverInWindowsFolder* StartedSaver(SaverInWindowsFolder& a, SaverInWindowsFolder& b, size_t count) {
    if (a.Started().size() == count && b.Started().size() < count) return &a;
    if (b.Started().size() == count && a.Started().size() < count) return &b;
    return nullptr;
  }

  TestFolder folder{L"qvscrrun"};
  std::wstring exe;
  // Two savers in the Windows folder, each living longer than any test.
  SaverInWindowsFolder one{WinPathFromBuild(FAKESAVER_SCR), L"qvone.scr", folder / L"one.log", 300000};
  SaverInWindowsFolder two{WinPathFromBuild(FAKESAVER_SCR), L"qvtwo.scr", folder / L"two.log", 300000};
};

// The visible child of a class with that text (the break reminder's pages repeat some captions).
HWND VisibleChild(HWND parent, const wchar_t* cls, const std::wstring& text) {
  for (HWND h : ChildrenOfClass(parent, cls))
    if (IsWindowVisible(h) && WindowText(h) == text) return h;
  return nullptr;
}

// The selected item's text of the combo box among parent's children that holds item.
std::wstring SelectedOfListWith(HWND parent, const std::wstring& item) {
  for (HWND combo : ChildrenOfClass(parent, L"ComboBox")) {
    if (SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(item.c_str())) == CB_ERR) continue;
    const LRESULT i = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return L"<none>";
    wchar_t text[128] = {};
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
    return text;
  }
  return L"<no list>";
}

TEST_F(ScrRunProcess, TheInTurnCommandShowsEachSaverAfterTheTransitAndEndingOneByHandEndsTheRun) {
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = p.AnyWindow(kClass)) != nullptr; }));
  // The count beside its caption, read once the window's creation is done.
  auto count = [&] {
    HWND caption = ChildByCaption(main, L"当前屏保总数：");
    return caption ? WindowText(GetWindow(caption, GW_HWNDNEXT)) : std::wstring(L"<none>");
  };
  EXPECT_TRUE(WaitFor([&] { return count() == L"2"; }, 5000)) << Narrow(count());

  // The command: the transit comes first, and no saver before its time is over.
  const DWORD t0 = GetTickCount();
  PostMessageW(main, WM_SAVERDECK_SCR_INTURN, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return Transit(p); }, 5000)) << "no transit window";
  SaverInWindowsFolder* first = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (first = StartedSaver(one, two, 1)) != nullptr; }, kTransitMs + 10000))
      << "no saver started after the transit";
  EXPECT_GE(GetTickCount() - t0, kTransitMs - 500);
  SaverInWindowsFolder* second = first == &one ? &two : &one;
  const std::vector<std::wstring> lines = first->LogLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], L"args /S");
  EXPECT_TRUE(WaitFor([&] { return !Transit(p); }, 3000)) << "the transit stayed over the saver";
  const DWORD firstPid = first->Started()[0];
  const DWORD shownAt = GetTickCount();

  // After the play time: it is ended, the transit shows, then the other starts.
  ASSERT_TRUE(WaitFor([&] { return !SaverInWindowsFolder::Running(firstPid); }, kPlayMs + 10000))
      << "the saver was not ended";
  EXPECT_GE(GetTickCount() - shownAt, kPlayMs - 1000);
  EXPECT_TRUE(WaitFor([&] { return Transit(p); }, 3000));
  ASSERT_TRUE(WaitFor([&] { return second->Started().size() == 1; }, kTransitMs + 10000))
      << "the other saver did not follow";
  const DWORD secondAt = GetTickCount();
  EXPECT_EQ(second->LogLines()[1], L"args /S");
  EXPECT_EQ(first->Started().size(), 1u);

  // The user ends it: when its play time is over the run ends, with no transit and no start. A
  // run that went on would show its transit as that play time ends (the program's own timer, of
  // which nothing else is seen from outside), so the watch lasts until just past it.
  SaverInWindowsFolder::End(second->Started()[0]);
  const DWORD watched = GetTickCount() - secondAt;
  EXPECT_FALSE(WaitFor([&] { return Transit(p) || one.Started().size() + two.Started().size() > 2; },
                       kPlayMs + 4000 - std::min<DWORD>(watched, kPlayMs), 200))
      << "the run went on";
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

TEST_F(ScrRunProcess, TheBreakRemindersPreviewThroughThePlayerRunsRandomSaversWithMusic) {
  TestProcess player(exe);
  ASSERT_TRUE(player.Started());
  HWND main = nullptr, playerSetup = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (main = player.AnyWindow(kClass)) && (playerSetup = player.AnyWindow(L"TfrmSetupSaverDeck"));
  }));
  ASSERT_TRUE(WaitFor([&] { return SelectedOfListWith(playerSetup, L"未启用伴音") == L"未启用伴音"; }, 5000))
      << Narrow(SelectedOfListWith(playerSetup, L"未启用伴音"));

  // The break reminder set to hand its savers to the player, at random and with music.
  TestFolder bkwdFolder{L"qvscrbkwd"};
  const std::wstring bkwd = bkwdFolder / L"breakwarden.exe";
  ASSERT_TRUE(CopyFileW(WinPathFromBuild(BREAKWARDEN_EXE).c_str(), bkwd.c_str(), FALSE));
  TestProcess reminder(bkwd);
  ASSERT_TRUE(reminder.Started());
  HWND bkwdMain = nullptr, setup = nullptr;
  ASSERT_TRUE(OpenSettingsOf(reminder, bkwdMain, setup));
  for (const wchar_t* box : {L"启用Quovel屏保播放功能！", L"随机调用", L"同时启用伴音！"}) {
    HWND b = VisibleChild(setup, L"Button", box);
    ASSERT_TRUE(b) << Narrow(box);
    if (!Checked(b)) ClickButton(b);
    EXPECT_TRUE(Checked(b)) << Narrow(box);
  }
  ClickButton(VisibleChild(setup, L"Button", L"预览"));

  // The player's run: its transit, the status list on "with music", then one of the savers.
  EXPECT_TRUE(WaitFor([&] { return Transit(player); }, 5000)) << "no transit window";
  EXPECT_EQ(SelectedOfListWith(playerSetup, L"未启用伴音"), L"启用了伴音");
  SaverInWindowsFolder* shown = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (shown = StartedSaver(one, two, 1)) != nullptr; }, kTransitMs + 10000))
      << "no saver started";
  EXPECT_EQ(shown->LogLines()[1], L"args /S");

  // Ended by hand: the run with music notices within its detector's second, with no transit after.
  SaverInWindowsFolder::End(shown->Started()[0]);
  EXPECT_FALSE(WaitFor([&] { return Transit(player) || one.Started().size() + two.Started().size() > 1; },
                       kTransitMs + 3000, 200))
      << "the run went on";
  EXPECT_TRUE(player.Running());
  EXPECT_TRUE(reminder.Running());
}

}  // namespace
