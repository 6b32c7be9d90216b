// The program's own screen saver window in-process: its look, the cursor, what ends it, what a
// paint draws and what a tick moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BkwdFakes.h"
#include "DisplayZoom.h"
#include "Fakes.h"
#include "ProcessHelpers.h"
#include "uniQVShare.h"
#include "uniScrBKWD.h"

namespace {

// Records the lines drawn, without a device.
class LineCanvas : public TCanvas {
 public:
  struct Line {
    int x1, y1, x2, y2;
  };
  void MoveTo(int x, int y) override { pos_ = {x, y}; }
  void LineTo(int x, int y) override {
    lines.push_back({pos_.x, pos_.y, x, y});
    pos_ = {x, y};
  }
  std::vector<Line> lines;

 private:
  POINT pos_{};
};

class OwnSaver : public testing::Test {
 protected:
  void TearDown() override {
    for (TForm* f : std::vector<TForm*>(Application->Forms()))
      if (dynamic_cast<TfrmScrBKWD*>(f)) TComponent::Free(f);
    PumpMessages();
    ScrStaticMode = false;
  }
  static TfrmScrBKWD* Open(bool animated) {
    ScrStaticMode = !animated;
    auto* saver = new TfrmScrBKWD(Application);
    saver->Show();
    return saver;
  }
  FakeDisplay display{1024, 768};
  FakeInput input;
};

TEST_F(OwnSaver, ATopmostBlackWindowOverTheWholeScreenWithItsGreeting) {
  TfrmScrBKWD* saver = Open(true);
  EXPECT_EQ(saver->Name(), L"frmScrBKWD");
  EXPECT_EQ(saver->WindowClassName(), L"TfrmScrBKWD");
  EXPECT_TRUE(IsFormCreated(L"frmScrBKWD"));
  EXPECT_TRUE(IsSCRRunning());
  EXPECT_EQ(WindowRectText(saver->Handle()), "0,0 1024,768");
  const LONG_PTR style = GetWindowLongPtrW(saver->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongPtrW(saver->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(saver->Handle(), GW_OWNER), nullptr) << "not owned by the program's hidden window";
  EXPECT_EQ(saver->Color(), clBlack);
  EXPECT_TRUE(saver->KeyPreview);
  EXPECT_EQ(Narrow(saver->Label1->Caption()), Narrow(L"欢迎使用Restalon"));
  EXPECT_EQ(Narrow(saver->Label1->Font.Name), Narrow(L"隶书"));
  TFont designed;
  designed.SetHeight(-32);
  EXPECT_EQ(saver->Label1->Font.Size, designed.Size + GetAutoFontAdjust(1024, 768));
  EXPECT_TRUE(saver->Label1->Visible());
  EXPECT_GE(saver->Label1->Left(), 0);
  EXPECT_LT(saver->Label1->Left(), 1024);
  EXPECT_GE(saver->Label1->Top(), 0);
  EXPECT_LE(saver->Label1->Top(), 768 - saver->Label1->Height());
  EXPECT_TRUE(saver->Timer1->Enabled());
  EXPECT_EQ(saver->Timer1->Interval(), 500u);
  EXPECT_EQ(saver->dR, 5);
  EXPECT_EQ(saver->dG, 5);
  EXPECT_EQ(saver->dB, 5);
  for (int16_t c : {saver->R, saver->G, saver->B}) {
    EXPECT_GE(c, 0);
    EXPECT_LE(c, 255);
  }
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(saver->StartPoint().x, cursor.x);
  EXPECT_EQ(saver->StartPoint().y, cursor.y);

  // The black screen: nothing moves.
  TfrmScrBKWD* black = Open(false);
  EXPECT_TRUE(black->StaticMode());
  EXPECT_FALSE(black->Timer1->Enabled());
  EXPECT_FALSE(black->Label1->Visible());
}

TEST_F(OwnSaver, EachWindowHidesTheCursorOnceAndShowsItOnceStackedOrNot) {
  TfrmScrBKWD* first = Open(false);
  TfrmScrBKWD* second = Open(false);
  EXPECT_EQ(input.cursorCounter, -2);
  second->Close();
  PumpMessages();
  EXPECT_EQ(input.cursorCounter, -1);
  first->Close();
  first->Close();  // a second end of the same window gives nothing more
  PumpMessages();
  EXPECT_EQ(input.cursorCounter, 0);
  EXPECT_FALSE(IsFormCreated(L"frmScrBKWD")) << "each frees itself";
  // Freed without a close (the program ends): the cursor still comes back.
  TComponent::Free(Open(true));
  EXPECT_EQ(input.cursorCounter, 0);
  EXPECT_EQ(input.calls.size(), 6u);
}

TEST_F(OwnSaver, AKeyAClickOrAMoveBeyondTwoPixelsEndsItASmallerMoveDoesNot) {
  struct Case {
    const char* name;
    UINT msg;
    int dx, dy;
    bool onLabel;
    bool ends;
  };
  const Case cases[] = {
      {"move 2,2", WM_MOUSEMOVE, 2, 2, false, false},   {"move -2,-2", WM_MOUSEMOVE, -2, -2, false, false},
      {"move 3,0", WM_MOUSEMOVE, 3, 0, false, true},    {"move 0,-3", WM_MOUSEMOVE, 0, -3, false, true},
      {"move over the greeting", WM_MOUSEMOVE, 3, 3, true, true},
      {"left button", WM_LBUTTONDOWN, 0, 0, false, true}, {"right button", WM_RBUTTONDOWN, 0, 0, false, true},
      {"button on the greeting", WM_LBUTTONDOWN, 0, 0, true, true}, {"a key", WM_KEYDOWN, 0, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TfrmScrBKWD* saver = Open(true);
    saver->Timer1->SetEnabled(false);
    POINT p{saver->StartPoint().x + c.dx, saver->StartPoint().y + c.dy};
    HWND target = saver->Handle();
    if (c.onLabel) {
      target = saver->Label1->Handle();
      ScreenToClient(target, &p);
    }
    const WPARAM w = c.msg == WM_KEYDOWN ? 'A' : 0;
    const LPARAM l = c.msg == WM_KEYDOWN ? 1 : MAKELPARAM(p.x, p.y);
    SendMessageW(target, c.msg, w, l);
    EXPECT_EQ(!saver->Visible(), c.ends);
    TearDown();
  }
}

// Keys pressed by a user come through the loop to the focused saver window: every key that
// gives a character ends the saver and the black screen, Esc and Enter as well.
TEST_F(OwnSaver, EveryKeyThroughTheLoopEndsTheSaverAndTheBlackScreen) {
  for (bool animated : {true, false})
    for (WORD key : {WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(VK_SPACE), WORD('A'), WORD(VK_F1)}) {
      const std::string name = std::string(animated ? "saver" : "black screen") + ", key " + std::to_string(key);
      TfrmScrBKWD* saver = Open(animated);
      saver->Timer1->SetEnabled(false);
      ASSERT_EQ(GetFocus(), saver->Handle()) << name;
      ASSERT_TRUE(UserKey(key)) << name;
      const auto& forms = Application->Forms();
      EXPECT_EQ(std::find(forms.begin(), forms.end(), saver), forms.end()) << name << ": closed and freed";
      TearDown();
    }
}

TEST_F(OwnSaver, APaintDrawsSixteenToThirtyLinesAroundTheGreetingAndTheBlackScreenNone) {
  TfrmScrBKWD* saver = Open(true);
  const int top = saver->Label1->Top(), bottom = top + saver->Label1->Height();
  int least = 1000, most = 0;
  for (int paint = 0; paint < 200; ++paint) {
    LineCanvas canvas;
    saver->DrawLines(canvas);
    ASSERT_EQ(canvas.lines.size() % 2, 0u);
    const int n = int(canvas.lines.size() / 2);
    least = std::min(least, n);
    most = std::max(most, n);
    for (size_t i = 0; i < canvas.lines.size(); i += 2) {
      const auto& upper = canvas.lines[i];
      const auto& lower = canvas.lines[i + 1];
      ASSERT_EQ(upper.x1, upper.x2);
      ASSERT_EQ(lower.x1, upper.x1) << "one x for both halves";
      ASSERT_GE(upper.x1, 0);
      ASSERT_LT(upper.x1, 1024);
      ASSERT_EQ(upper.y1, 0);
      ASSERT_EQ(upper.y2, top) << "the greeting's band stays free";
      ASSERT_EQ(lower.y1, bottom);
      ASSERT_EQ(lower.y2, 768);
    }
  }
  EXPECT_EQ(least, 16);
  EXPECT_EQ(most, 30);
  LineCanvas none;
  Open(false)->DrawLines(none);
  EXPECT_TRUE(none.lines.empty());
}

TEST_F(OwnSaver, EachTickMovesTheGreetingFiftyPixelsAndStepsItsColour) {
  TfrmScrBKWD* saver = Open(true);
  saver->Timer1->SetEnabled(false);
  const bool right = saver->MovingRight();
  const int width = saver->Label1->Width(), top = saver->Label1->Top();
  saver->Label1->SetLeft(right ? 100 : 900);
  saver->R = 200;
  saver->G = 253;
  saver->B = 51;
  saver->dR = saver->dG = saver->dB = 5;
  saver->Timer1->Timer();
  EXPECT_EQ(saver->Label1->Left(), right ? 150 : 850);
  EXPECT_EQ(saver->Label1->Top(), top) << "no wrap, no new row";
  EXPECT_EQ(saver->Label1->Font.Color, TColor(RGB(205, 2, 56))) << "the low bytes of 205, 258, 56";
  EXPECT_EQ(saver->dG, -3);
  EXPECT_EQ(saver->dB, 5);
  // Past the edge: in again from the other side.
  saver->Label1->SetLeft(right ? 1000 : 50 - width);
  saver->Timer1->Timer();
  EXPECT_EQ(saver->Label1->Left(), right ? -width : 1024);
  EXPECT_GE(saver->Label1->Top(), 0);
  EXPECT_LE(saver->Label1->Top(), 768 - saver->Label1->Height());
  EXPECT_TRUE(saver->Visible());
}

}  // namespace
