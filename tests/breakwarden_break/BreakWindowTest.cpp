// The break window in-process, opened by the main window's scheduler: creation and layout, the
// fade-in, the count, each mode's ways out and refusals, the input limits of the enforce mode and
// the end of a break with the cycle entry it writes.
#include <gtest/gtest.h>

#include <set>

#include "BkwdFakes.h"
#include "BkwdFixtures.h"
#include "Fakes.h"
#include "Transparent_Window.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

namespace {

TBreakPlan StandardPlan() {
  TBreakPlanStore store;
  return store.PlanInForce();  // "*成人方案(标准)": 50 minutes, 5 minutes' break, 6 s per postponed minute
}

class BreakWindow : public testing::Test {
 protected:
  void SetUp() override {
    settings.Plan = StandardPlan();
    settings.Slogan = L"休息一下，看看远方";
    dialog.breakWindowSettings = [this] { return settings; };
    dialog.setBreakPattern = [this](int p) { patternsWritten.push_back(p); };
    dialog.selectedPlanTakesForce = [this] {
      ++planTakesForce;
      cycleAtPlanChange = main->FCycleNo;
    };
    dialog.enableBreakPreview = [this](bool on) { previewButton = on; };
    windows.shutDownDialog = [this] { ++shutDownDialogs; };
    main = new TfrmMain(Application);
    frmMain = main;
    main->TiredCarry = 0;
  }
  void TearDown() override {
    if (TWForm) TComponent::Free(TWForm);
    PumpMessages();
    if (main) TComponent::Free(main);
    frmMain = nullptr;
    PumpMessages();
    EXPECT_EQ(input.cursorCounter, 0) << "the cursor counter is left unbalanced";
    EXPECT_FALSE(input.blocked) << "input is left blocked";
  }

  // A scheduled break as the scheduler opens it.
  TTWForm* OpenBreak(uint8_t kind = ekScheduledBreak) {
    main->BreakNow(TBreakWindow::Break, kind);
    EXPECT_NE(TWForm, nullptr);
    return TWForm;
  }
  TTWForm* OpenPreview() {
    EXPECT_TRUE(main->DemoBreak());
    EXPECT_NE(TWForm, nullptr);
    return TWForm;
  }
  static int FinishFadeIn(TTWForm* w) {
    int ticks = 0;
    while (w->FadingIn() && ticks < 1000) {
      w->CreateAnimateTimer->Timer();
      ++ticks;
    }
    return ticks;
  }
  static void Tick(TTWForm* w, int seconds) {
    for (int i = 0; i < seconds; ++i) w->TrackingTimer->Timer();
  }
  static void Choose(TTWForm* w, int item) {
    w->cbbRemindAgainAt->SetItemIndex(item);
    w->cbbRemindAgainAtSelect(w->cbbRemindAgainAt);
  }
  static bool Shown(TTWForm* w) { return IsWindowVisible(w->Handle()) != FALSE; }
  // The log entry of the break, last of its kind in the cycle before the current one.
  const TEventEntry& BreakEntry(size_t cycle, uint8_t kind) {
    const auto& cycles = main->EventLog.Cycles();
    uint16_t i = main->EventLog.FindLastEvent(cycle, kind);
    EXPECT_NE(i, kNoEvent);
    return cycles.at(cycle).at(i);
  }

