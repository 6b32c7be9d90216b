// The break window's backgrounds: the drawing calls of each pattern recorded on a fixed size with a
// seeded generator, and real renderings into a bitmap for the coverage of the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "BreakPatterns.h"

namespace {

enum class Kind { Fill, Line, Ellipse, Other };

struct Call {
  Kind kind;
  int x1, y1, x2, y2;
  TColor color;  // the pen's, or the brush's for a fill
  int penWidth;
  TPenStyle penStyle;
  TBrushStyle brushStyle;
  bool operator==(const Call&) const = default;
  bool SameShape(const Call& o) const {
    return kind == o.kind && x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
  }
};

// Records what is drawn, without a device.
class RecordingCanvas : public TCanvas {
 public:
  std::vector<Call> calls;

  void MoveTo(int x, int y) override { pos_ = {x, y}; }
  void LineTo(int x, int y) override {
    Add(Kind::Line, pos_.x, pos_.y, x, y, Pen.Color);
    pos_ = {x, y};
  }
  void Ellipse(int x1, int y1, int x2, int y2) override { Add(Kind::Ellipse, x1, y1, x2, y2, Pen.Color); }
  void FillRect(const RECT& r) override { Add(Kind::Fill, r.left, r.top, r.right, r.bottom, Brush.Color); }
  void Rectangle(int, int, int, int) override { Other(); }
  void RoundRect(int, int, int, int, int, int) override { Other(); }
  void Polygon(const std::vector<POINT>&) override { Other(); }
  void Arc(int, int, int, int, int, int, int, int) override { Other(); }
  void FrameRect(const RECT&) override { Other(); }
  void TextOut(int, int, const std::wstring&) override { Other(); }
  void TextRect(const RECT&, int, int, const std::wstring&) override { Other(); }
  void SetPixel(int, int, TColor) override { Other(); }

  // The shapes after the first call (the background fill).
  std::vector<Call> Shapes() const { return calls.size() > 1 ? std::vector<Call>(calls.begin() + 1, calls.end()) : std::vector<Call>{}; }

