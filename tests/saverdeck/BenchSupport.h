#pragma once
// What the player's in-process benchmarks share: the clock, the printed figures, and the world of
// an installed player for the run's scope.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "TextFile.h"
#include "uniQVShare.h"
#include "uniSetupSaverDeck.h"

inline double MsBetween(const LARGE_INTEGER& a, const LARGE_INTEGER& b, const LARGE_INTEGER& f) {
  return double(b.QuadPart - a.QuadPart) * 1000.0 / double(f.QuadPart);
}

// "what: min, median, max (n units)".
inline void ReportTimes(const char* what, std::vector<double> v, const char* units) {
  std::sort(v.begin(), v.end());
  std::printf("%s: min %.2f ms, median %.2f ms, max %.2f ms (%zu %s)\n", what, v.front(), v[v.size() / 2], v.back(),
              v.size(), units);
}

// The player's path file names this executable (no first run is timed) and svd25cfg is looked for
// in a temporary folder; the path file as it was comes back at the end.
class BenchPlayerWorld {
 public:
  explicit BenchPlayerWorld(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    SetPlayerConfigFolder(folder);
    hadPathFile_ = FileExists(pathFile_);
    if (hadPathFile_) oldPathFile_ = ReadTextLines(pathFile_);
    WritePathFile(kSaverDeckPathFile, OwnExePath(), kSaverDeckPathFileVersion);
  }
  ~BenchPlayerWorld() {
    RemoveDirectoryW(folder.c_str());
    if (hadPathFile_) WriteTextLines(pathFile_, oldPathFile_);
    else DeleteFileW(pathFile_.c_str());
  }
  BenchPlayerWorld(const BenchPlayerWorld&) = delete;
  BenchPlayerWorld& operator=(const BenchPlayerWorld&) = delete;
  std::wstring folder;

 private:
  const std::wstring pathFile_ = PathFileFolder() + L"\\" + kSaverDeckPathFile;
  bool hadPathFile_ = false;
  std::vector<std::wstring> oldPathFile_;
};
