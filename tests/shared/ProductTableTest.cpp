// The product table as data, and the command tables.
#include <gtest/gtest.h>

#include "uniQVShare.h"

namespace {

std::vector<std::wstring> List(const wchar_t* const* l) {
  std::vector<std::wstring> out;
  for (; *l; ++l) out.push_back(*l);
  return out;
}

TEST(ProductTable, CodesNamesAndFiles) {
  struct Row {
    ProductCode code;
    const wchar_t *key, *pathFile, *exe, *upgrade, *notInstalled, *params;
  };
  const Row rows[] = {
      {1, L"BKWD", L"dir1", L"breakwarden.exe", L"Restalon", L"Restalon", L""},
      {2, L"ZEPT", L"dir2", L"zept.exe", L"Pelgrin", L"Pelgrin", L""},
      {3, L"SaverDeck", L"dir3", L"saverdeck.exe", L"Sonavista", L"Sonavista", L"/A"},
      {5, L"MINV", L"dir5", L"minv.exe", L"", L"Minvar", L""},
      {104, L"DESKPANEL", L"dir4", L"deskpanel.exe", L"Deskorin", L"Deskora", L""},
  };
  for (const Row& r : rows) {
    const ProductInfo* p = FindProduct(r.code);
    ASSERT_NE(p, nullptr) << int(r.code);
    EXPECT_STREQ(p->productKey, r.key);
    EXPECT_STREQ(p->pathFile, r.pathFile);
    EXPECT_STREQ(p->exeName, r.exe);
    EXPECT_STREQ(p->upgradeName, r.upgrade);
    EXPECT_STREQ(p->notInstalledName, r.notInstalled);
    EXPECT_STREQ(p->launchParams, r.params);
  }
  for (ProductCode none : {0, 4, 6, 103, 105, 255}) EXPECT_EQ(FindProduct(none), nullptr) << int(none);
}

TEST(ProductTable, DisplayNamesInOrder) {
  struct Row {
    ProductCode code;
    std::vector<std::wstring> names;
  };
  const Row rows[] = {
      {1, {L"Restalon.exe"}},
      {2, {L"Zeptor.exe", L"Pelgrin.exe", L"Quosso.exe"}},
      {3, {L"Sonavista.exe"}},
      {5, {L"Minvar.exe"}},
      {104, {L"Deskora.exe"}},
  };
  for (const Row& r : rows) EXPECT_EQ(List(FindProduct(r.code)->displayExes), r.names) << int(r.code);
}

TEST(ProductTable, ClassListsNewestFirst) {
  EXPECT_EQ(List(FindProduct(1)->currentClasses),
            (std::vector<std::wstring>{L"KMR474747_50", L"KMR474747_45", L"KMR474747_40", L"KMR474747_35",
                                       L"KMR474747_30", L"KMR474747_25"}));
  EXPECT_EQ(List(FindProduct(1)->oldClasses),
            (std::vector<std::wstring>{L"KMR474747_20", L"KMR474747_15", L"KMR474747_1"}));
  EXPECT_EQ(List(FindProduct(2)->currentClasses).size(), 3u);
  EXPECT_EQ(List(FindProduct(2)->oldClasses).back(), L"KMR474747_2_ZEPT");
  EXPECT_EQ(List(FindProduct(3)->currentClasses).front(), L"KMR474747_350_SaverDeck");
  EXPECT_EQ(List(FindProduct(3)->currentClasses).back(), L"KMR474747_320_SaverDeck");
  EXPECT_EQ(List(FindProduct(3)->oldClasses),
            (std::vector<std::wstring>{L"KMR474747_315_SaverDeck", L"KMR474747_3_SaverDeck"}));
  EXPECT_EQ(List(FindProduct(104)->currentClasses).size(), 7u);
  EXPECT_EQ(List(FindProduct(104)->oldClasses), (std::vector<std::wstring>{L"KMR474747_4_DESKPANEL"}));
  EXPECT_EQ(List(FindProduct(5)->currentClasses).size(), 8u);
  EXPECT_TRUE(List(FindProduct(5)->oldClasses).empty());
  // The system's own classes are among the current ones.
  auto has = [](ProductCode c, const wchar_t* cls) {
    auto l = List(FindProduct(c)->currentClasses);
    return std::find(l.begin(), l.end(), cls) != l.end();
  };
  EXPECT_TRUE(has(pcBKWD, kClassBKWD));
  EXPECT_TRUE(has(pcSaverDeck, kClassSaverDeck));
  EXPECT_TRUE(has(pcDeskpanel, kClassDeskpanel));
}

// The programs refuse to start beside these (their older versions' main windows).
TEST(ProductTable, OlderClassesFollowTheOwnClass) {
  EXPECT_EQ(OlderClasses(pcBKWD, kClassBKWD),
            (std::vector<std::wstring>{L"KMR474747_25", L"KMR474747_20", L"KMR474747_15", L"KMR474747_1"}));
  EXPECT_EQ(OlderClasses(pcSaverDeck, kClassSaverDeck),
            (std::vector<std::wstring>{L"KMR474747_320_SaverDeck", L"KMR474747_315_SaverDeck",
                                       L"KMR474747_3_SaverDeck"}));
  EXPECT_EQ(OlderClasses(pcDeskpanel, kClassDeskpanel), (std::vector<std::wstring>{L"KMR474747_4_DESKPANEL"}));
  EXPECT_TRUE(OlderClasses(4, kClassBKWD).empty());  // no such product
}

TEST(ProductTable, CommandNumberToMessageForEachProduct) {
  struct Row {
    ProductCode code;
    SiblingCommand cmd;
    UINT message;  // 0: not in the product's table
  };
  const Row rows[] = {
      {1, 0, 0x1520},   {1, 1, 0x8201},   {1, 2, 0x8202}, {1, 3, 0},
      {2, 0, 0x1620},   {2, 1, 0},
      {3, 17, 0},       {3, 255, 0},
      {104, 0, 0x1810}, {104, 1, 0x8210}, {104, 2, 0},
      {5, 0, 0x1910},   {5, 1, 0},
      {4, 0, 0},  // no such product
  };
  for (const Row& r : rows) EXPECT_EQ(CommandMessage(r.code, r.cmd), r.message) << int(r.code) << " " << int(r.cmd);
  const UINT player[] = {0x1710, 0x8184, 0x8185, 0x8186, 0x8187, 0x8188, 0x8189, 0x8190, 0x8191,
                         0x8192, 0x8193, 0x8194, 0x8195, 0x8196, 0x8197, 0x8198, 0x8199};
  for (int cmd = 0; cmd <= 16; ++cmd) EXPECT_EQ(CommandMessage(3, SiblingCommand(cmd)), player[cmd]) << cmd;
}

TEST(ProductTable, NamedMessagesMatchTheTables) {
  EXPECT_EQ(WM_SAVERDECK_SCR_INTURN, CommandMessage(3, 3));
  EXPECT_EQ(WM_SAVERDECK_SETUPACCOMP, CommandMessage(3, 7));
  EXPECT_EQ(WM_SAVERDECK_SHOWPLAY, CommandMessage(3, 14));
  EXPECT_EQ(WM_SAVERDECK_RESTARTACCOMP, CommandMessage(3, 15));
  EXPECT_EQ(WM_BKWD_OPENSTAT, CommandMessage(1, 2));
  EXPECT_EQ(WM_DESKPANEL_REMIND, CommandMessage(104, 1));
}

}  // namespace
