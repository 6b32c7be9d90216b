#pragma once
// Fakes for the player's own seams (saverdeck/SaverDeckSeams.h), each installed for a test's scope.
#include <deque>
#include <string>
#include <vector>

#include "SaverDeckSeams.h"

// Counts the shell's notices that file associations changed, instead of sending them.
class RecordingNotify : public ShellNotifySeam {
 public:
  RecordingNotify() : saved_(&ShellNotify()) { SetShellNotifySeam(this); }
  ~RecordingNotify() override { SetShellNotifySeam(saved_ == this ? nullptr : saved_); }
  void AssociationsChanged() override { ++count; }
  int count = 0;

 private:
  ShellNotifySeam* saved_;
};

// The ".scr" processes as a test sets them: running says how many run; an ending ends them all,
// unless they survive it. Every ending is written down.
class FakeSaverProcesses : public SaverProcessSeam {
 public:
  FakeSaverProcesses() : saved_(&SaverProcesses()) { SetSaverProcessSeam(this); }
  ~FakeSaverProcesses() override { SetSaverProcessSeam(saved_ == this ? nullptr : saved_); }
  bool IsExtRunning(const std::wstring& ext) override { return ext == L".scr" && running > 0; }
  bool KillByExt(const std::wstring& ext) override {
    kills.push_back(ext);
    if (!survive) running = 0;
    return !survive;
  }
  int running = 0;
  bool survive = false;
  std::vector<std::wstring> kills;

 private:
  SaverProcessSeam* saved_;
};

// Draws answered from a script (each taken modulo n); every draw's n and every reseed written down.
class ScriptedRandom : public PlayerRandomSeam {
 public:
  ScriptedRandom() : saved_(&PlayerRandom()) { SetPlayerRandomSeam(this); }
  ~ScriptedRandom() override { SetPlayerRandomSeam(saved_ == this ? nullptr : saved_); }
  void Randomize() override { ++reseeds; }
  int Random(int n) override {
    asked.push_back(n);
    int v = draws.empty() ? 0 : draws.front();
    if (!draws.empty()) draws.pop_front();
    return n > 0 ? v % n : 0;
  }
  std::deque<int> draws;
  std::vector<int> asked;
  int reseeds = 0;

 private:
  PlayerRandomSeam* saved_;
};
