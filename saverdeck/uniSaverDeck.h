#pragma once
// The player's main window: the owner of the tray icon, the receiver of the sibling programs'
// command messages and of a second start's hand-over, shown and hidden to the tray. Its window
// class is fixed, since the siblings and a second instance find the running player by it.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <string>

#include "Buttons.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "Menus.h"
#include "PlayRules.h"
#include "SaverDeckCommands.h"
#include "StdCtrls.h"

// The last error message the player showed; empty until one was shown, never cleared.
extern std::wstring LastErrorText;

// The built-in accompaniment file, written at start-up by the accompaniment module; empty while
// there is none.
extern std::wstring BuiltInAccompaniment;

// The screen-saver run's state (uniSaverDeckScrRun.cpp): 1 from a run's start until its first
// saver has started (the transit window's caption); 1 while the run plays music; 1 when music was
// already playing as a run with music started (the run then never stops it).
extern uint8_t FirstScrStart, ScrRunWithMusic, MusicWasPlaying;

// The transit phase of a run: the transit window shown over the whole screen, and closed again.
void ShowTransitWindow();
void CloseTransitWindow();

class TfrmSaverDeck : public TForm {
 public:
  explicit TfrmSaverDeck(TComponent* AOwner);

  TImage* Image1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* NExit = nullptr;
  TMenuItem* NSetup = nullptr;
  TMenuItem* NListMusic = nullptr;
  TMenuItem* NListScr = nullptr;
  TMenuItem* NShowLastErr = nullptr;
  TMenuItem* NAbout = nullptr;
  TMenuItem* NMore = nullptr;
  TMenuItem* NMute = nullptr;
  TMenuItem* NExitR = nullptr;
  TMenuItem* NAbout_R = nullptr;
  TMenuItem* NShowOrHide = nullptr;
  TMenuItem* NMute_R = nullptr;
  TSpeedButton* bbtPlay = nullptr;
  TSpeedButton* bbtPause = nullptr;
  TSpeedButton* bbtStop = nullptr;
  TSpeedButton* bbtNext = nullptr;
  TSpeedButton* bbtPrev = nullptr;
  TSpeedButton* bbtOpen = nullptr;
  TSpeedButton* bbtVol = nullptr;
  TSpeedButton* bbtFormsPosChange = nullptr;
  TSpeedButton* btnSCRSetup = nullptr;
  TSpeedButton* btnScrPreview = nullptr;
  TSpeedButton* btnSetupDuLiBanYing = nullptr;
  TSpeedButton* btnPlayScr = nullptr;
  TSpeedButton* btnPlayScrWithMus = nullptr;
  TBevel* bvlScrSetup = nullptr;
  TBevel* bvlScrPreview = nullptr;
  TBevel* bvlSelectDuLiBanYing = nullptr;
  TBevel* bvlPlayScr = nullptr;
  TBevel* bvlPlayScrWithMus = nullptr;
  TComboBox* cbbSCRSavers = nullptr;
  TComboBox* cbbSCRSaversName = nullptr;
  TComboBox* cbbBanYing = nullptr;
  TLabel* lblSCR_total = nullptr;
  TMenuItem* NPlayMusic = nullptr;
  TMenuItem* NAddMusic = nullptr;
  TMenuItem* NPlayScrWithMusic = nullptr;
  TMenuItem* NPlayScr = nullptr;
  // One-shot delay between the end of a file and the advance.
  TTimer* Music1to2Timer = nullptr;
  TOpenDialog* dlgOpenMusic = nullptr;
  TPopupMenu* ppmArrayForms = nullptr;
  TPopupMenu* ppmVol = nullptr;
  TMenuItem* NVolAdjust = nullptr;
  TMenuItem* NVolAdjust_R = nullptr;
  // bbtVol's pictures: 0 sound on, 1 muted.
  TPicture ImageListVol[2];
  TMenuItem* NArray_MusMode = nullptr;
  TMenuItem* NArray[9] = {};  // NArray1 .. NArray8 at 1 .. 8
  TMenuItem* NFormsPosChange = nullptr;
  TMenuItem* NFormsPos_MusMode = nullptr;
  TMenuItem* NDemoFormsPosChange = nullptr;
  TMenuItem* NSaveMusList = nullptr;
  TMenuItem* NLoadMusList = nullptr;
  TMenuItem* NLoadAndAddList = nullptr;
  // The screen-saver run: one saver's play time, the transit, the end detector.
  TTimer* tmrPlayEachScr = nullptr;
  TTimer* tmrTransit = nullptr;
  TTimer* tmrDetectScrIfEnd = nullptr;

