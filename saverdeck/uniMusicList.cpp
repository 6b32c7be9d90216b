#include "uniMusicList.h"

#include "TextFile.h"
#include "uniSaverDeck.h"

TfrmMusicList* frmMusicList = nullptr;

TfrmMusicList::TfrmMusicList(TComponent* AOwner) : TForm(AOwner) {
  InitForm(L"TfrmMusicList", Binder<TfrmMusicList>(this)
                                 .Bind("CheckListBox1", CheckListBox1)
                                 .Bind("PopupMenu1", PopupMenu1)
                                 .Bind("dlgSaveMusList", dlgSaveMusList));
}
QV_REGISTER_FORM(TfrmMusicList);

void TfrmMusicList::procLoadPlayList(const std::wstring& path) {
  if (path.empty() || !FileExists(path)) return;
  CheckListBox1->Items.Assign(ReadTextLines(path));
  if (frmSaverDeck) {
    frmSaverDeck->bbtStopClick(nullptr);
    frmSaverDeck->bbtPlayClick(nullptr);
  }
}
