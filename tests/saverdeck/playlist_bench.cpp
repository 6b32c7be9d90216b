// Load, save and shuffle of a 10,000-line playlist, as figures. Not a test: run it by hand
// (scripts/bench-saverdeck).
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "PlaylistFile.h"

namespace {
double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}
}  // namespace

int main() {
  wchar_t tmp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tmp);
  const std::wstring path = std::wstring(tmp) + L"playlist_bench.qvml";
  TPlaylistLines list;
  for (int i = 0; i < 10000; ++i) {
    list.texts.push_back(L"C:\\音乐\\专辑" + std::to_wstring(i / 12) + L"\\第" + std::to_wstring(i) + L"首.mp3");
    list.marks.push_back(i % 3 == 0);
  }
  list.selected = 5000;
  const int rounds = 5;
  double save = 1e9, load = 1e9, shuffle = 1e9;
  for (int r = 0; r < rounds; ++r) {
    double t0 = Now();
    WritePlaylistFile(path, list.texts);
    double t1 = Now();
    std::vector<std::wstring> read = ReadPlaylistFile(path);
    double t2 = Now();
    TPlaylistLines copy = list;
    std::mt19937 gen{unsigned(r)};
    ShuffleLines(copy, [&gen](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); });
    double t3 = Now();
    if (read.size() != list.texts.size()) std::printf("read %zu lines\n", read.size());
    save = std::min(save, t1 - t0);
    load = std::min(load, t2 - t1);
    shuffle = std::min(shuffle, t3 - t2);
  }
  DeleteFileW(path.c_str());
  std::printf("10000-line playlist, best of %d: save %.2f ms, load %.2f ms, shuffle %.2f ms\n", rounds, save, load,
              shuffle);
  return 0;
}
