// Page 7 "综合/其它" and the desktop overlays in-process: the picture overlay and the desktop-status
// picture with their boxes, tray items and WIN+V, a new overlay picture, the auto-start value and
// its repair, the shortcuts, the console button, the exit setting and the slogan font.
#include <functional>
#include <string>
#include <vector>

#include "OverlayChecks.h"
#include "SetupFixture.h"
#include "ShellFakes.h"
#include "SiblingWorld.h"
#include "sceneOnTop.h"
#include "uniDesktopDeco.h"
#include "uniQVShare.h"
#include "uniStat.h"

namespace {

// ---- rules without windows ---------------------------------------------------------------------

TEST(DesktopDecoRules, SizeFollowsTheScreenWidthAndThePicturesProportions) {
  struct Case {
    int screen, width;
  };
  for (const Case& c : {Case{1024, 250}, Case{1280, 312}, Case{800, 195}, Case{1920, 468}, Case{0, 0}})
    EXPECT_EQ(DecoWidth(c.screen), c.width) << c.screen;

  struct HeightCase {
    int pw, ph, width, height;
  };
  for (const HeightCase& c : {HeightCase{400, 160, 250, 100}, HeightCase{400, 160, 312, 124},
                              HeightCase{3, 1, 250, 83}, HeightCase{100, 300, 250, 750},
                              // An empty picture gives no height instead of a division by zero.
                              HeightCase{0, 0, 250, 0}, HeightCase{0, 160, 250, 0}, HeightCase{400, 0, 250, 0}})
    EXPECT_EQ(DecoHeight(c.pw, c.ph, c.width), c.height) << c.pw << "x" << c.ph << " at " << c.width;
}

TEST(DesktopDecoRules, PlacesGoTopThenBottomOfTheWorkAreaOfferingTheOther) {
  TDecoPlace top = DecoPlace(0, 1024, 728, 250, 100);
  EXPECT_EQ(top.left, 764);
  EXPECT_EQ(top.top, 25);
  EXPECT_EQ(top.nextFlag, 1);
  EXPECT_EQ(Narrow(top.caption), Narrow(L"置底"));
  TDecoPlace bottom = DecoPlace(1, 1024, 728, 250, 100);
  EXPECT_EQ(bottom.left, 764);
  EXPECT_EQ(bottom.top, 618);
  EXPECT_EQ(bottom.nextFlag, 0);
  EXPECT_EQ(Narrow(bottom.caption), Narrow(L"置顶"));
  TDecoPlace wide = DecoPlace(1, 1280, 760, 312, 124);
  EXPECT_EQ(wide.left, 958);
  EXPECT_EQ(wide.top, 626);
}

TEST(DesktopDecoRules, ADragMovesByTheDistanceFromPressToRelease) {
  struct Case {
    POINT pos, press, release, to;
  };
  for (const Case& c : {Case{{764, 25}, {10, 10}, {40, 5}, {794, 20}}, Case{{764, 25}, {100, 50}, {-20, 90}, {644, 65}},
                        Case{{0, 0}, {5, 5}, {5, 5}, {0, 0}}}) {
    POINT to = DecoDragTo(c.pos, c.press, c.release);
    EXPECT_EQ(to.x, c.to.x);
    EXPECT_EQ(to.y, c.to.y);
  }
}

TEST(OtherPageRules, TheCloseButtonNamesTheExitSettingAndTheWaveMaximumFollowsTheFade) {
  const std::pair<int, const wchar_t*> captions[] = {
      {-1, L"关闭窗口"}, {0, L"关闭窗口"}, {1, L"重启程序"}, {2, L"退出程序"}, {3, L"关闭窗口"}};
  for (const auto& [index, caption] : captions) EXPECT_EQ(Narrow(TfrmSetup::ExitButtonCaption(index)), Narrow(caption));
  EXPECT_EQ(TfrmSetup::MoiseStrengthMax(32), 217);
  EXPECT_EQ(TfrmSetup::MoiseStrengthMax(1), 248);
  EXPECT_EQ(TfrmSetup::MoiseStrengthMax(150), 99);
}

// ---- the windows ---------------------------------------------------------------------------------

void Click(TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }
// A speed button is clicked by the mouse: press and release over it.
void ClickSpeed(TWinControl* b) {
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// A picture file of w x h pixels, 24 bits, every pixel of one colour.
void WriteBitmap(const std::wstring& path, int w, int h, COLORREF colour) {
  const int stride = (w * 3 + 3) / 4 * 4;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof(ih);
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(ih);
  fh.bfSize = DWORD(fh.bfOffBits + stride * h);
  std::string bytes(reinterpret_cast<const char*>(&fh), sizeof(fh));
  bytes.append(reinterpret_cast<const char*>(&ih), sizeof(ih));
  std::string row(size_t(stride), '\0');
  for (int x = 0; x < w; ++x) {
    row[size_t(x) * 3] = char(GetBValue(colour));
    row[size_t(x) * 3 + 1] = char(GetGValue(colour));
    row[size_t(x) * 3 + 2] = char(GetRValue(colour));
  }
  for (int y = 0; y < h; ++y) bytes += row;
  WriteBytes(path, bytes);
}

// The windows of that name that are up.
std::vector<TForm*> Open(const wchar_t* name) {
  std::vector<TForm*> open;
  for (TForm* f : Application->Forms())
    if (f->Name() == name && !f->Destroying() && f->Visible() && IsWindowVisible(f->HandleIfAllocated()))
      open.push_back(f);
  return open;
}
TSOTForm* Overlay() {
  auto open = Open(L"SOTForm");
  return open.size() == 1 ? dynamic_cast<TSOTForm*>(open[0]) : nullptr;
}
TfrmDesktopDeco* Deco() {
  auto open = Open(L"frmDesktopDeco");
  return open.size() == 1 ? dynamic_cast<TfrmDesktopDeco*>(open[0]) : nullptr;
}

LONG_PTR ExStyle(HWND h) { return GetWindowLongPtrW(h, GWL_EXSTYLE); }

// Above in the z-order: a comes before b among the top-level windows.
bool Above(HWND a, HWND b) {
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == a) return true;
    if (h == b) return false;
  }
  return false;
}

