#pragma once
// The break window's rules without a window: the break's length, the fade-in, the ways out each
// mode offers, the unlock question of the password mode, the time a pause gives back and the
// arithmetic of a break's end.
#include <cstdint>
#include <optional>
#include <string>

#include "BreakPlans.h"

// Seconds of a break: BreakMins x 60 + the extra seconds per postponed minute; a preview lasts 3.
int BreakLengthSecs(const TBreakPlan& plan, uint8_t postponedMins, bool preview);

// The fade-in as the settings ask for it. Any values give a timer that runs (interval >= 1 ms), a
// step of at least 1 and a target the window's opacity can reach, so the fade-in always ends.
struct TFadeIn {
  unsigned Interval;  // ms between two steps: 151 - speed
  int Step;           // opacity added per step: 37 - smoothness
  int Target;         // the opacity setting, 1..255
};
TFadeIn FadeInFor(int speed, int smoothness, int opacity);
// The interval with the wave option: 151 - speed + a random 0 .. strength - 1 (random: that number).
unsigned WaveInterval(int speed, int randomPart);
// The opacity after one timer step, or nothing when the fade-in is over (the step would pass the target).
std::optional<int> NextOpacity(int opacity, const TFadeIn& f);

// Which exit controls a one-second tick shows, by the mode read at that tick.
struct TExitControls {
  bool Icon, Minutes, Password;
};
// iconNow: the icon's state before the tick (the enforce mode leaves it as it is).
TExitControls ExitControlsAt(TBreakMode mode, uint32_t breakTicks, int interfereIntensity, bool iconNow);

// The unlock question of the password mode for the minutes list's item.
struct TUnlockQuestion {
  int32_t AddendA = 0, AddendB = 0, Answer = 0;
  std::wstring Text;
};
inline const wchar_t kUnlockPrompt[] = L"请选择分钟数，然后输入解锁密码！";
// item 1..6: two addends of exactly item digits, from the two random numbers in 0 .. 9 x
// 10^(item-1) - 1; any other item gives the prompt and no sum.
TUnlockQuestion MakeUnlockQuestion(int item, int32_t randomA, int32_t randomB);
// The random range of MakeUnlockQuestion for an item: 9 x 10^(item-1) (0 for other items).
int32_t UnlockRandomRange(int item);
// The sum alone, or the question followed by the sum; exact comparison.
bool UnlockAnswerCorrect(const std::wstring& typed, const TUnlockQuestion& q);

// The pause of a minutes-list item: 1..5 minutes in ms; 0 for "不再提醒" (6) and for no pause.
unsigned PauseIntervalMs(int item);
// Break seconds a finished pause gives back: 10 per minute (free, password modes), the hidden
// seconds (interference).
int PauseCredit(TBreakMode mode, unsigned intervalMs);

// The end of a real break. A break of 0 seconds counts as finished.
uint16_t TiredCarryAfterBreak(uint16_t carry, int position, int max);
// 100 + the percent of the break left over (100 for a full break, up to 200).
uint8_t BreakEndValue(int position, int max);

// "[ 自由模式 ]" ...
std::wstring ModeCaption(TBreakMode mode);
