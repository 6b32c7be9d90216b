#include "uniMusicList.h"

#include <algorithm>
#include <random>

#include "Seams.h"
#include "StdCtrls.h"
#include "Text.h"
#include "TextFile.h"
#include "uniQVShare.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"

TfrmMusicList* frmMusicList = nullptr;
std::vector<std::wstring> StartArguments;

TfrmMusicList::TfrmMusicList(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmMusicList", Binder<TfrmMusicList>(this)
                                 .Bind(QV_MEMBER(CheckListBox1))
                                 .Bind(QV_MEMBER(PopupMenu1))
                                 .Bind(QV_MEMBER(dlgSaveMusList))
                                 .Bind(QV_MEMBER(NNewMusicList))
                                 .Bind(QV_MEMBER(NDeleteChecked))
                                 .Bind(QV_MEMBER(NDeletedNotChecked))
                                 .On(QV_HANDLER(FormCreate))
                                 .On(QV_HANDLER(FormResize))
                                 .On(QV_HANDLER(NResetFormPositionClick))
                                 .On(QV_HANDLER(NHideMusicListClick))
                                 .On(QV_HANDLER(N8Click))
                                 .On(QV_HANDLER(NAddMusicClick))
                                 .On(QV_HANDLER(NNewMusicListClick))
                                 .On(QV_HANDLER(NSaveMusListClick))
                                 .On(QV_HANDLER(NLoadMusListClick))
                                 .On(QV_HANDLER(NLoadAndAddListClick))
                                 .On(QV_HANDLER(NPlayClick))
                                 .On(QV_HANDLER(NPauseClick))
                                 .On(QV_HANDLER(NStopClick))
                                 .On(QV_HANDLER(NVolClick))
                                 .On(QV_HANDLER(NMuteClick))
                                 .On(QV_HANDLER(NModeSingleClick))
                                 .On(QV_HANDLER(NMoveUpClick))
                                 .On(QV_HANDLER(NMoveDownClick))
                                 .On(QV_HANDLER(NDisOrderClick))
                                 .On(QV_HANDLER(NClearAllClick))
                                 .On(QV_HANDLER(NDeleteThisClick))
                                 .On(QV_HANDLER(NDeleteCheckedClick))
                                 .On(QV_HANDLER(NAddThisAsBanYingClick))
                                 .On(QV_HANDLER(CheckListBox1Click)));
}
QV_REGISTER_FORM(TfrmMusicList);

// ---- the start -----------------------------------------------------------------------------------

void TfrmMusicList::FormCreate(TObject*) {
  TfrmSetupSaverDeck* setup = frmSetupSaverDeck;
  if (!setup) return;
  // A playlist that cannot be read must not stop the start: its error shows, the player runs.
  try {
    std::wstring path;
    const std::wstring startList = setup->edtPlayMusListAtStart->Text();
    switch (ParseStartSwitch(StartArguments, path)) {
      case TStartSwitch::SiblingStart:
        if (setup->cbxSlientStartupOnMsg->Checked()) Application->ShowMainForm = false;
        if (setup->cbbUseBanYingOrNot->ItemIndex() == 0 &&
            (setup->cbbBanYingForAutoScr->ItemIndex() == 0 || setup->cbbBanYingForAutoScr->ItemIndex() == 1) &&
            FileExists(startList))
          CheckListBox1->Items.Assign(ReadPlaylistFile(startList));
        break;
      case TStartSwitch::LoadList:
        procLoadPlayList(path);
        break;
      case TStartSwitch::None:
        if (setup->cbxMinimizeOnStart->Checked()) Application->ShowMainForm = false;
        if (!setup->cbxPlayMusListAtStart->Checked()) break;
        if (FileExists(startList)) {
          CheckListBox1->Items.Assign(ReadPlaylistFile(startList));
          if (setup->cbxPlayImediately->Checked() && frmSaverDeck) frmSaverDeck->bbtPlayClick(this);
        } else if (!startList.empty()) {
          LastErrorText = L"你指定要载入的播放列表\"" + ReadablePath(startList) +
                          L"\"不存在！请检查文件是否被更名、删除或移走？";
          procFlashSetupEdit(0, setup->edtPlayMusListAtStart);
          Application->MessageBox(LastErrorText, L"Quovel提示：", MB_SYSTEMMODAL | MB_ICONQUESTION);
        }
        break;
    }
  } catch (const std::exception& e) {
    Application->HandleException(e);
  }
}