class OtherPage : public SetupDialog {
 protected:
  void SetUp() override {
    SetupDialog::SetUp();
    world.folders.registry.Redirect(HKEY_LOCAL_MACHINE, kRunKeyPath, runKey.Path() + L"\\Run");
  }
  std::wstring RunValue() const { return RegReadStr(HKEY_CURRENT_USER, runKey.Path() + L"\\Run", kAutoRunBKWD); }
  void SetRunValue(const std::wstring& v) const { runKey.SetString(L"Run", kAutoRunBKWD, v); }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> t;
    for (const auto& b : dialogs.shown) t.push_back(b.text);
    return t;
  }

  SiblingWorld world;
  TestRegKey runKey;
  RecordingShell shell;
};

// The mouse resting on the laptop box and on the overlay box shows their hints.
TEST_F(OtherPage, TheLaptopAndOverlayBoxesShowTheirHintsUnderTheMouse) {
  Create();
  main->OpenSetupPage(7);
  PumpMessages();
  const std::pair<TWinControl*, const wchar_t*> cases[] = {
      {setup->cbxHarwareIsLaptop, L"请您确保正确选择！台式机请不要勾选。"}, {setup->cbxShowSOT, L"快捷键：WIN+V"}};
  for (const auto& [box, hint] : cases) {
    HWND tip = HoverForHint(box);
    ASSERT_NE(tip, nullptr) << Narrow(box->Name());
    EXPECT_EQ(Narrow(HintShown(tip)), Narrow(hint));
  }
}

