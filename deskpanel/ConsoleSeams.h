#pragma once
// The console's own seam: the cursor position, which the auto-hide tick and the menus read. A test
// sets it instead of moving the machine's mouse.
#include <windows.h>

class CursorSeam {
 public:
  virtual ~CursorSeam() = default;
  // GetCursorPos; (0, 0) when it fails.
  virtual POINT Pos();
};
CursorSeam& Cursor();
void SetCursorSeam(CursorSeam* seam);  // nullptr: the real cursor
