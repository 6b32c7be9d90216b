#include "BreakPatterns.h"

#include <algorithm>
#include <cmath>

#include "Seams.h"

namespace {
// Sources made within one tick (a window's two, or two windows one after the other) still differ.
uint32_t NextSeed() {
  static uint32_t made = 0;
  return uint32_t(Clock().TickCount64()) ^ (++made * 0x9E3779B9u);
}
}  // namespace

TRandom::TRandom() : gen_(NextSeed()) {}

TRandom::TRandom(uint32_t seed) : gen_(seed) {}

int TRandom::Next(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(gen_);
}

TColor DarkColor(TRandom& rnd, int n) {
  int r = rnd.Next(n);
  int g = rnd.Next(n);
  int b = rnd.Next(n);
  return TColor(RGB(r, g, b));
}

namespace {

// The routines set the pen and brush they need; the window's own settings come back afterwards.
class KeepPenAndBrush {
 public:
  explicit KeepPenAndBrush(TCanvas& c) : c_(c), pen_(c.Pen), brush_(c.Brush) {}
  ~KeepPenAndBrush() {
    c_.Pen = pen_;
    c_.Brush = brush_;
  }
  KeepPenAndBrush(const KeepPenAndBrush&) = delete;
  KeepPenAndBrush& operator=(const KeepPenAndBrush&) = delete;

