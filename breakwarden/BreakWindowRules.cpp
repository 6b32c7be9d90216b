#include "BreakWindowRules.h"

#include <algorithm>

#include "SchedulerMath.h"

int BreakLengthSecs(const TBreakPlan& plan, uint8_t postponedMins, bool preview) {
  if (preview) return 3;
  return plan.BreakMins * 60 + plan.AddBreak4ExtTime_SECperMIN * postponedMins;
}

TFadeIn FadeInFor(int speed, int smoothness, int opacity) {
  // The controls keep speed 1..150 and smoothness 1..36; values from elsewhere must still give a
  // running timer and a step that moves, and a target below the opacity's ceiling of 255.
  TFadeIn f;
  f.Interval = unsigned(std::max(1, 151 - speed));
  f.Step = std::max(1, 37 - smoothness);
  f.Target = std::clamp(opacity, 1, 255);
  return f;
}

unsigned WaveInterval(int speed, int randomPart) { return unsigned(std::max(1, 151 - speed) + std::max(0, randomPart)); }

std::optional<int> NextOpacity(int opacity, const TFadeIn& f) {
  if (opacity > f.Target - f.Step) return std::nullopt;
  return opacity + f.Step;
}

TExitControls ExitControlsAt(TBreakMode mode, uint32_t breakTicks, int interfereIntensity, bool iconNow) {
  switch (mode) {
    case bmFree: {
      bool on = breakTicks >= 5;
      return {on, on, false};
    }
    case bmPassword: {
      bool on = breakTicks >= 5;
      return {on, on, on};
    }
    case bmInterference:
      return {breakTicks >= uint32_t(std::max(0, interfereIntensity / 3)), false, false};
    case bmEnforce:
      break;
  }
  return {iconNow, false, false};
}

int32_t UnlockRandomRange(int item) {
  if (item < 1 || item > 6) return 0;
  int32_t a = 1;
  for (int i = 1; i < item; ++i) a *= 10;
  return 9 * a;
}

TUnlockQuestion MakeUnlockQuestion(int item, int32_t randomA, int32_t randomB) {
  TUnlockQuestion q;
  int32_t range = UnlockRandomRange(item);
  if (range == 0) {
    q.Text = kUnlockPrompt;
    return q;
  }
  int32_t a = range / 9;
  q.AddendA = a + std::clamp(randomA, 0, range - 1);
  q.AddendB = a + std::clamp(randomB, 0, range - 1);
  q.Answer = q.AddendA + q.AddendB;
  q.Text = L"请输入正确结果：" + std::to_wstring(q.AddendA) + L" + " + std::to_wstring(q.AddendB) + L"=";
  return q;
}

bool UnlockAnswerCorrect(const std::wstring& typed, const TUnlockQuestion& q) {
  // The prompt has no sum, so nothing unlocks while no minutes are chosen.
  if (q.Answer == 0) return false;
  const std::wstring sum = std::to_wstring(q.Answer);
  return typed == sum || typed == q.Text + sum;
}

unsigned PauseIntervalMs(int item) { return item >= 1 && item <= 5 ? unsigned(item) * 60000u : 0u; }

int PauseCredit(TBreakMode mode, unsigned intervalMs) {
  switch (mode) {
    case bmFree:
    case bmPassword:
      return int(intervalMs / 60000) * 10;
    case bmInterference:
      return int(intervalMs / 1000);
    case bmEnforce:
      break;
  }
  return 0;
}

uint16_t TiredCarryAfterBreak(uint16_t carry, int position, int max) {
  if (max <= 0 || position <= 0) return 0;
  return uint16_t(RoundDivHalfEven(1LL * std::min(position, max) * carry, max));
}

uint8_t BreakEndValue(int position, int max) {
  if (max <= 0 || position <= 0) return 100;
  return uint8_t(100 + RoundDivHalfEven(100LL * std::min(position, max), max));
}

std::wstring ModeCaption(TBreakMode mode) { return L"[ " + BreakModeName(mode) + L" ]"; }