  FakeClock clock;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  FakeInput input;
  ScriptedDialogs dialogs;
  FakeSettings dialog;  // the settings dialog, in the test's hands
  FakeProgramWindows windows;
  TBreakWindowSettings settings;
  TfrmMain* main = nullptr;
  std::vector<int> patternsWritten;
  int planTakesForce = 0, cycleAtPlanChange = -1, shutDownDialogs = 0;
  bool previewButton = false;
};

// ---- creation, layout, fade-in -----------------------------------------------------------------

TEST_F(BreakWindow, APreviewOnItsWayOutAnswersOnlyForItself) {
  TTWForm* preview = OpenPreview();
  FinishFadeIn(preview);
  // A real break replaces the preview; the preview is not freed yet when its timer comes once more.
  TTWForm* real = OpenBreak(ekManualBreak);
  ASSERT_NE(real, preview);
  Tick(preview, 3);
  preview->TrackingTimerTimer(nullptr);
  EXPECT_FALSE(real->BreakCanClose) << "the preview's end let the real break close";
  EXPECT_EQ(real->BreakTicks, 0u);
  real->Close();
  EXPECT_TRUE(Shown(real)) << "the real break closed before its end";
  PumpMessages();
  EXPECT_EQ(TWForm, real);
}


TEST_F(BreakWindow, CoversTheScreenAboveEverythingAndStartsTheBreakWithoutAWorkPeriod) {
  main->FPostponedMins = 3;
  main->StartWorkPeriod(49);
  clock.Advance(10 * 60000);
  main->TiredCarry = 7;
  const int donePercent = main->WorkDonePercent();
  TTWForm* w = OpenBreak();

  HWND h = w->Handle();
  wchar_t cls[32] = {};
  GetClassNameW(h, cls, 32);
  EXPECT_STREQ(cls, L"TTWForm");
  EXPECT_EQ(w->Name(), L"TWForm");
  EXPECT_TRUE(IsWindowVisible(h));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 1280);
  EXPECT_EQ(r.bottom, 800);
  const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION);
  EXPECT_TRUE(w->KeyPreview);

  // 5 minutes plus 6 seconds for each of the 3 postponed minutes, all still to go.
  EXPECT_EQ(w->ProgressBar1->Max(), 318);
  EXPECT_EQ(w->ProgressBar1->Position(), 318);
  EXPECT_EQ(w->lblBreakRemainSec->Caption(), L"318");
  EXPECT_EQ(w->BreakTicks, 0u);
  EXPECT_FALSE(w->BreakCanClose);
  EXPECT_FALSE(w->TrackingTimer->Enabled());
  EXPECT_TRUE(w->FadingIn());
  EXPECT_EQ(w->AlphaBlendValue(), 1);
  EXPECT_EQ(w->Banner(), L"");

  EXPECT_EQ(main->TiredCarry, 7 + donePercent);
  EXPECT_EQ(main->FWorkMins, 0);  // no work period during the break
  EXPECT_TRUE(main->DetectPauseTimer->Enabled());
  EXPECT_EQ(main->FBreakState, stOnBreak);

  EXPECT_EQ(w->lblCurrentMode->Caption(), L"[ 自由模式 ]");
  EXPECT_TRUE(w->lblCurrentMode->Visible());
  EXPECT_EQ(w->cbbRemindAgainAt->ItemIndex(), 0);
  EXPECT_FALSE(w->imgUrgentExitIcon->Visible());
  EXPECT_FALSE(w->cbbRemindAgainAt->Visible());
  EXPECT_FALSE(w->edtExitPsw->Visible());
  EXPECT_TRUE(w->imgShutDownIcon->Visible());
  EXPECT_TRUE(w->lblSlogan->Visible());
  EXPECT_EQ(w->lblSlogan->Caption(), L"休息一下，看看远方");
}

struct LayoutCase {
  int w, h;
  RECT work;
  RECT bar;        // left, top, width, height
  POINT remain;    // lblBreakRemainSec
  POINT power;     // imgShutDownIcon
  POINT exitIcon;  // imgUrgentExitIcon
  POINT banner;
};

class BreakWindowLayout : public BreakWindow, public testing::WithParamInterface<LayoutCase> {};

TEST_P(BreakWindowLayout, ScalesFromTheScreenAndTheWorkArea) {
  const LayoutCase& c = GetParam();
  FakeDisplay screen(c.w, c.h, c.work);
  TTWForm* w = OpenBreak();
  EXPECT_EQ(w->Width(), c.w);
  EXPECT_EQ(w->Height(), c.h);
  EXPECT_EQ(w->ProgressBar1->Left(), c.bar.left);
  EXPECT_EQ(w->ProgressBar1->Top(), c.bar.top);
  EXPECT_EQ(w->ProgressBar1->Width(), c.bar.right);
  EXPECT_EQ(w->ProgressBar1->Height(), c.bar.bottom);
  EXPECT_EQ(w->lblBreakRemainSec->Left(), c.remain.x);
  EXPECT_EQ(w->lblBreakRemainSec->Top(), c.remain.y);
  EXPECT_EQ(w->lblCurrentMode->Top(), c.remain.y);
  EXPECT_EQ(w->lblCurrentMode->Left(), (c.w - w->lblCurrentMode->Width()) / 2);
  EXPECT_EQ(w->lblSlogan->Left(), (c.w - w->lblSlogan->Width()) / 2);
  EXPECT_EQ(w->lblSlogan->Top(), (c.h - w->lblSlogan->Height()) / 2);
  EXPECT_EQ(w->imgShutDownIcon->Left(), c.power.x);
  EXPECT_EQ(w->imgShutDownIcon->Top(), c.power.y);
  EXPECT_EQ(w->imgUrgentExitIcon->Left(), c.exitIcon.x);
  EXPECT_EQ(w->imgUrgentExitIcon->Top(), c.exitIcon.y);
  // The minutes list and the password box sit left of the icon, their bottoms on its bottom.
  const int bottom = c.exitIcon.y + 32;
  TComboBox* cb = w->cbbRemindAgainAt;
  EXPECT_EQ(cb->Left(), c.exitIcon.x - cb->Width() - 10);
  EXPECT_EQ(cb->Top() + cb->Height(), bottom);
  EXPECT_EQ(w->edtExitPsw->Left(), cb->Left() - w->edtExitPsw->Width() - 10);
  EXPECT_EQ(w->edtExitPsw->Top() + w->edtExitPsw->Height(), bottom);
  EXPECT_EQ(w->BannerPoint().x, c.banner.x);
  EXPECT_EQ(w->BannerPoint().y, c.banner.y);
  // The fonts grow with the screen: 8 points designed.
  EXPECT_EQ(w->lblBreakRemainSec->Font.Size, 8 + GetAutoFontAdjust(c.w, c.h));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, BreakWindowLayout,
    testing::Values(
        // bar: Round(W x 20 / 1024), Round(H x 20 / 768), W - 2 x left, 8 x Round(W / 1024)
        LayoutCase{1024, 768, {0, 0, 1024, 728}, {20, 20, 984, 8}, {28, 48}, {51, 659}, {939, 659}, {110, 110}},
        LayoutCase{1920, 1080, {0, 0, 1920, 1040}, {38, 28, 1844, 16}, {52, 68}, {96, 956}, {1791, 956}, {206, 155}},
        LayoutCase{1280, 800, {0, 0, 1280, 760}, {25, 21, 1230, 8}, {35, 50}, {64, 690}, {1183, 690}, {138, 115}}),
    [](const testing::TestParamInfo<LayoutCase>& i) {
      return std::to_string(i.param.w) + "x" + std::to_string(i.param.h);
    });

