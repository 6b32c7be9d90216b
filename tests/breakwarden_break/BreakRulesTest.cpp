// The break window's rules: length, fade-in, exit controls by mode, the unlock question, pauses
// and the arithmetic of a break's end.
#include <gtest/gtest.h>

#include "BreakWindowRules.h"
#include "Fakes.h"

namespace {

TBreakPlan Plan(uint8_t breakMins, uint8_t extraSecsPerMin) {
  TBreakPlan p;
  p.BreakInterval = 50;
  p.BreakMins = breakMins;
  p.AddBreak4ExtTime_SECperMIN = extraSecsPerMin;
  return p;
}

TEST(BreakLength, MinutesPlusExtraSecondsPerPostponedMinute) {
  EXPECT_EQ(BreakLengthSecs(Plan(5, 6), 3, false), 318);
  EXPECT_EQ(BreakLengthSecs(Plan(5, 12), 0, false), 300);
  EXPECT_EQ(BreakLengthSecs(Plan(10, 16), 15, false), 840);
  EXPECT_EQ(BreakLengthSecs(Plan(0, 0), 0, false), 0);  // a plan never stored
  EXPECT_EQ(BreakLengthSecs(Plan(5, 6), 3, true), 3);   // a preview
}

// The opacities a fade-in passes through, one per timer tick, until the tick that ends it.
std::vector<int> FadeSteps(const TFadeIn& f) {
  std::vector<int> v{1};
  while (auto next = NextOpacity(v.back(), f)) {
    v.push_back(*next);
    if (v.size() > 300) break;
  }
  return v;
}

TEST(FadeIn, StepsFromOneAndStopsAtTheLastValueNotAboveTheTarget) {
  TFadeIn f = FadeInFor(32, 12, 200);
  EXPECT_EQ(f.Interval, 119u);
  EXPECT_EQ(f.Step, 25);
  EXPECT_EQ(FadeSteps(f), (std::vector<int>{1, 26, 51, 76, 101, 126, 151, 176}));  // ends at the 8th tick

  TFadeIn fastest = FadeInFor(150, 1, 255);
  EXPECT_EQ(fastest.Interval, 1u);
  EXPECT_EQ(fastest.Step, 36);
  EXPECT_EQ(FadeSteps(fastest).back(), 253);
}

TEST(FadeIn, AlwaysEndsWhateverTheSettingsHold) {
  const struct {
    int speed, smoothness, opacity;
  } cases[] = {{151, 37, 200}, {500, 100, 255}, {-20, -5, 300}, {0, 0, 0}, {32, 36, 1000}, {150, 36, -7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.speed << "/" << c.smoothness << "/" << c.opacity);
    TFadeIn f = FadeInFor(c.speed, c.smoothness, c.opacity);
    EXPECT_GE(f.Interval, 1u);
    EXPECT_GE(f.Step, 1);
    std::vector<int> steps = FadeSteps(f);
    EXPECT_LE(steps.size(), 256u);
    EXPECT_LE(steps.back(), 255);
  }
  EXPECT_EQ(WaveInterval(32, 0), 119u);
  EXPECT_EQ(WaveInterval(32, 111), 230u);
  EXPECT_EQ(WaveInterval(400, 0), 1u);
}

struct ExitCase {
  const char* name;
  TBreakMode mode;
  uint32_t ticks;
  int intensity;
  bool iconBefore;
  TExitControls expected;
};

class ExitControls : public testing::TestWithParam<ExitCase> {};

TEST_P(ExitControls, FollowTheModeReadAtTheTick) {
  const ExitCase& c = GetParam();
  TExitControls got = ExitControlsAt(c.mode, c.ticks, c.intensity, c.iconBefore);
  EXPECT_EQ(got.Icon, c.expected.Icon);
  EXPECT_EQ(got.Minutes, c.expected.Minutes);
  EXPECT_EQ(got.Password, c.expected.Password);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ExitControls,
    testing::Values(ExitCase{"FreeBeforeFive", bmFree, 4, 30, false, {false, false, false}},
                    ExitCase{"FreeAtFive", bmFree, 5, 30, false, {true, true, false}},
                    ExitCase{"PasswordBeforeFive", bmPassword, 4, 30, false, {false, false, false}},
                    ExitCase{"PasswordAtFive", bmPassword, 5, 30, false, {true, true, true}},
                    ExitCase{"Interference15At4", bmInterference, 4, 15, false, {false, false, false}},
                    ExitCase{"Interference15At5", bmInterference, 5, 15, false, {true, false, false}},
                    ExitCase{"Interference30At9", bmInterference, 9, 30, false, {false, false, false}},
                    ExitCase{"Interference30At10", bmInterference, 10, 30, false, {true, false, false}},
                    ExitCase{"Interference45At14", bmInterference, 14, 45, false, {false, false, false}},
                    ExitCase{"Interference45At15", bmInterference, 15, 45, false, {true, false, false}},
                    ExitCase{"EnforceKeepsTheIconHidden", bmEnforce, 100, 30, false, {false, false, false}},
                    ExitCase{"EnforceLeavesTheIconAsItWas", bmEnforce, 100, 30, true, {true, false, false}}),
    [](const testing::TestParamInfo<ExitCase>& i) { return std::string(i.param.name); });

TEST(UnlockQuestion, AddendsHaveAsManyDigitsAsTheItemAndTheTextEndsInEquals) {
  for (int item = 1; item <= 6; ++item) {
    SCOPED_TRACE(item);
    const int32_t range = UnlockRandomRange(item);
    int32_t low = 1;
    for (int i = 1; i < item; ++i) low *= 10;
    EXPECT_EQ(range, 9 * low);
    for (int32_t r : {0, range / 2, range - 1}) {
      TUnlockQuestion q = MakeUnlockQuestion(item, r, range - 1 - r);
      EXPECT_EQ(std::to_wstring(q.AddendA).size(), size_t(item));
      EXPECT_EQ(std::to_wstring(q.AddendB).size(), size_t(item));
      EXPECT_EQ(q.Answer, q.AddendA + q.AddendB);
      EXPECT_EQ(q.Text, L"请输入正确结果：" + std::to_wstring(q.AddendA) + L" + " + std::to_wstring(q.AddendB) + L"=");
    }
  }
  TUnlockQuestion two = MakeUnlockQuestion(2, 0, 89);
  EXPECT_EQ(two.AddendA, 10);
  EXPECT_EQ(two.AddendB, 99);
  EXPECT_EQ(two.Text, L"请输入正确结果：10 + 99=");
  for (int item : {0, -1, 7}) {
    TUnlockQuestion q = MakeUnlockQuestion(item, 5, 5);
    EXPECT_EQ(q.Text, L"请选择分钟数，然后输入解锁密码！");
    EXPECT_EQ(q.Answer, 0);
    EXPECT_EQ(UnlockRandomRange(item), 0);
  }
}

TEST(UnlockQuestion, TheSumAloneOrBehindTheQuestionUnlocks) {
  TUnlockQuestion q = MakeUnlockQuestion(2, 2, 35);  // 12 + 45 = 57
  ASSERT_EQ(q.Answer, 57);
  EXPECT_TRUE(UnlockAnswerCorrect(L"57", q));
  EXPECT_TRUE(UnlockAnswerCorrect(L"请输入正确结果：12 + 45=57", q));
  for (const wchar_t* wrong : {L"56", L" 57", L"57 ", L"", L"请输入正确结果：12 + 45=", L"请输入正确结果：12 + 45= 57", L"057"}) {
    SCOPED_TRACE(Narrow(wrong));
    EXPECT_FALSE(UnlockAnswerCorrect(wrong, q));
  }
  TUnlockQuestion prompt = MakeUnlockQuestion(0, 0, 0);
  EXPECT_FALSE(UnlockAnswerCorrect(L"0", prompt));
  EXPECT_FALSE(UnlockAnswerCorrect(prompt.Text + L"0", prompt));
}

TEST(Pause, LengthsAndTheSecondsTheyGiveBack) {
  EXPECT_EQ(PauseIntervalMs(0), 0u);
  EXPECT_EQ(PauseIntervalMs(1), 60000u);
  EXPECT_EQ(PauseIntervalMs(3), 180000u);
  EXPECT_EQ(PauseIntervalMs(5), 300000u);
  EXPECT_EQ(PauseIntervalMs(6), 0u);
  EXPECT_EQ(PauseCredit(bmFree, 180000), 30);
  EXPECT_EQ(PauseCredit(bmPassword, 300000), 50);
  EXPECT_EQ(PauseCredit(bmInterference, 30000), 30);
  EXPECT_EQ(PauseCredit(bmInterference, 45000), 45);
  EXPECT_EQ(PauseCredit(bmFree, 0), 0);
}

TEST(BreakEnd, ValueAndTirednessCarryFromTheSecondsLeft) {
  const struct {
    int position, max;
    uint16_t carry;
    uint8_t value;
    uint16_t carryAfter;
  } cases[] = {
      {0, 300, 80, 100, 0},      // a full break
      {150, 300, 80, 150, 40},   // half left
      {300, 300, 80, 200, 80},   // given up at once
      {1, 200, 50, 100, 0},      // 0.5 % -> 0 (halves to even); 0.25 -> 0
      {3, 200, 50, 102, 1},      // 1.5 % -> 2; 0.75 -> 1
      {5, 200, 50, 102, 1},      // 2.5 % -> 2; 1.25 -> 1
      {0, 0, 80, 100, 0},        // a break of 0 seconds counts as finished
      {5, 0, 80, 100, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << "/" << c.max);
    EXPECT_EQ(BreakEndValue(c.position, c.max), c.value);
    EXPECT_EQ(TiredCarryAfterBreak(c.carry, c.position, c.max), c.carryAfter);
  }
}

TEST(ModeCaption, NamesTheModeInBrackets) {
  EXPECT_EQ(ModeCaption(bmFree), L"[ 自由模式 ]");
  EXPECT_EQ(ModeCaption(bmPassword), L"[ 密码模式 ]");
  EXPECT_EQ(ModeCaption(bmInterference), L"[ 干扰模式 ]");
  EXPECT_EQ(ModeCaption(bmEnforce), L"[ 强制模式 ]");
}

}  // namespace
