// The transit window of a screen-saver run: its window, layout and captions, the countdown, the
// moving welcome text, the three backgrounds, and how "退出", a key, the user's close, "手动" and
// the run's own transit tick end it.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "PlayerFixture.h"
#include "ProcessHelpers.h"
#include "SaverDeckFakes.h"
#include "ScreenSavers.h"
#include "ShellFakes.h"

namespace {

// What the window's showing posted, but none of the system's timers: the tests run the window's
// timers by hand, and one that came due by itself on a busy machine would move the text a step.
void PumpAllButTimers() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
         PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The player's forms with two savers of the test's own; their processes, the shell and the clock
// faked, so the run's ticks show and close the window as in a real run.
class TransitWindow : public PlayerForms {
 protected:
  TransitWindow() {
    for (const wchar_t* n : {L"one.scr", L"two.scr"}) WriteBytes(savers / n, "MZ");
    SetScrFolders({savers.Path()});
    FirstScrStart = ScrRunWithMusic = MusicWasPlaying = 0;
  }
  ~TransitWindow() override { SetScrFolders({}); }
  void SetUp() override {
    PlayerForms::SetUp();
    w = frmTransitForm;
    setup = frmSetupSaverDeck;
  }
  void TearDown() override {
    FirstScrStart = ScrRunWithMusic = MusicWasPlaying = 0;
    PlayerForms::TearDown();
  }
  // The run's play-each tick that begins a transit: at the run's start, or ending the saver shown.
  void StartTransit() {
    if (FirstScrStart == 0) procs.running = 1;
    main->tmrPlayEachScrTimer(nullptr);
    PumpAllButTimers();
    ASSERT_TRUE(Visible());
    ASSERT_TRUE(main->tmrTransit->Enabled());
  }
  // The savers the run started.
  int Started() const {
    return int(std::count_if(shell.calls.begin(), shell.calls.end(), [](const auto& c) { return c.verb == L"open"; }));
  }
  // The window's draws come from a script from here on (0 for any draw past its end).
  void ScriptDraws(std::deque<int> d) {
    draws = std::move(d);
    w->Random = [this](int n) {
      ranges.push_back(n);
      int v = draws.empty() ? 0 : draws.front();
      if (!draws.empty()) draws.pop_front();
      return v;
    };
  }
  bool Visible() const { return w->HandleIfAllocated() && IsWindowVisible(w->HandleIfAllocated()); }
  bool OwnTimerOn() const { return w->tmrCountDown->Enabled() || w->tmrTextMove->Enabled(); }
  // The run is over: none of its timers is on.
  bool RunOver() const {
    return !main->tmrPlayEachScr->Enabled() && !main->tmrTransit->Enabled() && !main->tmrDetectScrIfEnd->Enabled();
  }
  int Stops() const { return int(std::count(media.log.begin(), media.log.end(), L"stop")); }

