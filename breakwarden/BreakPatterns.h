#pragma once
// The break window's fourteen backgrounds: two plain window colours and twelve line and circle
// drawings in random colours, drawn anew at every paint of the window.
#include <cstdint>
#include <random>

#include "Graphics.h"

// A uniform random source. The break window keeps one for its whole life, seeded once: reseeding
// from the clock at every paint would repeat the same picture for repaints within one clock tick.
class TRandom {
 public:
  TRandom();  // seeded from the clock seam's tick count and the sources made before
  explicit TRandom(uint32_t seed);
  // A uniform integer in 0 .. n - 1; 0 when n <= 0.
  int Next(int n);

 private:
  std::mt19937 gen_;
};

using TPatternDraw = void (*)(TCanvas& canvas, int W, int H, TRandom& rnd);

struct TBreakPattern {
  int Index;
  const wchar_t* Name;  // the item text of the settings list
  TPatternDraw Draw;    // nullptr: the pattern is the window colour alone
};

constexpr int BreakPatternCount = 14;
// In the order of the settings list "休息主界面".
extern const TBreakPattern BreakPatterns[BreakPatternCount];

// The pattern a new break window shows: the chosen list index, or with "随机" one of the first
// itemCount - 1 patterns with equal chance, so the last one ("射灯效果(底部)") comes only by
// choosing it (0 for a list of one, -1 when the list is empty).
int ChooseBreakPattern(int itemIndex, int itemCount, bool random, TRandom& rnd);

// The window colour a pattern gives the window at its creation: a random dark colour for
// "纯色淡彩效果", black for all others (the drawings are made on black).
TColor BreakWindowColor(int pattern, TRandom& rnd);

// One paint of the window: fills W x H with the window colour, then draws the pattern (nothing
// more for 0, 1 or no pattern). Leaves the canvas's pen and brush as they were.
void DrawBreakPattern(TCanvas& canvas, int W, int H, int pattern, TRandom& rnd, TColor windowColor);

// RGB(r, g, b) with each component an independent random integer in 0 .. n - 1.
TColor DarkColor(TRandom& rnd, int n);

// The drawing routines, each with a 1-pixel solid pen and a clear brush.
void DrawColorRaster(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawBlinds(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawCenterLight(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawDiagonalMesh(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawSquareGrid(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawSingleWave(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawMultiWave(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawBubbles(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawSpotLeft(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawSpotRight(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawSpotTop(TCanvas& canvas, int W, int H, TRandom& rnd);
void DrawSpotBottom(TCanvas& canvas, int W, int H, TRandom& rnd);

enum TSpotOrigin { soLeft, soRight, soTop, soBottom, soCenter };
// Rays in one colour from the origin to the four edges.
void DrawSpotlight(TCanvas& canvas, int W, int H, TSpotOrigin origin, TRandom& rnd);
// Rays from (x0, y0) to the top and bottom edges every stepX pixels and to the left and right
// edges every stepY pixels.
void DrawRays(TCanvas& canvas, int W, int H, int x0, int y0, int stepX, int stepY);
// count sets of rings, the i-th (from 1) with a spacing of 8 x i x i pixels.
void DrawWaves(TCanvas& canvas, int W, int H, int count, TRandom& rnd);
// Rings round (x, y) from radius 2 in steps of step, out to the window's farthest corner.
void DrawWaveRings(TCanvas& canvas, int W, int H, int x, int y, int step);
