// The web-page openers, recorded through the shell seam (no browser opens).
#include <gtest/gtest.h>

#include <set>

#include "Fakes.h"
#include "ShellFakes.h"
#include "uniQVShare.h"

namespace {

HWND Owner() { return reinterpret_cast<HWND>(0x1234); }

void ExpectPlainCall(const RecordingShell::Call& c, int show) {
  EXPECT_EQ(c.owner, Owner());
  EXPECT_EQ(c.verb, L"");
  EXPECT_EQ(c.params, L"");
  EXPECT_EQ(c.dir, L"");
  EXPECT_EQ(c.show, show);
  EXPECT_FALSE(c.file.empty());
}

TEST(WebPages, EachOpenerOpensOneAddressWithItsShowFlag) {
  RecordingShell shell;
  OpenHomePage(Owner());
  OpenSuggestionPage(Owner());
  OpenDownloadPage(Owner());
  OpenIndexHelpPage(Owner());
  OpenRadioSearch(Owner());
  ASSERT_EQ(shell.calls.size(), 5u);
  for (const auto& c : shell.calls) ExpectPlainCall(c, SW_SHOWNORMAL);
  std::set<std::wstring> distinct;
  for (const auto& c : shell.calls) distinct.insert(c.file);
  EXPECT_EQ(distinct.size(), 5u);
  shell.calls.clear();
  OpenMessengerChat(Owner());
  OpenShopMessengerChat(Owner());
  ASSERT_EQ(shell.calls.size(), 2u);
  for (const auto& c : shell.calls) ExpectPlainCall(c, SW_SHOW);
  EXPECT_NE(shell.calls[0].file, shell.calls[1].file);
}

TEST(WebPages, PromoPageByIndexAndNothingForAnOtherIndex) {
  RecordingShell shell;
  OpenPromoPage(Owner(), false, 0);
  OpenPromoPage(Owner(), false, 1);
  OpenPromoPage(Owner(), false, 2);
  ASSERT_EQ(shell.calls.size(), 3u);
  for (const auto& c : shell.calls) ExpectPlainCall(c, SW_SHOWNORMAL);
  EXPECT_NE(shell.calls[0].file, shell.calls[1].file);
  OpenHomePage(Owner());
  EXPECT_EQ(shell.calls[2].file, shell.calls[3].file);  // index 2 is the home page
  shell.calls.clear();
  OpenPromoPage(Owner(), false, 7);
  OpenPromoPage(Owner(), false, -1);
  EXPECT_TRUE(shell.calls.empty());
}

TEST(WebPages, RandomPromoPageIsOneOfTheThree) {
  RecordingShell shell;
  for (int i : {0, 1, 2}) OpenPromoPage(Owner(), false, i);
  std::set<std::wstring> three;
  for (const auto& c : shell.calls) three.insert(c.file);
  shell.calls.clear();
  FakeClock clock;
  for (int i = 0; i < 20; ++i) {
    clock.Advance(17);
    OpenPromoPage(Owner(), true, 7);  // the index given is replaced
  }
  ASSERT_EQ(shell.calls.size(), 20u);
  for (const auto& c : shell.calls) EXPECT_TRUE(three.count(c.file)) << Narrow(c.file);
}

TEST(WebPages, HelpAndVotePagesPerProduct) {
  RecordingShell shell;
  for (uint8_t code : {1, 2, 3, 5, 104, 0, 77}) OpenHelpPage(Owner(), code);
  std::vector<std::wstring> help;
  for (const auto& c : shell.calls) help.push_back(c.file);
  EXPECT_EQ(std::set<std::wstring>(help.begin(), help.begin() + 6).size(), 6u);  // five products + general
  EXPECT_EQ(help[5], help[6]);  // any other code: the general article
  shell.calls.clear();
  for (uint8_t code : {1, 2, 3, 5, 104, 0}) OpenVotePage(Owner(), code);
  std::vector<std::wstring> vote;
  for (const auto& c : shell.calls) vote.push_back(c.file);
  EXPECT_EQ(std::set<std::wstring>(vote.begin(), vote.begin() + 5).size(), 5u);
  EXPECT_EQ(vote[4], vote[5]);  // 104 has no vote page of its own
}

TEST(WebPages, SearchWordsArePercentEncoded) {
  RecordingShell shell;
  OpenRadioSearch(Owner());
  OpenWebSearch(Owner(), L"翻译");
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_NE(shell.calls[0].file.find(L"%E7%94%B5%E5%8F%B0"), std::wstring::npos) << Narrow(shell.calls[0].file);
  EXPECT_NE(shell.calls[1].file.find(L"%B7%AD%D2%EB"), std::wstring::npos) << Narrow(shell.calls[1].file);
  EXPECT_EQ(PercentEncode(L"a b-c", 936), L"a%20b-c");
}

}  // namespace
