// The bar's arithmetic: its row, the auto-hide place, where a stored place may start, its colour,
// and the install record's rule.
#include <gtest/gtest.h>

#include <array>

#include "ConsoleRules.h"
#include "InstallRecord.h"

namespace {

TEST(ConsoleRow, DesignWidthsGiveTheLeftsFrom5To246) {
  const std::array<int, 9> widths{23, 23, 30, 30, 30, 30, 35, 35, 25};
  const std::array<int, 9> expected{5, 28, 51, 81, 111, 141, 171, 206, 246};
  RowPlaces r = LayOutRow(widths, 64 - 19, 22);
  EXPECT_EQ(r.lefts, std::vector<int>(expected.begin(), expected.end()));
  EXPECT_EQ(r.top, 11);
}

TEST(ConsoleRow, TopCentresTheFirstButtonTruncatingTowardZero) {
  struct {
    int barHeight, firstHeight, top;
  } cases[] = {{45, 22, 11}, {46, 22, 12}, {64 - 18, 22, 12}, {22, 22, 0}, {21, 22, 0}, {19, 22, -1}, {10, 25, -7}};
  const std::array<int, 2> widths{23, 25};
  for (const auto& c : cases) EXPECT_EQ(LayOutRow(widths, c.barHeight, c.firstHeight).top, c.top) << c.barHeight;
}

struct HideCase {
  const char* name;
  POINT cursor;
  RECT bar;
  bool noLine;
  int top;
};

class AutoHide : public testing::TestWithParam<HideCase> {};

TEST_P(AutoHide, TopFollowsTheCursor) {
  const HideCase& c = GetParam();
  EXPECT_EQ(AutoHideTop(c.cursor, c.bar, c.noLine), c.top);
}

// A bar of 303 x 45 at Left 285: pulled fully up it spans y -45..0, with its strip -43..2.
constexpr RECT kUp{285, -45, 588, 0};
constexpr RECT kStrip{285, -43, 588, 2};
constexpr RECT kDown{285, 0, 588, 45};

INSTANTIATE_TEST_SUITE_P(
    Table, AutoHide,
    testing::Values(HideCase{"ElsewhereLeavesTheStrip", {600, 300}, kDown, false, -43},
                    HideCase{"ElsewhereNoLine", {600, 300}, kDown, true, -45},
                    HideCase{"TopRowBringsAFullyUpBarBack", {400, 0}, kUp, true, 0},
                    HideCase{"BelowAFullyUpBarStaysUp", {400, 1}, kUp, true, -45},
                    HideCase{"ThirdRowBringsTheStripBack", {400, 2}, kStrip, false, 0},
                    HideCase{"FourthRowLeavesTheStrip", {400, 3}, kStrip, false, -43},
                    HideCase{"LeftEdgeIsOutside", {285, 0}, kStrip, false, -43},
                    HideCase{"RightEdgeIsOutside", {588, 0}, kStrip, false, -43},
                    HideCase{"JustInsideTheLeftEdge", {286, 0}, kStrip, false, 0},
                    HideCase{"InsideAShownBarKeepsIt", {300, 44}, kDown, false, 0},
                    HideCase{"BottomEdgeOfAShownBarCounts", {300, 45}, kDown, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoredPlace, APlaceIsKeptWhileMoreThanTheAutoHideStripOfTheBarShows) {
  const RECT screen{0, 0, 1280, 800};
  struct {
    RECT bar;
    bool kept;
  } cases[] = {{{285, 0, 588, 45}, true},           {{0, 755, 303, 800}, true},
               {{285, -45, 588, 0}, false},         // pulled up out of sight
               {{285, -43, 588, 2}, false},         // the strip auto-hide leaves
               {{285, -42, 588, 3}, true},          {{1000, 0, 1303, 45}, true},
               {{1100, 0, 1403, 45}, true},         {{-10, 100, 293, 145}, true},
               {{1278, 100, 1581, 145}, false},     {{-301, 100, 2, 145}, false},
               {{285, 798, 588, 843}, false},       {{3000, 3000, 3303, 3045}, false}};
  for (const auto& c : cases)
    EXPECT_EQ(PlaceIsOnScreen(c.bar, screen), c.kept) << c.bar.left << "," << c.bar.top;
  EXPECT_FALSE(PlaceIsOnScreen(RECT{285, 0, 588, 45}, RECT{})) << "no monitor holds it";
  // Across two monitors side by side: the one that holds most of the bar shows it.
  EXPECT_TRUE(PlaceIsOnScreen(RECT{1200, 0, 1503, 45}, RECT{1280, 0, 2560, 1024}));
  EXPECT_TRUE(PlaceIsOnScreen(RECT{1200, 0, 1503, 45}, screen));
}

TEST(BarColour, BlackIsShownAsTheNearestColourThatIsNotTheKey) {
  EXPECT_EQ(ShownBarColor(clBlack), TColor(RGB(1, 1, 1)));
  EXPECT_EQ(ShownBarColor(TColor(RGB(1, 0, 0))), TColor(RGB(1, 0, 0)));
  EXPECT_EQ(ShownBarColor(clSkyBlue), clSkyBlue);
}

TEST(InstallRecordRule, WrittenWhenMissingOrNamingAnotherExecutableByExactText) {
  const std::wstring exe = L"C:\\Programs\\Deskora\\deskpanel.exe";
  struct {
    std::wstring dir;
    bool write;
  } cases[] = {{L"", true},
               {exe, false},
               {L"c:\\programs\\deskora\\deskpanel.exe", true},
               {L"C:\\Old\\deskpanel.exe", true},
               {exe + L" ", true}};
  for (const auto& c : cases) {
    EXPECT_EQ(InstallRecordNeedsWrite(c.dir, exe), c.write);
    EXPECT_EQ(IsFirstRun(c.dir, exe), c.write);
  }
}

}  // namespace
