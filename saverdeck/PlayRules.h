#pragma once
// The player's playback rules without windows: what follows when a file ends under each play
// mode, the next and previous line, and what a play command plays.
#include <functional>
#include <string>

// The seven play modes, in the order of their menu items.
enum class TPlayMode { Single, LoopSingle, ShunXu, NiXu, LoopShunXu, LoopNiXu, Random };
inline constexpr int kPlayModeCount = 7;
// The menu items' names, in the order of TPlayMode.
inline constexpr const wchar_t* kPlayModeItemNames[kPlayModeCount] = {
    L"NModeSingle", L"NModeLoopSingle", L"NModeShunXu", L"NModeNiXu", L"NModeLoopShunXu", L"NModeLoopNiXu",
    L"NModeRandom"};
// The mode a menu item of that name chooses; false for any other name.
bool PlayModeOfItemName(const std::wstring& name, TPlayMode& mode);

inline constexpr int kNoItem = -1;

// The line to play when a file has ended, or kNoItem for nothing more. current is the selected
// line (kNoItem for none); random(n) gives 0 .. n-1. With no current line the forward modes and
// "单曲循环" take the first line, the reverse modes the last.
int AdvanceByMode(TPlayMode mode, int count, int current, const std::function<int(int)>& random);

// Next: needs a line; after the last (or with none current) comes the first.
int NextLine(int count, int current);
// Previous: needs two lines; before the first comes the last. With no current line: none, so
// that play then takes the first.
int PreviousLine(int count, int current);

// What a play command plays.
struct TPlayChoice {
  enum Kind {
    Nothing,       // already playing, or nothing to play
    ListLine,      // the playlist's line `line`
    File,          // a file outside the playlist (own or built-in accompaniment)
    AddThenAsk,    // empty playlist: the open dialog, then the question
  } kind = Nothing;
  int line = kNoItem;
  std::wstring file;
};
// state: the control's play state; accompaniment: the run's music variant; source: the
// accompaniment source (0 automatic, 1 playlist, 2 own file, 3 built-in); count and current:
// the playlist.
TPlayChoice ChoosePlay(int state, bool accompaniment, int source, int count, int current,
                       const std::wstring& ownFile, const std::wstring& builtInFile);
// With an empty playlist, after the question's Yes (or at once for the accompaniment): the own
// file, else the built-in one; empty for nothing.
std::wstring FallbackMusic(const std::wstring& ownFile, const std::wstring& builtInFile);