  TestFolder savers{L"qvtransit"};
  FakeClock clock;
  RecordingShell shell;
  FakeSaverProcesses procs;
  TfrmTransitForm* w = nullptr;
  TfrmSetupSaverDeck* setup = nullptr;
  std::deque<int> draws;
  std::vector<int> ranges;
};

TEST_F(TransitWindow, IsATopmostToolWindowThatCoversTheScreen) {
  EXPECT_TRUE(w->DoubleBuffered);
  EXPECT_TRUE(w->KeyPreview);
  EXPECT_FALSE(Visible()) << "hidden from the start";
  LONG_PTR ex = GetWindowLongPtrW(w->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLongPtrW(w->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  // Owned by the program's hidden window, so no taskbar shows a button for it.
  EXPECT_EQ(GetWindow(w->Handle(), GW_OWNER), Application->Handle());

  StartTransit();
  ASSERT_TRUE(Visible());
  RECT r{};
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 1280);
  EXPECT_EQ(r.bottom, 800);
  EXPECT_EQ(w->btnNextScrNow->Left(), 1280 - 8 - w->btnNextScrNow->Width());
  EXPECT_EQ(w->btnExit->Left(), 16);
  EXPECT_EQ(w->btnExit->Top(), 8);
  EXPECT_EQ(WindowText(w->btnExit->Handle()), L"退出");
  EXPECT_EQ(WindowText(w->btnNextScrNow->Handle()), L"手动");
}

TEST_F(TransitWindow, SaysStartingAtTheFirstSaverAndChangingLaterCentredAboveTheCountdown) {
  for (int first : {1, 0}) {
    FirstScrStart = uint8_t(first);
    StartTransit();
    TLabel* line = w->lblPleaseWait;
    EXPECT_EQ(WindowText(line->Handle()), first ? L"屏幕保护启动中，请稍候***" : L"屏幕保护切换中，请稍候***");
    EXPECT_EQ(line->Left(), (1280 - line->Width()) / 2);
    EXPECT_EQ(line->Top(), (800 - line->Height()) / 2);
    EXPECT_EQ(WindowText(w->lblCountDown->Handle()), L" 10 ");
    EXPECT_EQ(w->lblCountDown->Left(), (1280 - w->lblCountDown->Width()) / 2);
    EXPECT_EQ(w->lblCountDown->Top(), line->Top() + 80);
    EXPECT_EQ(TransitCountDown, 10);
    main->tmrTransit->Timer();
    EXPECT_FALSE(Visible());
  }
}

TEST_F(TransitWindow, TheCountdownGoesToZeroThenTheTextStopsAndTheWindowWaitsForTheRun) {
  setup->updTransitTime->SetPosition(5);
  StartTransit();
  EXPECT_EQ(main->tmrTransit->Interval(), 5000u);
  ASSERT_TRUE(w->tmrCountDown->Enabled());
  ASSERT_TRUE(w->tmrTextMove->Enabled());
  std::vector<std::wstring> shown{WindowText(w->lblCountDown->Handle())};
  for (int i = 0; i < 5; ++i) {
    w->tmrCountDown->Timer();
    shown.push_back(WindowText(w->lblCountDown->Handle()));
    EXPECT_EQ(w->tmrTextMove->Enabled(), i < 4) << "text after tick " << i;
  }
  EXPECT_EQ(shown, (std::vector<std::wstring>{L" 5 ", L" 4 ", L" 3 ", L" 2 ", L" 1 ", L" 0 "}));
  EXPECT_FALSE(w->tmrCountDown->Enabled());
  EXPECT_EQ(TransitCountDown, 5) << "set back for the next show";
  EXPECT_TRUE(Visible()) << "the run's own tick closes it";
  EXPECT_TRUE(main->tmrTransit->Enabled());

  main->tmrTransit->Timer();
  EXPECT_FALSE(Visible());
  EXPECT_FALSE(OwnTimerOn());
  EXPECT_EQ(Started(), 1);
  // The next transit counts from the time set now.
  setup->updTransitTime->SetPosition(7);
  StartTransit();
  EXPECT_EQ(WindowText(w->lblCountDown->Handle()), L" 7 ");
  EXPECT_TRUE(w->tmrCountDown->Enabled());
}

TEST_F(TransitWindow, TheTextCrossesTheScreenAndComesBackAtANewHeight) {
  struct Case {
    int direction;  // the draw: 0 rightwards, 1 leftwards
    int start;      // the draw of the left
  } const cases[] = {{0, 1000}, {1, 150}};
  for (const Case& c : cases) {
    // Direction, left, then the band and the draw within it; then the re-entry's band and draw.
    ScriptDraws({c.direction, c.start, 0, 10, 1, 20});
    StartTransit();
    TLabel* text = w->lblWelcome;
    const int width = text->Width();
    EXPECT_EQ(w->FDirection, c.direction == 0);
    EXPECT_EQ(text->Left(), c.start);
    EXPECT_EQ(text->Top(), 10);
    EXPECT_EQ(ranges[1], 1280) << "the left is drawn over the window's width";
    int steps = 0;
    while (text->Top() == 10 && steps < 100) {
      w->tmrTextMove->Timer();
      ++steps;
      if (text->Top() == 10) {
        EXPECT_EQ(text->Left(), c.start + (c.direction == 0 ? 100 : -100) * steps);
      }
    }
    // The lower band: the bottom less the text less the draw.
    EXPECT_EQ(text->Top(), 800 - text->Height() - 20);
    if (c.direction == 0) {
      EXPECT_EQ(text->Left(), -width);
      EXPECT_EQ(steps, (1280 - 1000 + 99) / 100);
    } else {
      EXPECT_EQ(text->Left(), 1280);
      EXPECT_EQ(steps, (150 + width + 99) / 100);
    }
    RECT r{};
    GetWindowRect(text->Handle(), &r);
    EXPECT_EQ(r.left, text->Left()) << "the label's own window moved";
    main->tmrTransit->Timer();
    ranges.clear();
  }
}

TEST_F(TransitWindow, TheSpeedSetsTheStepIntervalAndNoSelectionKeepsIt) {
  const std::pair<int, unsigned> speeds[] = {{0, 50}, {1, 250}, {2, 500}, {3, 1000}, {-1, 1000}};
  for (auto [speed, interval] : speeds) {
    setup->cbbTextSpeed->SetItemIndex(speed);
    StartTransit();
    EXPECT_EQ(w->tmrTextMove->Interval(), interval) << speed;
    main->tmrTransit->Timer();
  }
}

// One generator for the window, seeded once: several draws within one tick of the clock are not
// the same draw again, so a text moving right still comes in the lower band at times.
TEST_F(TransitWindow, DrawsWithinOneClockTickAreIndependent) {
  // The fixture's clock stands still.
  std::set<std::pair<bool, bool>> seen;
  for (int i = 0; i < 60 && seen.size() < 4; ++i) {
    StartTransit();
    seen.insert({w->FDirection, w->lblWelcome->Top() > w->lblCountDown->Top()});
    main->tmrTransit->Timer();
  }
  EXPECT_EQ(seen.size(), 4u) << "every direction with every band";
}

TEST_F(TransitWindow, TheBackgroundIsTheColourTheSkinOrThePicture) {
  auto picture = [](TColor c) {
    auto b = std::make_shared<TBitmap>();
    b->SetSize(64, 48);
    b->Canvas().Brush.Color = c;
    b->Canvas().FillRect(RECT{0, 0, 64, 48});
    TPicture p;
    p.Graphic = b;
    return p;
  };
  auto pixel = [&] {
    PumpMessages();
    UpdateWindow(w->Handle());
    return CaptureScreen(RECT{600, 700, 601, 701}).At(600, 700);
  };
  ScriptDraws({});  // the welcome text at the top left, away from the pixel read
  setup->lblTransitFormColor->SetColor(clRed);
  main->SetColor(clLime);
  main->Image1->Picture = picture(clBlue);
  setup->imgTransitBackground->Picture = picture(clYellow);

  setup->rdgTransitFormBackgroundUse->SetItemIndex(0);
  StartTransit();
  EXPECT_EQ(w->Color(), clRed);
  EXPECT_FALSE(w->imgTransitFormBgr->Picture.Graphic);
  EXPECT_EQ(pixel(), RGB(255, 0, 0));
  main->tmrTransit->Timer();

  // The skin: none chosen gives the main window's plain colour.
  setup->rdgTransitFormBackgroundUse->SetItemIndex(1);
  setup->cbbSkins->SetItemIndex(0);
  StartTransit();
  EXPECT_EQ(w->Color(), clLime);
  EXPECT_FALSE(w->imgTransitFormBgr->Picture.Graphic);
  EXPECT_EQ(pixel(), RGB(0, 255, 0));
  main->tmrTransit->Timer();
  setup->cbbSkins->SetItemIndex(3);
  StartTransit();
  EXPECT_TRUE(w->imgTransitFormBgr->Picture.Graphic == main->Image1->Picture.Graphic);
  EXPECT_EQ(pixel(), RGB(0, 0, 255)) << "the skin stretched over the screen";
  main->tmrTransit->Timer();

  setup->rdgTransitFormBackgroundUse->SetItemIndex(2);
  StartTransit();
  EXPECT_TRUE(w->imgTransitFormBgr->Picture.Graphic == setup->imgTransitBackground->Picture.Graphic);
  EXPECT_EQ(pixel(), RGB(255, 255, 0));
  main->tmrTransit->Timer();

  // Nothing selected: the background stays as it was.
  setup->rdgTransitFormBackgroundUse->SetItemIndex(-1);
  StartTransit();
  EXPECT_TRUE(w->imgTransitFormBgr->Picture.Graphic == setup->imgTransitBackground->Picture.Graphic);
  main->tmrTransit->Timer();

  // A picture that holds nothing: the colour.
  setup->rdgTransitFormBackgroundUse->SetItemIndex(2);
  setup->imgTransitBackground->Picture.Clear();
  StartTransit();
  EXPECT_FALSE(w->imgTransitFormBgr->Picture.Graphic);
  EXPECT_EQ(w->Color(), clRed);
  EXPECT_EQ(pixel(), RGB(255, 0, 0));
}

// "退出", a character key and the user's own close end the run; the music goes only when the run
// started it. The run's own close at the transit tick ends nothing.
TEST_F(TransitWindow, TheUserEndsTheRunAndOnlyMusicTheRunStartedStops) {
  enum How { kExit, kKey, kUserClose, kRunsTick };
  const char* names[] = {"退出", "key", "Alt+F4", "transit tick"};
  struct Music {
    uint8_t withMusic, wasPlaying;
  } const musics[] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
  for (How how : {kExit, kKey, kUserClose, kRunsTick}) {
    for (Music m : musics) {
      ScrRunWithMusic = m.withMusic;
      MusicWasPlaying = m.wasPlaying;
      media.SetState(kPlayStatePlaying);
      media.log.clear();
      const int started = Started();
      StartTransit();
      switch (how) {
        case kExit: UserClick(w->btnExit); break;
        case kKey:
          PostMessageW(GetFocus() && IsChild(w->Handle(), GetFocus()) ? GetFocus() : w->Handle(), WM_CHAR, L'a', 1);
          PumpMessages();
          break;
        case kUserClose: SendMessageW(w->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case kRunsTick: main->tmrTransit->Timer(); break;
      }
      PumpMessages();
      const std::string at = std::string(names[how]) + " music " + std::to_string(m.withMusic) + "," +
                             std::to_string(m.wasPlaying);
      EXPECT_FALSE(Visible()) << at;
      EXPECT_FALSE(OwnTimerOn()) << at;
      const bool tick = how == kRunsTick;
      EXPECT_EQ(Started() - started, tick ? 1 : 0) << at;
      EXPECT_EQ(RunOver(), !tick) << at << (tick ? ": the run goes on" : ": no further saver starts");
      const bool stops = !tick && m.withMusic == 1 && m.wasPlaying == 0;
      EXPECT_EQ(Stops(), stops ? 1 : 0) << at;
      main->tmrPlayEachScr->SetEnabled(false);
      main->tmrDetectScrIfEnd->SetEnabled(false);
    }
  }
}

// Enter and Esc reach the window through the dialog manager, yet they are characters too.
TEST_F(TransitWindow, EnterAndEscEndTheRunAsOtherCharactersDo) {
  for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
    StartTransit();
    for (TWinControl* focus : {static_cast<TWinControl*>(w->btnNextScrNow), static_cast<TWinControl*>(w)}) {
      if (!Visible()) break;
      focus->SetFocus();
      PostMessageW(focus->Handle(), WM_KEYDOWN, key, 1);
      PostMessageW(focus->Handle(), WM_KEYUP, key, 0xC0000001);
      PumpMessages();
    }
    EXPECT_FALSE(Visible()) << key;
    EXPECT_TRUE(RunOver()) << key;
    EXPECT_EQ(Started(), 0) << key << ": not even by the focused \"手动\"";
  }
}

TEST_F(TransitWindow, AKeyWithoutACharacterLeavesTheWindowUp) {
  StartTransit();
  HWND target = GetFocus() && IsChild(w->Handle(), GetFocus()) ? GetFocus() : w->Handle();
  PostMessageW(target, WM_KEYDOWN, VK_SHIFT, 1);
  PostMessageW(target, WM_KEYUP, VK_SHIFT, 0xC0000001);
  PumpMessages();
  EXPECT_TRUE(Visible());
  EXPECT_TRUE(main->tmrTransit->Enabled());
}

TEST_F(TransitWindow, NextNowStartsTheNextSaverAtOnce) {
  FirstScrStart = 1;
  ScrRunWithMusic = 1;
  MusicWasPlaying = 0;
  media.SetState(kPlayStatePlaying);
  StartTransit();
  w->tmrCountDown->Timer();
  media.log.clear();
  UserClick(w->btnNextScrNow);
  EXPECT_EQ(Started(), 1) << "the first saver";
  EXPECT_EQ(shell.calls.back().file, savers / L"one.scr");
  EXPECT_FALSE(Visible());
  EXPECT_FALSE(OwnTimerOn());
  EXPECT_FALSE(main->tmrTransit->Enabled());
  EXPECT_TRUE(main->tmrPlayEachScr->Enabled()) << "the saver's play time";
  EXPECT_EQ(Stops(), 0) << "the run goes on with its music";
  EXPECT_EQ(TransitCountDown, 9) << "the countdown did not finish";
}

}  // namespace