TEST_F(OtherPage, BothOverlaysOpenAtTheStartAsTheirBoxesSay) {
  Create();
  PumpMessages();
  TSOTForm* overlay = Overlay();
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(SOTForm, overlay);
  HWND h = overlay->Handle();
  ExpectOverlayWindow(h, RECT{0, 0, 1024, 768});
  EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle()) << "owned by the hidden window: no taskbar button";
  EXPECT_NE(GetForegroundWindow(), h);
  EXPECT_NE(GetActiveWindow(), h);
  EXPECT_EQ(overlay->Image1->Picture.Graphic, setup->imgScreenShadow->Picture.Graphic);
  EXPECT_EQ(overlay->Image1->Width(), 1024);
  EXPECT_EQ(overlay->Image1->Height(), 768);
  // Clicks pass through it, its picture included.
  HWND hit = WindowFromPoint(POINT{512, 384});
  EXPECT_NE(hit, h);
  EXPECT_NE(hit, overlay->Image1->Handle());

  TfrmDesktopDeco* deco = Deco();
  ASSERT_NE(deco, nullptr);
  EXPECT_EQ(frmDesktopDeco, deco);
  // The designed picture is 400 x 160.
  RECT r;
  GetWindowRect(deco->Handle(), &r);
  EXPECT_EQ(r.left, 764);
  EXPECT_EQ(r.top, 25);
  EXPECT_EQ(r.right - r.left, 250);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_EQ(Narrow(deco->NSetPosition->Caption), Narrow(L"置底"));
  EXPECT_FALSE(ExStyle(deco->Handle()) & WS_EX_TOPMOST);
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(deco->Handle(), &key, nullptr, &flags));
  EXPECT_TRUE(flags & LWA_COLORKEY);
  EXPECT_EQ(key, RGB(255, 255, 255)) << "white is see-through";
  EXPECT_EQ(deco->Image1->Picture.Graphic, setup->imgDesktopDeco->Picture.Graphic);
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
  EXPECT_NE(GetForegroundWindow(), deco->Handle());
  EXPECT_TRUE(TrayItem(L"NShowSOT")->Checked);
  EXPECT_TRUE(TrayItem(L"NDesktopDeco")->Checked);
}

TEST_F(OtherPage, TheOverlayIsLayeredClickThroughTopmostAndAToolWindowBeforeItFirstShows) {
  Create();
  auto* overlay = new TSOTForm(Application);
  HWND h = overlay->Handle();
  EXPECT_FALSE(IsWindowVisible(h));
  ExpectOverlayWindow(h, RECT{0, 0, 1024, 768});
  EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) << "no frame";
  TComponent::Free(overlay);
}

TEST_F(OtherPage, ClosedBoxesOpenNothingAndTheDecoBoxIsNotStored) {
  WriteConfig({L"", L"[0] 2", L"[1] 0", L"", L"", L"", L"", L"", L"[7] FALSE FALSE", L"a", L"b", L""});
  Create();
  PumpMessages();
  EXPECT_TRUE(Open(L"SOTForm").empty());
  EXPECT_FALSE(TrayItem(L"NShowSOT")->Checked);
  EXPECT_NE(Deco(), nullptr) << "the desktop-status picture opens at every start";
}

TEST_F(OtherPage, BoxTrayItemAndWinVTurnTheOverlayOffAndOnTogether) {
  Create();
  PumpMessages();
  HWND first = Overlay()->Handle();
  TMenuItem* item = TrayItem(L"NShowSOT");

  struct Step {
    const char* what;
    std::function<void()> act;
  };
  const std::vector<Step> steps = {
      {"the box", [&] { Click(setup->cbxShowSOT); }},
      {"the tray item", [&] { item->Click(); }},
      {"WIN+V", [&] { SendMessageW(main->Handle(), WM_HOTKEY, 6, MAKELPARAM(MOD_WIN, 'V')); }},
  };
  bool on = true;
  for (const Step& s : steps)
    for (int twice = 0; twice < 2; ++twice) {
      SCOPED_TRACE(s.what);
      s.act();
      PumpMessages();
      on = !on;
      EXPECT_EQ(setup->cbxShowSOT->Checked(), on);
      EXPECT_EQ(item->Checked, on);
      EXPECT_EQ(Open(L"SOTForm").size(), on ? 1u : 0u);
    }
  EXPECT_FALSE(IsWindow(first)) << "a closed overlay is freed";
  // Other keys or modifiers leave it.
  SendMessageW(main->Handle(), WM_HOTKEY, 6, MAKELPARAM(MOD_WIN | MOD_SHIFT, 'V'));
  SendMessageW(main->Handle(), WM_HOTKEY, 6, MAKELPARAM(MOD_WIN, 'B'));
  PumpMessages();
  EXPECT_EQ(Open(L"SOTForm").size(), 1u);
  // Opening it while it is up makes no second one.
  main->ShowSOT(true);
  EXPECT_EQ(Open(L"SOTForm").size(), 1u);
}