 private:
  void Add(Kind k, int x1, int y1, int x2, int y2, TColor c) {
    calls.push_back({k, x1, y1, x2, y2, c, Pen.Width, Pen.Style, Brush.Style});
  }
  void Other() { Add(Kind::Other, 0, 0, 0, 0, 0); }
  POINT pos_{};
};

constexpr int W = 1024, H = 768;
constexpr TColor kWindow = clBlack;

std::vector<Call> Paint(int pattern, TRandom& rnd, int w = W, int h = H, TColor window = kWindow) {
  RecordingCanvas c;
  DrawBreakPattern(c, w, h, pattern, rnd, window);
  return c.calls;
}
std::vector<Call> Shapes(const std::vector<Call>& calls) {
  return calls.size() > 1 ? std::vector<Call>(calls.begin() + 1, calls.end()) : std::vector<Call>{};
}

int R(TColor c) { return GetRValue(COLORREF(c)); }
int G(TColor c) { return GetGValue(COLORREF(c)); }
int B(TColor c) { return GetBValue(COLORREF(c)); }

std::set<TColor> Colours(const std::vector<Call>& shapes) {
  std::set<TColor> s;
  for (const Call& c : shapes) s.insert(c.color);
  return s;
}

// ---- geometry of each pattern on 1024 x 768 ---------------------------------------------------

using Check = std::function<void(const std::vector<Call>& shapes)>;

void ExpectLines(const std::vector<Call>& shapes, const std::vector<RECT>& lines) {
  ASSERT_EQ(shapes.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const RECT& e = lines[i];
    EXPECT_TRUE(shapes[i].x1 == e.left && shapes[i].y1 == e.top && shapes[i].x2 == e.right && shapes[i].y2 == e.bottom)
        << "line " << i << ": (" << shapes[i].x1 << "," << shapes[i].y1 << ")-(" << shapes[i].x2 << "," << shapes[i].y2
        << "), expected (" << e.left << "," << e.top << ")-(" << e.right << "," << e.bottom << ")";
  }
}

void Raster(const std::vector<Call>& s) {
  std::vector<RECT> e;
  for (int k = 0; k < 128; ++k) e.push_back({2 + 8 * k, 0, 2 + 8 * k, H});
  ExpectLines(s, e);
  EXPECT_EQ(s.back().x1, 1018);
}

void Blinds(const std::vector<Call>& s) {
  std::vector<RECT> e;
  for (int k = 0; k < 96; ++k) e.push_back({0, 2 + 8 * k, W, 2 + 8 * k});
  ExpectLines(s, e);
  EXPECT_EQ(s.back().y1, 762);
}

// Rays from one point: to the top and bottom edges every 16 pixels, to the sides every 18.
Check Rays(int x0, int y0) {
  return [x0, y0](const std::vector<Call>& s) {
    std::multiset<std::pair<int, int>> ends, expected;
    for (const Call& c : s) {
      EXPECT_EQ(c.x1, x0);
      EXPECT_EQ(c.y1, y0);
      ends.insert({c.x2, c.y2});
    }
    for (int x = 0; x <= W; x += 16) expected.insert({{x, 0}, {x, H}});
    for (int y = 0; y <= H; y += 18) expected.insert({{0, y}, {W, y}});
    EXPECT_EQ(s.size(), 2u * 65 + 2u * 43);
    EXPECT_EQ(ends, expected);
  };
}

// 45-degree lines 10 pixels apart both ways, each across the W x W square from edge to edge.
void Mesh(const std::vector<Call>& s) {
  EXPECT_EQ(s.size(), 4u * (W / 10 + 1));
  std::set<int> down, up;  // y - x of the lines going down to the right; x + y of the others
  for (const Call& c : s) {
    const int dx = c.x2 - c.x1, dy = c.y2 - c.y1;
    ASSERT_EQ(std::abs(dx), std::abs(dy));
    ASSERT_NE(dx, 0);
    const int x1 = std::min(c.x1, c.x2), x2 = std::max(c.x1, c.x2);
    const int ytop = std::min(c.y1, c.y2), ybottom = std::max(c.y1, c.y2);
    EXPECT_TRUE(ytop == 0 || x1 == 0 || x2 == W) << c.x1 << "," << c.y1;
    EXPECT_TRUE(ybottom == W || x2 == W || x1 == 0) << c.x2 << "," << c.y2;
    if ((dx > 0) == (dy > 0)) down.insert(c.y1 - c.x1);
    else up.insert(c.x1 + c.y1);
  }
  auto evenlySpaced = [](const std::set<int>& v, int lo, int hi) {
    ASSERT_FALSE(v.empty());
    EXPECT_LE(*v.begin(), lo);
    EXPECT_GE(*v.rbegin(), hi);
    for (auto it = std::next(v.begin()); it != v.end(); ++it) EXPECT_EQ(*it - *std::prev(it), 10);
  };
  evenlySpaced(down, -(W - 10), W - 10);
  evenlySpaced(up, 10, 2 * W - 10);
}

void Grid(const std::vector<Call>& s) {
  std::vector<int> xs, ys;
  for (const Call& c : s) {
    if (c.x1 == c.x2) {
      EXPECT_EQ(c.y1, 0);
      EXPECT_EQ(c.y2, H);
      xs.push_back(c.x1);
    } else {
      ASSERT_EQ(c.y1, c.y2);
      EXPECT_EQ(c.x1, 0);
      EXPECT_EQ(c.x2, W);
      ys.push_back(c.y1);
    }
  }
  std::vector<int> ex, ey;
  for (int v = 2; v <= W; v += 8) ex.push_back(v);
  for (int v = 2; v <= H; v += 8) ey.push_back(v);
  EXPECT_EQ(xs, ex);
  EXPECT_EQ(ys, ey);
  EXPECT_EQ(xs.size(), 128u);
  EXPECT_EQ(ys.size(), 96u);
}

struct RingSet {
  int cx, cy;
  std::vector<int> radii;
  TColor color;
};

// Splits circles into sets of concentric rings (each set begins again at radius 2).
std::vector<RingSet> RingSets(const std::vector<Call>& s) {
  std::vector<RingSet> sets;
  for (const Call& c : s) {
    const int r = (c.x2 - c.x1) / 2;
    EXPECT_EQ(c.x2 - c.x1, c.y2 - c.y1) << "not a circle";
    const int cx = c.x1 + r, cy = c.y1 + r;
    if (r == 2) sets.push_back({cx, cy, {}, c.color});
    EXPECT_FALSE(sets.empty());
    if (sets.empty()) return sets;
    EXPECT_EQ(cx, sets.back().cx);
    EXPECT_EQ(cy, sets.back().cy);
    EXPECT_EQ(c.color, sets.back().color);
    sets.back().radii.push_back(r);
  }
  return sets;
}

// Each set's rings: from 2 with its own spacing out to the farthest corner and no further;
// its colour within its own range.
Check Waves(std::vector<int> spacings, std::vector<int> colourHi) {
  return [spacings, colourHi](const std::vector<Call>& s) {
    std::vector<RingSet> sets = RingSets(s);
    ASSERT_EQ(sets.size(), spacings.size());
    for (size_t i = 0; i < sets.size(); ++i) {
      const RingSet& set = sets[i];
      EXPECT_TRUE(set.cx >= 0 && set.cx < W && set.cy >= 0 && set.cy < H) << set.cx << "," << set.cy;
      for (size_t k = 1; k < set.radii.size(); ++k) EXPECT_EQ(set.radii[k] - set.radii[k - 1], spacings[i]);
      const double corner = std::hypot(std::max(set.cx, W - set.cx), std::max(set.cy, H - set.cy));
      EXPECT_LE(set.radii.back(), std::lround(corner));
      EXPECT_GT(set.radii.back() + spacings[i], std::lround(corner));
      for (int v : {R(set.color), G(set.color), B(set.color)}) {
        EXPECT_GE(v, 15);
        EXPECT_LE(v, colourHi[i]);
      }
    }
  };
}

void Bubbles(const std::vector<Call>& s) {
  ASSERT_EQ(s.size(), 160u);
  std::set<std::pair<int, int>> centres;
  for (const Call& c : s) {
    const int d = c.x2 - c.x1, r = d / 2;
    EXPECT_EQ(d, c.y2 - c.y1);
    EXPECT_EQ(d % 2, 0);
    EXPECT_GE(r, 6);
    EXPECT_LE(r, 45);
    const int cx = c.x1 + r, cy = c.y1 + r;
    EXPECT_TRUE(cx >= 0 && cx < W && cy >= 0 && cy < H) << cx << "," << cy;
    centres.insert({cx, cy});
  }
  EXPECT_GT(centres.size(), 150u);  // scattered, not piled up
}

void Nothing(const std::vector<Call>& s) { EXPECT_TRUE(s.empty()); }

struct Row {
  int index;
  const wchar_t* name;
  Kind shape;      // what the pattern draws (Fill: nothing beyond the window colour)
  int colourHi;    // every colour component of the shapes is in colourLo .. colourHi
  int colourLo;
  int colours;     // distinct colours on one paint; 0: one per shape
  bool randomPlacement;
  Check geometry;  // on 1024 x 768
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {0, L"纯黑(灰度)效果", Kind::Fill, 0, 0, 0, false, Nothing},
      {1, L"纯色淡彩效果", Kind::Fill, 0, 0, 0, false, Nothing},
      {2, L"彩色光栅效果", Kind::Line, 254, 0, 0, false, Raster},
      {3, L"百页窗效果", Kind::Line, 74, 0, 1, false, Blinds},
      {4, L"中心光源效果", Kind::Line, 74, 0, 1, false, Rays(512, 384)},
      {5, L"斜方网纹效果", Kind::Line, 74, 0, 1, false, Mesh},
      {6, L"正方栅格效果", Kind::Line, 74, 0, 1, false, Grid},
      {7, L"单源电波效果", Kind::Ellipse, 44, 15, 1, true, Waves({8}, {44})},
      {8, L"多源电波效果", Kind::Ellipse, 104, 15, 3, true, Waves({8, 32, 72}, {44, 74, 104})},
      {9, L"肥皂泡泡效果", Kind::Ellipse, 74, 0, 0, true, Bubbles},
      {10, L"射灯效果(左侧)", Kind::Line, 74, 0, 1, false, Rays(10, 384)},
      {11, L"射灯效果(右侧)", Kind::Line, 74, 0, 1, false, Rays(1014, 384)},
      {12, L"射灯效果(顶部)", Kind::Line, 74, 0, 1, false, Rays(512, 10)},
      {13, L"射灯效果(底部)", Kind::Line, 74, 0, 1, false, Rays(512, 758)},
  };
  return rows;
}

