// The built player's boxes and dialogs as a sibling meets them: a command posted again and again
// while the box or dialog it opened is up opens it once; a box that quotes a path of a megabyte
// stays within the work area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "PlayerConfig.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

const wchar_t kClass[] = L"KMR474747_325_SaverDeck";
const int kRepeats = 20;

// The visible boxes and dialogs (#32770) of a process.
std::vector<HWND> BoxesOf(DWORD pid) {
  std::vector<HWND> boxes;
  for (HWND h : TopWindowsOf(pid))
    if (IsWindowVisible(h) && ClassOf(h) == L"#32770") boxes.push_back(h);
  return boxes;
}

std::wstring Caption(HWND h) {
  wchar_t text[128] = {};
  GetWindowTextW(h, text, 128);
  return text;
}

RECT WorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

bool Within(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

class CommandBoxes : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a player is left over";
    exe = folder / L"saverdeck.exe";
    ASSERT_TRUE(CopyFileW(WinPathFromBuild(SAVERDECK_EXE).c_str(), exe.c_str(), FALSE));
  }
  std::wstring ConfigPath() const { return folder / kPlayerConfigFileName; }
  // The main window once it shows.
  static HWND Shown(const TestProcess& p) {
    HWND main = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (main = p.Window(kClass)) != nullptr; })) << "the player did not show";
    return main;
  }
  // Posted after the repeats: once the window toggles, every command before it was handled.
  static bool ToggleHandled(HWND main) {
    const bool visible = IsWindowVisible(main) != FALSE;
    PostMessageW(main, WM_SAVERDECK_SHOWHIDE, 0, 0);
    return WaitFor([&] { return (IsWindowVisible(main) != FALSE) != visible; });
  }
  // The one box of the process with that caption, its place checked against the work area; its texts.
  static std::wstring OneBoxWithin(const TestProcess& p, const wchar_t* caption) {
    HWND box = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (box = p.Window(L"#32770", caption)) != nullptr; }, 60000)) << "no box";
    if (!box) return {};
    RECT r{}, ok{};
    GetWindowRect(box, &r);
    EXPECT_TRUE(Within(r, WorkArea())) << "the box at " << WindowRectText(box);
    HWND button = GetDlgItem(box, IDOK);
    EXPECT_TRUE(button);
    if (button) {
      GetWindowRect(button, &ok);
      EXPECT_TRUE(Within(ok, WorkArea())) << "its button at " << WindowRectText(button);
    }
    // The lines as the box breaks them, joined again.
    std::wstring texts = WindowTexts(box);
    std::erase(texts, L'\n');
    return texts;
  }
  // The one box of the program's notice, short, holding the line expected; then the program ends.
  static void ExpectOneShortNotice(TestProcess& p, const std::wstring& expected) {
    const std::wstring texts = OneBoxWithin(p, L"Quovel提示：");
    EXPECT_NE(texts.find(expected), std::wstring::npos) << Narrow(texts.substr(0, 400));
    EXPECT_LT(texts.size(), 400u);
    p.Quit();
    EXPECT_TRUE(p.Ended());
  }

  TestFolder folder{L"qvboxes"};
  std::wstring exe;
};

TEST_F(CommandBoxes, RunCommandsWithoutSaversShowTheirBoxOnce) {
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = Shown(p);
  ASSERT_TRUE(main);
  auto count = [&] {
    HWND caption = ChildByCaption(main, L"当前屏保总数：");
    return caption ? WindowText(GetWindow(caption, GW_HWNDNEXT)) : std::wstring(L"<none>");
  };
  ASSERT_TRUE(WaitFor([&] { return count() == L"0"; }, 5000)) << "savers are installed: " << Narrow(count());

  for (int i = 0; i < kRepeats; ++i) PostMessageW(main, WM_SAVERDECK_SCR_INTURN, 0, 0);
  PostMessageW(main, WM_SAVERDECK_SCR_RANDOM, 0, 0);
  ASSERT_TRUE(ToggleHandled(main)) << "the commands after the run commands were not handled";
  const std::vector<HWND> boxes = BoxesOf(p.Pid());
  ASSERT_EQ(boxes.size(), 1u) << "boxes stacked";
  EXPECT_NE(WindowTexts(boxes[0]).find(L"提示：没有屏幕保护可以播放！"), std::wstring::npos)
      << Narrow(WindowTexts(boxes[0]));

  // Answered, it stays answered: the repeats opened nothing to come up after it.
  PostMessageW(GetDlgItem(boxes[0], IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(boxes[0]); }));
  ASSERT_TRUE(ToggleHandled(main));
  EXPECT_TRUE(BoxesOf(p.Pid()).empty());
  // The command itself still works.
  PostMessageW(main, WM_SAVERDECK_SCR_INTURN, 0, 0);
  EXPECT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDOK));
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

TEST_F(CommandBoxes, ShowPlayWithAnEmptyPlaylistOpensOneMusicDialog) {
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = Shown(p);
  ASSERT_TRUE(main);

  for (int i = 0; i < kRepeats; ++i) PostMessageW(main, WM_SAVERDECK_SHOWPLAY, 0, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = p.Window(L"#32770", L"打开音乐")) != nullptr; })) << "no music dialog";
  ASSERT_TRUE(ToggleHandled(main)) << "the commands after the repeats were not handled";
  std::vector<std::wstring> captions;
  for (HWND h : BoxesOf(p.Pid())) captions.push_back(Caption(h));
  EXPECT_EQ(captions, std::vector<std::wstring>{L"打开音乐"}) << captions.size() << " boxes and dialogs";

  // Cancelled, the first command goes on to its question; nothing of the repeats follows.
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  std::wstring texts;
  ASSERT_TRUE(AnswerBoxOf(p, L"Quovel提示：", IDNO, &texts));
  EXPECT_NE(texts.find(L"你还没有添加音乐文件"), std::wstring::npos) << Narrow(texts);
  ASSERT_TRUE(ToggleHandled(main));
  EXPECT_TRUE(BoxesOf(p.Pid()).empty()) << BoxesOf(p.Pid()).size() << " came up after it";
  EXPECT_TRUE(p.Running());
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

// A megabyte path: the box names its start and its file, and fits the screen with its button.
TEST_F(CommandBoxes, AMegabyteStartUpPlaylistNameGivesABoxWithinTheWorkArea) {
  const std::wstring list = L"C:\\" + std::wstring(1 << 20, L'a') + L"\\列表.qvml";
  TPlayerConfig c = DefaultPlayerConfig();
  c.PlayMusListFile = list;
  WriteTextLines(ConfigPath(), WritePlayerConfigLines(c));
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  ExpectOneShortNotice(p, L"你指定要载入的播放列表\"" + ReadablePath(list) + L"\"不存在！");
}

TEST_F(CommandBoxes, AMegabyteFirstPlaylistEntryGivesABoxWithinTheWorkArea) {
  const std::wstring entry = L"C:\\" + std::wstring(1 << 20, L'b') + L"\\歌.wav";
  const std::wstring list = folder / L"长.qvml";
  WriteTextLines(list, {entry, L"C:\\music\\b.wav"});
  TestProcess p(exe, L"/L \"" + list + L"\"");
  ASSERT_TRUE(p.Started());
  ExpectOneShortNotice(p, L"你要播放的音乐文件\"" + ReadablePath(entry) + L"\"不存在！");
}

}  // namespace
