#include "ConfigLine.h"

#include <algorithm>

std::vector<std::wstring> SplitConfigFields(const std::wstring& line, size_t most) {
  std::vector<std::wstring> values;
  size_t p = line.find(L' ');
  while (p != std::wstring::npos && values.size() < most) {
    size_t next = line.find(L' ', p + 1);
    values.push_back(line.substr(p + 1, next == std::wstring::npos ? std::wstring::npos : next - p - 1));
    p = next;
  }
  return values;
}

bool ConfigTextIsTrue(const std::wstring& text) {
  static const std::wstring kTrue = L"true";
  // ASCII letters only: no locale's case mapping turns another letter into one of these.
  return text.size() == kTrue.size() &&
         std::equal(text.begin(), text.end(), kTrue.begin(),
                    [](wchar_t a, wchar_t b) { return (a >= L'A' && a <= L'Z' ? a + 32 : a) == b; });
}
