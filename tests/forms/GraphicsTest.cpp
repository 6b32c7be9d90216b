// Pictures: BMP and JPEG load; a broken file raises the error the programs show.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "Graphics.h"

namespace {

std::wstring TestFile(const char* name) { return L"Z:" + Utf8ToWide(TEST_RESOURCES_DIR) + L"/" + Utf8ToWide(name); }

TEST(Picture, LoadsJpegAndBitmapFiles) {
  TPicture p;
  p.LoadFromFile(TestFile("demo.jpg"));
  EXPECT_EQ(p.Width(), 160);
  EXPECT_EQ(p.Height(), 100);
  p.LoadFromFile(TestFile("demo.bmp"));
  EXPECT_EQ(p.Width(), 32);
  EXPECT_EQ(p.Height(), 24);
  auto* bmp = dynamic_cast<TBitmap*>(p.Graphic.get());
  ASSERT_NE(bmp, nullptr);
  // Rows come out top-down and the colour survives: #20a040.
  EXPECT_EQ(bmp->Bits()[0] & 0xFFFFFF, 0x20A040u);
}

TEST(Picture, BrokenJpegRaisesTheLibraryErrorCode) {
  TPicture p;
  try {
    p.LoadFromFile(TestFile("bad.jpg"));
    FAIL() << "a broken JPEG loaded";
  } catch (const EJPEG& e) {
    std::string msg = Narrow(e.Message());
    EXPECT_EQ(msg.rfind("JPEG error #", 0), 0u) << msg;
    EXPECT_GT(std::stoi(msg.substr(12)), 0);
  }
  EXPECT_EQ(p.Graphic, nullptr);
}

TEST(Picture, OtherFailuresRaiseTheirOwnErrors) {
  TPicture p;
  EXPECT_THROW(p.LoadFromFile(TestFile("tests.rc")), EInvalidGraphic);  // unknown extension
  EXPECT_THROW(p.LoadFromFile(TestFile("missing.jpg")), EInOutError);
  const char notBmp[] = "BM too short to be a bitmap";
  EXPECT_THROW(p.LoadFromMemory(notBmp, sizeof notBmp), EInvalidGraphic);
}

TEST(Canvas, DrawsOnABitmap) {
  TBitmap b;
  b.SetSize(20, 10);
  TCanvas& c = b.Canvas();
  c.Brush.Color = clRed;
  c.FillRect(RECT{0, 0, 20, 10});
  c.Pen.Color = clBlue;
  c.MoveTo(0, 5);
  c.LineTo(20, 5);
  GdiFlush();
  EXPECT_EQ(b.Bits()[0] & 0xFFFFFF, 0xFF0000u);        // red as 0x00RRGGBB
  EXPECT_EQ(b.Bits()[5 * 20 + 3] & 0xFFFFFF, 0x0000FFu);  // the blue line
  EXPECT_GT(c.TextWidth(L"中文"), c.TextWidth(L"中"));
}

}  // namespace
