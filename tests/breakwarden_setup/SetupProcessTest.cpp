// The built program, copied into a folder of the test's own with a prepared qv30cfg beside it: the
// settings are changed through the dialog's controls as a user's tool would, the dialog is closed
// with Yes, and the file is compared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BkwdProcessFixture.h"
#include "ConfigFileLines.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "ShellFakes.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"

namespace {

class SetupProcess : public BreakwardenCopy {
 protected:
  SetupProcess() : BreakwardenCopy(L"qvsetup") {}
};

TEST_F(SetupProcess, AChangeThroughTheControlsIsSavedWithYes) {
  const std::vector<std::wstring> prepared = {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！",
                                              L"[0] 5",
                                              L"[1] 2 45 FALSE TRUE",
                                              L"[2] 3 1 FALSE 15 FALSE 40 FALSE 1 FALSE FALSE TRUE 20",
                                              L"[3] TRUE TRUE TRUE 8 30 FALSE 0 0 0 1 255 65535 8421504 65280",
                                              L"[4] 3 FALSE TRUE 28 2 40 10 220 100",
                                              L"[5] 1 1 0 1 16711680 16777215",
                                              L"[6] 0 0 1 1 0 0",
                                              L"[7] FALSE FALSE",
                                              L"八点半站起来活动",
                                              L"在这里输入提醒内容。",
                                              L""};
  WriteTextLines(ConfigPath(), prepared);
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr, setup = nullptr;
  // The sibling's way to the screen-saver page.
  ASSERT_TRUE(OpenSettingsOf(p, main, setup)) << "the dialog did not open";
  wchar_t caption[64] = {};
  GetWindowTextW(setup, caption, 64);
  EXPECT_STREQ(caption, L"设置-[Restalon]");

  HWND banYing = ChildByCaption(setup, L"同时启用伴音！");
  HWND random = ChildByCaption(setup, L"随机调用");
  ASSERT_TRUE(banYing && random);
  EXPECT_FALSE(Checked(banYing)) << "loaded from the file";
  ClickButton(banYing);
  ClickButton(random);
  EXPECT_TRUE(Checked(banYing));
  EXPECT_TRUE(Checked(random));

  // The window's close: the save question, answered Yes.
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDYES)) << "no save question";
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(setup); }));

  std::vector<std::wstring> expected = prepared;
  expected[3] = L"[2] 3 1 FALSE 15 FALSE 40 TRUE 1 FALSE TRUE TRUE 20";
  EXPECT_EQ(ReadTextLines(ConfigPath()), expected);
  EXPECT_TRUE(p.Running());

  p.Quit();
  EXPECT_TRUE(p.Ended());
  EXPECT_EQ(ReadTextLines(ConfigPath()), expected) << "ending the program writes nothing";
}

// A damaged file's NUL, CR and other control characters in the text lines: the file loads
// without a box, and Yes writes those lines as the text they hold.
TEST_F(SetupProcess, ControlCharactersOfTheTextLinesAreNotWrittenBack) {
  const std::wstring nul(1, L'\0');
  std::vector<std::wstring> lines = DefaultConfigHeadLinesAnd(
      {L"八点半" + nul + L"站起来\x01活动", L"在这里\t输入提醒内容。\r", L"C:\\图" + nul + L"片\r\x1B.jpg"});
  WriteTextLines(ConfigPath(), lines);
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  HWND main = nullptr, setup = nullptr;
  ASSERT_TRUE(OpenSettingsOf(p, main, setup)) << "the dialog did not open";
  EXPECT_EQ(p.Window(L"#32770"), nullptr) << "a box at start";
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDYES)) << "no save question";
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(setup); }));

  lines[9] = L"八点半站起来活动";
  lines[10] = L"在这里输入提醒内容。";
  lines[11] = L"C:\\图片.jpg";
  std::string bytes;
  for (const auto& l : lines) bytes += WideToCodePage(l, 936) + "\r\n";
  EXPECT_EQ(ReadBytes(ConfigPath()), bytes);
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

TEST_F(SetupProcess, ADamagedFileShowsTheErrorAndTheStartUpFinishes) {
  WriteTextLines(ConfigPath(), {L"", L"[0] 99", L"[1] -7 abc TRUE FALSE", L"[2] 5"});
  TestProcess p(exe);
  ASSERT_TRUE(p.Started());
  // The standard error box, titled with the application's title; the start-up goes on after it.
  ASSERT_TRUE(AnswerBoxOf(p, L"Restalon", IDOK)) << "no error box for 'abc'";
  HWND main = nullptr, setup = nullptr;
  ASSERT_TRUE(OpenSettingsOf(p, main, setup));
  HWND freeMode = ChildByCaption(setup, L"自由模式(允许随意延后或中止休息,建议办公用户选用)");
  ASSERT_TRUE(freeMode);
  EXPECT_TRUE(Checked(freeMode)) << "an invalid mode is the free mode";
  EXPECT_TRUE(p.Running());

  // Nothing was written by the start.
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerBoxOf(p, L"存盘提示:", IDNO));
  std::vector<std::wstring> lines = ReadTextLines(ConfigPath());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Narrow(lines[1]), "[0] 99");
  p.Quit();
  EXPECT_TRUE(p.Ended());
}

}  // namespace
