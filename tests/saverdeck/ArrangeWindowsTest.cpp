// The window arrangements on the real windows, chosen the way a user chooses them: Ctrl+N, the
// "显示" menu, the arrangement button's pop-up, and the demonstration on the fake clock.
#include <gtest/gtest.h>

#include "PlayerFixture.h"
#include "ProcessHelpers.h"

namespace {

class ArrangeWindows : public PlayerForms {
 protected:
  void CtrlKey(char key) { EXPECT_TRUE(main->IsShortCut(WORD(key), ssCtrl)) << key; }
  static POINT At(TForm* f) { return {f->Left(), f->Top()}; }
  static bool Visible(TForm* f) { return f->HandleAllocated() && IsWindowVisible(f->Handle()); }
  // Arrangement 5 on this fixture's 1280 x 800 screen: the frame starts at (128, 16).
  void ExpectArrangement5() {
    EXPECT_EQ(At(main).x, 128 + 451);
    EXPECT_EQ(At(main).y, 16 + 421);
    EXPECT_EQ(At(frmSetupSaverDeck).x, 128 + 64);
    EXPECT_EQ(At(frmSetupSaverDeck).y, 16 + 217);
    EXPECT_EQ(At(frmMusicList).x, 128 + 399);
    EXPECT_EQ(At(frmMusicList).y, 16 + 89);
    EXPECT_TRUE(Visible(main) && Visible(frmSetupSaverDeck) && Visible(frmMusicList));
  }
};

TEST_F(ArrangeWindows, CtrlNStepsThroughTheNineArrangementsAndTheSixthIsArrangementFive) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDNO);  // arrangement 3 closes the settings dialog, which asks about saving
  const int playlistHeight = frmMusicList->Height();
  for (int press = 1; press <= 6; ++press) CtrlKey('N');
  ExpectArrangement5();
  EXPECT_EQ(ArrangeIndex, 6);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"是否保存设置？未更改或想放弃更改请点否。");
  for (int press = 7; press <= 9; ++press) CtrlKey('N');
  EXPECT_EQ(ArrangeIndex, 0) << "8 is followed by 0";
  // The tenth press is music mode again: the playlist above the main window, as wide.
  CtrlKey('N');
  EXPECT_EQ(ArrangeIndex, 1);
  EXPECT_EQ(frmMusicList->Top() + frmMusicList->Height(), main->Top());
  EXPECT_EQ(frmMusicList->Left(), main->Left());
  EXPECT_EQ(frmMusicList->Width(), main->Width());
  EXPECT_EQ(frmMusicList->Height(), playlistHeight);
  EXPECT_EQ(main->Left(), (1280 - main->Width()) / 2);
  EXPECT_EQ(frmMusicList->Top(), (760 - frmMusicList->Height() - main->Height()) / 2);
}

// Ctrl+N pressed by a user comes through the loop to whichever of the player's windows has the
// focus: music mode activates the playlist window, and the presses there step on through the
// main window's menu.
TEST_F(ArrangeWindows, CtrlNThroughTheLoopStepsOnFromThePlaylistWindow) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDNO);  // arrangement 3 closes the settings dialog, which asks about saving
  main->Show();
  SetFocus(main->Handle());
  bool leftTheMainWindow = false;
  for (int press = 1; press <= 6; ++press) {
    ASSERT_TRUE(UserKey('N', ssCtrl)) << press;
    if (GetAncestor(GetFocus(), GA_ROOT) != main->Handle()) leftTheMainWindow = true;
  }
  EXPECT_TRUE(leftTheMainWindow);
  ExpectArrangement5();
  EXPECT_EQ(ArrangeIndex, 6);
  ASSERT_EQ(dialogs.shown.size(), 1u);

  // The menu's other shortcuts from the playlist window: Ctrl+M music mode, Ctrl+A "打开音乐".
  SetFocus(frmMusicList->Handle());
  ASSERT_TRUE(UserKey('M', ssCtrl));
  EXPECT_EQ(frmMusicList->Top() + frmMusicList->Height(), main->Top()) << "music mode";
  EXPECT_EQ(ArrangeIndex, 6);
  dialogs.CancelDialog();  // the open dialog must be asked for
  SetFocus(frmMusicList->Handle());
  ASSERT_TRUE(UserKey('A', ssCtrl));
}

