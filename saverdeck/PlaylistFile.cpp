#include "PlaylistFile.h"

#include <windows.h>

#include <algorithm>

#include "TextFile.h"

std::vector<std::wstring> ParsePlaylistText(const std::wstring& text) {
  std::vector<std::wstring> lines;
  const size_t end = std::min(text.find(L'\0'), text.size());
  size_t start = 0;
  while (start < end) {
    size_t i = start;
    while (i < end && text[i] != L'\r' && text[i] != L'\n') ++i;
    lines.push_back(text.substr(start, i - start));
    if (i < end && text[i] == L'\r' && i + 1 < end && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  return lines;
}

std::vector<std::wstring> DecodePlaylistBytes(std::string_view bytes) {
  // The text ends at a NUL: a binary file loads what stands before its first zero byte.
  return DecodeTextLines(bytes.substr(0, std::min(bytes.find('\0'), bytes.size())), TLineEnds::CrLfOrLfOrCr);
}

std::vector<std::wstring> ReadPlaylistFile(const std::wstring& path) {
  const std::string bytes = ReadBoundedFile(path, kPlaylistMaxBytes, L"a playlist");
  return DecodePlaylistBytes(bytes);
}

std::vector<std::wstring> WritePlaylistFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
  NameKeeper keeper;
  std::vector<std::wstring> kept;
  kept.reserve(lines.size());
  for (const std::wstring& line : lines) {
    std::wstring stored;
    if (keeper.CanKeep(line, stored)) kept.push_back(stored);
  }
  WriteTextLines(path, kept);
  return keeper.Lost();
}

namespace {
void SwapLines(TPlaylistLines& list, int a, int b) {
  std::swap(list.texts[size_t(a)], list.texts[size_t(b)]);
  bool mark = list.marks[size_t(a)];
  list.marks[size_t(a)] = list.marks[size_t(b)];
  list.marks[size_t(b)] = mark;
}
}  // namespace

void ShuffleLines(TPlaylistLines& list, const std::function<int(int n)>& random) {
  const int n = int(list.texts.size());
  list.marks.resize(size_t(n), false);
  int s = list.selected;
  for (int i = 0; i < n; ++i) {
    int r = random(n);
    if (r < 0 || r >= n) continue;
    SwapLines(list, i, r);
    if (i == s) s = r;
    else if (r == s) s = i;
  }
  list.selected = s;
}

bool MoveLineUp(TPlaylistLines& list) {
  const int n = int(list.texts.size());
  list.marks.resize(size_t(n), false);
  if (n < 2 || list.selected < 1 || list.selected >= n) return false;
  SwapLines(list, list.selected, list.selected - 1);
  --list.selected;
  return true;
}

bool MoveLineDown(TPlaylistLines& list) {
  const int n = int(list.texts.size());
  list.marks.resize(size_t(n), false);
  if (n < 2 || list.selected < 0 || list.selected >= n - 1) return false;
  SwapLines(list, list.selected, list.selected + 1);
  ++list.selected;
  return true;
}

bool DeleteCurrentLine(TPlaylistLines& list) {
  const int n = int(list.texts.size());
  list.marks.resize(size_t(n), false);
  const int p = list.selected;
  if (p < 0 || p >= n) return false;
  list.texts.erase(list.texts.begin() + p);
  list.marks.erase(list.marks.begin() + p);
  list.selected = p < int(list.texts.size()) ? p : -1;
  return true;
}

void DeleteMarkedLines(TPlaylistLines& list, bool marked) {
  const int n = int(list.texts.size());
  list.marks.resize(size_t(n), false);
  TPlaylistLines kept;
  for (int i = 0; i < n; ++i) {
    if (list.marks[size_t(i)] == marked) continue;
    if (i == list.selected) kept.selected = int(kept.texts.size());
    kept.texts.push_back(list.texts[size_t(i)]);
    kept.marks.push_back(list.marks[size_t(i)]);
  }
  list = std::move(kept);
}

TStartSwitch ParseStartSwitch(const std::vector<std::wstring>& args, std::wstring& path) {
  if (args.empty()) return TStartSwitch::None;
  if (args[0] == L"/A") return TStartSwitch::SiblingStart;
  if (args[0] == L"/L" && args.size() >= 2) {
    path = args[1];
    return TStartSwitch::LoadList;
  }
  return TStartSwitch::None;
}
