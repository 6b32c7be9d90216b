// The skins on the real windows, chosen the way a user chooses them: the "皮肤" items of the menu
// bar, the settings dialog's list, the stored choice read at the dialog's creation.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PlayerFixture.h"
#include "ProcessHelpers.h"
#include "SkinTable.h"

namespace {

struct SkinLook {
  int skin;
  const wchar_t* name;
  int width, height;  // of the picture; 0 for the plain colour
  int r, g, b;        // at the sample point
  bool light;         // light captions under the mouse
};
const SkinLook kSkins[] = {
    {0, L"Quovel之绿", 0, 0, 0, 128, 128, false},  {1, L"北国之雪", 50, 50, 217, 219, 240, false},
    {2, L"盛夏深绿", 50, 50, 8, 98, 86, true},      {3, L"翡翠母绿", 50, 50, 32, 127, 46, true},
    {4, L"粉红之恋", 18, 18, 255, 4, 255, false},   {5, L"温馨家居", 50, 50, 166, 97, 82, false},
    {6, L"金色梦境", 50, 50, 145, 97, 49, true},    {7, L"蓝色畅想", 63, 67, 83, 201, 255, false},
    {8, L"蓝色经典", 115, 67, 81, 197, 255, false}, {9, L"南极冰雪", 50, 50, 100, 141, 169, true},
    {10, L"深海秘境", 50, 50, 79, 98, 113, true},   {11, L"天高云淡", 50, 50, 126, 186, 249, false},
    {12, L"铁血丹青", 50, 50, 113, 77, 77, true},   {13, L"紫色情缘", 50, 50, 96, 105, 138, false},
};

bool Near(TColor c, int r, int g, int b) {
  const COLORREF rgb = ColorToRGB(c);
  return std::abs(int(GetRValue(rgb)) - r) <= 3 && std::abs(int(GetGValue(rgb)) - g) <= 3 &&
         std::abs(int(GetBValue(rgb)) - b) <= 3;
}

// The colour the list's window shows inside its frame, read from its painting.
TColor ShownColor(TWinControl* list) {
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
  HDC dc = GetDC(list->Handle());
  COLORREF c = GetPixel(dc, 3, 3);
  ReleaseDC(list->Handle(), dc);
  return TColor(c);
}

class Skins : public PlayerForms {
 protected:
  TfrmSetupSaverDeck* s() const { return frmSetupSaverDeck; }
  TMenuItem* Item(int skin) const {
    wchar_t name[16];
    swprintf(name, 16, L"NSkin%02d", skin);
    return dynamic_cast<TMenuItem*>(main->FindComponent(name));
  }
  std::vector<int> CheckedItems() const {
    std::vector<int> on;
    for (int i = 0; i < kSkinCount; ++i)
      if (Item(i)->Checked) on.push_back(i);
    return on;
  }
  // The whole look of one skin: the list, the marks, the picture and both lists' colour.
  void ExpectLook(const SkinLook& k) {
    SCOPED_TRACE(Narrow(k.name));
    EXPECT_EQ(s()->cbbSkins->ItemIndex(), k.skin);
    EXPECT_EQ(s()->cbbSkins->Items[k.skin], k.name);
    EXPECT_EQ(Item(k.skin)->Caption, k.name);
    EXPECT_EQ(CheckedItems(), std::vector<int>{k.skin});
    EXPECT_EQ(main->Image1->Picture.Width(), k.width);
    EXPECT_EQ(main->Image1->Picture.Height(), k.height);
    for (TComboBox* list : {main->cbbSCRSaversName, main->cbbBanYing}) {
      if (k.skin == 0) {
        EXPECT_EQ(list->Color(), main->Color());
      }
      EXPECT_TRUE(Near(list->Color(), k.r, k.g, k.b)) << Narrow(list->Name()) << " " << std::hex << list->Color();
    }
    for (TSpeedButton* b : {main->btnSCRSetup, main->btnScrPreview, main->btnSetupDuLiBanYing})
      EXPECT_EQ(b->Font.Color, clBlack) << Narrow(b->Name());
  }
  void MouseAt(TSpeedButton* b, int x, int y) { SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
};

TEST_F(Skins, EverySkinItemAppliesItsSkinAndMarksItselfAlone) {
  main->ShowPlayer();
  // Backwards, so that each item moves the mark off another one.
  for (int i = kSkinCount - 1; i >= 0; --i) {
    ClickBarItem(Item(kSkins[i].skin));
    ExpectLook(kSkins[i]);
  }
}

TEST_F(Skins, TheSettingsListAppliesTheSkinAndTheListsShowItsColour) {
  main->ShowPlayer();
  s()->Show();
  s()->PageControl1->SetActivePageIndex(0);
  PumpMessages();
  UserChoose(s()->cbbSkins, 6);
  ExpectLook(kSkins[6]);
  for (TComboBox* list : {main->cbbSCRSaversName, main->cbbBanYing})
    EXPECT_TRUE(Near(ShownColor(list), 145, 97, 49)) << Narrow(list->Name()) << " " << std::hex << ShownColor(list);
  UserChoose(s()->cbbSkins, 0);
  ExpectLook(kSkins[0]);
  EXPECT_EQ(ShownColor(main->cbbBanYing), TColor(ColorToRGB(clTeal)));
}

TEST_F(Skins, DarkSkinsLightACaptionOnlyStrictlyInsideEightPixels) {
  main->ShowPlayer();
  PumpMessages();
  for (const SkinLook& k : kSkins) {
    SCOPED_TRACE(Narrow(k.name));
    ClickBarItem(Item(k.skin));
    for (TSpeedButton* b : {main->btnScrPreview, main->btnSCRSetup, main->btnSetupDuLiBanYing}) {
      ASSERT_EQ(b->Width(), 44);
      ASSERT_EQ(b->Height(), 26);
      MouseAt(b, 9, 9);
      EXPECT_EQ(b->Font.Color, k.light ? clWhite : clBlack) << Narrow(b->Name());
      MouseAt(b, 8, 9);
      EXPECT_EQ(b->Font.Color, clBlack);
      MouseAt(b, 35, 17);
      EXPECT_EQ(b->Font.Color, k.light ? clWhite : clBlack);
      MouseAt(b, 35, 18);
      EXPECT_EQ(b->Font.Color, clBlack);
      MouseAt(b, 20, 12);
    }
  }
  // A change of skin darkens the captions again.
  ASSERT_EQ(main->btnScrPreview->Font.Color, clBlack);
  ClickBarItem(Item(2));
  MouseAt(main->btnScrPreview, 20, 12);
  ASSERT_EQ(main->btnScrPreview->Font.Color, clWhite);
  ClickBarItem(Item(3));
  EXPECT_EQ(main->btnScrPreview->Font.Color, clBlack);
}

TEST_F(Skins, TheFlatButtonBoxRaisesTheButtonsAndGreysTheListsAndBack) {
  ClickBarItem(Item(6));
  std::vector<TSpeedButton*> buttons = {main->bbtPlay,   main->bbtPause,          main->bbtStop,     main->bbtNext,
                                        main->bbtPrev,   main->bbtOpen,           main->bbtVol,      main->bbtFormsPosChange,
                                        main->btnSCRSetup, main->btnScrPreview, main->btnSetupDuLiBanYing,
                                        main->btnPlayScr, main->btnPlayScrWithMus};
  for (TSpeedButton* b : buttons) EXPECT_TRUE(b->Flat()) << Narrow(b->Name());
  s()->Show();
  s()->PageControl1->SetActivePageIndex(0);
  ASSERT_TRUE(s()->cbxUseFlatButton->Checked());
  EXPECT_FALSE(s()->cbxUseFlatButton->Enabled()) << "ticked and out of reach as designed";
  s()->cbxUseFlatButton->SetEnabled(true);
  UserClick(s()->cbxUseFlatButton);
  ASSERT_FALSE(s()->cbxUseFlatButton->Checked());
  for (TSpeedButton* b : buttons) EXPECT_FALSE(b->Flat()) << Narrow(b->Name());
  EXPECT_EQ(main->cbbSCRSaversName->Color(), clBtnFace);
  EXPECT_EQ(main->cbbBanYing->Color(), clBtnFace);
  ClickBarItem(Item(9));
  EXPECT_EQ(main->cbbBanYing->Color(), clBtnFace) << "raised buttons: a skin leaves the lists alone";
  UserClick(s()->cbxUseFlatButton);
  for (TSpeedButton* b : buttons) EXPECT_TRUE(b->Flat()) << Narrow(b->Name());
  EXPECT_TRUE(Near(main->cbbBanYing->Color(), 100, 141, 169));
}

// The stored choice comes back at the dialog's creation; an index outside the table, or none, is
// the plain skin 0 and breaks nothing after it.
TEST_F(Skins, TheStoredSkinIsAppliedAtCreationAndOneOutsideTheTableIsSkinZero) {
  struct Case {
    const wchar_t* line;
    int skin;
  } cases[] = {{L"[1] 6", 6}, {L"[1] 14", 0}, {L"[1] 12", 12}, {L"[1] -1", 0}, {L"[1] 99", 0}};
  ScriptedDialogs dialogs;
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.line));
    ClickBarItem(Item(3));
    WriteTextLines(world.ConfigPath(), {L"请勿擅自更改数据，由此造成的软件运行错误，后果自负！", L"[0] FALSE TRUE TRUE", c.line, L"[2]",
                                        L"[3] 30 10 2 1 255 2", L"[4] 0 TRUE"});
    RecreateSettings();
    EXPECT_TRUE(dialogs.shown.empty()) << Narrow(dialogs.shown.empty() ? L"" : dialogs.shown[0].text);
    ExpectLook(kSkins[c.skin]);
    EXPECT_EQ(s()->cbbBanYingForAutoScr->ItemIndex(), 0) << "the lines after the skin are still read";
    EXPECT_EQ(s()->updTimePlayEachScr->Position(), 30);
  }
}

