#pragma once
// Master mute of the sound card through the Windows audio mixer (device 0).
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// The mixer calls, so that a test can make each step fail; the real one calls winmm.
class MixerSeam {
 public:
  virtual ~MixerSeam() = default;
  virtual UINT NumDevs();
  virtual MMRESULT Open(HMIXER* mixer, UINT device);
  virtual MMRESULT Close(HMIXER mixer);
  virtual MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEW* line, DWORD flags);
  virtual MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSW* controls, DWORD flags);
  virtual MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags);
  virtual MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags);
};
MixerSeam& Mixer();
void SetMixerSeam(MixerSeam* seam);  // nullptr: the real mixer

// Line 0 is the speakers; 1 microphone, 2 wave out, 3 synthesizer.
bool GetMute(uint8_t line);
// value 1 mutes, 0 gives sound.
void SetMute(uint8_t line, uint8_t value);
