#pragma once
// The fourteen skins: 0 is the main window's own colour, 1 to 13 a picture stretched over it.
#include <string>

inline constexpr int kSkinCount = 14;

// A skin outside 0 .. 13 (none chosen is -1) counts as skin 0.
int ValidSkin(int skin);
// "SKINJPG" followed by skin - 1; empty for skin 0.
std::wstring SkinResourceName(int skin);
// The picture pixel that gives the lists their colour: (15, 5) on skin 6, else (5, 5).
int SkinSampleX(int skin);
inline constexpr int kSkinSampleY = 5;
// Dark skins light a button's caption while the pointer is more than 8 pixels inside every edge.
bool SkinHasLightCaptions(int skin);
bool LightCaptionAt(int skin, int x, int y, int width, int height);
