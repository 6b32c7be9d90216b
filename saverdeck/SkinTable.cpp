#include "SkinTable.h"

int ValidSkin(int skin) { return skin >= 0 && skin < kSkinCount ? skin : 0; }

std::wstring SkinResourceName(int skin) {
  skin = ValidSkin(skin);
  return skin == 0 ? std::wstring() : L"SKINJPG" + std::to_wstring(skin - 1);
}

int SkinSampleX(int skin) { return skin == 6 ? 15 : 5; }

bool SkinHasLightCaptions(int skin) {
  switch (skin) {
    case 2: case 3: case 6: case 9: case 10: case 12: return true;
    default: return false;
  }
}

bool LightCaptionAt(int skin, int x, int y, int width, int height) {
  return SkinHasLightCaptions(skin) && x > 8 && x < width - 8 && y > 8 && y < height - 8;
}
