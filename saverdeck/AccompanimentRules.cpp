#include "AccompanimentRules.h"

#include "PlayRules.h"
#include "SaverDeckSeams.h"

std::wstring ExpectedAccompaniment(int source, const std::vector<std::wstring>& playlist, int current,
                                   const std::wstring& ownFile, const std::wstring& builtInFile) {
  if (source < kAccompAuto || source > kAccompBuiltIn) return L"";
  // The play command's own choice, asked as if nothing played.
  const TPlayChoice c =
      ChoosePlay(kPlayStateStopped, true, source, int(playlist.size()), current, ownFile, builtInFile);
  switch (c.kind) {
    case TPlayChoice::ListLine: return playlist[size_t(c.line)];
    case TPlayChoice::File: return c.file;
    default: return L"";
  }
}

TToggleStep ToggleStep(int state, const std::wstring& lastURL, const std::wstring& expected, bool force) {
  if (state != kPlayStatePlaying && state != kPlayStatePaused) return TToggleStep::Play;
  if (!expected.empty() && (force || lastURL != expected)) return TToggleStep::Restart;
  return state == kPlayStatePlaying ? TToggleStep::Pause : TToggleStep::Resume;
}