 private:
  TCanvas& c_;
  TPen pen_;
  TBrush brush_;
};

void ThinPen(TCanvas& c, TColor color) {
  c.Pen.Width = 1;
  c.Pen.Style = psSolid;
  c.Pen.Color = color;
  c.Brush.Style = bsClear;
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

}  // namespace

void DrawColorRaster(TCanvas& c, int W, int H, TRandom& rnd) {
  ThinPen(c, clBlack);
  int x = 2;
  do {  // a window narrower than the spacing still gets its one line
    c.Pen.Color = DarkColor(rnd, 255);
    Line(c, x, 0, x, H);
    x += 8;
  } while (x < W);
}

void DrawBlinds(TCanvas& c, int W, int H, TRandom& rnd) {
  ThinPen(c, DarkColor(rnd, 75));
  int y = 2;
  do {
    Line(c, 0, y, W, y);
    y += 8;
  } while (y < H);
}

void DrawRays(TCanvas& c, int W, int H, int x0, int y0, int stepX, int stepY) {
  for (int x = 0; x <= W; x += stepX) {
    Line(c, x0, y0, x, 0);
    Line(c, x0, y0, x, H);
  }
  for (int y = 0; y <= H; y += stepY) {
    Line(c, x0, y0, 0, y);
    Line(c, x0, y0, W, y);
  }
}

void DrawSpotlight(TCanvas& c, int W, int H, TSpotOrigin origin, TRandom& rnd) {
  int x0 = W / 2, y0 = H / 2;
  switch (origin) {
    case soLeft: x0 = 10; break;
    case soRight: x0 = W - 10; break;
    case soTop: y0 = 10; break;
    case soBottom: y0 = H - 10; break;
    case soCenter: break;
  }
  ThinPen(c, DarkColor(rnd, 75));
  DrawRays(c, W, H, x0, y0, 16, 18);
}

void DrawCenterLight(TCanvas& c, int W, int H, TRandom& rnd) { DrawSpotlight(c, W, H, soCenter, rnd); }
void DrawSpotLeft(TCanvas& c, int W, int H, TRandom& rnd) { DrawSpotlight(c, W, H, soLeft, rnd); }
void DrawSpotRight(TCanvas& c, int W, int H, TRandom& rnd) { DrawSpotlight(c, W, H, soRight, rnd); }
void DrawSpotTop(TCanvas& c, int W, int H, TRandom& rnd) { DrawSpotlight(c, W, H, soTop, rnd); }
void DrawSpotBottom(TCanvas& c, int W, int H, TRandom& rnd) { DrawSpotlight(c, W, H, soBottom, rnd); }

void DrawDiagonalMesh(TCanvas& c, int W, int H, TRandom& rnd) {
  ThinPen(c, DarkColor(rnd, 75));
  // A square of the longer side, so that a portrait screen is covered too.
  const int S = std::max(W, H);
  for (int i = 0; i <= S; i += 10) {
    Line(c, i, 0, S, S - i);
    Line(c, 0, i, S - i, S);
    Line(c, S - i, 0, 0, S - i);
    Line(c, S, i, i, S);
  }
}

void DrawSquareGrid(TCanvas& c, int W, int H, TRandom& rnd) {
  ThinPen(c, DarkColor(rnd, 75));
  // Run to the longer side, so that a portrait screen gets its horizontal lines to the bottom.
  for (int x = 2; x <= std::max(W, H); x += 8) {
    if (x <= W) Line(c, x, 0, x, H);
    if (x <= H) Line(c, 0, x, W, x);
  }
}

void DrawWaveRings(TCanvas& c, int W, int H, int x, int y, int step) {
  const double dx = std::max(x, W - x), dy = std::max(y, H - y);
  const long long R = std::llround(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
  for (long long r = 2; r <= R; r += step) c.Ellipse(int(x - r), int(y - r), int(x + r), int(y + r));
}

void DrawWaves(TCanvas& c, int W, int H, int count, TRandom& rnd) {
  for (int i = 1; i <= count; ++i) {
    const int n = 30 * i;
    int r = 15 + rnd.Next(n);
    int g = 15 + rnd.Next(n);
    int b = 15 + rnd.Next(n);
    ThinPen(c, TColor(RGB(r, g, b)));
    int y = rnd.Next(H);
    int x = rnd.Next(W);
    DrawWaveRings(c, W, H, x, y, 8 * i * i);
  }
}

void DrawSingleWave(TCanvas& c, int W, int H, TRandom& rnd) { DrawWaves(c, W, H, 1, rnd); }
void DrawMultiWave(TCanvas& c, int W, int H, TRandom& rnd) { DrawWaves(c, W, H, 3, rnd); }

void DrawBubbles(TCanvas& c, int W, int H, TRandom& rnd) {
  ThinPen(c, clBlack);
  for (int k = 0; k < 160; ++k) {
    c.Pen.Color = DarkColor(rnd, 75);
    int x = rnd.Next(W);
    int y = rnd.Next(H);
    int r = 6 + rnd.Next(40);
    c.Ellipse(x - r, y - r, x + r, y + r);
  }
}

const TBreakPattern BreakPatterns[BreakPatternCount] = {
    {0, L"纯黑(灰度)效果", nullptr},
    {1, L"纯色淡彩效果", nullptr},
    {2, L"彩色光栅效果", DrawColorRaster},
    {3, L"百页窗效果", DrawBlinds},
    {4, L"中心光源效果", DrawCenterLight},
    {5, L"斜方网纹效果", DrawDiagonalMesh},
    {6, L"正方栅格效果", DrawSquareGrid},
    {7, L"单源电波效果", DrawSingleWave},
    {8, L"多源电波效果", DrawMultiWave},
    {9, L"肥皂泡泡效果", DrawBubbles},
    {10, L"射灯效果(左侧)", DrawSpotLeft},
    {11, L"射灯效果(右侧)", DrawSpotRight},
    {12, L"射灯效果(顶部)", DrawSpotTop},
    {13, L"射灯效果(底部)", DrawSpotBottom},
};

int ChooseBreakPattern(int itemIndex, int itemCount, bool random, TRandom& rnd) {
  if (!random) return itemIndex;
  // The last pattern of the list is left out of the draw: it shows only when chosen.
  return itemCount > 0 ? rnd.Next(itemCount - 1) : -1;
}

TColor BreakWindowColor(int pattern, TRandom& rnd) { return pattern == 1 ? DarkColor(rnd, 50) : clBlack; }

void DrawBreakPattern(TCanvas& canvas, int W, int H, int pattern, TRandom& rnd, TColor windowColor) {
  if (W <= 0 || H <= 0) return;
  KeepPenAndBrush keep(canvas);
  // The whole area first: a repaint without an erased background must not keep the old picture
  // or the texts drawn over it.
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = windowColor;
  canvas.FillRect(RECT{0, 0, W, H});
  if (pattern < 0 || pattern >= BreakPatternCount || !BreakPatterns[pattern].Draw) return;
  BreakPatterns[pattern].Draw(canvas, W, H, rnd);
}