TEST_F(ArrangeWindows, ChoosingArrangementFiveThenCtrlNGivesSixAndMusicModeLeavesTheIndex) {
  main->NArray[5]->Click();
  ExpectArrangement5();
  EXPECT_EQ(ArrangeIndex, 6);
  CtrlKey('N');
  EXPECT_EQ(At(main).x, 128 + 99);
  EXPECT_EQ(At(frmSetupSaverDeck).y, 16 + 223);
  EXPECT_EQ(At(frmMusicList).x, 128 + 107);
  EXPECT_EQ(ArrangeIndex, 7);

  main->NArray_MusMode->Click();
  EXPECT_EQ(ArrangeIndex, 7);
  EXPECT_EQ(frmMusicList->Top() + frmMusicList->Height(), main->Top());
  main->SetLeft(3);
  CtrlKey('M');  // "音乐播放模式"
  EXPECT_EQ(main->Left(), (1280 - main->Width()) / 2);
  EXPECT_EQ(ArrangeIndex, 7);
  EXPECT_EQ(main->NFormsPos_MusMode->Caption, L"音乐播放模式");
  EXPECT_EQ(main->NArray_MusMode->Caption, L"音乐模式");
  EXPECT_EQ(main->NArray[8]->Caption, L"排列8");
}

TEST_F(ArrangeWindows, TheDemonstrationShowsAllNineEightHundredMillisecondsApartAndEndsAtZero) {
  FakeClock clock;
  ScriptedDialogs dialogs;
  dialogs.Answer(IDNO);
  ArrangeIndex = 4;
  const DWORD start = clock.tick;
  ASSERT_EQ(main->NDemoFormsPosChange->Caption, L"自动演示一遍 。。。");
  ClickBarItem(main->NDemoFormsPosChange);
  EXPECT_EQ(clock.tick - start, 9u * 800u);
  EXPECT_EQ(ArrangeIndex, 0);
  EXPECT_EQ(dialogs.shown.size(), 1u) << "arrangement 3 asks about saving the settings";
  // The last one shown is arrangement 8.
  EXPECT_EQ(At(main).x, 128 + 126);
  EXPECT_EQ(At(frmMusicList).y, 16 + 67);
}

TEST_F(ArrangeWindows, ClosingTheSettingsCanBeCancelledAndArrangementOneHidesThePlaylist) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDCANCEL);
  main->NArray[4]->Click();
  EXPECT_TRUE(Visible(frmSetupSaverDeck) && Visible(frmMusicList));
  main->NArray[3]->Click();
  EXPECT_TRUE(Visible(frmSetupSaverDeck)) << "Cancel keeps the dialog open";
  EXPECT_FALSE(Visible(frmMusicList));
  main->NArray[4]->Click();
  main->NArray[1]->Click();
  EXPECT_FALSE(Visible(frmMusicList));
  EXPECT_EQ(frmSetupSaverDeck->Top(), main->Top() + main->Height());
}

TEST_F(ArrangeWindows, TheArrangementButtonPopsUpItsMenu) {
  EXPECT_TRUE(ClickPopsUpAMenu(main->bbtFormsPosChange));
  EXPECT_EQ(main->ppmArrayForms->Items()->Count(), 9);
}

TEST_F(ArrangeWindows, ThePlaylistItemsOfTheMainMenuReachThePlaylistWindow) {
  ScriptedDialogs dialogs;
  dialogs.CancelDialog().CancelDialog().CancelDialog();
  ClickBarItem(main->NSaveMusList);
  ClickBarItem(main->NLoadMusList);
  ClickBarItem(main->NLoadAndAddList);
  ASSERT_EQ(dialogs.asked.size(), 3u);
  EXPECT_EQ(dialogs.asked[0].title, L"保存播放列表");
  EXPECT_EQ(dialogs.asked[1].title, L"载入播放列表（清除当前）");
  EXPECT_EQ(dialogs.asked[2].title, L"载入播放列表（追加到后面）");
}

RECT ScreenRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

// The fixture's work area is 1280 x 760; a title bar is the frame and the caption at the top.
void ExpectTitleBarInWorkArea(TForm* f) {
  const RECT r = ScreenRect(f->Handle());
  const int title = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME);
  EXPECT_GE(r.top, 0) << Narrow(f->Name()) << " above the top";
  EXPECT_LE(r.top + title, 760) << Narrow(f->Name()) << " below the work area";
  EXPECT_GE(r.left, 0) << Narrow(f->Name());
  EXPECT_LE(r.right, 1280) << Narrow(f->Name());
}

TEST_F(ArrangeWindows, ArrangementTwoOnAnEightHundredPixelScreenKeepsEveryTitleBarOnTheWorkArea) {
  main->ShowPlayer();
  PumpMessages();
  for (int press = 1; press <= 3; ++press) ClickBarItem(main->NFormsPosChange);  // 0, 1, then 2
  ASSERT_EQ(ArrangeIndex, 3);
  ASSERT_TRUE(Visible(main) && Visible(frmSetupSaverDeck) && Visible(frmMusicList));
  for (TForm* f : std::initializer_list<TForm*>{main, frmSetupSaverDeck, frmMusicList}) ExpectTitleBarInWorkArea(f);
  // Pushed up from the bottom edge as far as the top allows: settings under main, the playlist above.
  EXPECT_EQ(ScreenRect(frmSetupSaverDeck->Handle()).bottom, 800);
  EXPECT_EQ(ScreenRect(main->Handle()).bottom, ScreenRect(frmSetupSaverDeck->Handle()).top);
  EXPECT_EQ(ScreenRect(frmMusicList->Handle()).top, 0);
}

