#include "Text.h"

#include <windows.h>

std::wstring CodePageToWide(std::string_view s, unsigned codePage) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), out.data(), n);
  return out;
}

std::string WideToCodePage(std::wstring_view s, unsigned codePage) {
  std::string out;
  WideToCodePageExact(s, codePage, out);
  return out;
}

bool WideToCodePageExact(std::wstring_view s, unsigned codePage, std::string& out) {
  out.clear();
  if (s.empty()) return true;
  // UTF-8 holds every character and refuses the best-fit flag and the used-default answer.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* used = utf8 ? nullptr : &usedDefault;
  int n = WideCharToMultiByte(codePage, flags, s.data(), int(s.size()), nullptr, 0, nullptr, used);
  if (n == 0) {
    // A code page that takes no flags converts as it can, and nothing says what was lost.
    n = WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
    out.assign(size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), out.data(), n, nullptr, nullptr);
    return false;
  }
  out.assign(size_t(n), '\0');
  usedDefault = FALSE;
  WideCharToMultiByte(codePage, flags, s.data(), int(s.size()), out.data(), n, nullptr, used);
  return n > 0 && !usedDefault;
}

std::wstring Utf8ToWide(std::string_view s) { return CodePageToWide(s, CP_UTF8); }
std::string WideToUtf8(std::wstring_view s) { return WideToCodePage(s, CP_UTF8); }

std::wstring IntToStr(long long v) { return std::to_wstring(v); }

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && unsigned(s[b]) <= L' ') ++b;
  while (e > b && unsigned(s[e - 1]) <= L' ') --e;
  return s.substr(b, e - b);
}

namespace {
std::wstring CutText(std::wstring_view s, size_t maxChars) {
  if (s.size() <= maxChars) return std::wstring(s);
  size_t n = maxChars;
  if (n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF) --n;
  return std::wstring(s.substr(0, n)) + L"\u2026";
}
}  // namespace

std::wstring ReadableValue(std::wstring_view s, size_t maxChars) {
  std::wstring r = CutText(s, maxChars);
  for (wchar_t& c : r)
    if (c < L' ' || c == 0x7F) c = L'?';
  return r;
}

std::wstring ReadablePath(std::wstring_view path) {
  if (path.size() <= kMaxQuotedPathChars) return ReadableValue(path, kMaxQuotedPathChars);
  const size_t tail = kMaxQuotedPathChars / 2;
  size_t from = path.size() - tail;
  if (path[from] >= 0xDC00 && path[from] <= 0xDFFF) ++from;  // not the second half of a pair
  std::wstring head = ReadableValue(path, kMaxQuotedPathChars - tail);  // ends in the "…"
  return head + ReadableValue(path.substr(from), tail);
}

std::wstring BoxText(std::wstring_view s) {
  std::wstring r = CutText(s, kMaxBoxTextChars);
  for (wchar_t& c : r)
    if (c == L'\0') c = L'?';
  return r;
}

std::wstring UpperCase(const std::wstring& s) {
  std::wstring r = s;
  if (!r.empty()) CharUpperBuffW(r.data(), DWORD(r.size()));
  return r;
}
