#pragma once
// The screen-saver run's decisions without windows: which saver comes next, how long it plays,
// when a run's end stops the music, and what the end detector does at its tick.
#include <cstdint>
#include <functional>
#include <string>

// The saver list's display name of a saver file: the break reminder's name table.
std::wstring SaverDeckScrDisplayName(const std::wstring& fileName);

// The entry of the saver list ("(无)" at 0, count entries in all) that a run starts next, or 0 when
// the list holds no saver. random(n) gives 0 .. n-1. A random run draws any saver, the last one
// too; the first saver of a run in turn is the selected one (entry 1 for none or "(无)"); after that
// each next one, and entry 1 after the last.
int NextScrEntry(bool randomOrder, bool firstStart, int selected, int count, const std::function<int(int)>& random);

// The saver whose display name this is plays 100 seconds, whatever the setting.
inline constexpr const wchar_t* kLongPlaySaverName = L"Quovel幻灯屏幕保护程序";
inline constexpr unsigned kLongPlaySaverMs = 100000;
// The play time of one saver: 100 s for kLongPlaySaverName (any ASCII letter case, as an unlisted
// saver's name is its lower-cased file name), else the setting's seconds.
unsigned ScrPlayTimeMs(const std::wstring& displayName, int playEachSeconds);

// Whether the run's music is its own: a run with music that started the music itself. Only such a
// run watches its saver for the user's end, and stops the music as it ends, the same at every end
// (the detector, a play-each tick that finds the saver gone, "退出", a saver that cannot be ended,
// a saver found running at the transit).
bool RunOwnsMusic(uint8_t scrRunWithMusic, uint8_t musicWasPlaying);

// What the end detector does at its tick, after counting it.
enum class TDetectStep : uint8_t {
  EndRun,          // the saver is gone: the user ended it
  StopDetecting,   // near the play time's end, or the music stopped: the play-each tick takes over
  GoOn,
};
// detectCount counts this tick; playEachSeconds is the setting (also for the 100-second saver).
TDetectStep DetectStepFor(bool saverRunning, int detectCount, int playEachSeconds, int playState);
