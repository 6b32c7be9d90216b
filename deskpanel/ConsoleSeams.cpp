#include "ConsoleSeams.h"

#include "Seams.h"

POINT CursorSeam::Pos() {
  POINT p{};
  if (!GetCursorPos(&p)) p = POINT{};
  return p;
}

CursorSeam& Cursor() { return SeamSlot<CursorSeam>::Instance().Get(); }
void SetCursorSeam(CursorSeam* seam) { SeamSlot<CursorSeam>::Instance().Set(seam); }
