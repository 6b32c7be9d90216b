#include "uniVolume.h"

#include "Forms.h"
#include "Seams.h"

UINT MixerSeam::NumDevs() { return mixerGetNumDevs(); }
MMRESULT MixerSeam::Open(HMIXER* mixer, UINT device) { return mixerOpen(mixer, device, 0, 0, MIXER_OBJECTF_MIXER); }
MMRESULT MixerSeam::Close(HMIXER mixer) { return mixerClose(mixer); }
MMRESULT MixerSeam::GetLineInfo(HMIXER mixer, MIXERLINEW* line, DWORD flags) {
  return mixerGetLineInfoW(HMIXEROBJ(mixer), line, flags);
}
MMRESULT MixerSeam::GetLineControls(HMIXER mixer, MIXERLINECONTROLSW* controls, DWORD flags) {
  return mixerGetLineControlsW(HMIXEROBJ(mixer), controls, flags);
}
MMRESULT MixerSeam::GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
  return mixerGetControlDetailsW(HMIXEROBJ(mixer), details, flags);
}
MMRESULT MixerSeam::SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
  return mixerSetControlDetails(HMIXEROBJ(mixer), details, flags);
}
MixerSeam& Mixer() { return SeamSlot<MixerSeam>::Instance().Get(); }
void SetMixerSeam(MixerSeam* seam) { SeamSlot<MixerSeam>::Instance().Set(seam); }

namespace {
const DWORD kComponentTypes[4] = {MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
                                  MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER};

void ShowMixerError(const wchar_t* text) { Application->MessageBox(text, Application->Title, MB_OK); }

// Device 0 opened, the line found and its mute control read; closes the mixer once when it goes.
class MuteControl {
 public:
  explicit MuteControl(uint8_t line) {
    if (line >= 4 || Mixer().NumDevs() == 0) return;
    if (Mixer().Open(&mixer_, 0) != MMSYSERR_NOERROR) {
      mixer_ = nullptr;
      return;
    }
    opened_ = true;
    // The records' sizes are those of this build: fixed 32-bit sizes fail every call on 64-bit.
    MIXERLINEW ml{};
    ml.cbStruct = sizeof(ml);
    ml.dwComponentType = kComponentTypes[line];
    if (Mixer().GetLineInfo(mixer_, &ml, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return;
    MIXERLINECONTROLSW mlc{};
    mlc.cbStruct = sizeof(mlc);
    mlc.dwLineID = ml.dwLineID;
    mlc.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    mlc.cControls = 1;
    mlc.cbmxctrl = sizeof(control_);
    mlc.pamxctrl = &control_;
    control_.cbStruct = sizeof(control_);
    if (Mixer().GetLineControls(mixer_, &mlc, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) {
      ShowMixerError(L"GetLineInfo Error");
      return;
    }
    found_ = true;
  }
  ~MuteControl() {
    if (opened_) Mixer().Close(mixer_);
  }
  MuteControl(const MuteControl&) = delete;
  MuteControl& operator=(const MuteControl&) = delete;

  bool Found() const { return found_; }
  // Reads or writes the value; false (after the message) when the mixer refuses.
  bool Value(MIXERCONTROLDETAILS_BOOLEAN& value, bool write) {
    MIXERCONTROLDETAILS d{};
    d.cbStruct = sizeof(d);
    d.dwControlID = control_.dwControlID;
    d.cChannels = 1;
    d.cbDetails = sizeof(value);
    d.paDetails = &value;
    MMRESULT r = write ? Mixer().SetControlDetails(mixer_, &d, MIXER_SETCONTROLDETAILSF_VALUE)
                       : Mixer().GetControlDetails(mixer_, &d, MIXER_GETCONTROLDETAILSF_VALUE);
    if (r == MMSYSERR_NOERROR) return true;
    ShowMixerError(L"SetControlDetails Error");
    return false;
  }

 private:
  HMIXER mixer_ = nullptr;
  bool opened_ = false, found_ = false;
  MIXERCONTROLW control_{};
};
}  // namespace

bool GetMute(uint8_t line) {
  MuteControl c(line);
  if (!c.Found()) return false;
  MIXERCONTROLDETAILS_BOOLEAN value{};
  return c.Value(value, false) && value.fValue != 0;
}

void SetMute(uint8_t line, uint8_t value) {
  MuteControl c(line);
  if (!c.Found()) return;
  MIXERCONTROLDETAILS_BOOLEAN v{};
  v.fValue = value;
  c.Value(v, true);
}
