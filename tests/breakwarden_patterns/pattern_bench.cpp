// Times full repaints of every break-window background onto a 1920 x 1080 bitmap and prints the
// milliseconds per repaint. Usage: pattern_bench.exe [repaints]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BreakPatterns.h"
#include "Text.h"

int main(int argc, char** argv) {
  const int repaints = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
  constexpr int W = 1920, H = 1080;
  TBitmap bmp;
  bmp.SetSize(W, H);
  TCanvas& canvas = bmp.Canvas();
  TRandom rnd(1);
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  double worst = 0;
  int worstPattern = 0;
  for (int p = 0; p < BreakPatternCount; ++p) {
    DrawBreakPattern(canvas, W, H, p, rnd, clBlack);  // warm-up
    GdiFlush();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < repaints; ++i) DrawBreakPattern(canvas, W, H, p, rnd, clBlack);
    GdiFlush();
    QueryPerformanceCounter(&t1);
    const double ms = double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart) / repaints;
    if (ms > worst) worst = ms, worstPattern = p;
    printf("%2d %-20s %7.2f ms per repaint\n", p, WideToCodePage(BreakPatterns[p].Name, CP_ACP).c_str(), ms);
  }
  printf("busiest: pattern %d, %.2f ms per repaint at %dx%d (%d repaints each)\n", worstPattern, worst, W, H, repaints);
  return 0;
}
