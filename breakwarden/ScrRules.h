#pragma once
// The screen savers' decisions without windows: what "预览" and "设置" start, the own saver's steps,
// and the texts of the screen-saver switch.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BreakPatterns.h"

// The saver list's fixed entries.
inline constexpr int kScrNone = 0;      // "(无)"
inline constexpr int kScrInternal = 1;  // the own saver

// What a start of a screen saver does.
struct TScrLaunch {
  uint8_t PlayerCommand = 0;          // 3..6 to the player (it then runs the savers); 0: none
  int Saver = -1;                     // list index to start: kScrInternal, or 2.. a file; else none
  bool RestartAccompaniment = false;  // command 15 to the player after the start
};
// usePlayer: "启用Quovel屏保播放功能！"; random: "随机调用"; banYing: "同时启用伴音！"; selected and
// count: the list's selection and its number of entries. A random start draws any entry but
// "(无)" for this start only: the lists keep the user's choice. No selection starts the own saver.
TScrLaunch ScrLaunchFor(bool usePlayer, bool random, bool banYing, int selected, int count, TRandom& rnd);

// What "设置" does.
enum class TScrSetupAction : uint8_t {
  None,          // "(无)" or nothing selected
  PlayerPage,    // command 7: the player's accompaniment settings
  NoOptionsBox,  // the own saver: "此屏幕保护程序没有可供设置的选项。"
  SaverConfig,   // the saver file's own settings (verb "config")
};
TScrSetupAction ScrSetupFor(bool usePlayer, int selected, int count);

// ---- the own saver ----

// Vertical lines per paint: a = Trunc(width / 1024 x 15), then a + Random(a) + 1 in 8 bits
// (16 to 30 on a screen 1024 wide).
uint8_t ScrLineCount(int screenWidth, TRandom& rnd);
// One tick of a colour channel: value += step; at 255 or above the step turns to -3, at 50 or
// below to +3.
void ScrColourStep(int16_t& value, int16_t& step);
// One tick of the label: 50 pixels right or left; past the form's right edge it comes back from
// just outside the left one, and the other way round.
struct TScrLabelStep {
  int Left;
  bool Wrapped;
};
TScrLabelStep ScrLabelStep(int left, int labelWidth, int formWidth, bool right);
// A mouse move farther than 2 pixels from where the cursor stood at the start, in x or in y.
bool ScrMoveEnds(POINT start, POINT now);
// One tip: r = Random(count + 10); 0..9 a fixed line, 10 and above "提示：快捷键 " and a random
// line of hotKeys.
std::wstring ScrTipText(const std::vector<std::wstring>& hotKeys, TRandom& rnd);

// ---- the switch ----

// The box's message after a change by the user or the tray.
std::wstring ScrSwitchMessage(bool enabled);
inline constexpr const wchar_t* kScrSwitchCaption = L"Quovel提示：";
// The tray item's caption for the state (checked = disabled).
std::wstring ScrSwitchItemCaption(bool disabled);
// The notices.
inline constexpr const wchar_t* kScrDisabledNotice = L"屏幕保护已禁用！";
inline constexpr const wchar_t* kScrEnabledNotice = L"屏幕保护已启用！";
// The restore timer's interval for the minutes set.
unsigned ScrRestoreIntervalMs(int minutes);
