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

// The shell's notice that file associations changed, counted instead of sent.
class RecordingNotify : public ShellNotifySeam {
 public:
  RecordingNotify() : saved_(&ShellNotify()) { SetShellNotifySeam(this); }
  ~RecordingNotify() override { SetShellNotifySeam(saved_ == this ? nullptr : saved_); }
  void AssociationsChanged() override { ++count; }
  int count = 0;

 private:
  ShellNotifySeam* saved_;
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
    BeforeMusicList();
    Application->CreateForm(frmMusicList);
    PumpMessages();
    main = frmSaverDeck;
    createCalls = calls;
    calls.clear();
  }
  // The settings and the command line the playlist window's creation reads.
  virtual void BeforeMusicList() {}
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
    StartArguments.clear();
    Application->ShowMainForm = true;
  }
  bool Shown() const { return main->HandleIfAllocated() && IsWindowVisible(main->HandleIfAllocated()); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(main->Handle(), msg, w, l); }
  // A click of a menu-bar item, as the system reports it.
  void ClickBarItem(TMenuItem* item) { Send(WM_COMMAND, MAKEWPARAM(main->Menu()->CommandOf(item), 0), 0); }

  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeMediaPlayer media;
  TfrmSaverDeck* main = nullptr;
  std::vector<std::wstring> calls, createCalls;
  int externalCallDuringNext = -1;
};