TEST_F(BreakWindow, FadesInToTheLastStepBelowTheOpacityThenCounts) {
  settings.FadeInSpeed = 32;
  settings.FadeInStep = 12;
  settings.Transparency = 200;
  settings.UseWaveEffect = false;
  TTWForm* w = OpenBreak();
  EXPECT_EQ(w->CreateAnimateTimer->Interval(), 119u);
  std::vector<int> seen{w->AlphaBlendValue()};
  int ticks = 0;
  while (w->FadingIn() && ticks < 100) {
    w->CreateAnimateTimer->Timer();
    ++ticks;
    if (w->FadingIn()) seen.push_back(w->AlphaBlendValue());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 26, 51, 76, 101, 126, 151, 176}));
  EXPECT_EQ(ticks, 8);
  EXPECT_EQ(w->AlphaBlendValue(), 176);
  EXPECT_TRUE(w->TrackingTimer->Enabled());
  EXPECT_EQ(w->Banner(), L"请您休息！");
  EXPECT_TRUE(input.calls.empty());  // the free mode limits nothing
}

TEST_F(BreakWindow, FadeInEndsWhateverTheSettingsHold) {
  settings.FadeInSpeed = 500;
  settings.FadeInStep = 90;
  settings.Transparency = 900;
  settings.UseWaveEffect = true;
  settings.WaveStrength = 0;
  TTWForm* w = OpenBreak();
  EXPECT_GE(w->CreateAnimateTimer->Interval(), 1u);
  EXPECT_LT(FinishFadeIn(w), 300);
  EXPECT_FALSE(w->FadingIn());
  EXPECT_LE(w->AlphaBlendValue(), 255);
  EXPECT_TRUE(w->TrackingTimer->Enabled());
}

TEST_F(BreakWindow, TheWaveOptionVariesTheInterval) {
  settings.FadeInSpeed = 32;
  settings.UseWaveEffect = true;
  settings.WaveStrength = 112;
  TTWForm* w = OpenBreak();
  std::set<unsigned> intervals;
  for (int i = 0; i < 6 && w->FadingIn(); ++i) {
    w->CreateAnimateTimer->Timer();
    if (w->FadingIn()) intervals.insert(w->CreateAnimateTimer->Interval());
  }
  for (unsigned i : intervals) {
    EXPECT_GE(i, 119u);
    EXPECT_LE(i, 119u + 111u);
  }
}

TEST_F(BreakWindow, ARandomPatternIsWrittenBackIntoTheSettings) {
  settings.RandomPattern = true;
  TTWForm* w = OpenBreak();
  ASSERT_EQ(patternsWritten.size(), 1u);
  EXPECT_EQ(patternsWritten[0], w->Pattern());
  EXPECT_GE(w->Pattern(), 0);
  EXPECT_LT(w->Pattern(), BreakPatternCount);
}

TEST_F(BreakWindow, LooksFollowTheSettings) {
  settings.ShowSlogan = false;
  settings.ShowPowerButton = false;
  settings.ShowCurrentMode = false;
  settings.Pattern = 0;
  TTWForm* w = OpenBreak();
  EXPECT_FALSE(w->lblSlogan->Visible());
  EXPECT_FALSE(w->imgShutDownIcon->Visible());
  EXPECT_FALSE(w->lblCurrentMode->Visible());
  EXPECT_EQ(w->Color(), clBlack);
  EXPECT_TRUE(patternsWritten.empty());
}

// ---- the count and the end ---------------------------------------------------------------------

// Keys pressed by a user come through the loop to the window's key preview: while the count runs
// Esc does nothing; once it is over Enter ends the break as a click does.
TEST_F(BreakWindow, KeysThroughTheLoopEndTheBreakOnlyOnceTheCountIsOver) {
  TTWForm* w = OpenBreak();
  FinishFadeIn(w);
  ASSERT_TRUE(GetFocus() && (GetFocus() == w->Handle() || IsChild(w->Handle(), GetFocus())));
  ASSERT_TRUE(UserKey(VK_ESCAPE));
  EXPECT_TRUE(Shown(w));
  EXPECT_FALSE(w->Closed());
  Tick(w, w->ProgressBar1->Max());
  clock.Advance(5000);
  ASSERT_TRUE(UserKey(VK_RETURN));
  EXPECT_EQ(TWForm, nullptr) << "closed and freed";
  EXPECT_EQ(main->FBreakState, stWorking);
}

