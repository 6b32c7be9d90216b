// The controls as real windows, and the event semantics the programs rely on.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "unitFrmDemo.h"

namespace {

class DemoForm : public testing::Test {
 protected:
  void SetUp() override {
    f = new TfrmDemo(Application);
    f->log.clear();
  }
  void TearDown() override { TComponent::Free(f); }
  TfrmDemo* f = nullptr;
};

TEST_F(DemoForm, ControlsAreChildWindowsWithTheirCaptions) {
  HWND form = f->Handle();
  wchar_t cls[64];
  GetClassNameW(form, cls, 64);
  EXPECT_STREQ(cls, L"TfrmDemo");
  // A sibling program or a user's tool finds the controls by class and caption.
  EXPECT_EQ(FindWindowExW(form, nullptr, L"BUTTON", L"确定"), f->btnOK->Handle());
  EXPECT_EQ(FindWindowExW(form, nullptr, L"BUTTON", L"开机时自动运行"), f->cbxAutoRun->Handle());
  EXPECT_EQ(FindWindowExW(form, nullptr, L"STATIC", L"你好，休息提醒！"), f->lblHello->Handle());
  EXPECT_EQ(GetParent(f->btnOK->Handle()), form);
  EXPECT_EQ(SendMessageW(f->cbxAutoRun->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(DemoForm, CheckBoxRunsOnClickWhenItsStateChangesWhoeverChangesIt) {
  f->cbxAutoRun->SetChecked(true);  // no change: nothing runs
  EXPECT_TRUE(f->log.empty());
  f->cbxAutoRun->SetChecked(false);  // the program's change runs the handler, with the box as sender
  ASSERT_EQ(f->log, std::vector<std::wstring>{L"unchecked"});
  EXPECT_EQ(f->senders.back(), f->cbxAutoRun);
  EXPECT_EQ(SendMessageW(f->cbxAutoRun->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(f->cbxAutoRun->Handle(), BM_CLICK, 0, 0);  // a user's click toggles it
  EXPECT_TRUE(f->cbxAutoRun->Checked());
  EXPECT_EQ(f->log.back(), L"checked");
  EXPECT_EQ(SendMessageW(f->cbxAutoRun->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(DemoForm, ButtonClickComesWithItsSenderAndProgramCallsWithNone) {
  SendMessageW(f->btnOK->Handle(), BM_CLICK, 0, 0);
  f->btnOKClick(nullptr);
  ASSERT_EQ(f->senders.size(), 2u);
  EXPECT_EQ(f->senders[0], f->btnOK);
  EXPECT_EQ(f->senders[1], nullptr);
}

TEST_F(DemoForm, EditReportsChangesAndReadsWhatTheUserTyped) {
  SetWindowTextW(f->edtName->Handle(), L"王小明");
  EXPECT_EQ(f->edtName->Text(), L"王小明");
  EXPECT_EQ(f->log, std::vector<std::wstring>{L"change:王小明"});
}

TEST_F(DemoForm, GeometryAndCaptionsFollowTheirSetters) {
  f->btnOK->SetBounds(30, 40, 100, 28);
  RECT r;
  GetWindowRect(f->btnOK->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 28);
  f->lblHello->SetCaption(L"新的文字");
  wchar_t text[64];
  GetWindowTextW(f->lblHello->Handle(), text, 64);
  EXPECT_STREQ(text, L"新的文字");
  EXPECT_GT(f->lblHello->Width(), 0);  // auto-sized to the text
  f->btnOK->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(f->btnOK->Handle()));
  f->btnOK->Hide();
  EXPECT_FALSE(IsWindowVisible(f->btnOK->Handle()));
}

TEST_F(DemoForm, ExceptionInAHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
  ScriptedDialogs boxes;
  boxes.Answer(IDOK);
  SendMessageW(f->btnFail->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"'十二' is not a valid integer value.");
  EXPECT_EQ(boxes.shown[0].caption, Application->Title);
  EXPECT_EQ(boxes.shown[0].flags & MB_ICONMASK, UINT(MB_ICONERROR));
  SendMessageW(f->btnOK->Handle(), BM_CLICK, 0, 0);  // the next message is handled as usual
  EXPECT_EQ(f->log.back(), L"ok");
}

TEST_F(DemoForm, TimerTicksThroughTheMessageLoop) {
  f->tmrTick->SetEnabled(true);
  DWORD start = GetTickCount();
  while (f->ticks < 2 && GetTickCount() - start < 5000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application->ProcessMessages();
  }
  EXPECT_GE(f->ticks, 2);
  f->tmrTick->SetEnabled(false);
  int ticks = f->ticks;
  Sleep(60);
  PumpMessages();
  EXPECT_EQ(f->ticks, ticks);
}

TEST_F(DemoForm, OwnerDrawnPopupMenuMeasuresItsItemsAndClosesFromOutside) {
  // The menu's own loop runs until a timer ends it, as an outside click would.
  UINT_PTR t = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    TPopupMenu::CloseOpenMenu();
  });
  f->Show();
  f->pmPhoto->Popup(300, 300, f->Handle());
  KillTimer(nullptr, t);
  EXPECT_NE(std::find(f->log.begin(), f->log.end(), L"measure"), f->log.end());
  EXPECT_EQ(std::find(f->log.begin(), f->log.end(), L"first"), f->log.end());
  f->NFirst->Click();
  EXPECT_EQ(f->log.back(), L"first");
}

TEST_F(DemoForm, ImagePaintsItsJpegPicture) {
  f->Show();
  f->Update();
  PumpMessages();
  HDC dc = GetDC(f->imgPhoto->Handle());
  COLORREF corner = GetPixel(dc, 2, 2);        // the gradient's blue end
  COLORREF centre = GetPixel(dc, 80, 50);      // the white circle
  ReleaseDC(f->imgPhoto->Handle(), dc);
  EXPECT_GT(GetBValue(corner), 150) << std::hex << corner;
  EXPECT_GT(GetRValue(centre), 220) << std::hex << centre;
  EXPECT_GT(GetGValue(centre), 220) << std::hex << centre;
}

}  // namespace
