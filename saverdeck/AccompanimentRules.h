#pragma once
// The accompaniment's rules without windows: which file the settings call for, and what the
// siblings' toggle and restart commands do with the music that is loaded.
#include <string>
#include <vector>

// The four accompaniment sources, the item indexes of both source lists.
inline constexpr int kAccompAuto = 0, kAccompPlaylist = 1, kAccompOwnFile = 2, kAccompBuiltIn = 3;

// The file the accompaniment would play: for sources 0 and 1 the playlist's current line (the
// first with none current), with an empty playlist the own file, else the built-in one; 2 the own
// file, 3 the built-in one; empty for nothing, and for any other source. It is what the play
// command's accompaniment variant picks.
std::wstring ExpectedAccompaniment(int source, const std::vector<std::wstring>& playlist, int current,
                                   const std::wstring& ownFile, const std::wstring& builtInFile);

// What the toggle (force false) or the restart (force true) does.
enum class TToggleStep {
  Pause,    // the accompaniment plays: pause it
  Resume,   // it is paused: go on
  Restart,  // other music is loaded, or a restart: stop it and play the accompaniment
  Play,     // nothing loaded: play the accompaniment
};
// state: the control's play state; lastURL: the file the program last gave the control;
// expected: ExpectedAccompaniment. With nothing to play (expected empty) the music that is loaded
// is only paused or resumed, never stopped for nothing.
TToggleStep ToggleStep(int state, const std::wstring& lastURL, const std::wstring& expected, bool force);