TEST_F(BreakWindow, RefusesEveryCloseUntilTheCountEndsThenAClickEndsTheCycle) {
  main->FPostponedMins = 2;
  main->FCycleNo = 4;
  TTWForm* w = OpenBreak();
  FinishFadeIn(w);
  const int max = w->ProgressBar1->Max();
  ASSERT_EQ(max, 312);

  SendMessageW(w->Handle(), WM_CLOSE, 0, 0);
  w->Close();
  w->FormClick(nullptr);
  WORD key = VK_ESCAPE;
  w->FormKeyDown(nullptr, key, 0);
  EXPECT_TRUE(Shown(w));
  EXPECT_FALSE(w->Closed());
  EXPECT_EQ(SendMessageW(w->Handle(), WM_QUERYENDSESSION, 0, 0), 1);  // a log-off is never held up

  Tick(w, max - 1);
  EXPECT_EQ(w->ProgressBar1->Position(), 1);
  EXPECT_EQ(w->lblBreakRemainSec->Caption(), L"1");
  EXPECT_TRUE(w->TrackingTimer->Enabled());
  w->FormClick(nullptr);
  EXPECT_TRUE(Shown(w));

  Tick(w, 1);
  EXPECT_EQ(w->ProgressBar1->Position(), 0);
  EXPECT_FALSE(w->TrackingTimer->Enabled());
  EXPECT_EQ(w->Banner(), L"结束休息,点击返回！");
  EXPECT_TRUE(Shown(w));  // a real break waits for the user

  const size_t cycle = main->EventLog.Cycles().size() - 1;
  clock.Advance(5000);
  key = 'A';
  w->FormKeyDown(nullptr, key, 0);  // any key, like a click
  EXPECT_TRUE(w->Closed());
  EXPECT_FALSE(Shown(w));

  const TEventEntry& e = BreakEntry(cycle, ekScheduledBreak);
  EXPECT_EQ(e.Value, 100);  // a full break
  EXPECT_EQ(e.EndTick, clock.tick);
  EXPECT_EQ(main->FCycleNo, 5);
  EXPECT_EQ(planTakesForce, 1);
  EXPECT_EQ(cycleAtPlanChange, 5);
  ASSERT_EQ(main->EventLog.Cycles().size(), cycle + 2);
  EXPECT_EQ(main->EventLog.Cycles().back().at(0).Kind, ekNewCycle);
  EXPECT_EQ(main->FBreakState, stWorking);
  EXPECT_EQ(main->FRemindKind, rkNextBreak);
  EXPECT_EQ(main->FPostponedMins, 0);
  EXPECT_EQ(main->FWorkMins, 49);
  EXPECT_EQ(main->FMinsPassed, 0);
  EXPECT_TRUE(main->DetectPauseTimer->Enabled());
  EXPECT_EQ(main->TiredCarry, 0);
  EXPECT_TRUE(main->NBreakNow->Enabled);
  EXPECT_TRUE(main->NBreakDemo->Enabled);
  EXPECT_TRUE(previewButton);

  // Closed once: a second close asks and writes nothing more.
  w->FormClick(nullptr);
  EXPECT_EQ(main->FCycleNo, 5);
  EXPECT_EQ(planTakesForce, 1);
  PumpMessages();
  EXPECT_EQ(TWForm, nullptr);  // it frees itself
}

TEST_F(BreakWindow, ABreakOfNoSecondsCountsAsFinished) {
  settings.Plan = TBreakPlan{};  // a plan never stored
  settings.Plan.BreakInterval = 30;
  main->TiredCarry = 40;
  TTWForm* w = OpenBreak();
  const size_t cycle = main->EventLog.Cycles().size() - 1;
  EXPECT_EQ(w->ProgressBar1->Max(), 0);
  FinishFadeIn(w);
  Tick(w, 1);
  EXPECT_EQ(w->Banner(), L"结束休息,点击返回！");
  w->FormClick(nullptr);
  EXPECT_TRUE(w->Closed());
  EXPECT_EQ(BreakEntry(cycle, ekScheduledBreak).Value, 100);
  EXPECT_EQ(main->TiredCarry, 0);
  EXPECT_EQ(main->FWorkMins, 29);
}

TEST_F(BreakWindow, APreviewLastsThreeSecondsAndClosesItselfChangingNothing) {
  main->FCycleNo = 3;
  main->TiredCarry = 25;
  main->StartWorkPeriod(49);
  const size_t entries = main->EventLog.Cycles().back().size();
  const size_t cycles = main->EventLog.Cycles().size();
  TTWForm* w = OpenPreview();
  EXPECT_TRUE(w->IsPreview());
  EXPECT_EQ(w->ProgressBar1->Max(), 3);
  EXPECT_EQ(main->FWorkMins, 49);
  FinishFadeIn(w);
  Tick(w, 2);
  EXPECT_TRUE(Shown(w));
  Tick(w, 1);
  EXPECT_TRUE(w->Closed());
  EXPECT_FALSE(main->FDemoBreak);
  EXPECT_EQ(main->FCycleNo, 3);
  EXPECT_EQ(main->TiredCarry, 25);
  EXPECT_EQ(main->FWorkMins, 49);
  EXPECT_EQ(main->FBreakState, stWorking);
  EXPECT_EQ(main->EventLog.Cycles().size(), cycles);
  EXPECT_EQ(main->EventLog.Cycles().back().size(), entries);
  EXPECT_EQ(planTakesForce, 0);
  EXPECT_TRUE(main->NBreakNow->Enabled);
  EXPECT_TRUE(previewButton);
}

