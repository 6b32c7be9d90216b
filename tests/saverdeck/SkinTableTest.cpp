// The skin table's rules: resource names, sample points, light captions and out-of-range skins.
#include <gtest/gtest.h>

#include "SkinTable.h"

namespace {

TEST(SkinTable, ResourceNamesSamplePointsAndOutOfRangeSkins) {
  const struct {
    int skin;
    const wchar_t* resource;
    int sampleX;
  } cases[] = {
      {0, L"", 5},           {1, L"SKINJPG0", 5},   {6, L"SKINJPG5", 15}, {7, L"SKINJPG6", 5},
      {13, L"SKINJPG12", 5},
      // No such skin names no resource that does not exist: it is the plain colour.
      {14, L"", 5},          {-1, L"", 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SkinResourceName(c.skin), c.resource) << c.skin;
    EXPECT_EQ(SkinSampleX(ValidSkin(c.skin)), c.sampleX) << c.skin;
  }
}

TEST(SkinTable, LightCaptionsOnlyOnDarkSkinsAndStrictlyInsideEightPixels) {
  for (int skin = 0; skin <= 13; ++skin) {
    const bool dark = skin == 2 || skin == 3 || skin == 6 || skin == 9 || skin == 10 || skin == 12;
    EXPECT_EQ(LightCaptionAt(skin, 9, 9, 75, 25), dark) << skin;
  }
  const struct {
    int x, y;
    bool light;
  } points[] = {{9, 9, true}, {8, 9, false}, {9, 8, false}, {66, 16, true}, {67, 16, false}, {66, 17, false}};
  for (const auto& p : points) EXPECT_EQ(LightCaptionAt(2, p.x, p.y, 75, 25), p.light) << p.x << "," << p.y;
}

}  // namespace