TEST_F(OtherPage, TheStatisticsSwitchTurnsTheOverlayOver) {
  Create();
  main->NStatClick(nullptr);
  ASSERT_NE(frmStat, nullptr);
  frmStat->PageControl1->SetActivePageIndex(2);
  Click(frmStat->btnSOT);
  PumpMessages();
  EXPECT_FALSE(setup->cbxShowSOT->Checked());
  EXPECT_TRUE(Open(L"SOTForm").empty());
}

TEST_F(OtherPage, TheDecoFollowsItsBoxItsTrayItemAndItsHideItem) {
  Create();
  PumpMessages();
  TMenuItem* item = TrayItem(L"NDesktopDeco");
  Click(setup->cbxShowDesktopDeco);
  PumpMessages();
  EXPECT_FALSE(item->Checked);
  EXPECT_TRUE(Open(L"frmDesktopDeco").empty());
  item->Click();
  PumpMessages();
  EXPECT_TRUE(setup->cbxShowDesktopDeco->Checked());
  ASSERT_NE(Deco(), nullptr);
  Deco()->NHide->Click();
  PumpMessages();
  EXPECT_FALSE(setup->cbxShowDesktopDeco->Checked());
  EXPECT_FALSE(item->Checked);
  EXPECT_TRUE(Open(L"frmDesktopDeco").empty());
}

