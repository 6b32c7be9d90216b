// The standard dialogs through the dialog seam: what each asks the system for, and what the answer
// leaves in its properties.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "Fakes.h"
#include "unitFrmControls.h"

namespace {

class DialogsForm : public testing::Test {
 protected:
  void SetUp() override { f = new TfrmControls(Application); }
  void TearDown() override { TComponent::Free(f); }
  TfrmControls* f = nullptr;
};

TEST_F(DialogsForm, OpenDialogAsksWithItsFilterAndGivesEveryChosenFile) {
  ScriptedDialogs d;
  d.ChooseFiles({L"C:\\音乐\\一.mp3", L"C:\\音乐\\二.wav"});
  f->dlgOpenMusic->InitialDir = L"D:\\歌曲";
  ASSERT_TRUE(f->dlgOpenMusic->Execute());
  EXPECT_EQ(f->dlgOpenMusic->Files, (std::vector<std::wstring>{L"C:\\音乐\\一.mp3", L"C:\\音乐\\二.wav"}));
  EXPECT_EQ(f->dlgOpenMusic->FileName, L"C:\\音乐\\一.mp3");
  ASSERT_EQ(d.asked.size(), 1u);
  const auto& a = d.asked[0];
  EXPECT_EQ(a.kind, ScriptedDialogs::kOpenFile);
  EXPECT_EQ(a.title, L"打开音乐");
  EXPECT_EQ(a.initialDir, L"D:\\歌曲");
  EXPECT_EQ(a.filter, L"音乐文件|*.wav;*.wma;*.mp3;*.mid;*.midi");
  EXPECT_TRUE(a.flags & OFN_ALLOWMULTISELECT);
  EXPECT_TRUE(a.flags & OFN_HIDEREADONLY);
  EXPECT_TRUE(a.flags & OFN_EXPLORER);
}

TEST_F(DialogsForm, SingleChoiceAndCancel) {
  ScriptedDialogs d;
  d.ChooseFile(L"C:\\音乐\\三.mid").CancelDialog();
  f->dlgOpenMusic->Options &= ~ofAllowMultiSelect;
  ASSERT_TRUE(f->dlgOpenMusic->Execute());
  EXPECT_EQ(f->dlgOpenMusic->Files, std::vector<std::wstring>{L"C:\\音乐\\三.mid"});
  EXPECT_FALSE(f->dlgOpenMusic->Execute());
  EXPECT_EQ(f->dlgOpenMusic->FileName, L"C:\\音乐\\三.mid") << "a cancel leaves the last choice";
  EXPECT_EQ(d.asked[1].fileName, L"C:\\音乐\\三.mid") << "the dialog starts at its file name";
  EXPECT_FALSE(d.asked[1].flags & OFN_ALLOWMULTISELECT);
}

TEST_F(DialogsForm, SaveDialogTakesItsDefaultExtensionWithoutTheMask) {
  ScriptedDialogs d;
  d.ChooseFile(L"C:\\列表\\我的.qvml");
  f->dlgSaveMusList->Title = L"保存播放列表";
  ASSERT_TRUE(f->dlgSaveMusList->Execute());
  EXPECT_EQ(f->dlgSaveMusList->FileName, L"C:\\列表\\我的.qvml");
  EXPECT_EQ(d.asked[0].kind, ScriptedDialogs::kSaveFile);
  EXPECT_EQ(d.asked[0].defaultExt, L"qvml");
  EXPECT_EQ(d.asked[0].filter, L"Quovel音乐列表文件|*.qvml");
  EXPECT_EQ(d.asked[0].title, L"保存播放列表");
}

TEST_F(DialogsForm, PictureDialogOffersThePicturesTheFormLayerLoads) {
  ScriptedDialogs d;
  d.ChooseFile(L"C:\\图片\\风景.jpg");
  ASSERT_TRUE(f->OpenPictureDialog1->Execute());
  EXPECT_EQ(f->OpenPictureDialog1->FileName, L"C:\\图片\\风景.jpg");
  EXPECT_NE(d.asked[0].filter.find(L"*.jpg;*.jpeg;*.bmp"), std::wstring::npos) << Narrow(d.asked[0].filter);
}

TEST_F(DialogsForm, FontDialogStartsAtItsFontAndTakesTheChosenOne) {
  ScriptedDialogs d;
  d.ChooseFont(L"黑体", 18, fsBold | fsItalic, RGB(255, 0, 0)).CancelDialog();
  ASSERT_TRUE(f->FontDialog1->Execute());
  EXPECT_EQ(std::wstring(d.asked[0].font.lfFaceName), L"楷体_GB2312");
  EXPECT_EQ(d.asked[0].fontPointSize, 240);
  EXPECT_TRUE(d.asked[0].flags & CF_EFFECTS);
  const TFont& font = f->FontDialog1->Font;
  EXPECT_EQ(font.Name, L"黑体");
  EXPECT_EQ(font.Size, 18);
  EXPECT_EQ(font.Style, fsBold | fsItalic);
  EXPECT_EQ(font.Color, TColor(RGB(255, 0, 0)));
  EXPECT_FALSE(f->FontDialog1->Execute());
  EXPECT_EQ(font.Size, 18);
}

TEST_F(DialogsForm, ColourDialogStartsAtItsColourFullyOpen) {
  ScriptedDialogs d;
  d.ChooseColor(RGB(1, 2, 3)).CancelDialog();
  ASSERT_TRUE(f->ColorDialog1->Execute());
  EXPECT_EQ(d.asked[0].color, COLORREF(clSkyBlue));
  EXPECT_TRUE(d.asked[0].flags & CC_FULLOPEN);
  EXPECT_TRUE(d.asked[0].flags & CC_RGBINIT);
  EXPECT_EQ(f->ColorDialog1->Color, TColor(RGB(1, 2, 3)));
  f->ColorDialog1->Color = clBtnFace;  // a system colour starts as its RGB value
  EXPECT_FALSE(f->ColorDialog1->Execute());
  EXPECT_EQ(d.asked[1].color, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(f->ColorDialog1->Color, clBtnFace) << "a cancel keeps the colour";
}

TEST_F(DialogsForm, DialogIsOwnedByTheActiveForm) {
  f->Show();
  SetActiveWindow(f->Handle());
  ScriptedDialogs d;
  d.ChooseColor(0);
  f->ColorDialog1->Execute();
  EXPECT_EQ(d.asked[0].owner, GetActiveWindow() == f->Handle() ? f->Handle() : Application->Handle());
}

TOpenDialog* g_dialog = nullptr;

void ExecuteUnderAnEmptyScript() {
  ScriptedDialogs d;
  EXPECT_FALSE(g_dialog->Execute());
}

TEST(ScriptedDialogsTest, AnUnscriptedDialogFailsTheTestAndIsCancelled) {
  g_dialog = new TOpenDialog(nullptr);
  EXPECT_NONFATAL_FAILURE(ExecuteUnderAnEmptyScript(), "unexpected open dialog");
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(g_dialog->Execute()), "a real open dialog would block");
  TComponent::Free(g_dialog);
}

}  // namespace
