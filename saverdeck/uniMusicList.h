#pragma once
// The playlist window: a check list of full music-file paths whose selected line is the current
// track. Created last at start and kept for the whole run; closing it only hides it.
#include <string>

#include "Dialogs.h"
#include "Forms.h"
#include "ListCtrls.h"
#include "Menus.h"
#include "PlaylistFile.h"

class TEdit;

// The playlist window's smallest height (its design height).
inline constexpr int kMusicListMinHeight = 208;

class TfrmMusicList : public TForm {
 public:
  explicit TfrmMusicList(TComponent* AOwner);

  TCheckListBox* CheckListBox1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TSaveDialog* dlgSaveMusList = nullptr;
  TMenuItem* NNewMusicList = nullptr;
  TMenuItem* NDeleteChecked = nullptr;
  TMenuItem* NDeletedNotChecked = nullptr;

  // The command line, the start-up playlist and the start hidden to the tray.
  void FormCreate(TObject* Sender);
  // Keeps the window at least as high as designed and as wide as the player's window.
  void FormResize(TObject* Sender);
  void NResetFormPositionClick(TObject* Sender);
  void NHideMusicListClick(TObject* Sender);
  void N8Click(TObject* Sender);
  void NAddMusicClick(TObject* Sender);
  void NNewMusicListClick(TObject* Sender);
  void NSaveMusListClick(TObject* Sender);
  void NLoadMusListClick(TObject* Sender);
  void NLoadAndAddListClick(TObject* Sender);
  void NPlayClick(TObject* Sender);
  void NPauseClick(TObject* Sender);
  void NStopClick(TObject* Sender);
  void NVolClick(TObject* Sender);
  void NMuteClick(TObject* Sender);
  void NModeSingleClick(TObject* Sender);
  void NMoveUpClick(TObject* Sender);
  void NMoveDownClick(TObject* Sender);
  void NDisOrderClick(TObject* Sender);
  void NClearAllClick(TObject* Sender);
  void NDeleteThisClick(TObject* Sender);
  void NDeleteCheckedClick(TObject* Sender);
  void NAddThisAsBanYingClick(TObject* Sender);
  void CheckListBox1Click(TObject* Sender);

  // The list with its marks and current line, and back.
  TPlaylistLines Lines() const;
  void SetLines(const TPlaylistLines& lines);
  // Draws the user's eye to a setting: the settings dialog on that page, the edit flashing red
  // three times (400 ms each way, messages handled meanwhile).
  // Needs only the settings dialog: it also runs before this window is made (at start-up).
  static void procFlashSetupEdit(int page, TEdit* edit);

  // A playlist file in place of the list, then stop and play from its first line; a path that
  // names no file does nothing and reports nothing.
  void procLoadPlayList(const std::wstring& path);

 private:
  // The one file dialog of every playlist-file choice: its title and the playlist folder first.
  bool ChoosePlaylistFile(const std::wstring& title, bool save);
};
extern TfrmMusicList* frmMusicList;

// The player's command-line arguments after its name; the program block sets them before the
// playlist window is created.
extern std::vector<std::wstring> StartArguments;