void TfrmMusicList::FormResize(TObject*) {
  // At least its design height, and at least as wide as the player's window above it.
  const int minWidth = frmSaverDeck ? frmSaverDeck->Width() : 0;
  const int w = std::max(Width(), minWidth), h = std::max(Height(), kMusicListMinHeight);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

// ---- the list with its marks -------------------------------------------------------------------

TPlaylistLines TfrmMusicList::Lines() const {
  TPlaylistLines l;
  l.texts = CheckListBox1->Items.List();
  for (int i = 0; i < int(l.texts.size()); ++i) l.marks.push_back(CheckListBox1->Checked(i));
  l.selected = CheckListBox1->ItemIndex();
  return l;
}

void TfrmMusicList::SetLines(const TPlaylistLines& l) {
  CheckListBox1->Items.Assign(l.texts);
  for (int i = 0; i < int(l.texts.size()); ++i)
    if (i < int(l.marks.size())) CheckListBox1->SetChecked(i, l.marks[size_t(i)]);
  CheckListBox1->SetItemIndex(l.selected);
}

// ---- files ---------------------------------------------------------------------------------------

bool TfrmMusicList::ChoosePlaylistFile(const std::wstring& title, bool save) {
  dlgSaveMusList->Title = title;
  dlgSaveMusList->InitialDir = frmSetupSaverDeck ? frmSetupSaverDeck->edtQVMLdir->Text() : L"";
  (void)save;  // the save dialog serves the loads too, as the playlist's one file dialog
  return dlgSaveMusList->Execute();
}

void TfrmMusicList::procLoadPlayList(const std::wstring& path) {
  if (path.empty() || !FileExists(path)) return;
  CheckListBox1->Items.Assign(ReadPlaylistFile(path));
  if (frmSaverDeck) {
    frmSaverDeck->bbtStopClick(nullptr);
    frmSaverDeck->bbtPlayClick(nullptr);
  }
}

void TfrmMusicList::NSaveMusListClick(TObject*) {
  if (!ChoosePlaylistFile(L"保存播放列表", true)) return;
  const std::vector<std::wstring> lost = WritePlaylistFile(dlgSaveMusList->FileName, CheckListBox1->Items.List());
  if (!lost.empty())
    Dialogs().MessageBox(Handle(), LostNamesText(kLostPlaylistNames, lost), L"保存播放列表", MB_OK | MB_ICONWARNING);
}

void TfrmMusicList::NLoadMusListClick(TObject*) {
  if (!ChoosePlaylistFile(L"载入播放列表（清除当前）", false)) return;
  // Read first: a file that cannot be read leaves the list as it was, and nothing stops or plays.
  std::vector<std::wstring> lines = ReadPlaylistFile(dlgSaveMusList->FileName);
  CheckListBox1->Items.Assign(lines);
  if (frmSaverDeck) {
    frmSaverDeck->bbtStopClick(nullptr);
    frmSaverDeck->bbtPlayClick(nullptr);
  }
}

void TfrmMusicList::NLoadAndAddListClick(TObject*) {
  if (!ChoosePlaylistFile(L"载入播放列表（追加到后面）", false)) return;
  std::vector<std::wstring> lines = ReadPlaylistFile(dlgSaveMusList->FileName);
  TPlaylistLines l = Lines();
  for (const auto& line : lines) {
    l.texts.push_back(line);
    l.marks.push_back(false);
  }
  SetLines(l);
}

// ---- list commands -------------------------------------------------------------------------------

void TfrmMusicList::NDisOrderClick(TObject*) {
  if (CheckListBox1->Items.Count() == 0) return;
  TPlaylistLines l = Lines();
  std::mt19937 gen(Clock().TickCount());  // reseeded from the clock at each shuffle
  ShuffleLines(l, [&gen](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); });
  SetLines(l);
}

