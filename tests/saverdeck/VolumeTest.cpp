// Master mute against a mixer that fails where the test says: what each failing step reports, that
// every opened mixer is closed once, and the mute items and volume button of the main window.
#include <gtest/gtest.h>

#include "PlayerFixture.h"
#include "ShellFakes.h"
#include "uniVolume.h"

namespace {

TEST(MasterMute, EachFailingStepReportsWhatItShouldAndEveryOpenedMixerIsClosedOnce) {
  const struct {
    FakeMixer::Step failAt;
    bool getResult;        // with the control holding "muted"
    const wchar_t* box;    // shown once per call, or nothing
    bool opened;
  } cases[] = {
      {FakeMixer::kNone, true, nullptr, true},
      {FakeMixer::kNoDevice, false, nullptr, false},
      {FakeMixer::kOpen, false, nullptr, false},
      {FakeMixer::kLine, false, nullptr, true},
      {FakeMixer::kControls, false, L"GetLineInfo Error", true},
      {FakeMixer::kRead, false, L"SetControlDetails Error", true},
  };
  for (const auto& c : cases) {
    FakeMixer mixer;
    ScriptedDialogs dialogs;
    mixer.failAt = c.failAt;
    mixer.muted = true;
    if (c.box) dialogs.Answer(IDOK);
    EXPECT_EQ(GetMute(0), c.getResult) << c.failAt;
    EXPECT_EQ(mixer.opens, c.opened ? 1 : 0) << c.failAt;
    EXPECT_EQ(mixer.closes, mixer.opens) << c.failAt;
    ASSERT_EQ(dialogs.shown.size(), c.box ? 1u : 0u) << c.failAt;
    if (c.box) {
      EXPECT_EQ(dialogs.shown[0].text, c.box) << c.failAt;
    }
    EXPECT_TRUE(mixer.sizesRight) << "records sized for this build";
  }
  // Writing: each step the same, and the write's own failure.
  const struct {
    FakeMixer::Step failAt;
    bool mutedAfter;
    const wchar_t* box;
  } writes[] = {
      {FakeMixer::kNone, true, nullptr},
      {FakeMixer::kNoDevice, false, nullptr},
      {FakeMixer::kOpen, false, nullptr},
      {FakeMixer::kLine, false, nullptr},
      {FakeMixer::kControls, false, L"GetLineInfo Error"},
      {FakeMixer::kWrite, false, L"SetControlDetails Error"},
  };
  for (const auto& c : writes) {
    FakeMixer mixer;
    ScriptedDialogs dialogs;
    mixer.failAt = c.failAt;
    if (c.box) dialogs.Answer(IDOK);
    SetMute(0, 1);
    EXPECT_EQ(mixer.muted, c.mutedAfter) << c.failAt;
    EXPECT_EQ(mixer.closes, mixer.opens) << c.failAt;
    EXPECT_LE(mixer.opens, 1) << c.failAt;
    ASSERT_EQ(dialogs.shown.size(), c.box ? 1u : 0u) << c.failAt;
    if (c.box) {
      EXPECT_EQ(dialogs.shown[0].text, c.box) << c.failAt;
    }
    EXPECT_EQ(mixer.reads, 0);
  }
  FakeMixer mixer;
  mixer.muted = true;
  SetMute(0, 0);
  EXPECT_FALSE(mixer.muted);
  EXPECT_FALSE(GetMute(0));
}

class VolumeItems : public PlayerForms {
 protected:
  bool PictureIs(int image) const { return main->bbtVol->Glyph.Graphic == main->ImageListVol[image].Graphic; }
  void ExpectState(bool muted, const char* when) {
    EXPECT_EQ(main->NMute->Checked, muted) << when;
    EXPECT_EQ(main->NMute_R->Checked, muted) << when;
    EXPECT_TRUE(PictureIs(muted ? 1 : 0)) << when;
  }
};

TEST_F(VolumeItems, EveryMuteItemFlipsTheSystemStateAndTheMarksFollowWhatTheMixerHolds) {
  ASSERT_NE(main->ImageListVol[0].Graphic, nullptr);
  ASSERT_NE(main->ImageListVol[1].Graphic, nullptr);
  ExpectState(false, "at start");
  ClickBarItem(main->NMute);
  EXPECT_TRUE(mixer.muted);
  ExpectState(true, "main menu");
  main->NMute_R->Click();
  EXPECT_FALSE(mixer.muted);
  ExpectState(false, "volume pop-up");
  frmMusicList->NMuteClick(nullptr);
  ExpectState(true, "playlist window");
  // Changed in the system's volume control meanwhile: the next click reads it first.
  mixer.muted = false;
  ClickBarItem(main->NMute);
  EXPECT_TRUE(mixer.muted);
  ExpectState(true, "after an outside change");
  // A write the mixer refuses: the marks show the sound as it still is.
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  mixer.failAt = FakeMixer::kWrite;
  ClickBarItem(main->NMute);
  EXPECT_TRUE(mixer.muted);
  ExpectState(true, "refused write");
  // No mixer at all: sound on, silently.
  mixer.failAt = FakeMixer::kNoDevice;
  main->NMute_R->Click();
  ExpectState(false, "no mixer");
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(mixer.opens, mixer.closes);
}

TEST_F(VolumeItems, TheAdjustItemsStartTheSystemVolumeControlAndTheButtonPopsItsMenu) {
  RecordingShell shell;
  ClickBarItem(main->NVolAdjust);
  main->NVolAdjust_R->Click();
  ASSERT_EQ(shell.calls.size(), 2u);
  for (const auto& c : shell.calls) {
    EXPECT_EQ(c.file, L"SndVol32.exe");
    EXPECT_EQ(c.verb, L"");
    EXPECT_EQ(c.params, L"");
    EXPECT_EQ(c.show, SW_SHOWNORMAL);
    EXPECT_EQ(c.owner, main->Handle());
  }
  EXPECT_EQ(main->NVolAdjust->Caption, L"打开....");
  EXPECT_EQ(main->NMute_R->Caption, L"静音");

  EXPECT_TRUE(ClickPopsUpAMenu(main->bbtVol));
}

// A muted system stays muted when the player starts, and a failed read writes nothing.
TEST(VolumeAtStart, CreationShowsTheMixersStateAndWritesNothing) {
  for (FakeMixer::Step failAt : {FakeMixer::kNone, FakeMixer::kRead}) {
    FakeMixer mixer;
    mixer.muted = true;
    mixer.failAt = failAt;
    ScriptedDialogs dialogs;
    if (failAt == FakeMixer::kRead) dialogs.Answer(IDOK);
    FakeDisplay display{1280, 800};
    Application->CreateForm(frmSaverDeck);
    EXPECT_EQ(frmSaverDeck->NMute->Checked, failAt == FakeMixer::kNone);
    EXPECT_EQ(mixer.writes, 0);
    EXPECT_TRUE(mixer.muted);
    TComponent::Free(frmSaverDeck);
    frmSaverDeck = nullptr;
    PumpMessages();
    Application->MainForm = nullptr;
  }
}

}  // namespace
