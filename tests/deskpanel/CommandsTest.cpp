// The bar's commands in-process: the buttons reach sibling windows, start with Windows, shortcuts,
// links and help; and every described form of the console loads and binds.
#include <gtest/gtest.h>

#include <vector>

#include "ClassWindow.h"
#include "DescribedForms.h"
#include "ConsoleFixtures.h"

namespace {

struct ButtonCase {
  const char* name;
  const wchar_t* button;
  const wchar_t* siblingClass;
  UINT message;
};

class ConsoleButtons : public ConsoleBar, public testing::WithParamInterface<ButtonCase> {};

TEST_P(ConsoleButtons, AClickPostsTheCommandToTheRunningSibling) {
  const ButtonCase& c = GetParam();
  SeedRecord();
  Make();
  form->Show();
  ClassWindow sibling(c.siblingClass);
  auto* button = dynamic_cast<TWinControl*>(form->FindComponent(c.button));
  ASSERT_NE(button, nullptr);
  ClickControl(button->Handle());
  PumpMessages();
  EXPECT_EQ(sibling.got, std::vector<UINT>{c.message});
  EXPECT_TRUE(web.calls.empty()) << "nothing was launched";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsoleButtons,
    testing::Values(ButtonCase{"BreakReminderStatistics", L"btnProductBKWD", L"KMR474747_30", 0x8202},
                    ButtonCase{"OneKeySaver", L"btnProductZEPT", L"KMR474747_250_ZEPT", 0x1620},
                    ButtonCase{"PlayerShowOrHide", L"btnProductSaverDeck", L"KMR474747_325_SaverDeck", 0x8194},
                    ButtonCase{"DesktopDrawing", L"btnProductMINV", L"KMR474747_550_MINV", 0x1910},
                    ButtonCase{"AccompanimentSettings", L"btnSVDSetup", L"KMR474747_325_SaverDeck", 0x8190},
                    ButtonCase{"PlayOrPause", L"btnPlayOrPause", L"KMR474747_325_SaverDeck", 0x8184},
                    ButtonCase{"SaversWithMusic", L"btnPlayScrWithMus", L"KMR474747_325_SaverDeck", 0x8188},
                    ButtonCase{"SaversInTurn", L"btnPlayScr", L"KMR474747_325_SaverDeck", 0x8186}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConsoleBar, AButtonWithNoSiblingAnywhereOffersTheDownload) {
  SeedRecord();
  Make();
  dialogs.Answer(IDNO);
  ClickControl(form->btnProductMINV->Handle());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find(L"Minvar"), std::wstring::npos) << Narrow(dialogs.shown[0].text);
}

// ---- start with Windows --------------------------------------------------------------------------

TEST_F(ConsoleBar, StartWithWindowsAsksAndTheMarkShowsTheRunValue) {
  SeedRecord();
  Make();
  EXPECT_FALSE(form->NAutoRun->Checked);
  dialogs.Answer(IDNO);
  form->NAutoRun->Click();
  EXPECT_FALSE(form->NAutoRun->Checked);
  EXPECT_EQ(RunValue(), L"");
  dialogs.Answer(IDYES);
  form->NAutoRun->Click();
  EXPECT_EQ(dialogs.shown[1].text, L"您确定要设定开机时自动启动本程序吗？");
  EXPECT_EQ(dialogs.shown[1].caption, L"Quovel提示：");
  EXPECT_EQ(dialogs.shown[1].flags, 0x1024u);
  EXPECT_TRUE(form->NAutoRun->Checked);
  EXPECT_EQ(RunValue(), L"\"" + OwnExePath() + L"\"") << "quoted, for a folder with a blank";

  // Read back at the next start.
  TComponent::Free(form);
  form = nullptr;
  Make();
  EXPECT_TRUE(form->NAutoRun->Checked);
  dialogs.Answer(IDNO);
  form->NAutoRun->Click();
  EXPECT_TRUE(form->NAutoRun->Checked);
  dialogs.Answer(IDYES);
  form->NAutoRun->Click();
  EXPECT_EQ(dialogs.shown.back().text, L"您确定要取消开机时自动启动本程序吗？");
  EXPECT_FALSE(form->NAutoRun->Checked);
  EXPECT_EQ(RunValue(), L"");
}

TEST_F(ConsoleBar, AnUnwritableRunKeyLeavesTheMarkAsTheKeyIs) {
  SeedRecord();
  shell.registry.Deny(HKEY_LOCAL_MACHINE, kRunKeyPath);
  Make();
  EXPECT_FALSE(form->NAutoRun->Checked);
  dialogs.Answer(IDYES);
  form->NAutoRun->Click();
  EXPECT_FALSE(form->NAutoRun->Checked) << "SetAutoRun skipped the key: nothing starts with Windows";
}

TEST_F(ConsoleBar, ARunValueThatCannotBeWrittenLeavesTheMarkOffAfterTheErrorBox) {
  SeedRecord();
  // The key opens, but only for reading: the write after it fails.
  shell.registry.ReadOnly(HKEY_LOCAL_MACHINE, kRunKeyPath);
  Make();
  ASSERT_FALSE(form->NAutoRun->Checked);
  dialogs.Answer(IDYES).Answer(IDOK);
  form->NAutoRun->Click();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, L"Failed to set data for 'Quovel_DESKPANEL'.");
  EXPECT_EQ(RunValue(), L"");
  EXPECT_FALSE(form->NAutoRun->Checked) << "the mark shows what the Run key holds";
}

