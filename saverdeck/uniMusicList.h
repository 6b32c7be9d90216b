#pragma once
// The playlist window: a check list of full music-file paths whose selected line is the current
// track. Created last at start and kept for the whole run; closing it only hides it.
#include <string>

#include "Dialogs.h"
#include "Forms.h"
#include "ListCtrls.h"
#include "Menus.h"

class TfrmMusicList : public TForm {
 public:
  explicit TfrmMusicList(TComponent* AOwner);

  TCheckListBox* CheckListBox1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TSaveDialog* dlgSaveMusList = nullptr;

  // A playlist file in place of the list, then stop and play from its first line; a path that
  // names no file does nothing and reports nothing.
  void procLoadPlayList(const std::wstring& path);
};
extern TfrmMusicList* frmMusicList;