TEST_F(Skins, APictureThatDoesNotDecodeShowsTheJpegErrorAndLeavesThePlainColour) {
  ClickBarItem(Item(6));
  ASSERT_EQ(main->Image1->Picture.Width(), 50);
  ScriptedDialogs dialogs;
  dialogs.Answer(IDOK);
  EXPECT_FALSE(s()->LoadSkinPicture(L"VOLSOUND_BMP")) << "a bitmap, not a JPEG";
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text.rfind(L"JPEG error #", 0), 0u) << Narrow(dialogs.shown[0].text);
  EXPECT_EQ(dialogs.shown[0].flags & MB_ICONERROR, UINT(MB_ICONERROR));
  EXPECT_TRUE(main->Image1->Picture.Graphic == nullptr);
  s()->ApplyFlatButtonColors();
  EXPECT_EQ(main->cbbBanYing->Color(), main->Color()) << "the plain colour";
}

RECT ScreenRectOf(TWinControl* c) {
  RECT r{};
  GetWindowRect(c->Handle(), &r);
  return r;
}

// The white text of a label as the screen shows it, after the paints the system has due.
int WhitePixelsShown(TLabel* label) {
  PumpMessages();
  return CaptureScreen(ScreenRectOf(label)).Count([](COLORREF c) {
    return GetRValue(c) > 230 && GetGValue(c) > 230 && GetBValue(c) > 230;
  });
}

