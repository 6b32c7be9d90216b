#pragma once
// The playlist file (.qvml) and the playlist's own operations, without windows: one full path per
// line in GBK, CR LF after every line, no header; the list commands over lines that carry a mark
// and a current line.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a playlist file's text: CR LF, LF or a lone CR end a line; a last line without an
// end is a line; an empty line is an empty entry; the text ends at a NUL.
std::vector<std::wstring> ParsePlaylistText(const std::wstring& text);
// A playlist file's bytes, decoded from GBK up to the first NUL, as lines.
std::vector<std::wstring> DecodePlaylistBytes(std::string_view bytes);
// The largest playlist file read: far above the 200,000 entries a list holds in a few MB, far below
// what would take the player's memory.
inline constexpr unsigned long long kPlaylistMaxBytes = 64ull << 20;
// A playlist file, decoded from GBK (bytes that are not GBK decode as the system decodes them).
// EInOutError when it cannot be read, is larger than the bound, or is no regular file (a device).
std::vector<std::wstring> ReadPlaylistFile(const std::wstring& path);
// Writes the file whole, beside the old one first, so a failed write leaves the old file as it was.
// Each line as the file can keep it (StorableName); a line that has no such form is left out, so
// no line names another file. Returns the lines left out. EInOutError when it cannot be written.
std::vector<std::wstring> WritePlaylistFile(const std::wstring& path, const std::vector<std::wstring>& lines);

// The playlist as its commands see it: each line's text and mark, and the current line (-1 none).
struct TPlaylistLines {
  std::vector<std::wstring> texts;
  std::vector<bool> marks;
  int selected = -1;
};

// "乱序": for every position i in order, swap it with a random position r in 0..n-1 (random(n));
// marks travel with their lines and the current line follows its text.
void ShuffleLines(TPlaylistLines& list, const std::function<int(int n)>& random);
// "上移" / "下移": the current line one place up or down, still current; false when it cannot move.
bool MoveLineUp(TPlaylistLines& list);
bool MoveLineDown(TPlaylistLines& list);
// "删除这首": the current line goes; the line that followed it becomes current (none at the end).
bool DeleteCurrentLine(TPlaylistLines& list);
// "删除钩选" (marked true) / "删除未钩选" (false): every line whose mark is so goes; the current line
// is kept when it stays, else none.
void DeleteMarkedLines(TPlaylistLines& list, bool marked);

// The player's start switches: only the first argument counts, compared exactly.
enum class TStartSwitch { None, SiblingStart, LoadList };
// "/A" -> SiblingStart; "/L" with a second argument -> LoadList with that path; anything else None.
TStartSwitch ParseStartSwitch(const std::vector<std::wstring>& args, std::wstring& path);
