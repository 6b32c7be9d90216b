// The application object: finding forms, deferred freeing, nested loops, end of session, seams.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "Fakes.h"
#include "unitFrmDemo.h"

namespace {

TEST(Application, FindsFormsByTheirExactComponentName) {
  auto* f = new TfrmDemo(Application);
  EXPECT_EQ(Application->FindForm(L"frmDemo"), f);
  EXPECT_EQ(Application->FindForm(L"FRMDEMO"), nullptr);
  TComponent::Free(f);
  EXPECT_EQ(Application->FindForm(L"frmDemo"), nullptr);
}

TEST(Application, FormClosedWithCaFreeIsFreedOnlyBackInTheOutermostLoop) {
  auto* f = new TfrmDemo(Application);
  f->closeAction = caFree;
  bool aliveDuringHandler = false;
  // The handler closes its own form, then waits with messages running, then touches the form.
  f->onOK = [&] {
    f->Close();
    for (int i = 0; i < 3; ++i) Application->ProcessMessages();
    aliveDuringHandler = Application->FindForm(L"frmDemo") == f && f->btnOK->Caption() == L"确定";
  };
  f->Show();
  PostMessageW(f->btnOK->Handle(), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_TRUE(aliveDuringHandler);
  EXPECT_EQ(Application->FindForm(L"frmDemo"), nullptr);
}

TEST(Application, CloseWithCaHideOnlyHides) {
  auto* f = new TfrmDemo(Application);
  f->Show();
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  PostMessageW(f->Handle(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(f->Handle()));
  EXPECT_EQ(Application->FindForm(L"frmDemo"), f);
  TComponent::Free(f);
}

TEST(Application, AFormShownWithoutActivationLeavesTheActiveFormAndRunsOnShow) {
  auto* active = new TfrmDemo(Application);
  active->Show();
  PumpMessages();
  ASSERT_EQ(GetForegroundWindow(), active->Handle());
  auto* quiet = new TfrmDemo(Application);
  int shows = 0;
  quiet->OnShow = [&](TObject*) { ++shows; };
  quiet->ShowNoActivate();
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(quiet->Handle()));
  EXPECT_TRUE(quiet->Visible());
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(GetForegroundWindow(), active->Handle());
  EXPECT_EQ(GetActiveWindow(), active->Handle());
  // A later plain Show activates as before.
  quiet->Hide();
  quiet->Show();
  PumpMessages();
  EXPECT_EQ(GetForegroundWindow(), quiet->Handle());
  TComponent::Free(quiet);
  TComponent::Free(active);
}

TEST(Application, QuitSeenInANestedWaitIsKeptForTheMainLoop) {
  auto* f = new TfrmDemo(Application);
  bool keptForMainLoop = false;
  f->onOK = [&] {
    PostQuitMessage(7);
    Application->ProcessMessages();  // a wait inside a handler meets the quit
    MSG m;
    keptForMainLoop = PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) && m.wParam == 7;
  };
  PostMessageW(f->btnOK->Handle(), BM_CLICK, 0, 0);
  Application->ProcessMessages();  // the outermost loop: dispatches the click, then takes the quit
  EXPECT_TRUE(keptForMainLoop) << "the nested wait swallowed the quit";
  EXPECT_TRUE(Application->Terminated);
  EXPECT_EQ(Application->ExitCode(), 7);
  Application->Terminated = false;
  TComponent::Free(f);
}

TEST(Application, EveryFormConsentsToEndTheSession) {
  auto* f = new TfrmDemo(Application);
  EXPECT_EQ(SendMessageW(f->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  TComponent::Free(f);
}

TEST(Application, ClosingTheApplicationWindowClosesTheMainFormAndNothingElse) {
  auto* f = new TfrmDemo(Application);
  auto* other = new TfrmDemo(Application);
  f->closeAction = caNone;  // a main form that refuses to close
  TForm* savedMain = Application->MainForm;
  Application->MainForm = f;
  f->Show();
  other->Show();
  SendMessageW(Application->Handle(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_TRUE(IsWindow(Application->Handle())) << "the application window was destroyed";
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  EXPECT_TRUE(IsWindowVisible(other->Handle())) << "a form owned by the application window went with it";
  EXPECT_FALSE(Application->Terminated);
  Application->MainForm = savedMain;
  TComponent::Free(other);
  TComponent::Free(f);
}

TEST(Seams, FakeClockMovesTickAndLocalTimeTogether) {
  FakeClock clock;
  clock.tick = 0xFFFFFF00u;  // just before the 32-bit wrap
  clock.Advance(90 * 1000);
  EXPECT_EQ(Clock().TickCount(), 0xFFFFFF00u + 90000u);
  EXPECT_EQ(Clock().LocalTime().wMinute, 1);
  EXPECT_EQ(Clock().LocalTime().wSecond, 30);
  clock.Input();
  EXPECT_EQ(Clock().LastInputTick(), clock.tick);
}

TEST(Seams, ScriptedBoxesAnswerInOrderAndAnUnexpectedBoxFailsFast) {
  {
    ScriptedDialogs boxes;
    boxes.Answer(IDYES).Answer(IDNO);
    EXPECT_EQ(Application->MessageBox(L"继续吗？", L"提示", MB_YESNO | MB_SYSTEMMODAL), IDYES);
    EXPECT_EQ(Application->MessageBox(L"真的？", L"提示", MB_YESNO), IDNO);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].owner, nullptr);  // system-modal boxes have no owner
    EXPECT_EQ(boxes.shown[1].text, L"真的？");
  }
  EXPECT_NONFATAL_FAILURE(Application->MessageBox(L"没人回答", L"提示", MB_OK), "a real message box would block");
}

}  // namespace
