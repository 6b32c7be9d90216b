// The three-second notice box: text and colours, placement, closing only by its timer.
#include <gtest/gtest.h>

#include "BkwdFakes.h"
#include "DescribedForms.h"
#include "Fakes.h"
#include "uniPopInfo.h"
#include "uniQVShare.h"
#include "unitFrmMain.h"

namespace {

class PopHint : public testing::Test {
 protected:
  void SetUp() override { main = new TfrmMain(Application); }
  void TearDown() override {
    if (frmPopHint) TComponent::Free(frmPopHint);
    TComponent::Free(main);
    PumpMessages();
  }
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  TfrmMain* main = nullptr;
};

TEST_F(PopHint, ShowsTheTextInTheGivenColoursAboveEverythingAndUnowned) {
  main->ShowPopHint(clTeal, clRed, L"屏幕保护已禁用！");
  ASSERT_NE(frmPopHint, nullptr);
  ASSERT_TRUE(IsFormCreated(L"frmPopHint"));
  HWND h = frmPopHint->Handle();
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(frmPopHint->Caption(), L"Quovel软件提示");
  EXPECT_EQ(frmPopHint->lblInfo->Caption(), L"屏幕保护已禁用！");
  EXPECT_EQ(frmPopHint->Color(), clRed);
  EXPECT_EQ(frmPopHint->lblInfo->Font.Color, clTeal);
  EXPECT_TRUE(frmPopHint->lblInfo->Font.Style & fsBold);
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(h, GW_OWNER), nullptr);
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 226);
  EXPECT_EQ(client.bottom, 129);
  TLabel* l = frmPopHint->lblInfo;
  EXPECT_EQ(l->Left(), (frmPopHint->Width() - l->Width()) / 2);
  EXPECT_EQ(l->Top(), (frmPopHint->ClientHeight() - l->Height()) / 2);
}

TEST_F(PopHint, UserCannotCloseItButItsTimerFreesIt) {
  main->ShowPopHint(clRed, clLime, L"屏幕保护已启用！");
  TfrmPopHint* box = frmPopHint;
  EXPECT_EQ(box->Timer1->Interval(), 3000u);
  EXPECT_TRUE(box->Timer1->Enabled());
  SendMessageW(box->Handle(), WM_CLOSE, 0, 0);
  PumpMessages();
  ASSERT_EQ(frmPopHint, box);
  EXPECT_TRUE(IsWindowVisible(box->Handle()));

  box->Timer1->Timer();
  PumpMessages();
  EXPECT_EQ(frmPopHint, nullptr);
  EXPECT_FALSE(IsFormCreated(L"frmPopHint"));
}

TEST_F(PopHint, ANoticeWhileOneIsOpenChangesTheOpenBox) {
  main->ShowPopHint(clTeal, clRed, L"屏幕保护已禁用！");
  TfrmPopHint* box = frmPopHint;
  main->ShowPopHint(clRed, clLime, L"屏幕保护已启用！");
  EXPECT_EQ(frmPopHint, box) << "a second box was made";
  int boxes = 0;
  for (TForm* f : Application->Forms()) boxes += f->Name() == L"frmPopHint";
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(box->lblInfo->Caption(), L"屏幕保护已启用！");
  EXPECT_EQ(box->Color(), clLime);
  EXPECT_EQ(box->lblInfo->Font.Color, clRed);
  EXPECT_TRUE(box->Timer1->Enabled());
}

TEST_F(PopHint, ANoticeRightAfterTheTimerClosedTheBoxGetsANewBox) {
  main->ShowPopHint(clTeal, clRed, L"屏幕保护已禁用！");
  frmPopHint->Timer1->Timer();  // closed; freed only back in the main loop
  main->ShowPopHint(clRed, clLime, L"屏幕保护已启用！");
  PumpMessages();
  ASSERT_NE(frmPopHint, nullptr);
  EXPECT_TRUE(IsWindowVisible(frmPopHint->Handle()));
  EXPECT_EQ(frmPopHint->lblInfo->Caption(), L"屏幕保护已启用！");
}

TEST(Descriptions, EveryBreakReminderFormLoadsAndBinds) { ExpectEveryDescribedFormLoadsAndBinds(DESCRIBED_FORMS); }

}  // namespace
