#include "ScrRunRules.h"

#include "SaverDeckSeams.h"
#include "ScreenSavers.h"

namespace {
bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c + (L'a' - L'A')) : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}
}  // namespace

std::wstring SaverDeckScrDisplayName(const std::wstring& fileName) { return ScrDisplayName(fileName); }

int NextScrEntry(bool randomOrder, bool firstStart, int selected, int count, const std::function<int(int)>& random) {
  if (count < 2) return 0;
  if (randomOrder) return random(count - 1) + 1;
  if (firstStart) return selected >= 1 && selected < count ? selected : 1;
  // None selected, "(无)" chosen meanwhile, or past the last: the first saver.
  return selected >= 0 && selected < count - 1 ? selected + 1 : 1;
}

unsigned ScrPlayTimeMs(const std::wstring& displayName, int playEachSeconds) {
  if (SameIgnoringAsciiCase(displayName, kLongPlaySaverName)) return kLongPlaySaverMs;
  return unsigned(playEachSeconds > 0 ? playEachSeconds : 0) * 1000u;
}

bool RunOwnsMusic(uint8_t scrRunWithMusic, uint8_t musicWasPlaying) {
  return scrRunWithMusic == 1 && musicWasPlaying == 0;
}

TDetectStep DetectStepFor(bool saverRunning, int detectCount, int playEachSeconds, int playState) {
  if (!saverRunning) return TDetectStep::EndRun;
  // At or past the count: a play time shortened in the middle of a run is no longer missed.
  if (detectCount >= playEachSeconds - 2 || playState == kPlayStateStopped) return TDetectStep::StopDetecting;
  return TDetectStep::GoOn;
}
