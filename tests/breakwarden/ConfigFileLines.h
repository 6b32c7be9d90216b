#pragma once
// qv30cfg files as the tests lay them down.
#include <string>
#include <vector>

// The first nine lines a save of the design defaults writes: the notice and the rows [0] to [7].
// caption is the [5] row's active-caption colour as the file holds it.
inline std::vector<std::wstring> DefaultConfigHeadLines(const std::wstring& caption = L"16711680") {
  return {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！",
          L"[0] 2",
          L"[1] 0 30 FALSE FALSE",
          L"[2] 2 1 FALSE 10 FALSE 30 FALSE 0 FALSE FALSE TRUE 30",
          L"[3] TRUE FALSE FALSE 0 0 FALSE 0 0 1 1 8421504 65535 8421504 65535",
          L"[4] 0 FALSE TRUE 24 5 32 12 200 112",
          L"[5] 0 1 0 0 " + caption + L" 16777215",
          L"[6] 0 0 1 1 0 0",
          L"[7] TRUE FALSE"};
}

// Those lines followed by more.
inline std::vector<std::wstring> DefaultConfigHeadLinesAnd(std::vector<std::wstring> rest,
                                                           const std::wstring& caption = L"16711680") {
  std::vector<std::wstring> lines = DefaultConfigHeadLines(caption);
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}
