#pragma once
// The section lines of the family's configuration files (qv30cfg, qvccfg): a tag, then values each
// after one blank. One reading of them for every file.
#include <string>
#include <vector>

// Value i (1-based) is the text after the i-th blank up to the next one; the tag before the first
// blank is dropped, and two blanks in a row make an empty value. Only the first `most` values are
// taken: a damaged line of a million blanks costs no million strings.
std::vector<std::wstring> SplitConfigFields(const std::wstring& line, size_t most = 64);
// A boolean as the files write it: true when the lower-cased text is "true", false for anything else.
bool ConfigTextIsTrue(const std::wstring& text);
