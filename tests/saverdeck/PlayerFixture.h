#pragma once
// The player's four forms made through Application as the program block makes them; all forms
// are freed at the end. The settings
// dialog finds the world of an installed player of the test's own: its first run done (the path
// file names this executable), its Run value set, and svd25cfg looked for in a test folder.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Fakes.h"
#include "ShellFakes.h"
#include "TextFile.h"
#include "uniQVShare.h"
#include "Forms.h"
#include "SaverDeckSeams.h"
#include "uniMusicList.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"
#include "uniTransitForm.h"
#include "SaverDeckFakes.h"

// The media player control as a test sees it: every call written down in log ("URL path",
// "play", "pause", "stop", "position seconds" for a seek), and the reports Wine's control gives: a
// file that opens starts at once (autoStart); a file that cannot open (.mid, .midi) stays in
// transition; a stop of playing or paused media reports 1, a stop from stopped nothing; a URL
// change under playing or paused media reports 1 first. With refusePause it answers pause as
// Wine's control does (E_NOTIMPL) and nothing changes; position is where the music stands. End()
// is a file playing to its end.
class FakeMediaPlayer : public MediaPlayerSeam {
 public:
  FakeMediaPlayer() : saved_(&MediaPlayer()) { SetMediaPlayerSeam(this); }
  ~FakeMediaPlayer() override { SetMediaPlayerSeam(saved_ == this ? nullptr : saved_); }
  void OpenURL(const std::wstring& url) override {
    Note(L"URL " + url);
    if (Loaded()) Report(kPlayStateStopped);
    size_t dot = url.rfind(L'.');
    std::wstring ext = dot == std::wstring::npos ? L"" : url.substr(dot);
    opened_ = _wcsicmp(ext.c_str(), L".mid") != 0 && _wcsicmp(ext.c_str(), L".midi") != 0;
    Report(opened_ ? kPlayStatePlaying : kTransitioning);
  }
  bool ControlPlay() override {
    Note(L"play");
    if (opened_ && state_ != kPlayStatePlaying) Report(kPlayStatePlaying);
    return opened_;
  }
  bool ControlPause() override {
    Note(L"pause");
    if (refusePause || !opened_) return false;
    if (state_ == kPlayStatePlaying) Report(kPlayStatePaused);
    return true;
  }
  bool ControlStop() override {
    Note(L"stop");
    if (Loaded()) Report(kPlayStateStopped);
    return opened_;
  }
  bool ControlPosition(double& seconds) override {
    seconds = position;
    return opened_ && Loaded();
  }
  bool ControlSetPosition(double seconds) override {
    Note(L"position " + std::to_wstring(seconds));
    return opened_ && Loaded();
  }
  void End() {
    Report(kMediaEnded);
    Report(kPlayStateStopped);
  }
  // The state as the control would have reported it, without telling the player.
  void SetState(int state) { state_ = state; }
  // A report of the control, as its event brings it.
  void Raise(int state) { Report(state); }
  std::vector<std::wstring> log;
  bool refusePause = false;
  double position = 61.5;
  // Called at each call, as it is written down (to look at the player's state meanwhile).
  std::function<void(const std::wstring& call)> watch;
  static constexpr int kMediaEnded = 8, kTransitioning = 9;

 private:
  void Note(const std::wstring& call) {
    log.push_back(call);
    if (watch) watch(call);
  }
  bool Loaded() const { return state_ == kPlayStatePlaying || state_ == kPlayStatePaused; }
  bool opened_ = false;
  MediaPlayerSeam* saved_;
};