void PrintTo(const Row& row, std::ostream* os) { *os << "pattern " << row.index; }

class BreakPatternDrawing : public testing::TestWithParam<Row> {};

std::string RowName(const testing::TestParamInfo<Row>& info) {
  return "Pattern" + std::to_string(info.param.index);
}

TEST(BreakPatternTable, NamesTheFourteenPatternsInTheListsOrder) {
  ASSERT_EQ(BreakPatternCount, 14);
  for (int i = 0; i < BreakPatternCount; ++i) {
    EXPECT_EQ(BreakPatterns[i].Index, i);
    EXPECT_EQ(std::wstring(BreakPatterns[i].Name), Rows()[i].name);
    // Only the two window-colour patterns have no drawing.
    EXPECT_EQ(BreakPatterns[i].Draw == nullptr, i < 2);
  }
}

TEST_P(BreakPatternDrawing, DrawsItsShapesInItsColoursOn1024x768) {
  const Row& row = GetParam();
  TRandom rnd(20240611);
  RecordingCanvas c;
  c.Pen = TPen{clRed, 3, psDash};
  c.Brush = TBrush{clYellow, bsSolid};
  DrawBreakPattern(c, W, H, row.index, rnd, kWindow);

  ASSERT_FALSE(c.calls.empty());
  const Call& fill = c.calls.front();
  EXPECT_EQ(fill.kind, Kind::Fill);
  EXPECT_TRUE(fill.x1 == 0 && fill.y1 == 0 && fill.x2 == W && fill.y2 == H);
  EXPECT_EQ(fill.color, kWindow);
  EXPECT_EQ(fill.brushStyle, bsSolid);

  const std::vector<Call> shapes = c.Shapes();
  for (const Call& s : shapes) {
    ASSERT_EQ(s.kind, row.shape);
    EXPECT_EQ(s.penWidth, 1);
    EXPECT_EQ(s.penStyle, psSolid);
    if (s.kind == Kind::Ellipse) {
      EXPECT_EQ(s.brushStyle, bsClear);  // outlines only
    }
    for (int v : {R(s.color), G(s.color), B(s.color)}) {
      EXPECT_GE(v, row.colourLo);
      EXPECT_LE(v, row.colourHi);
    }
  }
  if (!shapes.empty()) {
    const size_t distinct = Colours(shapes).size();
    if (row.colours == 0) {
      EXPECT_GT(distinct, shapes.size() * 9 / 10);
    } else {
      EXPECT_EQ(distinct, size_t(row.colours));
    }
  }
  row.geometry(shapes);

  // The window's own pen and brush are back.
  EXPECT_EQ(c.Pen.Color, clRed);
  EXPECT_EQ(c.Pen.Width, 3);
  EXPECT_EQ(c.Pen.Style, psDash);
  EXPECT_EQ(c.Brush.Color, clYellow);
  EXPECT_EQ(c.Brush.Style, bsSolid);
}

