// The first run as a new user meets it: the built program copied into a folder of the test's own,
// started with no path file naming it; its boxes answered as a user answers them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

constexpr const wchar_t* kCaption = L"欢迎使用Restavo！";
constexpr const wchar_t* kFirstBox = L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...";
constexpr const wchar_t* kLaptopBox = L"请您正确选择：当前使用的是笔记本还是台式机？笔记本请点确定，台式机点取消。";
constexpr const wchar_t* kPreviewBox = L"Restalon是挡屏提醒和引导休息的软件,现在先演示一下吧...";

// The program's next welcome box, or null when none comes within ms.
HWND NextBox(const TestProcess& p, DWORD ms) {
  HWND box = nullptr;
  WaitFor([&] { return (box = p.Window(L"#32770", kCaption)) != nullptr; }, ms);
  return box;
}

std::wstring BoxText(HWND box) {
  for (HWND s : ChildrenOfClass(box, L"Static"))
    if (!WindowText(s).empty()) return WindowText(s);
  return {};
}

// Answers the box with one of its buttons, as a user's click does, and waits for it to go.
bool Answer(HWND box, int button) {
  HWND b = GetDlgItem(box, button);
  if (!b) return false;
  PostMessageW(b, BM_CLICK, 0, 0);
  return WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

void DeleteRunValue() {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
    RegDeleteValueW(k, kAutoRunBKWD);
    RegCloseKey(k);
  }
}

class NewUser : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kClassBKWD, nullptr), nullptr) << "a break reminder is left over";
    ASSERT_FALSE(PathFileFolder().empty());
    DeleteFileW(PathFile().c_str());
    DeleteRunValue();
  }
  void TearDown() override {
    // The other process tests seed the file themselves; the Run value must not outlive the test.
    DeleteFileW(PathFile().c_str());
    DeleteRunValue();
  }
  static std::wstring PathFile() { return PathFileFolder() + L"\\dir1"; }
  static std::wstring CopyOfProgram(const TestFolder& folder) {
    const std::wstring exe = folder / L"breakwarden.exe";
    EXPECT_TRUE(CopyFileW(WinPathFromBuild(BREAKWARDEN_EXE).c_str(), exe.c_str(), FALSE));
    return exe;
  }
  static std::vector<std::wstring> PathFileLines() {
    return FileExists(PathFile()) ? ReadTextLines(PathFile()) : std::vector<std::wstring>{};
  }
  TestFolder first{L"qvfirst"}, second{L"qvmoved"};
};

TEST_F(NewUser, ADesktopUserIsWelcomedAndTheCopyIsRemembered) {
  const std::wstring exe = CopyOfProgram(first);
  {
    TestProcess p(exe, L"", L"", FirstRunSeed::AsIs);
    ASSERT_TRUE(p.Started());
    const DWORD started = GetTickCount();
    HWND box = NextBox(p, 20000);
    ASSERT_NE(box, nullptr) << "no welcome on a first run";
    EXPECT_GE(GetTickCount() - started, 2500u) << "the welcome comes 3 s after the start";
    EXPECT_EQ(BoxText(box), kFirstBox);
    EXPECT_TRUE(GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    ASSERT_TRUE(Answer(box, IDOK));
    ASSERT_NE(box = NextBox(p, 10000), nullptr);
    EXPECT_EQ(BoxText(box), kLaptopBox);
    ASSERT_TRUE(Answer(box, IDCANCEL));

    EXPECT_TRUE(WaitFor([&] { return PathFileLines() == std::vector<std::wstring>{exe, L"30"}; }, 5000));
    EXPECT_EQ(RegReadStr(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunBKWD), L"\"" + exe + L"\"");
    EXPECT_FALSE(FileExists(first / L"qv30cfg")) << "a desktop answer writes no settings";

    ASSERT_NE(box = NextBox(p, 15000), nullptr) << "no welcome after the setup";
    EXPECT_EQ(BoxText(box), kPreviewBox);
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_TRUE(WaitFor([&] { return p.Window(L"TfrmBreakHint") != nullptr; }, 5000)) << "no countdown preview";
    p.Quit();
    ASSERT_TRUE(p.Ended());
    EXPECT_EQ(p.ExitCode(), 0u);
  }

  // The same copy again: nothing to set up.
  {
    TestProcess p(exe, L"", L"", FirstRunSeed::AsIs);
    ASSERT_TRUE(p.Started());
    ASSERT_TRUE(WaitFor([&] { return p.AnyWindow(kClassBKWD) != nullptr; }));
    EXPECT_EQ(NextBox(p, 10000), nullptr) << "a box on the second start";
    p.Quit();
    ASSERT_TRUE(p.Ended());
  }

  // A copy in another folder is a first run again and takes the path file over.
  const std::wstring moved = CopyOfProgram(second);
  TestProcess p(moved, L"", L"", FirstRunSeed::AsIs);
  HWND box = NextBox(p, 20000);
  ASSERT_NE(box, nullptr) << "the moved copy did not ask";
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_NE(box = NextBox(p, 10000), nullptr);
  ASSERT_TRUE(Answer(box, IDCANCEL));
  EXPECT_TRUE(WaitFor([&] { return PathFileLines() == std::vector<std::wstring>{moved, L"30"}; }, 5000));
  EXPECT_EQ(RegReadStr(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutoRunBKWD), L"\"" + moved + L"\"") << "written quoted";
}

TEST_F(NewUser, ALaptopAnswerSavesTheSettingsAndAnExitDuringTheWaitEndsTheSetup) {
  const std::wstring exe = CopyOfProgram(first);
  TestProcess p(exe, L"", L"", FirstRunSeed::AsIs);
  HWND box = NextBox(p, 20000);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_NE(box = NextBox(p, 10000), nullptr);
  ASSERT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(WaitFor([&] { return FileExists(first / L"qv30cfg") && !PathFileLines().empty(); }, 5000));
  const std::vector<std::wstring> config = ReadTextLines(first / L"qv30cfg");
  ASSERT_GE(config.size(), 9u);
  EXPECT_EQ(config[8], L"[7] TRUE TRUE");

  // Ended during the 5 s before the welcome: no welcome, no preview, a clean end.
  p.Quit();
  ASSERT_TRUE(p.Ended());
  EXPECT_EQ(p.ExitCode(), 0u);
}

// Every other process test finds the path file naming the program it starts.
TEST_F(NewUser, TheProcessHelperSeedsThePathFileForTheOtherTests) {
  const std::wstring exe = CopyOfProgram(first);
  TestProcess p(exe);
  EXPECT_EQ(PathFileLines(), (std::vector<std::wstring>{exe, L"30"}));
  ASSERT_TRUE(WaitFor([&] { return p.AnyWindow(kClassBKWD) != nullptr; }));
  EXPECT_EQ(NextBox(p, 6000), nullptr);
  SeedPathFile(L"C:\\some\\tool.exe");  // not one of the family's programs: nothing written
  EXPECT_EQ(PathFileLines(), (std::vector<std::wstring>{exe, L"30"}));
}

}  // namespace