// Path files, the Run key and the playlist file type in places of the test's own, and the
// folder of svd25cfg; as after the player's first run unless a test changes it.
class PlayerWorld {
 public:
  PlayerWorld() {
    folders.registry.Redirect(HKEY_LOCAL_MACHINE, kRunKeyPath, keys.Path() + L"\\Run")
        .Redirect(HKEY_CLASSES_ROOT, L".qvml", keys.Path() + L"\\.qvml")
        .Redirect(HKEY_CLASSES_ROOT, L"qvml_auto_file", keys.Path() + L"\\qvml_auto_file")
        .Redirect(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quovel\\", keys.Path() + L"\\Quovel\\");
    PathFile(kSaverDeckPathFile, {OwnExePath(), kSaverDeckPathFileVersion});
    SetRunValue(OwnExePath());
    SetPlayerConfigFolder(config.Path());
  }
  ~PlayerWorld() { SetPlayerConfigFolder(L""); }
  std::wstring PathFileName(const std::wstring& name) const { return folders.appData + L"\\Quovel\\" + name; }
  void PathFile(const std::wstring& name, const std::vector<std::wstring>& lines) const {
    CreateDirectoryW((folders.appData + L"\\Quovel").c_str(), nullptr);
    WriteTextLines(PathFileName(name), lines);
  }
  std::wstring RunValue() const { return RegReadStr(HKEY_CURRENT_USER, keys.Path() + L"\\Run", kAutoRunSaverDeck); }
  void SetRunValue(const std::wstring& v) const { keys.SetString(L"Run", kAutoRunSaverDeck, v); }
  void DeleteRunValue() const {
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (keys.Path() + L"\\Run").c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) return;
    RegDeleteValueW(k, kAutoRunSaverDeck);
    RegCloseKey(k);
  }
  std::wstring ConfigPath() const { return config / kPlayerConfigFileName; }

  ShellFoldersInTestFolder folders;
  TestRegKey keys;
  TestFolder config{L"qvsvd"};
};

class PlayerForms : public testing::Test {
 protected:
  void SetUp() override {
    LastErrorText.clear();
    ArrangeIndex = 0;
    Application->CreateForm(frmSaverDeck);
    Application->CreateForm(frmSetupSaverDeck);
    Application->CreateForm(frmTransitForm);
    BeforeMusicList();
    Application->CreateForm(frmMusicList);
    PumpMessages();
    main = frmSaverDeck;
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
    LastErrorText.clear();
    ArrangeIndex = 0;
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    Application->Terminated = false;
    StartArguments.clear();
    Application->ShowMainForm = true;
  }
  // The settings dialog made again as the start makes it, on the world as the test has left it;
  // beforeMusicList: without the playlist window, which the start makes after it.
  static TfrmSetupSaverDeck* RecreateSettings(bool beforeMusicList = false) {
    if (beforeMusicList) {
      TComponent::Free(frmMusicList);
      frmMusicList = nullptr;
    }
    TComponent::Free(frmSetupSaverDeck);
    frmSetupSaverDeck = nullptr;
    PumpMessages();
    Application->CreateForm(frmSetupSaverDeck);
    PumpMessages();
    return frmSetupSaverDeck;
  }
  bool Shown() const { return main->HandleIfAllocated() && IsWindowVisible(main->HandleIfAllocated()); }
  // The main window and the playlist window moved off the places music mode gives them, so that
  // a test sees whether what follows arranges them.
  void LeaveMusicModePlaces() {
    main->SetLeft(3);
    frmMusicList->SetLeft(5);
  }
  // The two windows where music mode puts them on this fixture's 1280 x 800 screen (its work area
  // 760 high): the playlist above the main window and as wide, the pair centred.
  bool InMusicModePlaces() const {
    const TForm* list = frmMusicList;
    return list && main->Left() == (1280 - main->Width()) / 2 && list->Left() == main->Left() &&
           list->Width() == main->Width() && list->Top() + list->Height() == main->Top() &&
           list->Top() == (760 - list->Height() - main->Height()) / 2;
  }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(main->Handle(), msg, w, l); }
  // A user's click on a button of the main window, shown; true when it popped up a menu.
  bool ClickPopsUpAMenu(TSpeedButton* b) {
    main->ShowPlayer();
    PumpMessages();
    PopupMenuWatch menu;
    ClickWithMouse(b->Handle(), b->Width() / 2, b->Height() / 2);
    return menu.Seen();
  }
  // A click of a menu-bar item, as the system reports it.
  void ClickBarItem(TMenuItem* item) { Send(WM_COMMAND, MAKEWPARAM(main->Menu()->CommandOf(item), 0), 0); }

  PlayerWorld world;
  FakeDisplay display{1280, 800, RECT{0, 0, 1280, 760}};
  FakeMediaPlayer media;
  FakeMixer mixer;  // the machine's own sound card is never touched
  TfrmSaverDeck* main = nullptr;
};
