#include "PlayRules.h"

#include "SaverDeckSeams.h"

bool PlayModeOfItemName(const std::wstring& name, TPlayMode& mode) {
  for (int i = 0; i < kPlayModeCount; ++i)
    if (name == kPlayModeItemNames[i]) {
      mode = TPlayMode(i);
      return true;
    }
  return false;
}

int AdvanceByMode(TPlayMode mode, int count, int current, const std::function<int(int)>& random) {
  if (count <= 0) return kNoItem;
  if (current >= count) current = kNoItem;
  const int last = count - 1;
  switch (mode) {
    case TPlayMode::Single:
      return kNoItem;
    case TPlayMode::LoopSingle:
      return current == kNoItem ? 0 : current;
    case TPlayMode::Random:
      return random(count);
    case TPlayMode::ShunXu:
      if (count == 1 || current == last) return kNoItem;
      return current + 1;  // none current: the first
    case TPlayMode::LoopShunXu:
      if (count == 1 || current == last) return 0;
      return current + 1;
    case TPlayMode::NiXu:
      if (count == 1 || current == 0) return kNoItem;
      return current == kNoItem ? last : current - 1;
    case TPlayMode::LoopNiXu:
      if (count == 1) return 0;
      if (current == 0 || current == kNoItem) return last;
      return current - 1;
  }
  return kNoItem;
}

int NextLine(int count, int current) {
  if (count < 1) return kNoItem;
  if (current == count - 1 || current < 0 || current >= count) return 0;
  return current + 1;
}

int PreviousLine(int count, int current) {
  if (count < 2 || current < 0 || current >= count) return kNoItem;
  return current == 0 ? count - 1 : current - 1;
}

std::wstring FallbackMusic(const std::wstring& ownFile, const std::wstring& builtInFile) {
  return ownFile.empty() ? builtInFile : ownFile;
}

TPlayChoice ChoosePlay(int state, bool accompaniment, int source, int count, int current,
                       const std::wstring& ownFile, const std::wstring& builtInFile) {
  TPlayChoice c;
  if (state == kPlayStatePlaying) return c;
  if (accompaniment && (source == 2 || source == 3)) {
    c.file = source == 2 ? ownFile : builtInFile;
    if (!c.file.empty()) c.kind = TPlayChoice::File;
    return c;
  }
  if (count > 0) {
    c.kind = TPlayChoice::ListLine;
    c.line = current >= 0 && current < count ? current : 0;
    return c;
  }
  if (!accompaniment) {
    c.kind = TPlayChoice::AddThenAsk;
    return c;
  }
  c.file = FallbackMusic(ownFile, builtInFile);
  if (!c.file.empty()) c.kind = TPlayChoice::File;
  return c;
}