// ---- the free mode -----------------------------------------------------------------------------

TEST_F(BreakWindow, FreeModeOffersPausesFiveSecondsAfterTheFadeInAndAfterEachPause) {
  settings.Mode = bmFree;
  TTWForm* w = OpenBreak();
  FinishFadeIn(w);
  Tick(w, 4);
  EXPECT_FALSE(w->imgUrgentExitIcon->Visible());
  Tick(w, 1);
  EXPECT_TRUE(w->imgUrgentExitIcon->Visible());
  EXPECT_TRUE(w->cbbRemindAgainAt->Visible());
  EXPECT_FALSE(w->edtExitPsw->Visible());

  // "<请选择...>" gives no way out.
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_TRUE(Shown(w));
  EXPECT_FALSE(w->InterfereControlTimer->Enabled());

  Tick(w, 10);  // 15 seconds counted: 285 left
  Choose(w, 3);
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_FALSE(Shown(w));
  EXPECT_FALSE(w->TrackingTimer->Enabled());
  EXPECT_TRUE(w->InterfereControlTimer->Enabled());
  EXPECT_EQ(w->InterfereControlTimer->Interval(), 180000u);

  // Back after 3 minutes with 30 seconds more, never beyond the full length.
  w->InterfereControlTimer->Timer();
  EXPECT_TRUE(Shown(w));
  EXPECT_FALSE(w->InterfereControlTimer->Enabled());
  EXPECT_TRUE(w->TrackingTimer->Enabled());
  EXPECT_EQ(w->ProgressBar1->Position(), 300);
  EXPECT_EQ(w->lblBreakRemainSec->Caption(), L"300");
  EXPECT_EQ(w->BreakTicks, 0u);
  EXPECT_EQ(w->cbbRemindAgainAt->ItemIndex(), 0);
  EXPECT_FALSE(w->imgUrgentExitIcon->Visible());
  EXPECT_FALSE(w->cbbRemindAgainAt->Visible());
  Tick(w, 5);
  EXPECT_TRUE(w->imgUrgentExitIcon->Visible());

  Tick(w, 95);  // 200 left
  Choose(w, 1);
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_EQ(w->InterfereControlTimer->Interval(), 60000u);
  w->InterfereControlTimer->Timer();
  EXPECT_EQ(w->ProgressBar1->Position(), 210);
}

struct AbortCase {
  const char* name;
  TBreakMode mode;
  int answer;
};

class BreakWindowAbort : public BreakWindow, public testing::WithParamInterface<AbortCase> {};

