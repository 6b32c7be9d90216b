#pragma once
// The player's plain rules without windows: the second start's playlist hand-over, the table of
// the command messages that the siblings post, and the geometry of the main window's button row.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The tray icon's callback message and its id.
inline constexpr UINT WM_SAVERDECK_TRAY = WM_USER + 3;
inline constexpr UINT kSaverDeckTrayId = 102;

// A second start hands a playlist over only for exactly "/L" followed by a path (letter case
// counts); args are the command-line arguments after the program's name. True with the path.
bool PlaylistHandOverPath(const std::vector<std::wstring>& args, std::wstring& path);

// What a command message asks of the main window.
enum class TPlayerOp : uint8_t {
  ShowAndLoadList,  // WM_SAVERDECK_SHOW
  ToggleAccomp,     // force in the action
  NextMusic,
  ScrRun,           // random and music in the action
  SetupAccomp,
  ShowHide,
  ShowPlay,
  StopMusic,
  Tray,
};

inline constexpr int8_t kMusicAsSet = -1;  // the music choice as the settings' status list stands

struct TCommandAction {
  UINT msg;
  TPlayerOp op;
  uint8_t random = 0;  // ScrRun: 1 = savers at random
  int8_t music = 0;    // ScrRun: 0 with music, 1 without, kMusicAsSet
  bool force = false;  // ToggleAccomp: restart even when the accompaniment is what plays
};

// The action of a message the main window receives; nullptr for any other message (0x8195 and
// 0x8196 among them: the siblings' command table has them, the player answers nothing).
const TCommandAction* CommandActionFor(UINT msg);

// Lefts of a row of buttons that overlap their neighbours by one pixel: the first at firstLeft,
// each next at the previous Left + Width - 1.
std::vector<int> ButtonRowLefts(int firstLeft, const std::vector<int>& widths);

// The main window's place at start: centred on the screen's width and the work area's height.
POINT CentredFormPlace(int screenWidth, int workAreaHeight, int formWidth, int formHeight);