TEST_P(BreakPatternDrawing, TheSameSeedDrawsTheSamePicture) {
  const Row& row = GetParam();
  TRandom a(7), b(7);
  EXPECT_EQ(Paint(row.index, a), Paint(row.index, b));
}

TEST_P(BreakPatternDrawing, RepaintsWithOneGeneratorDifferWhereThePatternIsRandom) {
  const Row& row = GetParam();
  TRandom rnd(99);
  const std::vector<Call> first = Shapes(Paint(row.index, rnd));
  const std::vector<Call> second = Shapes(Paint(row.index, rnd));
  ASSERT_EQ(first.empty(), row.shape == Kind::Fill);
  if (row.shape == Kind::Fill) return;  // the window colour stays for the whole break
  EXPECT_NE(Colours(first), Colours(second)) << "new colours at every paint";
  bool sameShapes = first.size() == second.size() &&
                    std::equal(first.begin(), first.end(), second.begin(),
                               [](const Call& x, const Call& y) { return x.SameShape(y); });
  EXPECT_EQ(sameShapes, !row.randomPlacement);
}

INSTANTIATE_TEST_SUITE_P(Each, BreakPatternDrawing, testing::ValuesIn(Rows()), RowName);

// ---- real rendering: the pattern reaches every part of the window -----------------------------

