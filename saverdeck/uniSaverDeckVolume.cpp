// The main window's volume button and mute items.
#include "QVSeams.h"
#include "uniSaverDeck.h"
#include "uniVolume.h"

namespace {
const int kImageSound = 0, kImageMuted = 1;
}

void TfrmSaverDeck::LoadVolumeImages() {
  ImageListVol[kImageSound].LoadFromResource(L"VOLSOUND_BMP");
  ImageListVol[kImageMuted].LoadFromResource(L"VOLMUTE_BMP");
}

void TfrmSaverDeck::ShowMuteState(bool muted) {
  NMute->Checked = muted;
  NMute_R->Checked = muted;
  bbtVol->Glyph.Clear();
  bbtVol->Glyph.Assign(ImageListVol[muted ? kImageMuted : kImageSound]);
  bbtVol->GlyphChanged();
}

void TfrmSaverDeck::ApplyMute(bool muted) {
  SetMute(0, muted ? 1 : 0);
  // What the mixer holds now: a mixer that is missing or refused leaves the sound as it was.
  ShowMuteState(GetMute(0));
}

bool TfrmSaverDeck::GetMasterMute() { return GetMute(0); }

void TfrmSaverDeck::NMuteClick(TObject*) {
  // Read first: the system volume control may have changed the state since the marks were set.
  ApplyMute(!GetMute(0));
}

void TfrmSaverDeck::NVolAdjustClick(TObject*) {
  // No volume control installed: nothing happens, as the system would show nothing either.
  ShellCalls().Execute(Handle(), L"", L"SndVol32.exe", L"", L"", SW_SHOWNORMAL);
}

void TfrmSaverDeck::bbtVolClick(TObject*) {
  POINT pt{};
  GetCursorPos(&pt);
  ppmVol->Popup(pt.x, pt.y);
}