TEST_F(ConsoleBar, ABareRunValueOfAnOlderVersionShowsTheMark) {
  SeedRecord();
  shell.key.SetString(L"Run", kAutoRunDeskpanel, OwnExePath());
  Make();
  EXPECT_TRUE(form->NAutoRun->Checked);
}

// ---- shortcuts -----------------------------------------------------------------------------------

TEST_F(ConsoleBar, TheDesktopIconIsReportedOnlyOnceTheLinkIsSaved) {
  SeedRecord();
  Make();
  dialogs.Answer(IDOK).Answer(IDOK);

  dynamic_cast<TMenuItem*>(form->FindComponent(L"NCreateDesktopIcon"))->Click();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, L"添加成功！");
  EXPECT_EQ(dialogs.shown[1].text, L"桌面图标添加成功！");
  EXPECT_EQ(dialogs.shown[1].flags, 0x1040u);
  EXPECT_TRUE(FileExists(shell.desktop + L"\\Deskora.lnk"));

  dialogs.Answer(IDOK).Answer(IDOK);
  dynamic_cast<TMenuItem*>(form->FindComponent(L"NAddToProgramList"))->Click();
  EXPECT_EQ(dialogs.shown.back().text, L"程序组图标添加成功！");
  EXPECT_TRUE(FileExists(shell.programs + L"\\Quovel软件创新产品\\Deskora.lnk"));
}

TEST_F(ConsoleBar, AShortcutThatWasNotSavedBringsNoSuccessNotice) {
  SeedRecord();
  Make();
  shell.key.SetString(L"Shell Folders", L"Desktop", L"relative\\folder");
  dialogs.Answer(IDOK);
  dynamic_cast<TMenuItem*>(form->FindComponent(L"NCreateDesktopIcon"))->Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text, L"桌面图标添加成功！");
  EXPECT_NE(dialogs.shown[0].text.find(L"添加失败"), std::wstring::npos);
}

// ---- links and help -------------------------------------------------------------------------------

TEST_F(ConsoleBar, EachLinkOpensItsPageWithTheBarAsOwner) {
  SeedRecord();
  Make();
  const std::pair<const wchar_t*, const wchar_t*> links[] = {
      {L"NShares", L"http://www.quovel.com/article/"},
      {L"NWeb_MyVendora", L"http://www.quovel.com/article/healthy-computing.html"},
      {L"NMore_PCKnowledge", L"http://www.quovel.com/article/"},
      {L"NMore_Weather", L"/baidu?tn=quovel_pg&word=%CC%EC%C6%F8"},
      {L"NMore_Clock", L"/baidu?tn=quovel_pg&word=%CA%B1%BC%E4"},
      {L"NMore_RiLi", L"/baidu?tn=quovel_pg&word=%C8%D5%C0%FA"},
      {L"NFm", L"%E7%94%B5%E5%8F%B0"},
      {L"NMore_Map", L"/baidu?tn=quovel_pg&word=%B5%D8%CD%BC"},
      {L"NMore_CiDian", L"/baidu?tn=quovel_pg&word=%B7%AD%D2%EB"}};
  for (const auto& [item, address] : links) {
    web.calls.clear();
    dynamic_cast<TMenuItem*>(form->FindComponent(item))->Click();
    ASSERT_EQ(web.calls.size(), 1u) << Narrow(item);
    EXPECT_NE(web.calls[0].file.find(address), std::wstring::npos) << Narrow(item) << " " << Narrow(web.calls[0].file);
    EXPECT_EQ(web.calls[0].owner, form->Handle());
    EXPECT_EQ(web.calls[0].verb, L"");
    EXPECT_EQ(web.calls[0].show, SW_SHOWNORMAL);
  }
}

TEST_F(ConsoleBar, HelpExplainsTheBarAndOkOpensTheProductsPage) {
  SeedRecord();
  Make();
  dialogs.Answer(IDCANCEL);
  dynamic_cast<TMenuItem*>(form->FindComponent(L"N11"))->Click();
  EXPECT_TRUE(web.calls.empty());
  EXPECT_EQ(dialogs.shown[0].caption, L"Quovel帮助：");
  EXPECT_EQ(dialogs.shown[0].flags, 0x1041u);
  EXPECT_EQ(dialogs.shown[0].text.rfind(L"鼠标右击控制条任意位置可以弹出主菜单", 0), 0u);
  dialogs.Answer(IDOK);
  dynamic_cast<TMenuItem*>(form->FindComponent(L"N11"))->Click();
  ASSERT_EQ(web.calls.size(), 1u);
  EXPECT_EQ(web.calls[0].file, L"http://www.quovel.com/help/deskora.html");
  dynamic_cast<TMenuItem*>(form->FindComponent(L"NHomePage"))->Click();
  EXPECT_EQ(web.calls.back().file, L"http://www.quovel.com/");
}

// ---- descriptions -------------------------------------------------------------------------------

TEST(Descriptions, EveryConsoleFormLoadsAndBinds) { ExpectEveryDescribedFormLoadsAndBinds(DESCRIBED_FORMS); }

}  // namespace