struct CoverageCase {
  int pattern, w, h;
};

void PrintTo(const CoverageCase& c, std::ostream* os) { *os << "pattern " << c.pattern << " on " << c.w << "x" << c.h; }

class BreakPatternCoverage : public testing::TestWithParam<CoverageCase> {};

// Every 32 x 32 tile of the window holds a lit pixel: no band or corner is left empty.
TEST_P(BreakPatternCoverage, EveryTileOfTheWindowIsDrawnOn) {
  const CoverageCase& p = GetParam();
  TBitmap bmp;
  bmp.SetSize(p.w, p.h);
  std::fill(bmp.Bits(), bmp.Bits() + size_t(p.w) * p.h, 0x00FFFFFFu);  // the fill must wipe this
  TRandom rnd(5);
  DrawBreakPattern(bmp.Canvas(), p.w, p.h, p.pattern, rnd, kWindow);
  GdiFlush();
  const uint32_t* px = bmp.Bits();
  int empty = 0, stale = 0;
  for (int ty = 0; ty < p.h; ty += 32)
    for (int tx = 0; tx < p.w; tx += 32) {
      bool lit = false;
      for (int y = ty; y < std::min(ty + 32, p.h); ++y)
        for (int x = tx; x < std::min(tx + 32, p.w); ++x) {
          lit = lit || px[size_t(y) * p.w + x] != 0;
          stale += px[size_t(y) * p.w + x] == 0x00FFFFFFu;
        }
      if (!lit) ++empty;
    }
  EXPECT_EQ(stale, 0);
  EXPECT_EQ(empty, 0);
}

std::vector<CoverageCase> CoverageCases() {
  std::vector<CoverageCase> v;
  // Bubbles are scattered by chance and the plain colours draw nothing.
  for (int pattern = 2; pattern < BreakPatternCount; ++pattern) {
    if (pattern == 9) continue;
    for (auto [w, h] : {std::pair{1024, 768}, {1920, 1080}, {800, 600}, {768, 1024}}) v.push_back({pattern, w, h});
  }
  return v;
}

INSTANTIATE_TEST_SUITE_P(Sizes, BreakPatternCoverage, testing::ValuesIn(CoverageCases()),
                         [](const testing::TestParamInfo<CoverageCase>& i) {
                           return "Pattern" + std::to_string(i.param.pattern) + "_" + std::to_string(i.param.w) + "x" +
                                  std::to_string(i.param.h);
                         });

