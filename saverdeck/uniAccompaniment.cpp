#include "uniAccompaniment.h"

#include <windows.h>

#include "SaverDeckSeams.h"
#include "TextFile.h"
#include "uniMusicList.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"

std::wstring CurrentAccompaniment;

namespace {
constexpr int kPageAccompaniment = 2;
const wchar_t kHintCaption[] = L"Quovel提示：";

std::wstring WithoutLastBackslash(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}
}  // namespace

// ---- the built-in tune -------------------------------------------------------------------------

std::wstring BuiltInMidiFile(const std::wstring& programFolder) {
  return WithoutLastBackslash(programFolder) + L"\\Syn\\xjwuqu.mid";
}

bool SaveResourceToFile(const std::wstring& name, const std::wstring& type, const std::wstring& file) {
  HRSRC found = FindResourceW(nullptr, name.c_str(), type.c_str());
  if (!found) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return false;
  try {
    WriteFileBytes(file, std::string_view(static_cast<const char*>(data), SizeofResource(nullptr, found)), false);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool PrepareBuiltInMidi(const std::wstring& programFolder) {
  const std::wstring file = BuiltInMidiFile(programFolder);
  // A folder that cannot be made shows in the write that follows.
  if (!DirectoryExists(ExtractFileDir(file))) CreateDirectoryW(ExtractFileDir(file).c_str(), nullptr);
  if (FileExists(file)) return true;
  return SaveResourceToFile(kBuiltInMidiResource, kBuiltInMidiType, file);
}

// ---- the main window's accompaniment --------------------------------------------------------------

std::wstring TfrmSaverDeck::ExpectedAccompaniment() {
  if (frmSetupSaverDeck) cbbBanYing->SetItemIndex(frmSetupSaverDeck->cbbBanYingForAutoScr->ItemIndex());
  TCheckListBox* list = frmMusicList ? frmMusicList->CheckListBox1 : nullptr;
  return ::ExpectedAccompaniment(cbbBanYing->ItemIndex(), list ? list->Items.List() : std::vector<std::wstring>(),
                                 list ? list->ItemIndex() : -1,
                                 frmSetupSaverDeck ? frmSetupSaverDeck->edtSelfSelectBanYing->Text() : std::wstring(),
                                 BuiltInAccompaniment);
}

void TfrmSaverDeck::ToggleAccompaniment(bool force) {
  // The accompaniment follows the outside source while this runs, and never afterwards.
  struct ExternalCall {
    uint8_t& flag;
    explicit ExternalCall(uint8_t& f) : flag(f) { flag = 1; }
    ~ExternalCall() { flag = 0; }
  } external(FExternalCall);
  MediaPlayerSeam& player = MediaPlayer();
  const std::wstring expected = ExpectedAccompaniment();
  switch (ToggleStep(player.PlayState(), player.URL(), expected, force)) {
    case TToggleStep::Pause:
    case TToggleStep::Resume:
      CurrentAccompaniment = expected;
      bbtPauseClick(nullptr);
      break;
    case TToggleStep::Restart:
      CurrentAccompaniment = expected;
      bbtStopClick(nullptr);
      bbtPlayClick(NPlayScrWithMusic);
      CurrentAccompaniment = player.URL();
      break;
    case TToggleStep::Play:
      bbtPlayClick(NPlayScrWithMusic);
      CurrentAccompaniment = player.URL();
      break;
  }
}

void TfrmSaverDeck::cbbBanYingChange(TObject* Sender) {
  auto* list = dynamic_cast<TComboBox*>(Sender);
  if (!list) return;
  const UINT flags = MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO;
  switch (list->ItemIndex()) {
    case kAccompPlaylist: {
      // At start-up the playlist window is not made yet: the source is taken as it stands.
      TCheckListBox* playlist = frmMusicList ? frmMusicList->CheckListBox1 : nullptr;
      if (!playlist || playlist->Items.Count() > 0) return;
      if (Application->MessageBox(L"音乐播放器列表里没有文件，是否现在就添加？", kHintCaption, flags) == IDYES)
        bbtOpenClick(nullptr);
      if (playlist->Items.Count() == 0) list->SetItemIndex(kAccompAuto);
      return;
    }
    case kAccompOwnFile: {
      if (!frmSetupSaverDeck || !frmSetupSaverDeck->edtSelfSelectBanYing->Text().empty()) return;
      list->SetItemIndex(kAccompAuto);
      // The flash needs only the settings dialog, so it also runs at start-up, before the
      // playlist window is made.
      if (Application->MessageBox(L"自选独立拌音列表里没有文件，是否现在就设置？", kHintCaption, flags) == IDYES)
        TfrmMusicList::procFlashSetupEdit(kPageAccompaniment, frmSetupSaverDeck->edtSelfSelectBanYing);
      return;
    }
  }
}

void TfrmSaverDeck::btnSetupDuLiBanYingClick(TObject*) { OpenSetupOnPage(kPageAccompaniment); }
