#pragma once
// The console's own seams: the cursor position, which the auto-hide tick and the menus read, and
// the random generator of the change reminder's delay. A test sets them instead of moving the
// machine's mouse or waiting on chance.
#include <windows.h>

#include <random>

class CursorSeam {
 public:
  virtual ~CursorSeam() = default;
  // GetCursorPos; (0, 0) when it fails.
  virtual POINT Pos();
};
CursorSeam& Cursor();
void SetCursorSeam(CursorSeam* seam);  // nullptr: the real cursor

class RandomSeam {
 public:
  virtual ~RandomSeam() = default;
  // Seeds the generator afresh (from the clock).
  virtual void Randomize();
  // A whole number in 0..n-1.
  virtual int Random(int n);

 private:
  std::mt19937 gen_{5489u};
};
RandomSeam& RandomSource();
void SetRandomSeam(RandomSeam* seam);  // nullptr: the real generator
