#pragma once
// Text conversions used by the form layer and the programs. Inside the programs text is UTF-16;
// the files the programs define are GBK (code page 936), handled by the shared toolkit.
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
// Code-page conversions (CP_ACP, 936, ...). Characters that do not convert become '?' (never a
// look-alike of another character).
std::wstring CodePageToWide(std::string_view s, unsigned codePage);
std::string WideToCodePage(std::wstring_view s, unsigned codePage);
// The same conversion, saying whether it lost nothing: false when a character has no form in the
// code page and became '?'.
bool WideToCodePageExact(std::wstring_view s, unsigned codePage, std::string& out);

std::wstring IntToStr(long long v);
// Whole-string decimal or $hex conversion, as the classic run-time does; raises EConvertError
// "'%s' is not a valid integer value" when the text is not a number.
int StrToInt(const std::wstring& s);
// The conversion error's text for a value: "'%s' is not a valid integer value".
std::wstring InvalidIntegerMessage(const std::wstring& s);
int StrToIntDef(const std::wstring& s, int def);
std::wstring Trim(const std::wstring& s);
// A value from a file as an error text may quote it: control characters (NUL among them) become
// '?', and a text longer than maxChars is cut there and ends in "…" (never inside a surrogate pair).
std::wstring ReadableValue(std::wstring_view s, size_t maxChars);
// A path as a box quotes it: readable as ReadableValue makes a value, and one longer than
// kMaxQuotedPathChars keeps its start and its end (the file's name) around a "…".
inline constexpr size_t kMaxQuotedPathChars = 120;
std::wstring ReadablePath(std::wstring_view path);
// A message box's text as the user can read it: a NUL would end it early, so it shows as '?', and
// a text beyond kMaxBoxTextChars is cut with "…".
inline constexpr size_t kMaxBoxTextChars = 2000;
std::wstring BoxText(std::wstring_view s);
std::wstring UpperCase(const std::wstring& s);
