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
  if (s.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(codePage, 0, s.data(), int(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Utf8ToWide(std::string_view s) { return CodePageToWide(s, CP_UTF8); }
std::string WideToUtf8(std::wstring_view s) { return WideToCodePage(s, CP_UTF8); }

std::wstring IntToStr(long long v) { return std::to_wstring(v); }

static bool ParseInt(const std::wstring& text, int& out) {
  std::wstring s = Trim(text);
  if (s.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (s[i] == L'-' || s[i] == L'+') neg = s[i++] == L'-';
  int base = 10;
  if (i < s.size() && s[i] == L'$') { base = 16; ++i; }
  else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) { base = 16; i += 2; }
  if (i >= s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    wchar_t c = s[i];
    int d;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') d = c - L'A' + 10;
    else return false;
    v = v * base + d;
    if (v > 0x100000000LL) return false;
  }
  if (neg) v = -v;
  if (base == 10 && (v > INT_MAX || v < INT_MIN)) return false;
  out = int(v);  // hex wraps into the 32-bit range as the classic run-time does
  return true;
}

int StrToInt(const std::wstring& s) {
  int v;
  if (!ParseInt(s, v)) throw EConvertError(InvalidIntegerMessage(s));
  return v;
}

std::wstring InvalidIntegerMessage(const std::wstring& s) { return L"'" + s + L"' is not a valid integer value"; }

int StrToIntDef(const std::wstring& s, int def) {
  int v;
  return ParseInt(s, v) ? v : def;
}

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
