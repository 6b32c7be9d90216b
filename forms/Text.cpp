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

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && unsigned(s[b]) <= L' ') ++b;
  while (e > b && unsigned(s[e - 1]) <= L' ') --e;
  return s.substr(b, e - b);
}

std::wstring UpperCase(const std::wstring& s) {
  std::wstring r = s;
  if (!r.empty()) CharUpperBuffW(r.data(), DWORD(r.size()));
  return r;
}