  // Byte fields of the runs and the accompaniment; FormCreate clears the first three.
  uint8_t FExternalCall = 0, FRandomOrder = 0, FUserStopped = 0, FDetectCount = 0;
  NOTIFYICONDATAW TrayIconData{};
  bool TrayIconAdded() const { return trayAdded_; }

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  static void AlignBevelToButton(TBevel* bevel, TSpeedButton* button);
  void ShowPlayer();
  void HidePlayer();
  void NShowOrHideClick(TObject* Sender);
  void NSetupClick(TObject* Sender);
  void NAboutClick(TObject* Sender);
  void NListMusicClick(TObject* Sender);
  void NShowLastErrClick(TObject* Sender);
  void NExitClick(TObject* Sender);

  // The receivers of the command messages (CommandActionFor says which message does what) and
  // of the tray icon.
  void WMShowAndLoadList();
  void WMNextMusic();
  void WMScrRun(uint8_t random, int8_t music);
  void WMSetupAccomp();
  void WMShowPlay();
  void WMSaverDeckTray(TMessage& m);

  // ---- playback: one file at a time through the media player, the play modes ----
  // Plays one file, or reports it missing (the line stays in the playlist).
  void PlayFile(const std::wstring& path);
  // Sender NPlayScrWithMusic: the accompaniment of a run; nil: the program, not the user.
  void bbtPlayClick(TObject* Sender);
  void bbtPauseClick(TObject* Sender);
  void bbtStopClick(TObject* Sender);
  void bbtNextClick(TObject* Sender);
  void bbtPrevClick(TObject* Sender);
  // Adds files through the music open dialog; Sender the playlist window's "新建..." replaces the list.
  void bbtOpenClick(TObject* Sender);
  void NPlayMusicClick(TObject* Sender);
  void NAddMusicClick(TObject* Sender);
  // Sender one of the mode items of either menu.
  void NModeSingleClick(TObject* Sender);
  void SetPlayModeChecks(TPlayMode mode);
  TPlayMode PlayMode() const;
  // The control's PlayStateChange: an end of a file arms the advance.
  void wmplayerPlayStateChange(int NewState);
  void Music1to2TimerTimer(TObject* Sender);

  // ---- the accompaniment (uniAccompaniment.cpp) ----
  // Sender: the list whose source was chosen (this window's or the settings' own).
  void cbbBanYingChange(TObject* Sender);
  void btnSetupDuLiBanYingClick(TObject* Sender);
  // The file the settings call for; cbbBanYing takes the outside source first.
  std::wstring ExpectedAccompaniment();
  // The siblings' toggle (force false) and restart (force true) of the accompaniment.
  void ToggleAccompaniment(bool force);

  // ---- what the run, volume and arrangement modules provide ----
  void NMuteClick(TObject* Sender);
  void NVolAdjustClick(TObject* Sender);
  // Writes the master mute, then shows the state the mixer holds afterwards.
  void ApplyMute(bool muted);
  bool GetMasterMute();
  // The marks of both mute items and the volume button's picture; writes nothing.
  void ShowMuteState(bool muted);
  void LoadVolumeImages();
  void bbtVolClick(TObject* Sender);
  void NResetFormPositionClick(TObject* Sender);

