// What the simulated months found, each kept as a short timeline on the program's real windows.
#include <gtest/gtest.h>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "Transparent_Window.h"
#include "unitFrmMain.h"

namespace {

constexpr DWORD kMin = 60000;

class SimFaults : public ProgramForms {
 protected:
  // One minute: input in it or none, then the minute tick.
  void Minute(bool input) {
    clock.Advance(kMin);
    if (input) clock.lastInput = clock.tick - 1000;
    frmMain->DetectPauseTimerTimer(nullptr);
  }
  // A real break from start to end: the fade-in, every second, and the click at the end.
  void WholeBreak() {
    TTWForm* w = TWForm;
    ASSERT_TRUE(w);
    for (int i = 0; i < 1000 && w->FadingIn(); ++i) w->CreateAnimateTimer->Timer();
    while (w->ProgressBar1->Position() > 0) w->TrackingTimer->Timer();
    w->FormClick(nullptr);
    PumpMessages();
    EXPECT_EQ(TWForm, nullptr);
  }

  FakeClock clock;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  FakeInput input;
  ScriptedDialogs dialogs;
};

// Away for three minutes; back, the user asks for a break before the next tick has seen the
// input. The idle entry used to stay open for good in the cycle the break closed.
TEST_F(SimFaults, AnIdleStretchEndedByABreakIsClosedInItsCycle) {
  for (int i = 0; i < 5; ++i) Minute(true);
  for (int i = 0; i < 3; ++i) Minute(false);
  ASSERT_EQ(frmMain->FIdleMins, 3);
  clock.Advance(20000);
  clock.Input();
  dialogs.Answer(IDYES);
  frmMain->NBreakNowClick(nullptr);  // "立即休息"
  ASSERT_EQ(frmMain->FBreakState, stOnBreak);
  WholeBreak();
  const auto& cycles = frmMain->EventLog.Cycles();
  ASSERT_GE(cycles.size(), 2u);
  const auto& closed = cycles[cycles.size() - 2];
  const uint16_t i = frmMain->EventLog.FindLastEvent(cycles.size() - 2, ekIdle);
  ASSERT_NE(i, kNoEvent);
  EXPECT_NE(closed[i].EndSeq, 0) << "the idle entry stayed open";
  EXPECT_EQ(closed[i].EndTick - closed[i].StartTick, 3 * kMin);
  for (const TEventEntry& e : closed) EXPECT_TRUE(e.EndSeq != 0 || e.EndTick == 0 || e.Kind != ekIdle);
}

// The cycle number is the count of breaks the statistics show; in 8 bits it went back to 0 after
// 255 breaks (two to three weeks in the tray).
TEST_F(SimFaults, TheCycleNumberCountsPastTwoHundredAndFiftyFive) {
  frmMain->FCycleNo = 255;
  frmMain->BreakNow(TBreakWindow::Break, ekManualBreak);
  WholeBreak();
  EXPECT_EQ(frmMain->FCycleNo, 256);
}

}  // namespace