TEST_F(OtherPage, TheDecoMovesTopAndBottomIsDraggedOnReleaseAndOpensTheSettings) {
  Create();
  PumpMessages();
  TfrmDesktopDeco* deco = Deco();
  ASSERT_NE(deco, nullptr);
  auto place = [&] {
    RECT r;
    GetWindowRect(deco->Handle(), &r);
    return POINT{r.left, r.top};
  };
  deco->NSetPosition->Click();
  EXPECT_EQ(place().x, 764);
  EXPECT_EQ(place().y, 618);
  EXPECT_EQ(Narrow(deco->NSetPosition->Caption), Narrow(L"置顶"));
  deco->NSetPosition->Click();
  EXPECT_EQ(place().y, 25);
  EXPECT_EQ(Narrow(deco->NSetPosition->Caption), Narrow(L"置底"));

  // The left button: nothing while it is held, the whole move on release.
  HWND img = deco->Image1->Handle();
  SendMessageW(img, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(img, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 40));
  EXPECT_EQ(place().x, 764);
  SendMessageW(img, WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
  EXPECT_EQ(place().x, 794);
  EXPECT_EQ(place().y, 20);
  // The middle button moves nothing.
  SendMessageW(img, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(0, 0));
  SendMessageW(img, WM_MBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(place().x, 794);

  deco->NSetup->Click();
  EXPECT_TRUE(setup->Visible());
  EXPECT_EQ(setup->PageControl1->ActivePageIndex(), 7);
}

TEST_F(OtherPage, TheDecoStaysBeneathOtherWindows) {
  Create();
  PumpMessages();
  main->OpenSetupPage(7);
  TfrmDesktopDeco* deco = Deco();
  ASSERT_NE(deco, nullptr);
  EXPECT_TRUE(Above(setup->Handle(), deco->Handle()));
  // Brought up and activated, as a click on it would: still beneath.
  SetWindowPos(deco->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_TRUE(Above(setup->Handle(), deco->Handle()));
  SetForegroundWindow(deco->Handle());
  PumpMessages();
  EXPECT_TRUE(Above(setup->Handle(), deco->Handle()));
  EXPECT_TRUE(IsWindowVisible(deco->Handle()));
}

TEST_F(OtherPage, OnAWiderScreenTheDecoIsWiderAndAnEmptyPictureGivesNoHeight) {
  FakeDisplay wide(1280, 800, RECT{0, 0, 1280, 760});
  Create();
  PumpMessages();
  TfrmDesktopDeco* deco = Deco();
  ASSERT_NE(deco, nullptr);
  EXPECT_EQ(deco->Width(), 312);
  EXPECT_EQ(deco->Height(), 124);
  EXPECT_EQ(deco->Left(), 958);
  main->ShowDesktopDeco(false);
  setup->imgDesktopDeco->Picture.Clear();
  main->ShowDesktopDeco(true);
  ASSERT_NE(frmDesktopDeco, nullptr);
  EXPECT_EQ(frmDesktopDeco->Width(), 312);
  EXPECT_EQ(frmDesktopDeco->Height(), 0);
}

// ---- a new overlay picture ---------------------------------------------------------------------------

TEST_F(OtherPage, ANewPictureReplacesTheOverlayAfterItsPauseAndIsSaved) {
  const std::wstring pic = folder.File(L"新倩影.bmp");
  WriteBitmap(pic, 6, 4, RGB(10, 200, 30));
  Create();
  PumpMessages();
  HWND old = Overlay()->Handle();
  dialogs.ChooseFile(pic);
  const DWORD before = clock.tick;
  Click(setup->btnLoadScreenShadow);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, ScriptedDialogs::kOpenFile);
  EXPECT_GE(clock.tick - before, 900u) << "the pause between closing and opening";
  PumpMessages();
  EXPECT_EQ(setup->imgScreenShadow->Picture.Width(), 6);
  TSOTForm* overlay = Overlay();
  ASSERT_NE(overlay, nullptr);
  EXPECT_NE(overlay->Handle(), old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(overlay->Image1->Picture.Width(), 6);
  EXPECT_TRUE(setup->cbxShowSOT->Checked());
  setup->SaveConfig();
  EXPECT_EQ(ReadConfig().at(11), pic);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OtherPage, ANewPictureWithTheOverlayOffOnlyChangesThePicture) {
  Create();
  Click(setup->cbxShowSOT);
  PumpMessages();
  const std::wstring pic = folder.File(L"pic.bmp");
  WriteBitmap(pic, 5, 5, RGB(1, 2, 3));
  dialogs.ChooseFile(pic);
  const DWORD before = clock.tick;
  Click(setup->btnLoadScreenShadow);
  PumpMessages();
  EXPECT_EQ(setup->imgScreenShadow->Picture.Width(), 5);
  EXPECT_TRUE(Open(L"SOTForm").empty());
  EXPECT_FALSE(setup->cbxShowSOT->Checked());
  EXPECT_LT(clock.tick - before, 900u);
  // A cancel changes nothing.
  dialogs.CancelDialog();
  Click(setup->btnLoadScreenShadow);
  EXPECT_EQ(setup->OpenPictureDialog1->FileName, pic);
}

TEST_F(OtherPage, AFileThatIsNoPictureShowsTheErrorAndKeepsPictureNameAndOverlay) {
  const std::wstring good = folder.File(L"good.bmp");
  WriteBitmap(good, 7, 3, RGB(200, 0, 0));
  WriteConfig({L"", L"[0] 2", L"[1] 0", L"", L"", L"", L"", L"", L"[7] TRUE FALSE", L"a", L"b", good});
  Create();
  PumpMessages();
  auto picture = setup->imgScreenShadow->Picture.Graphic;
  HWND overlay = Overlay()->Handle();
  for (const char* bytes : {"not a picture", "\xFF\xD8 broken JPEG", "BM broken bitmap"}) {
    SCOPED_TRACE(bytes);
    const std::wstring bad = folder.File(L"坏.jpg");
    WriteBytes(bad, bytes);
    dialogs.ChooseFile(bad).Answer(IDOK);
    const size_t boxes = dialogs.shown.size();
    Click(setup->btnLoadScreenShadow);
    PumpMessages();
    ASSERT_EQ(dialogs.shown.size(), boxes + 1) << "the standard error box";
    EXPECT_TRUE(dialogs.shown.back().flags & MB_ICONERROR);
    EXPECT_EQ(setup->imgScreenShadow->Picture.Graphic, picture);
    EXPECT_EQ(setup->OpenPictureDialog1->FileName, good);
    EXPECT_TRUE(IsWindowVisible(overlay)) << "the overlay stays";
  }
  setup->SaveConfig();
  EXPECT_EQ(ReadConfig().at(11), good);
}

TEST_F(OtherPage, APictureNameGbkCannotHoldIsSavedAsAFormThatOpensItOrNotAtAll) {
  Create();
  Click(setup->cbxShowSOT);
  PumpMessages();
  const std::wstring pic = folder.File(L"그림\U0001F5BC.bmp");
  WriteBitmap(pic, 5, 5, RGB(1, 2, 3));
  dialogs.ChooseFile(pic);
  Click(setup->btnLoadScreenShadow);
  PumpMessages();
  ASSERT_EQ(setup->OpenPictureDialog1->FileName, pic);
  setup->SaveConfig();
  EXPECT_TRUE(dialogs.shown.empty());
  const std::wstring stored = ReadConfig().at(11);
  EXPECT_EQ(stored.find(L'?'), std::wstring::npos) << Narrow(stored);
  wchar_t full[MAX_PATH] = {}, chosen[MAX_PATH] = {};
  GetLongPathNameW(stored.c_str(), full, MAX_PATH);
  GetLongPathNameW(pic.c_str(), chosen, MAX_PATH);
  EXPECT_EQ(std::wstring(full), std::wstring(chosen)) << "the short form opens the chosen picture";

  // Gone before the save: no form names it, so the file keeps what it held and the save says so.
  ASSERT_TRUE(DeleteFileW(pic.c_str()));
  dialogs.Answer(IDOK);
  setup->SaveConfig();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find(L"无法保存该文件名"), std::wstring::npos) << Narrow(dialogs.shown[0].text);
  EXPECT_NE(dialogs.shown[0].text.find(pic), std::wstring::npos);
  EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
  EXPECT_EQ(ReadConfig().at(11), stored);
}

TEST_F(OtherPage, APictureThatFailsAtTheStartIsNotSavedAgain) {
  const std::wstring bad = folder.File(L"坏图片.jpg");
  WriteBytes(bad, "not a picture");
  WriteConfig({L"", L"[0] 2", L"[1] 0", L"", L"", L"", L"", L"", L"[7] TRUE FALSE", L"a", L"b", bad});
  dialogs.Answer(IDOK);
  Create();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  setup->SaveConfig();
  EXPECT_EQ(ReadConfig().at(11), L"") << "the next start shows no error";
}

// ---- auto-start ------------------------------------------------------------------------------------

TEST_F(OtherPage, RepairWritesAMissingValueAndThenFindsNothingToRepair) {
  Create();
  main->OpenSetupPage(7);
  dialogs.Answer(IDOK);
  Click(setup->btnFixAutoRun);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"您的自启动设置未开启或存在问题，请点击确定进行修复。"));
  EXPECT_EQ(Narrow(dialogs.shown[0].caption), Narrow(L"启动检测"));
  EXPECT_EQ(dialogs.shown[0].owner, setup->Handle());
  EXPECT_EQ(dialogs.shown[0].flags & 0xF, UINT(MB_OK));
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"");
  EXPECT_TRUE(setup->cbxAutoRun->Checked());

  // With the box off, a correct value still ends with the box on.
  dialogs.Answer(IDYES);
  Click(setup->cbxAutoRun);
  EXPECT_EQ(RunValue(), L"");
  SetRunValue(OwnExePath());
  dialogs.Answer(IDOK);
  Click(setup->btnFixAutoRun);
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(Narrow(dialogs.shown[2].text), Narrow(L"您的自启动设置已开启且没有问题，无需修复！"));
  EXPECT_EQ(Narrow(dialogs.shown[2].caption), Narrow(L"启动检测"));
  EXPECT_TRUE(setup->cbxAutoRun->Checked());
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"");
}

