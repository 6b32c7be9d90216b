#include "ConsoleSeams.h"

#include "Seams.h"

POINT CursorSeam::Pos() {
  POINT p{};
  if (!GetCursorPos(&p)) p = POINT{};
  return p;
}

CursorSeam& Cursor() { return SeamSlot<CursorSeam>::Instance().Get(); }
void SetCursorSeam(CursorSeam* seam) { SeamSlot<CursorSeam>::Instance().Set(seam); }

void RandomSeam::Randomize() { gen_.seed(Clock().TickCount() ^ GetCurrentProcessId()); }

int RandomSeam::Random(int n) {
  if (n <= 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(gen_);
}

RandomSeam& RandomSource() { return SeamSlot<RandomSeam>::Instance().Get(); }
void SetRandomSeam(RandomSeam* seam) { SeamSlot<RandomSeam>::Instance().Set(seam); }
