#include "ConfigLine.h"

#include <algorithm>

#include "Text.h"

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

std::wstring CleanConfigText(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text)
    if (c >= L' ' && c != 0x7F) out += c;
  return out;
}

std::wstring ConfigSkipSummary(const std::wstring& fileName, const std::vector<ConfigSkip>& skips, size_t listed,
                               size_t maxValueChars) {
  if (skips.empty()) return {};
  std::wstring text = fileName + L" 中有 " + IntToStr(skips.size()) + L" 个值无法读取，已保留默认值：";
  const size_t named = std::min(skips.size(), listed);
  for (size_t i = 0; i < named; ++i) {
    const ConfigSkip& s = skips[i];
    text += L"\n第 " + IntToStr(s.line) + L" 行";
    if (s.position > 0) text += L"第 " + IntToStr(s.position) + L" 个值";
    text += L"：" + InvalidIntegerMessage(ReadableValue(s.value, maxValueChars));
  }
  if (skips.size() > named) text += L"\n……另有 " + IntToStr(skips.size() - named) + L" 个。";
  return text;
}
