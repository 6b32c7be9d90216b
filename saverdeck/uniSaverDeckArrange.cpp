// The main window's window arrangements and the playlist items it passes on.
#include "SaverDeckCommands.h"
#include "WindowArrangements.h"
#include "uniMusicList.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"

namespace {
const int kDemoPauseMs = 800;

TWindowBounds BoundsOf(const TForm* f) {
  return f ? TWindowBounds{f->Left(), f->Top(), f->Width(), f->Height()} : TWindowBounds{};
}
void Place(TForm* f, const TWindowBounds& b) {
  if (f) f->SetBounds(b.left, b.top, b.width, b.height);
}

void PlaceAll(TfrmSaverDeck* main, const TArrangement& a) {
  Place(main, a.main);
  Place(frmSetupSaverDeck, a.settings);
  Place(frmMusicList, a.playlist);
}

TWorkArea WorkAreaNow() {
  const RECT r = Screen->WorkAreaRect();
  return {r.left, r.top, r.right, r.bottom, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME)};
}

void ApplyArrangement(TfrmSaverDeck* main, TArrangement a) {
  KeepTitleBarsInWorkArea(a, WorkAreaNow());
  PlaceAll(main, a);
  for (TArrangeStep step : a.steps) {
    switch (step) {
      case TArrangeStep::ShowMain: main->Show(); break;
      case TArrangeStep::ShowSettings:
        if (frmSetupSaverDeck) frmSetupSaverDeck->Show();
        break;
      case TArrangeStep::ShowPlaylist:
        if (frmMusicList) frmMusicList->Show();
        break;
      case TArrangeStep::RestorePlaylist: main->NListMusicClick(nullptr); break;
      case TArrangeStep::ClosePlaylist:
        if (frmMusicList) frmMusicList->Close();
        break;
      case TArrangeStep::CloseSettings:
        // Asks whether to save even while hidden; Cancel keeps it open.
        if (frmSetupSaverDeck) frmSetupSaverDeck->Close();
        break;
    }
  }
  // A dialog's first showing centres it on the screen: the arrangement's place wins.
  PlaceAll(main, a);
}

TArrangeScreen ScreenNow() { return {Screen->Width(), Screen->Height(), Screen->WorkAreaHeight()}; }
}  // namespace

void TfrmSaverDeck::NResetFormPositionClick(TObject*) {
  ApplyArrangement(this, MusicModeArrangement(ScreenNow(), BoundsOf(this), BoundsOf(frmSetupSaverDeck),
                                              BoundsOf(frmMusicList)));
}

void TfrmSaverDeck::ProcArrayForms(uint8_t& index) {
  ApplyArrangement(this, WindowArrangement(index, ScreenNow(), BoundsOf(this), BoundsOf(frmSetupSaverDeck),
                                           BoundsOf(frmMusicList)));
  index = NextArrangeIndex(index);
}

void TfrmSaverDeck::NArray0Click(TObject* Sender) {
  if (Sender == NArray_MusMode) {
    NResetFormPositionClick(Sender);
    return;
  }
  for (uint8_t i = 1; i <= 8; ++i) {
    if (Sender == NArray[i]) {
      ArrangeIndex = i;
      ProcArrayForms(ArrangeIndex);
      return;
    }
  }
}

void TfrmSaverDeck::NFormsPosChangeClick(TObject*) { ProcArrayForms(ArrangeIndex); }

void TfrmSaverDeck::NDemoFormsPosChangeClick(TObject*) {
  ArrangeIndex = 0;
  for (int i = 0; i < 9; ++i) {
    ProcArrayForms(ArrangeIndex);
    DelayWithMessages(kDemoPauseMs);
    if (Application->Terminated) return;
  }
}

void TfrmSaverDeck::bbtFormsPosChangeClick(TObject*) {
  POINT pt{};
  GetCursorPos(&pt);
  ppmArrayForms->Popup(pt.x, pt.y);
}

void TfrmSaverDeck::NSaveMusListClick(TObject* Sender) {
  if (frmMusicList) frmMusicList->NSaveMusListClick(Sender);
}
void TfrmSaverDeck::NLoadMusListClick(TObject* Sender) {
  if (frmMusicList) frmMusicList->NLoadMusListClick(Sender);
}
void TfrmSaverDeck::NLoadAndAddListClick(TObject* Sender) {
  if (frmMusicList) frmMusicList->NLoadAndAddListClick(Sender);
}
