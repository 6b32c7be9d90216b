#pragma once
// The picture overlay's window as any tool reads it: over the given rectangle, layered at alpha 50,
// click-through, topmost and a tool window.
#include <gtest/gtest.h>
#include <windows.h>

inline void ExpectOverlayWindow(HWND h, const RECT& screen) {
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_TRUE(EqualRect(&r, &screen)) << r.left << "," << r.top << " " << r.right << "x" << r.bottom;
  const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  for (LONG_PTR bit : {LONG_PTR(WS_EX_LAYERED), LONG_PTR(WS_EX_TRANSPARENT), LONG_PTR(WS_EX_TOPMOST),
                       LONG_PTR(WS_EX_TOOLWINDOW)})
    EXPECT_TRUE(ex & bit) << std::hex << bit;
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 50);
  EXPECT_TRUE(flags & LWA_ALPHA);
}
