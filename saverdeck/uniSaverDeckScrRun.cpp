// The main window's screen-saver list and the run cycle: the savers started one after another, in
// turn or at random, with the transit window between two, with or without music.
#include "ComCtrls.h"
#include "QVSeams.h"
#include "SaverDeckSeams.h"
#include "ScrRunRules.h"
#include "ScreenSavers.h"
#include "Seams.h"
#include "TextFile.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"
#include "uniTransitForm.h"

uint8_t FirstScrStart = 0, ScrRunWithMusic = 0, MusicWasPlaying = 0;

namespace {
const wchar_t kNoSaverText[] = L"提示：没有屏幕保护可以播放！";
const wchar_t kNoSaverCaption[] = L"Quovel提示：";
const wchar_t kScrExt[] = L".scr";
// A saver that survives this many endings, 200 ms apart, ends the run.
const int kKillTries = 3, kKillWaitMs = 200;
const int kStartWaitMs = 100;

// The settings a run reads live; their design values while there is no settings dialog.
int PlayEachSeconds() { return frmSetupSaverDeck ? frmSetupSaverDeck->updTimePlayEachScr->Position() : 30; }
int TransitSeconds() { return frmSetupSaverDeck ? frmSetupSaverDeck->updTransitTime->Position() : 10; }
}  // namespace

// The transit window lays itself out over the whole screen as it shows.
void ShowTransitWindow() {
  if (frmTransitForm) frmTransitForm->Show();
}

void CloseTransitWindow() {
  if (frmTransitForm && frmTransitForm->Visible()) frmTransitForm->CloseForNextSaver();
}

// ---- the list ------------------------------------------------------------------------------------

void TfrmSaverDeck::LoadScrList() {
  for (const std::wstring& folder : ScrFolders()) AddScrFromDir(folder);
}

void TfrmSaverDeck::AddScrFromDir(const std::wstring& folder) {
  for (const ScrEntry& e : ListScrFiles(folder)) {
    cbbSCRSavers->Items.Add(e.Path);
    cbbSCRSaversName->Items.Add(SaverDeckScrDisplayName(ExtractFileName(e.Path)));
  }
}

void TfrmSaverDeck::cbbSCRSaversNameChange(TObject*) { cbbSCRSavers->SetItemIndex(cbbSCRSaversName->ItemIndex()); }
void TfrmSaverDeck::cbbSCRSaversChange(TObject*) { cbbSCRSaversName->SetItemIndex(cbbSCRSavers->ItemIndex()); }

void TfrmSaverDeck::btnSCRSetupClick(TObject*) {
  const int i = cbbSCRSavers->ItemIndex();
  if (i < 1 || i >= cbbSCRSavers->Items.Count()) return;
  // A saver's settings come with "config" alone; the shell's result is not reported.
  ShellCalls().Execute(Handle(), L"config", cbbSCRSavers->Items[i], L"", L"", SW_SHOWNORMAL);
}

void TfrmSaverDeck::StartScr(int index) {
  if (index < 1 || index >= cbbSCRSavers->Items.Count()) return;
  // "/S" alone: a saver started directly would get a "%1" literally.
  ShellCalls().Execute(Handle(), L"open", cbbSCRSavers->Items[index], L"/S", L"", SW_SHOWNORMAL);
}

void TfrmSaverDeck::btnScrPreviewClick(TObject*) { StartScr(cbbSCRSavers->ItemIndex()); }

bool TfrmSaverDeck::IsScrRunning() { return SaverProcesses().IsExtRunning(kScrExt); }

// ---- starting a run --------------------------------------------------------------------------------

void TfrmSaverDeck::btnPlayScrClick(TObject* Sender) { StartRun(Sender, false); }
void TfrmSaverDeck::btnPlayScrWithMusClick(TObject* Sender) { StartRun(Sender, true); }
void TfrmSaverDeck::NPlayScrClick(TObject*) { btnPlayScrClick(NPlayScr); }
// The program's call: the random order and the accompaniment rule of the last outside command stay.
void TfrmSaverDeck::NPlayScrWithMusicClick(TObject*) { btnPlayScrWithMusClick(nullptr); }