void TfrmMusicList::NMoveUpClick(TObject*) {
  TPlaylistLines l = Lines();
  if (MoveLineUp(l)) SetLines(l);
}

void TfrmMusicList::NMoveDownClick(TObject*) {
  TPlaylistLines l = Lines();
  if (MoveLineDown(l)) SetLines(l);
}

void TfrmMusicList::NDeleteThisClick(TObject*) {
  TPlaylistLines l = Lines();
  if (DeleteCurrentLine(l)) SetLines(l);
}

void TfrmMusicList::NDeleteCheckedClick(TObject* Sender) {
  if (CheckListBox1->Items.Count() == 0) return;
  if (Sender != NDeleteChecked && Sender != NDeletedNotChecked) return;
  TPlaylistLines l = Lines();
  DeleteMarkedLines(l, Sender == NDeleteChecked);
  SetLines(l);
}

void TfrmMusicList::NClearAllClick(TObject*) {
  CheckListBox1->Items.Clear();
  if (frmSaverDeck && frmSaverDeck->cbbBanYing->ItemIndex() == 1) frmSaverDeck->cbbBanYing->SetItemIndex(0);
}

void TfrmMusicList::NAddThisAsBanYingClick(TObject*) {
  int i = CheckListBox1->ItemIndex();
  if (i < 0 || !frmSetupSaverDeck) return;
  frmSetupSaverDeck->edtSelfSelectBanYing->SetText(CheckListBox1->Items[i]);
  procFlashSetupEdit(2, frmSetupSaverDeck->edtSelfSelectBanYing);
  if (frmSaverDeck) frmSaverDeck->cbbBanYing->SetItemIndex(2);
}

void TfrmMusicList::CheckListBox1Click(TObject*) {
  int i = CheckListBox1->ItemIndex();
  if (i >= 0 && frmSaverDeck) frmSaverDeck->PlayFile(CheckListBox1->Items[i]);
}

void TfrmMusicList::procFlashSetupEdit(int page, TEdit* edit) {
  if (!frmSetupSaverDeck || !edit) return;
  frmSetupSaverDeck->PageControl1->SetActivePageIndex(page);
  frmSetupSaverDeck->Show();
  for (int i = 0; i < 3; ++i) {
    edit->SetColor(clRed);
    DelayWithMessages(400);
    edit->SetColor(clWindow);
    DelayWithMessages(400);
  }
}

// ---- forwarded to the main window ---------------------------------------------------------------

void TfrmMusicList::NResetFormPositionClick(TObject*) {
  if (frmSaverDeck) frmSaverDeck->ShowPlayer();
}
void TfrmMusicList::NHideMusicListClick(TObject*) { Close(); }
void TfrmMusicList::N8Click(TObject*) {
  if (frmSaverDeck) frmSaverDeck->HidePlayer();
}
void TfrmMusicList::NAddMusicClick(TObject*) {
  if (frmSaverDeck) frmSaverDeck->bbtOpenClick(nullptr);
}
void TfrmMusicList::NNewMusicListClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->bbtOpenClick(Sender);
}
void TfrmMusicList::NPlayClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->bbtPlayClick(Sender);
}
void TfrmMusicList::NPauseClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->bbtPauseClick(Sender);
}
void TfrmMusicList::NStopClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->bbtStopClick(Sender);
}
void TfrmMusicList::NVolClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->NVolAdjustClick(Sender);
}
void TfrmMusicList::NMuteClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->NMuteClick(Sender);
}
void TfrmMusicList::NModeSingleClick(TObject* Sender) {
  if (frmSaverDeck) frmSaverDeck->NModeSingleClick(Sender);
}