TEST_F(OtherPage, AValueOfAnotherProgramIsRepaired) {
  Create();
  SetRunValue(L"C:\\old\\breakwarden.exe");
  dialogs.Answer(IDOK);
  Click(setup->btnFixAutoRun);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"您的自启动设置未开启或存在问题，请点击确定进行修复。"));
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"");
}

TEST_F(OtherPage, ARepairThatDoesNotWriteSaysSoAndLeavesTheBox) {
  Create();
  ASSERT_FALSE(setup->cbxAutoRun->Checked()) << "no Run value";
  for (bool denied : {true, false}) {
    SCOPED_TRACE(denied ? "the Run key cannot be opened" : "the value cannot be written");
    FakeRegistry registry;
    if (denied) registry.Deny(HKEY_LOCAL_MACHINE, kRunKeyPath);
    else registry.ReadOnly(HKEY_LOCAL_MACHINE, kRunKeyPath);
    dialogs.shown.clear();
    dialogs.Answer(IDOK).Answer(IDOK);
    Click(setup->btnFixAutoRun);
    ASSERT_EQ(dialogs.shown.size(), 2u) << "the repair question and one failure notice, no error box";
    EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"您的自启动设置未开启或存在问题，请点击确定进行修复。"));
    EXPECT_EQ(Narrow(dialogs.shown[1].caption), Narrow(L"启动检测"));
    EXPECT_EQ(dialogs.shown[1].flags & MB_ICONMASK, UINT(MB_ICONWARNING));
    EXPECT_EQ(dialogs.shown[1].owner, setup->Handle());
    EXPECT_NE(dialogs.shown[1].text.find(L"失败"), std::wstring::npos);
    EXPECT_FALSE(setup->cbxAutoRun->Checked()) << "a failed repair does not claim the box";
  }
}

