#pragma once
// Fakes for the player's own seams (saverdeck/SaverDeckSeams.h), each installed for a test's scope.
#include <deque>
#include <string>
#include <vector>

#include "SaverDeckSeams.h"
#include "uniVolume.h"

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

// Device 0 with a speakers line whose mute control holds `muted`.
class FakeMixer : public MixerSeam {
 public:
  enum Step { kNone, kNoDevice, kOpen, kLine, kControls, kRead, kWrite };
  FakeMixer() : saved_(&Mixer()) { SetMixerSeam(this); }
  ~FakeMixer() override { SetMixerSeam(saved_ == this ? nullptr : saved_); }
  Step failAt = kNone;
  bool muted = false;
  int opens = 0, closes = 0, reads = 0, writes = 0;
  bool sizesRight = true;

  UINT NumDevs() override { return failAt == kNoDevice ? 0 : 1; }
  MMRESULT Open(HMIXER* m, UINT device) override {
    if (failAt == kOpen || device != 0) return MMSYSERR_BADDEVICEID;
    ++opens;
    *m = reinterpret_cast<HMIXER>(0x1234);
    return MMSYSERR_NOERROR;
  }
  MMRESULT Close(HMIXER m) override {
    if (m == reinterpret_cast<HMIXER>(0x1234)) ++closes;
    return MMSYSERR_NOERROR;
  }
  MMRESULT GetLineInfo(HMIXER, MIXERLINEW* l, DWORD flags) override {
    sizesRight = sizesRight && l->cbStruct == sizeof(MIXERLINEW);
    if (failAt == kLine || flags != MIXER_GETLINEINFOF_COMPONENTTYPE ||
        l->dwComponentType != MIXERLINE_COMPONENTTYPE_DST_SPEAKERS)
      return MIXERR_INVALLINE;
    l->dwLineID = 0xFFFF0000;
    return MMSYSERR_NOERROR;
  }
  MMRESULT GetLineControls(HMIXER, MIXERLINECONTROLSW* c, DWORD flags) override {
    sizesRight = sizesRight && c->cbStruct == sizeof(MIXERLINECONTROLSW) && c->cbmxctrl == sizeof(MIXERCONTROLW);
    if (failAt == kControls || flags != MIXER_GETLINECONTROLSF_ONEBYTYPE || c->dwLineID != 0xFFFF0000 ||
        c->dwControlType != MIXERCONTROL_CONTROLTYPE_MUTE || c->cControls != 1)
      return MIXERR_INVALCONTROL;
    c->pamxctrl->dwControlID = 7;
    return MMSYSERR_NOERROR;
  }
  MMRESULT GetControlDetails(HMIXER, MIXERCONTROLDETAILS* d, DWORD) override {
    ++reads;
    if (failAt == kRead || !DetailsRight(d)) return MMSYSERR_INVALPARAM;
    static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(d->paDetails)->fValue = muted;
    return MMSYSERR_NOERROR;
  }
  MMRESULT SetControlDetails(HMIXER, MIXERCONTROLDETAILS* d, DWORD) override {
    ++writes;
    if (failAt == kWrite || !DetailsRight(d)) return MMSYSERR_INVALPARAM;
    muted = static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(d->paDetails)->fValue != 0;
    return MMSYSERR_NOERROR;
  }

 private:
  bool DetailsRight(const MIXERCONTROLDETAILS* d) {
    sizesRight = sizesRight && d->cbStruct == sizeof(MIXERCONTROLDETAILS) &&
                 d->cbDetails == sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    return d->dwControlID == 7 && d->cChannels == 1;
  }
  MixerSeam* saved_;
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