TEST_F(Skins, TheLabelsStayOnTheScreenAfterEverySkinChange) {
  main->ShowPlayer();
  PumpMessages();
  auto label = [&](const wchar_t* name) { return dynamic_cast<TLabel*>(main->FindComponent(name)); };
  TLabel* labels[] = {label(L"lblScrListCaption"), label(L"lblBanYingCaption"), label(L"lblScrTotalCaption"),
                      main->lblSCR_total};
  for (TLabel* l : labels) ASSERT_TRUE(l);
  for (TLabel* l : labels) ASSERT_GT(WhitePixelsShown(l), 4) << Narrow(l->Caption()) << " before any skin";
  // Dark and mid pictures and the plain colour, from the menu bar and from the settings list.
  for (int skin : {6, 10, 0, 2}) {
    SCOPED_TRACE(Narrow(kSkins[skin].name));
    ClickBarItem(Item(skin));
    for (TLabel* l : labels) EXPECT_GT(WhitePixelsShown(l), 4) << Narrow(l->Caption());
  }
  s()->Show();
  s()->PageControl1->SetActivePageIndex(0);
  PumpMessages();
  UserChoose(s()->cbbSkins, 12);
  s()->Hide();
  for (TLabel* l : labels) EXPECT_GT(WhitePixelsShown(l), 4) << Narrow(l->Caption()) << " after the settings list";
}

bool Close(COLORREF a, COLORREF b) {
  return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= 8 && std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= 8 &&
         std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= 8;
}

// A flat button shows what lies behind it: the screen inside its frame, away from the caption,
// shows what it shows where the button is taken away.
TEST_F(Skins, AFlatButtonOnAPictureShowsThePictureBehindIt) {
  main->ShowPlayer();
  for (int skin : {6, 10}) {
    SCOPED_TRACE(Narrow(kSkins[skin].name));
    ClickBarItem(Item(skin));
    for (TSpeedButton* b : {main->bbtStop, main->btnPlayScr}) {
      ASSERT_TRUE(b->Flat());
      PumpMessages();
      const RECT r = ScreenRectOf(b);
      const RECT inside{r.left + 3, r.top + 3, r.left + 8, r.top + 10};
      ScreenPixels face = CaptureScreen(inside);
      ShowWindow(b->Handle(), SW_HIDE);
      PumpMessages();
      ScreenPixels behind = CaptureScreen(inside);
      ShowWindow(b->Handle(), SW_SHOWNA);
      PumpMessages();
      int differ = 0;
      for (size_t i = 0; i < face.pixels.size(); ++i) differ += Close(face.pixels[i], behind.pixels[i]) ? 0 : 1;
      EXPECT_EQ(differ, 0) << Narrow(b->Name()) << " shows " << std::hex << face.pixels[0] << " over "
                           << behind.pixels[0];
      EXPECT_EQ(face.Count([](COLORREF c) { return c == ColorToRGB(clTeal); }), 0) << "the window's colour";
    }
  }
}

}  // namespace