TEST_F(OtherPage, UncheckingAutoStartAsksAndNoPutsTheValueBack) {
  SetRunValue(OwnExePath());
  Create();
  dialogs.Answer(IDNO);
  Click(setup->cbxAutoRun);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"你真要取消开机自动运行吗？"));
  EXPECT_EQ(dialogs.shown[0].flags & 0xF, UINT(MB_YESNO));
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONMASK, UINT(MB_ICONQUESTION));
  EXPECT_TRUE(setup->cbxAutoRun->Checked());
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"");

  dialogs.Answer(IDYES);
  Click(setup->cbxAutoRun);
  EXPECT_FALSE(setup->cbxAutoRun->Checked());
  EXPECT_EQ(RunValue(), L"");
  Click(setup->cbxAutoRun);
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"") << "checked again: written again";
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

struct RunValueCase {
  const char* name;
  std::wstring value;  // empty: no value
  bool checked;
};
void PrintTo(const RunValueCase& c, std::ostream* os) { *os << c.name; }

class AutoRunBoxAtStart : public OtherPage, public testing::WithParamInterface<RunValueCase> {};

TEST_P(AutoRunBoxAtStart, ShowsTheRunValueReadBack) {
  const RunValueCase& c = GetParam();
  if (!c.value.empty()) SetRunValue(c.value);
  Create();
  EXPECT_EQ(setup->cbxAutoRun->Checked(), c.checked);
  EXPECT_TRUE(dialogs.shown.empty()) << "showing asks nothing";
  EXPECT_EQ(RunValue(), c.value) << "showing writes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutoRunBoxAtStart,
    testing::Values(RunValueCase{"NoValue", L"", false},
                    RunValueCase{"Quoted", L"\"" + OwnExePath() + L"\"", true},
                    RunValueCase{"BareAsOlderVersionsWroteIt", OwnExePath(), true},
                    RunValueCase{"AnotherProgram", L"\"C:\\old\\breakwarden.exe\"", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OtherPage, AQuotedValueNeedsNoRepair) {
  SetRunValue(L"\"" + OwnExePath() + L"\"");
  Create();
  dialogs.Answer(IDOK);
  Click(setup->btnFixAutoRun);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(Narrow(dialogs.shown[0].text), Narrow(L"您的自启动设置已开启且没有问题，无需修复！"));
}

TEST_F(OtherPage, ARunValueThatCannotBeWrittenLeavesTheBoxOffAfterTheErrorBox) {
  Create();
  ASSERT_FALSE(setup->cbxAutoRun->Checked());
  FakeRegistry registry;
  registry.ReadOnly(HKEY_LOCAL_MACHINE, kRunKeyPath);
  dialogs.Answer(IDOK);
  Click(setup->cbxAutoRun);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, L"Failed to set data for 'Quovel'.");
  EXPECT_EQ(RunValue(), L"");
  EXPECT_FALSE(setup->cbxAutoRun->Checked());
}

// ---- shortcuts, console, exit setting, font ----------------------------------------------------------

TEST_F(OtherPage, TheShortcutButtonsLinkTheProgramInTheStartMenuAndOnTheDesktop) {
  Create();
  dialogs.Answer(IDOK).Answer(IDOK);
  Click(setup->btnAddtoStartMenu);
  Click(setup->btnCreateDeskIcon);
  const std::wstring menuLink = world.folders.programs + L"\\Quovel软件创新产品\\Restavo.lnk";
  const std::wstring deskLink = world.folders.desktop + L"\\Restavo.lnk";
  ASSERT_TRUE(FileExists(menuLink));
  ASSERT_TRUE(FileExists(deskLink));
  for (const std::wstring& link : {menuLink, deskLink}) {
    LinkData d = ReadLink(link);
    EXPECT_EQ(UpperCase(d.path), UpperCase(OwnExePath()));
    EXPECT_EQ(d.description, L"Restalon");
  }
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"添加成功！", L"添加成功！"}));
}