  // ---- window arrangements ----
  // Applies the arrangement index names, then moves index on to the next one.
  void ProcArrayForms(uint8_t& index);
  void NArray0Click(TObject* Sender);
  void NFormsPosChangeClick(TObject* Sender);
  void NDemoFormsPosChangeClick(TObject* Sender);
  void bbtFormsPosChangeClick(TObject* Sender);
  void NSaveMusListClick(TObject* Sender);
  void NLoadMusListClick(TObject* Sender);
  void NLoadAndAddListClick(TObject* Sender);

  // ---- skins (the settings dialog's cbbSkins holds the choice) ----
  // Sender one of the fourteen skin items NSkin00 .. NSkin13.
  void NSkin00Click(TObject* Sender);
  // Marks the skin item of skin alone; a skin outside 0 .. 13 changes nothing.
  void CheckSkinMenu(int skin);
  // Mouse moves over btnScrPreview, btnSCRSetup and btnSetupDuLiBanYing: light captions on dark skins.
  void btnScrPreviewMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

  // ---- screen-saver list and runs (uniSaverDeckScrRun.cpp) ----
  // Fills both saver lists: "(无)", then the savers of the Windows folder, then the System folder's.
  void LoadScrList();
  void AddScrFromDir(const std::wstring& folder);
  void cbbSCRSaversNameChange(TObject* Sender);
  void cbbSCRSaversChange(TObject* Sender);
  // The selected saver's own settings.
  void btnSCRSetupClick(TObject* Sender);
  // Starts the saver of that entry; 0 or an entry outside the list starts nothing.
  void StartScr(int index);
  void btnScrPreviewClick(TObject* Sender);
  static bool IsScrRunning();
  // A run without or with music. Sender nil: the program (an outside command or the menu's
  // "屏保伴音") keeps FExternalCall and FRandomOrder; any other clears them.
  void btnPlayScrClick(TObject* Sender);
  void btnPlayScrWithMusClick(TObject* Sender);
  void NPlayScrClick(TObject* Sender);
  void NPlayScrWithMusicClick(TObject* Sender);
  void tmrPlayEachScrTimer(TObject* Sender);
  // The transit's end: the next saver. Also the transit window's "手动" (with tmrTransit off first).
  void tmrTransitTimer(TObject* Sender);
  void tmrDetectScrIfEndTimer(TObject* Sender);
  // An outside command's run. random 1: savers at random; music 0 with music, 1 without, any
  // other value no run.
  void StartScrRun(uint8_t random, uint8_t music);
  // Stops the music when the run started it itself (every end of a run calls this; so must the
  // transit window's "退出").
  void StopRunMusic();

  void WndProc(TMessage& m) override;

 protected:
  void EndSession() override;

 private:
  void AddTrayIcon();
  void RemoveTrayIcon();
  void OpenSetupOnPage(int page);
  void RunCommand(const TCommandAction& action, TMessage& m);
  void DispatchCommand(const TCommandAction& action, TMessage& m);
  void StartRun(TObject* Sender, bool withMusic);
  // A run's end: no timer of the run left on.
  void EndScrRun();
  bool trayAdded_ = false;
  // Set while PlayFile changes the control's URL: the stop of the old file that this raises is
  // not the end of a file.
  bool changingURL_ = false;
  // Set while a command's handler runs, by kind: a command that comes in while the same kind
  // still runs (inside the box, dialog or wait it opened) does not start it again.
  bool commandRunning_[size_t(TPlayerOp::Tray) + 1] = {};
  // A second start's hand-over that came in meanwhile: it follows once the running one is done.
  bool handOverPending_ = false;
};
extern TfrmSaverDeck* frmSaverDeck;

// The next window arrangement, 0 to 8, for the run; 0 at start.
extern uint8_t ArrangeIndex;

// The taskbar's re-creation message ("TaskbarCreated"), registered once.
UINT SaverDeckTaskbarCreatedMessage();
