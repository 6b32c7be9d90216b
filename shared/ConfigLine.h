#pragma once
// The section lines of the family's configuration files (qv30cfg, svd25cfg, qvccfg): a tag, then values each
// after one blank. One reading of them for every file.
#include <string>
#include <vector>

// Value i (1-based) is the text after the i-th blank up to the next one; the tag before the first
// blank is dropped, and two blanks in a row make an empty value. Only the first `most` values are
// taken: a damaged line of a million blanks costs no million strings.
std::vector<std::wstring> SplitConfigFields(const std::wstring& line, size_t most = 64);
// A boolean as the files write it: true when the lower-cased text is "true", false for anything else.
bool ConfigTextIsTrue(const std::wstring& text);
// A whole-line text or path as a file holds it: control characters (NUL, a CR or LF, a tab...)
// are no part of the text a line of these files holds, so they are dropped.
std::wstring CleanConfigText(const std::wstring& text);

// A value of a configuration file that did not convert and kept its default. position is its
// 1-based place in a section line, 0 for a whole line.
struct ConfigSkip {
  int line;
  int position;
  std::wstring value;  // the text as the file holds it
};
// The one text the user is shown for a damaged file: what was skipped, by line and place, each
// value cut to maxValueChars with control characters (NUL among them) made visible; at most `listed`
// values are named, the rest counted. Empty when nothing was skipped.
std::wstring ConfigSkipSummary(const std::wstring& fileName, const std::vector<ConfigSkip>& skips, size_t listed = 8,
                               size_t maxValueChars = 40);