void TfrmSaverDeck::StartRun(TObject* Sender, bool withMusic) {
  if (cbbSCRSavers->Items.Count() <= 1) {
    LastErrorText = kNoSaverText;
    Application->MessageBox(LastErrorText, kNoSaverCaption, MB_SYSTEMMODAL | MB_ICONQUESTION | MB_OK);
    return;
  }
  if (Sender) {
    FExternalCall = 0;
    FRandomOrder = 0;
  }
  FirstScrStart = 1;
  if (!withMusic) {
    ScrRunWithMusic = 0;
  } else {
    ScrRunWithMusic = 1;
    if (MediaPlayer().PlayState() == kPlayStatePlaying) {
      MusicWasPlaying = 1;
    } else {
      MusicWasPlaying = 0;
      bbtPlayClick(NPlayScrWithMusic);
    }
  }
  tmrPlayEachScrTimer(nullptr);
}

void TfrmSaverDeck::StartScrRun(uint8_t random, uint8_t music) {
  FExternalCall = 1;
  FRandomOrder = random;
  // Only the list's two items; another value starts no run and leaves the list as it stands.
  if (music > 1) return;
  if (frmSetupSaverDeck) frmSetupSaverDeck->cbbUseBanYingOrNot->SetItemIndex(music);
  if (music == 0) btnPlayScrWithMusClick(nullptr);
  else btnPlayScrClick(nullptr);
}

// ---- the run cycle ---------------------------------------------------------------------------------

void TfrmSaverDeck::StopRunMusic() {
  if (RunOwnsMusic(ScrRunWithMusic, MusicWasPlaying)) bbtStopClick(nullptr);
}

void TfrmSaverDeck::EndScrRun() {
  tmrPlayEachScr->SetEnabled(false);
  tmrTransit->SetEnabled(false);
  tmrDetectScrIfEnd->SetEnabled(false);
  // A run started again during a transit may end before its own: no cover is left behind.
  CloseTransitWindow();
}

void TfrmSaverDeck::tmrPlayEachScrTimer(TObject*) {
  tmrPlayEachScr->SetEnabled(false);
  // From here this tick ends the saver: the detector must not take that for the user's end.
  tmrDetectScrIfEnd->SetEnabled(false);
  if (IsScrRunning() || FirstScrStart == 1) {
    for (int i = 0; i < kKillTries && IsScrRunning(); ++i) {
      SaverProcesses().KillByExt(kScrExt);
      DelayWithMessages(kKillWaitMs);
    }
    if (IsScrRunning()) {
      StopRunMusic();
      EndScrRun();
      return;
    }
    ShowTransitWindow();
    tmrTransit->SetInterval(unsigned(TransitSeconds()) * 1000u);
    tmrTransit->SetEnabled(true);
    return;
  }
  // The user ended the saver before its time was over.
  StopRunMusic();
  EndScrRun();
}

void TfrmSaverDeck::tmrTransitTimer(TObject*) {
  tmrTransit->SetEnabled(false);
  CloseTransitWindow();
  if (IsScrRunning()) {
    StopRunMusic();
    EndScrRun();
    return;
  }
  if (FRandomOrder == 1) PlayerRandom().Randomize();
  const int index = NextScrEntry(FRandomOrder == 1, FirstScrStart == 1, cbbSCRSavers->ItemIndex(),
                                 cbbSCRSavers->Items.Count(), [](int n) { return PlayerRandom().Random(n); });
  cbbSCRSavers->SetItemIndex(index);
  cbbSCRSaversName->SetItemIndex(index);
  DelayWithMessages(kStartWaitMs);
  btnScrPreviewClick(nullptr);
  FirstScrStart = 0;
  const std::wstring name = index < cbbSCRSaversName->Items.Count() ? cbbSCRSaversName->Items[index] : std::wstring();
  tmrPlayEachScr->SetInterval(ScrPlayTimeMs(name, PlayEachSeconds()));
  tmrPlayEachScr->SetEnabled(true);
  if (RunOwnsMusic(ScrRunWithMusic, MusicWasPlaying)) {
    FDetectCount = 0;
    tmrDetectScrIfEnd->SetEnabled(true);
  }
}

void TfrmSaverDeck::tmrDetectScrIfEndTimer(TObject*) {
  if (FDetectCount < 255) ++FDetectCount;
  switch (DetectStepFor(IsScrRunning(), FDetectCount, PlayEachSeconds(), MediaPlayer().PlayState())) {
    case TDetectStep::EndRun:
      StopRunMusic();
      EndScrRun();
      break;
    case TDetectStep::StopDetecting:
      tmrDetectScrIfEnd->SetEnabled(false);
      break;
    case TDetectStep::GoOn:
      break;
  }
}