TEST_P(BreakWindowAbort, GivingTheBreakUpAsksFirst) {
  const AbortCase& c = GetParam();
  settings.Mode = c.mode;
  main->FCycleNo = 2;
  TTWForm* w = OpenBreak();
  const size_t cycle = main->EventLog.Cycles().size() - 1;
  FinishFadeIn(w);
  Tick(w, 75);  // 225 of 300 left: 75 %
  Choose(w, 6);
  if (c.mode == bmPassword) {
    ASSERT_EQ(std::to_wstring(w->FAddendA).size(), 6u);
    w->edtExitPsw->SetText(std::to_wstring(w->FAnswer));
  }
  dialogs.Answer(c.answer);
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].owner, nullptr);
  EXPECT_EQ(dialogs.shown[0].text, L"你确定要完全中止休息吗？这将降低你的健康得分。");
  EXPECT_EQ(dialogs.shown[0].caption, L"确认：");
  EXPECT_EQ(dialogs.shown[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
  if (c.answer == IDNO) {
    // Back at once, no time added, counting on.
    EXPECT_TRUE(Shown(w));
    EXPECT_FALSE(w->Closed());
    EXPECT_EQ(w->ProgressBar1->Position(), 225);
    EXPECT_TRUE(w->TrackingTimer->Enabled());
    EXPECT_FALSE(w->InterfereControlTimer->Enabled());
    EXPECT_EQ(main->FCycleNo, 2);
  } else {
    EXPECT_TRUE(w->Closed());
    EXPECT_EQ(BreakEntry(cycle, ekScheduledBreak).Value, 175);
    EXPECT_EQ(main->FCycleNo, 3);
    EXPECT_EQ(main->FBreakState, stWorking);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, BreakWindowAbort,
                         testing::Values(AbortCase{"FreeYes", bmFree, IDYES}, AbortCase{"FreeNo", bmFree, IDNO},
                                         AbortCase{"PasswordYes", bmPassword, IDYES},
                                         AbortCase{"PasswordNo", bmPassword, IDNO}),
                         [](const testing::TestParamInfo<AbortCase>& i) { return std::string(i.param.name); });

TEST_F(BreakWindow, WithFiveSecondsOrLessLeftTheExitIconActsAsAClick) {
  settings.Mode = bmFree;
  TTWForm* w = OpenBreak();
  FinishFadeIn(w);
  Tick(w, 295);
  Choose(w, 2);
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_TRUE(Shown(w));
  EXPECT_FALSE(w->InterfereControlTimer->Enabled());
  Tick(w, 5);
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_TRUE(w->Closed());
}

// ---- the password mode -------------------------------------------------------------------------

TEST_F(BreakWindow, PasswordModeUnlocksAPauseOnlyWithTheSum) {
  settings.Mode = bmPassword;
  TTWForm* w = OpenBreak();
  EXPECT_EQ(w->edtExitPsw->Text(), L"请选择分钟数，然后输入解锁密码！");
  FinishFadeIn(w);
  Tick(w, 5);
  EXPECT_TRUE(w->imgUrgentExitIcon->Visible());
  EXPECT_TRUE(w->cbbRemindAgainAt->Visible());
  EXPECT_TRUE(w->edtExitPsw->Visible());

  // Nothing unlocks without minutes chosen.
  w->edtExitPsw->SetText(L"0");
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_TRUE(Shown(w));
  EXPECT_EQ(w->edtExitPsw->Text(), L"请选择分钟数，然后输入解锁密码！");

  Choose(w, 2);
  EXPECT_GE(w->FAddendA, 10);
  EXPECT_LE(w->FAddendA, 99);
  EXPECT_GE(w->FAddendB, 10);
  EXPECT_LE(w->FAddendB, 99);
  EXPECT_EQ(w->FAnswer, w->FAddendA + w->FAddendB);
  const std::wstring question = w->FQuestion;
  EXPECT_EQ(question, L"请输入正确结果：" + std::to_wstring(w->FAddendA) + L" + " + std::to_wstring(w->FAddendB) + L"=");
  EXPECT_EQ(w->edtExitPsw->Text(), question);

  // A wrong sum puts the same question back.
  w->edtExitPsw->SetText(question + std::to_wstring(w->FAnswer + 1));
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_TRUE(Shown(w));
  EXPECT_EQ(w->FQuestion, question);
  EXPECT_EQ(w->edtExitPsw->Text(), question);

  // The sum typed behind the question unlocks.
  w->edtExitPsw->SetText(question + std::to_wstring(w->FAnswer));
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_FALSE(Shown(w));
  EXPECT_EQ(w->InterfereControlTimer->Interval(), 120000u);
  w->InterfereControlTimer->Timer();
  EXPECT_TRUE(Shown(w));
  EXPECT_EQ(w->edtExitPsw->Text(), L"请选择分钟数，然后输入解锁密码！");  // the list is back at "<请选择...>"

  // Clicking into the box empties it; the sum alone unlocks too.
  Tick(w, 5);
  Choose(w, 1);
  EXPECT_GE(w->FAddendA, 1);
  EXPECT_LE(w->FAddendA, 9);
  POINT p{5, 5};
  SendMessageW(w->edtExitPsw->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageW(w->edtExitPsw->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(w->edtExitPsw->Text(), L"");
  w->edtExitPsw->SetText(std::to_wstring(w->FAnswer));
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_FALSE(Shown(w));
  EXPECT_EQ(w->InterfereControlTimer->Interval(), 60000u);
  w->InterfereControlTimer->Timer();
}

TEST_F(BreakWindow, OtherModesAskNoQuestion) {
  settings.Mode = bmFree;
  TTWForm* w = OpenBreak();
  const std::wstring before = w->edtExitPsw->Text();
  Choose(w, 4);
  EXPECT_EQ(w->FAnswer, 0);
  EXPECT_EQ(w->edtExitPsw->Text(), before);
}

// ---- the interference mode ---------------------------------------------------------------------

struct InterferenceCase {
  int intensity, iconAfter;
};

class BreakWindowInterference : public BreakWindow, public testing::WithParamInterface<InterferenceCase> {};

TEST_P(BreakWindowInterference, HidesForTheIntensityAndAddsTheHiddenTime) {
  const InterferenceCase& c = GetParam();
  settings.Mode = bmInterference;
  settings.InterfereIntensity = c.intensity;
  TTWForm* w = OpenBreak();
  FinishFadeIn(w);
  Tick(w, c.iconAfter - 1);
  EXPECT_FALSE(w->imgUrgentExitIcon->Visible());
  Tick(w, 1);
  EXPECT_TRUE(w->imgUrgentExitIcon->Visible());
  EXPECT_FALSE(w->cbbRemindAgainAt->Visible());
  EXPECT_FALSE(w->edtExitPsw->Visible());
  Tick(w, 60);
  const int before = w->ProgressBar1->Position();

  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_FALSE(Shown(w));
  EXPECT_FALSE(w->TrackingTimer->Enabled());
  EXPECT_EQ(w->InterfereControlTimer->Interval(), unsigned(c.intensity) * 1000u);
  w->InterfereControlTimer->Timer();
  EXPECT_TRUE(Shown(w));
  EXPECT_EQ(w->ProgressBar1->Position(), before + c.intensity);
  EXPECT_FALSE(w->imgUrgentExitIcon->Visible());
  Tick(w, c.iconAfter);
  EXPECT_TRUE(w->imgUrgentExitIcon->Visible());
}

INSTANTIATE_TEST_SUITE_P(Intensities, BreakWindowInterference,
                         testing::Values(InterferenceCase{15, 5}, InterferenceCase{30, 10}, InterferenceCase{45, 15}),
                         [](const testing::TestParamInfo<InterferenceCase>& i) {
                           return std::to_string(i.param.intensity) + "s";
                         });

// ---- the enforce mode and the input limits -----------------------------------------------------

TEST_F(BreakWindow, EnforceModeOffersNoWayOutAndLimitsInputUntilTheCountEnds) {
  settings.Mode = bmEnforce;
  settings.HideCursor = true;
  settings.DisableKeyboard = true;
  TTWForm* w = OpenBreak();
  EXPECT_EQ(w->lblCurrentMode->Caption(), L"[ 强制模式 ]");
  EXPECT_TRUE(input.calls.empty());  // nothing during the fade-in
  FinishFadeIn(w);
  EXPECT_EQ(input.calls, (std::vector<std::string>{"ShowCursor(FALSE)", "BlockInput(TRUE)"}));
  EXPECT_TRUE(w->CursorHidden());
  EXPECT_TRUE(w->InputBlocked());

  Tick(w, 299);
  EXPECT_FALSE(w->imgUrgentExitIcon->Visible());
  EXPECT_FALSE(w->cbbRemindAgainAt->Visible());
  EXPECT_FALSE(w->edtExitPsw->Visible());
  w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
  EXPECT_TRUE(Shown(w));
  EXPECT_EQ(input.cursorCounter, -1);

  Tick(w, 1);
  EXPECT_EQ(input.cursorCounter, 0);
  EXPECT_FALSE(input.blocked);
  EXPECT_FALSE(w->CursorHidden());
  EXPECT_FALSE(w->InputBlocked());
  w->FormClick(nullptr);
  EXPECT_TRUE(w->Closed());
  EXPECT_EQ(input.calls.size(), 4u);  // undone once, not again on close
}

TEST_F(BreakWindow, EnforceModeLimitsOnlyWhatItsSettingsAskFor) {
  const struct {
    bool hide, keyboard;
    std::vector<std::string> calls;
  } cases[] = {{false, false, {}},
               {true, false, {"ShowCursor(FALSE)"}},
               {false, true, {"BlockInput(TRUE)"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hide << c.keyboard);
    input.calls.clear();
    settings.Mode = bmEnforce;
    settings.HideCursor = c.hide;
    settings.DisableKeyboard = c.keyboard;
    TTWForm* w = new TTWForm(Application);
    FinishFadeIn(w);
    EXPECT_EQ(input.calls, c.calls);
    TComponent::Free(w);
    EXPECT_EQ(input.cursorCounter, 0);
    EXPECT_FALSE(input.blocked);
  }
}

// The limits are undone exactly as applied, at whatever end comes first and whatever the mode is by then.
enum class EndBy { Destroy, SessionEnd, ModeChangedThenCountEnds, ModeChangedThenPause };

std::string EndByName(EndBy e) {
  switch (e) {
    case EndBy::Destroy: return "Destroy";
    case EndBy::SessionEnd: return "SessionEnd";
    case EndBy::ModeChangedThenCountEnds: return "ModeChangedThenCountEnds";
    case EndBy::ModeChangedThenPause: return "ModeChangedThenPause";
  }
  return "";
}

class BreakWindowInputRelease : public BreakWindow, public testing::WithParamInterface<EndBy> {};

TEST_P(BreakWindowInputRelease, UndoesTheLimitsExactlyOnce) {
  settings.Mode = bmEnforce;
  settings.HideCursor = true;
  settings.DisableKeyboard = true;
  TTWForm* w = OpenBreak();
  FinishFadeIn(w);
  ASSERT_EQ(input.cursorCounter, -1);
  ASSERT_TRUE(input.blocked);
  switch (GetParam()) {
    case EndBy::Destroy:
      TComponent::Free(w);
      EXPECT_EQ(TWForm, nullptr);
      break;
    case EndBy::SessionEnd:
      EXPECT_EQ(SendMessageW(w->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
      SendMessageW(w->Handle(), WM_ENDSESSION, TRUE, 0);
      break;
    case EndBy::ModeChangedThenCountEnds:
      settings.Mode = bmFree;
      settings.HideCursor = false;
      settings.DisableKeyboard = false;
      Tick(w, 300);
      break;
    case EndBy::ModeChangedThenPause:
      settings.Mode = bmFree;
      Tick(w, 10);
      Choose(w, 1);
      w->imgUrgentExitIconClick(w->imgUrgentExitIcon);
      EXPECT_FALSE(Shown(w));
      break;
  }
  EXPECT_EQ(input.cursorCounter, 0);
  EXPECT_FALSE(input.blocked);
  EXPECT_EQ(input.calls.size(), 4u);
  if (TWForm) TComponent::Free(TWForm);
  EXPECT_EQ(input.calls.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Ends, BreakWindowInputRelease,
                         testing::Values(EndBy::Destroy, EndBy::SessionEnd, EndBy::ModeChangedThenCountEnds,
                                         EndBy::ModeChangedThenPause),
                         [](const testing::TestParamInfo<EndBy>& i) { return EndByName(i.param); });

// ---- the power button --------------------------------------------------------------------------

TEST_F(BreakWindow, ThePowerButtonOpensTheShutDownDialogInEveryMode) {
  for (TBreakMode mode : {bmFree, bmPassword, bmInterference, bmEnforce}) {
    settings.Mode = mode;
    TTWForm* w = new TTWForm(Application);
    w->imgShutDownIconClick(w->imgShutDownIcon);
    TComponent::Free(w);
  }
  EXPECT_EQ(shutDownDialogs, 4);
}

// ---- with the program's own settings dialog ----------------------------------------------------

// The main window and the settings dialog as the program block makes them; the window reads the
// dialog's controls and changes its plans directly.
class BreakWithSettings : public ProgramForms {
 protected:
  void SetUp() override {
    ProgramForms::SetUp();
    frmMain->TiredCarry = 0;
  }
  void TearDown() override {
    ProgramForms::TearDown();
    EXPECT_EQ(input.cursorCounter, 0);
    EXPECT_FALSE(input.blocked);
  }
  static void SelectPlan(int index) {
    frmSetup->cbxBreakPlanPreSet->SetItemIndex(index);
    frmSetup->cbxBreakPlanPreSetSelect(nullptr);
  }
  // A manual break, counted to its end and clicked away.
  void RunBreak() {
    frmMain->BreakNow(TBreakWindow::Break, ekManualBreak);
    TTWForm* w = TWForm;
    ASSERT_NE(w, nullptr);
    while (w->FadingIn()) w->CreateAnimateTimer->Timer();
    const int secs = w->ProgressBar1->Max();
    for (int i = 0; i < secs; ++i) w->TrackingTimer->Timer();
    w->FormClick(nullptr);
    ASSERT_TRUE(w->Closed());
    PumpMessages();
  }

  FakeClock clock;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeAnimation animation;
  FakeScreenSaver screenSaver{true};
  FakeInput input;
  ScriptedDialogs dialogs;
};

TEST_F(BreakWithSettings, ReadsTheDialogsControlsWhenItUsesThem) {
  frmSetup->rbxSelectBreakMode->SetItemIndex(bmInterference);
  frmSetup->scbInterfereIntensity->SetPosition(45);
  frmSetup->cbxRandomInterface->SetChecked(true);
  frmSetup->cbxShowSlogan->SetChecked(true);
  frmMain->BreakNow(TBreakWindow::Break, ekManualBreak);
  TTWForm* w = TWForm;
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->ProgressBar1->Max(), frmSetup->PlanInForce().BreakMins * 60);
  EXPECT_EQ(frmSetup->cbbBreakInterface->ItemIndex(), w->Pattern());  // the drawn pattern, shown in the list
  EXPECT_EQ(w->lblCurrentMode->Caption(), L"[ 干扰模式 ]");
  EXPECT_EQ(w->lblSlogan->Caption(), frmSetup->cbbSlogan->Text());
  EXPECT_TRUE(w->lblSlogan->Visible());
  while (w->FadingIn()) w->CreateAnimateTimer->Timer();
  for (int i = 0; i < 15; ++i) w->TrackingTimer->Timer();
  EXPECT_TRUE(w->imgUrgentExitIcon->Visible());

  // The mode changed while the window is up counts from the next tick on.
  frmSetup->rbxSelectBreakMode->SetItemIndex(bmPassword);
  w->TrackingTimer->Timer();
  EXPECT_TRUE(w->edtExitPsw->Visible());
  EXPECT_FALSE(frmSetup->btnPreviewBreakForm->Enabled());
  TComponent::Free(w);
}

TEST_F(BreakWithSettings, TheSelectedPlanTakesForceAtTheEndOfARealBreak) {
  ASSERT_EQ(frmSetup->Plans.CurrentPlanIndex(), kStandardPlanIndex);
  SelectPlan(0);  // "*儿童方案(标准)": 30 minutes
  EXPECT_EQ(frmSetup->Plans.CurrentPlanIndex(), kStandardPlanIndex);
  RunBreak();
  EXPECT_EQ(frmSetup->Plans.CurrentPlanIndex(), 0);
  EXPECT_EQ(frmMain->FWorkMins, 29);
  EXPECT_TRUE(frmSetup->btnPreviewBreakForm->Enabled());
  EXPECT_EQ(frmMain->FCycleNo, 2);
}

TEST_F(BreakWithSettings, NoSelectionInThePlanListKeepsThePlanInForce) {
  frmSetup->cbxBreakPlanPreSet->SetItemIndex(-1);
  RunBreak();
  EXPECT_EQ(frmSetup->Plans.CurrentPlanIndex(), kStandardPlanIndex);
  EXPECT_EQ(frmMain->FWorkMins, 49);
  EXPECT_EQ(frmMain->FBreakState, stWorking);
}

}  // namespace