TEST_F(ArrangeWindows, EveryArrangementOfTheMenuKeepsTheTitleBarsOnTheWorkArea) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDNO);  // arrangement 3 asks about saving the settings
  main->ShowPlayer();
  for (int press = 1; press <= 9; ++press) {
    SCOPED_TRACE(press);
    ClickBarItem(main->NFormsPosChange);  // "下一个排列方式" (Ctrl+N)
    for (TForm* f : std::initializer_list<TForm*>{main, frmSetupSaverDeck, frmMusicList})
      if (Visible(f)) ExpectTitleBarInWorkArea(f);
  }
}

TEST_F(ArrangeWindows, TheFirstMusicListComesUpCentredOnTheMainWindowNotInTheCorner) {
  main->Show();  // as the start shows it
  PumpMessages();
  ClickBarItem(main->NListMusic);
  PumpMessages();
  ASSERT_TRUE(Visible(frmMusicList));
  const RECT m = ScreenRect(main->Handle()), l = ScreenRect(frmMusicList->Handle());
  EXPECT_LE(std::abs((l.left + l.right) - (m.left + m.right)), 2) << l.left << "," << l.top;
  EXPECT_LE(std::abs((l.top + l.bottom) - (m.top + m.bottom)), 2) << l.left << "," << l.top;
}

// The system's own open dialog, come up and cancelled as soon as it is active; its place and its
// owner's are read when it goes.
class WatchedOpenDialog : public DialogSeam {
 public:
  WatchedOpenDialog() : saved_(&Dialogs()) { SetDialogSeam(this); }
  ~WatchedOpenDialog() override { SetDialogSeam(saved_ == this ? nullptr : saved_); }
  bool OpenFileDialog(OPENFILENAMEW& ofn) override {
    self_ = this;
    HHOOK hook = SetWindowsHookExW(WH_CBT, Watch, nullptr, GetCurrentThreadId());
    bool ok = DialogSeam::OpenFileDialog(ofn);
    UnhookWindowsHookEx(hook);
    self_ = nullptr;
    return ok;
  }
  HWND dialog = nullptr;
  RECT shown{}, owner{};
  bool ownerVisible = false;
  std::wstring title;

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM w, LPARAM l) {
    WatchedOpenDialog* me = self_;
    if (me && code == HCBT_ACTIVATE && !me->dialog) {
      wchar_t cls[16] = {};
      GetClassNameW(HWND(w), cls, 16);
      if (wcscmp(cls, L"#32770") == 0) {
        me->dialog = HWND(w);
        PostMessageW(HWND(w), WM_COMMAND, IDCANCEL, 0);  // runs once the dialog waits for the user
      }
    } else if (me && code == HCBT_DESTROYWND && HWND(w) == me->dialog) {
      GetWindowRect(me->dialog, &me->shown);
      wchar_t text[64] = {};
      GetWindowTextW(me->dialog, text, 64);
      me->title = text;
      HWND o = GetWindow(me->dialog, GW_OWNER);
      me->ownerVisible = o && IsWindowVisible(o);
      if (o) GetWindowRect(o, &me->owner);
    }
    return CallNextHookEx(nullptr, code, w, l);
  }
  static inline WatchedOpenDialog* self_ = nullptr;
  DialogSeam* saved_;
};

TEST_F(ArrangeWindows, TheOpenMusicDialogComesUpCentredOnItsOwnerWindow) {
  main->ShowPlayer();
  PumpMessages();
  WatchedOpenDialog open;
  ClickWithMouse(main->bbtOpen->Handle(), 20, 15);
  PumpMessages();
  ASSERT_TRUE(open.dialog) << "no dialog came up";
  EXPECT_EQ(open.title, L"打开音乐");
  ASSERT_TRUE(open.ownerVisible) << "owned by a window that shows nothing";
  const RECT& d = open.shown;
  const RECT& o = open.owner;
  EXPECT_GT(d.left, 0);
  EXPECT_GT(d.top, 0);
  // Within a few pixels: the system's dialog settles its own size once it is up.
  EXPECT_LE(std::abs((d.left + d.right) - (o.left + o.right)), 40) << d.left << "," << d.top;
  EXPECT_LE(std::abs((d.top + d.bottom) - (o.top + o.bottom)), 40) << d.left << "," << d.top;
}

}  // namespace