TEST(BreakPatternPaint, PlainPatternsFillTheWindowWithItsColourAlone) {
  const TColor tint = TColor(RGB(30, 12, 44));
  for (int pattern : {0, 1, -1, 14}) {
    TBitmap bmp;
    bmp.SetSize(320, 200);
    TRandom rnd(1);
    DrawBreakPattern(bmp.Canvas(), 320, 200, pattern, rnd, tint);
    GdiFlush();
    const uint32_t want = (uint32_t(30) << 16) | (uint32_t(12) << 8) | 44;
    EXPECT_EQ(std::count(bmp.Bits(), bmp.Bits() + 320 * 200, want), 320 * 200) << pattern;
  }
}

TEST(BreakPatternPaint, TinyWindowsAreDrawnWithoutFault) {
  for (int pattern = 0; pattern < BreakPatternCount; ++pattern)
    for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {5, 3}, {3, 40}}) {
      TRandom rnd(3);
      RecordingCanvas c;
      DrawBreakPattern(c, w, h, pattern, rnd, kWindow);
      ASSERT_FALSE(c.calls.empty());
      EXPECT_EQ(c.calls.front().kind, Kind::Fill);
      EXPECT_LT(c.calls.size(), 400u) << pattern << " " << w << "x" << h;
    }
  TRandom rnd(3);
  EXPECT_TRUE(Paint(5, rnd, 0, 0).empty());
}

// ---- the window's choices at creation ---------------------------------------------------------

TEST(BreakPatternChoice, WithoutRandomTheChosenItemIsKept) {
  TRandom rnd(11);
  for (int item : {-1, 0, 6, 13}) EXPECT_EQ(ChooseBreakPattern(item, 14, false, rnd), item);
}

TEST(BreakPatternChoice, RandomReachesEveryPatternButTheLast) {
  TRandom rnd(12);
  std::vector<int> seen(BreakPatternCount);
  for (int k = 0; k < 3000; ++k) {
    const int p = ChooseBreakPattern(4, BreakPatternCount, true, rnd);
    ASSERT_GE(p, 0);
    ASSERT_LT(p, BreakPatternCount);
    ++seen[p];
  }
  for (int p = 0; p < BreakPatternCount - 1; ++p) EXPECT_GT(seen[p], 150) << p;  // about 230 each
  EXPECT_EQ(seen[BreakPatternCount - 1], 0) << "the last pattern comes only by choosing it";
  EXPECT_EQ(ChooseBreakPattern(4, 1, true, rnd), 0);
  EXPECT_EQ(ChooseBreakPattern(4, 0, true, rnd), -1);
}

TEST(BreakPatternChoice, OnlyTheTintedPatternGivesTheWindowAColour) {
  TRandom rnd(13);
  std::set<TColor> tints;
  for (int k = 0; k < 20; ++k) {
    const TColor c = BreakWindowColor(1, rnd);
    EXPECT_LT(R(c), 50);
    EXPECT_LT(G(c), 50);
    EXPECT_LT(B(c), 50);
    tints.insert(c);
  }
  EXPECT_GT(tints.size(), 15u);
  for (int pattern = 0; pattern < BreakPatternCount; ++pattern)
    if (pattern != 1) {
      EXPECT_EQ(BreakWindowColor(pattern, rnd), clBlack) << pattern;
    }
}

TEST(BreakPatternChoice, ClockSeededGeneratorsDiffer) {
  // Two windows opened one after the other get different pictures.
  TRandom a, b;
  std::vector<int> x, y;
  for (int k = 0; k < 8; ++k) {
    x.push_back(a.Next(1 << 30));
    y.push_back(b.Next(1 << 30));
  }
  EXPECT_NE(x, y);
}

}  // namespace
