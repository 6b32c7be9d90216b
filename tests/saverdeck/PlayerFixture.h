#pragma once
// The player's four forms made through Application as the program block makes them, with the
// calls into the modules still to come watched; all forms are freed at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "Forms.h"
#include "SaverDeckSeams.h"
#include "uniMusicList.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"
#include "uniTransitForm.h"
#include "uniVolume.h"

// The media player control's state, set by the test.
class FakeMediaPlayer : public MediaPlayerSeam {
 public:
  FakeMediaPlayer() : saved_(&MediaPlayer()) { SetMediaPlayerSeam(this); }
  ~FakeMediaPlayer() override { SetMediaPlayerSeam(saved_ == this ? nullptr : saved_); }
  int PlayState() override { return state; }
  int state = kPlayStateStopped;

 private:
  MediaPlayerSeam* saved_;
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

class PlayerForms : public testing::Test {
 protected:
  void SetUp() override {
    LastErrorText.clear();
    SaverDeckLinks.ObserveCall = [this](const std::wstring& call) {
      calls.push_back(call);
      // What the accompaniment and run modules will see of the outside-call flag.
      if (call == L"bbtNextClick" && frmSaverDeck) externalCallDuringNext = frmSaverDeck->FExternalCall;
    };
    Application->CreateForm(frmSaverDeck);
    Application->CreateForm(frmSetupSaverDeck);
    Application->CreateForm(frmTransitForm);
    Application->CreateForm(frmMusicList);
    PumpMessages();
    main = frmSaverDeck;
    createCalls = calls;
    calls.clear();
  }
  void TearDown() override {
    // Last made, first freed.
    std::vector<TForm*> forms(Application->Forms());
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) TComponent::Free(*it);
    frmSetupSaverDeck = nullptr;
    frmTransitForm = nullptr;
    frmMusicList = nullptr;
    PumpMessages();
    Application->MainForm = nullptr;
    SaverDeckLinks = {};
    LastErrorText.clear();
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Application->Terminated = false;
  }
  bool Shown() const { return main->HandleIfAllocated() && IsWindowVisible(main->HandleIfAllocated()); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(main->Handle(), msg, w, l); }
  // A click of a menu-bar item, as the system reports it.
  void ClickBarItem(TMenuItem* item) { Send(WM_COMMAND, MAKEWPARAM(main->Menu()->CommandOf(item), 0), 0); }

  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeMediaPlayer media;
  FakeMixer mixer;  // the machine's own sound card is never touched
  TfrmSaverDeck* main = nullptr;
  std::vector<std::wstring> calls, createCalls;
  int externalCallDuringNext = -1;
};
