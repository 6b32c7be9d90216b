#pragma once
// Display zoom of the countdown window and the two reminder windows, which are designed for an
// 800 x 600 screen, and the table of the five reminder kinds. Plain arithmetic: the caller passes
// the screen size.
#include <cstdint>
#include <span>
#include <string>

inline constexpr int kDesignScreenWidth = 800, kDesignScreenHeight = 600;

// Round() of the classic run-time: to the nearest integer, halves to even.
int RoundHalfEven(double v);

// s = ((screen width + screen height) div 2) / ((design width + design height) div 2) - 1, the
// division in floating point; a design of 0 x 0 means 800 x 600.
double GetAutoZoomRate(int designWidth, int designHeight, int screenWidth, int screenHeight);
// Points the break window and the own screen saver add to their fonts: Round(s x 100) div 10 for
// the 800 x 600 design, with no limit (negative on screens below it).
int GetAutoFontAdjust(int screenWidth, int screenHeight);

// Items of a window's zoom mode combo box.
enum TZoomMode { zmDesignSize = 0, zmAuto = 1, zmCustom = 2 };
inline constexpr int kZoomPercentMin = 0, kZoomPercentMax = 100;

// The percent a mode gives: design size 0; automatic Round(s x 100) held within 0..100 as its
// scroll bar holds it; custom (and no selection) keeps the current percent.
int ZoomPercentForMode(int mode, int currentPercent, int screenWidth, int screenHeight);
// z = 1 + percent / 100.
double ZoomFactor(int percent);
// Round(length x z), computed exactly so that halves go to even as the rule says.
int ZoomLength(int designLength, int percent);

enum class ZoomWindow { CountDown, HintSmall, RemindCenter };

struct ZoomWindowInfo {
  ZoomWindow window;
  const wchar_t* modeCombo;
  const wchar_t* percentScrollBar;
  const wchar_t* percentLabel;
  const wchar_t* fontAdjust;  // the up-down of the font-size adjustment
  int designMin, designMax;   // its range as designed
  bool rangeFollowsPercent;   // the range moves to adjustment - 3 .. + 3 when the percent changes
};

std::span<const ZoomWindowInfo> ZoomWindows();
const ZoomWindowInfo& ZoomWindowInfoOf(ZoomWindow w);

// What a changed percent does: the label's text, the reset font adjustment (percent div 10) and
// the adjustment's range from then on.
struct ZoomPercentChange {
  std::wstring label;
  int fontAdjust;
  int min, max;
};
ZoomPercentChange ZoomPercentChanged(ZoomWindow w, int percent);

// Reminder kinds (FRemindKind) and what the two reminder windows show for each.
enum TRemindKind : uint8_t { rkNextBreak = 0, rkMinsToBreak = 1, rkRemindHour = 2, rkRemindOnce1 = 3, rkRemindOnce2 = 4 };
// Items of the window-type choosers.
enum TRemindWindowType { rwSmallWindow = 0, rwCenterWindow = 1 };

enum class RemindValue {
  NextBreakTime,  // the next break's time in the system's long time format
  MinsToBreak,    // MinsToBreakText
  TimeNow,        // RemindClockText of now
};
enum class RemindClick { OpenStatistics, Nothing, OpenAlarmPage };

inline constexpr unsigned kSndAsync = 0x0001, kSndLoop = 0x0008, kSndPurge = 0x0040;

struct RemindKindInfo {
  TRemindKind kind;
  const wchar_t* title;
  const wchar_t* label;
  RemindValue value;
  const wchar_t* bodyColour;      // colour box of the settings dialog
  const wchar_t* borderColour;    // colour box, used by the centre window
  const wchar_t* content;         // the centre window's content line, or nullptr when ...
  const wchar_t* contentControl;  // ... it is the text of this edit of the settings dialog
  const wchar_t* chooser;         // the window-type combo box that picks the window
  const wchar_t* sound;           // below the Windows folder
  unsigned soundFlags;            // sndPlaySound flags; a looping sound is purged on close
  bool closesByItself;            // by the window's auto-close timer
  RemindClick click;              // then the window closes
};

std::span<const RemindKindInfo> RemindKinds();
// nullptr for a kind outside the table.
const RemindKindInfo* FindRemindKind(int kind);

// "<n> 分钟"
std::wstring MinsToBreakText(int mins);
// "hh:mm:00"
std::wstring RemindClockText(int hour, int minute);