TEST_F(OtherPage, TheConsoleButtonShowsTheRunningConsole) {
  ClassWindow panel(kClassDeskpanel);
  Create();
  Click(setup->btnLaunchDeskpanel);
  PumpMessages();
  EXPECT_EQ(panel.got, (std::vector<UINT>{WM_DESKPANEL_SHOW}));
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(OtherPage, TheExitSettingNamesTheCloseButton) {
  Create();
  main->OpenSetupPage(7);
  HWND list = setup->cbxActionOnSelectTerminate->Handle();
  // A user's arrow keys in the list.
  for (const wchar_t* caption : {L"重启程序", L"退出程序"}) {
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Narrow(setup->btnClose->Caption()), Narrow(caption));
  }
  SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(setup->cbxActionOnSelectTerminate->ItemIndex(), 0);
  EXPECT_EQ(Narrow(setup->btnClose->Caption()), Narrow(L"关闭窗口"));
  wchar_t text[32] = {};
  GetWindowTextW(setup->btnClose->Handle(), text, 32);
  EXPECT_EQ(Narrow(text), Narrow(L"关闭窗口"));
}

TEST_F(OtherPage, SetFontChoosesTheSloganFont) {
  Create();
  main->OpenSetupPage(4);
  dialogs.ChooseFont(L"宋体", 30, fsBold);
  ClickSpeed(setup->SpeedButton1);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, ScriptedDialogs::kFont);
  EXPECT_EQ(Narrow(dialogs.asked[0].font.lfFaceName), Narrow(L"楷体_GB2312"));
  EXPECT_EQ(setup->FontDialog1->Font.Name, L"宋体");
  EXPECT_EQ(setup->FontDialog1->Font.Size, 30);
  setup->SaveConfig();
  EXPECT_EQ(Narrow(ReadConfig().at(5)).substr(0, 16), "[4] 0 FALSE TRUE") << "the size is stored";
  EXPECT_NE(Narrow(ReadConfig().at(5)).find(" 30 "), std::string::npos);
  // A cancel keeps the font.
  dialogs.CancelDialog();
  ClickSpeed(setup->SpeedButton1);
  EXPECT_EQ(setup->FontDialog1->Font.Name, L"宋体");
}

TEST_F(OtherPage, TheWaveMaximumFollowsTheFadeInSpeedAtTheStart) {
  Create();
  EXPECT_EQ(setup->updMoiseStrenth->Max(), 217);
  EXPECT_EQ(setup->edtMoiseStrenth->Text(), L"112");
}

}  // namespace
