#pragma once
// Colours, fonts, pens, brushes, the canvas and pictures (BMP, and JPEG through libjpeg).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

#include "Classes.h"
#include "Handles.h"

using TColor = int32_t;  // 0x00BBGGRR, or a system colour with the top bit set
constexpr TColor clSystemColor = TColor(0xFF000000);
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;
constexpr TColor SysColor(int index) { return TColor(clSystemColor | index); }
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR), clBackground = SysColor(COLOR_BACKGROUND),
                 clActiveCaption = SysColor(COLOR_ACTIVECAPTION), clMenu = SysColor(COLOR_MENU),
                 clWindow = SysColor(COLOR_WINDOW), clWindowText = SysColor(COLOR_WINDOWTEXT),
                 clMenuText = SysColor(COLOR_MENUTEXT), clHighlight = SysColor(COLOR_HIGHLIGHT),
                 clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT), clBtnFace = SysColor(COLOR_BTNFACE),
                 clBtnShadow = SysColor(COLOR_BTNSHADOW), clGrayText = SysColor(COLOR_GRAYTEXT),
                 clBtnText = SysColor(COLOR_BTNTEXT), clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT),
                 clInfoText = SysColor(COLOR_INFOTEXT), clInfoBk = SysColor(COLOR_INFOBK),
                 clHotLight = SysColor(COLOR_HOTLIGHT), cl3DLight = SysColor(COLOR_3DLIGHT);

COLORREF ColorToRGB(TColor c);
// A colour named in a description: clXxx or a number; throws EFormDescription when unknown.
TColor ColorFromProp(const PropValue& v);
std::wstring ColorToString(TColor c);

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = int;

// Shared by a control and its canvas; Changed() lets the owner re-apply it.
class TFont {
 public:
  TFont();
  std::wstring Name;
  int Size = 9;  // points; Height derives from it at the screen's resolution
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  int Charset = GB2312_CHARSET;

  int Height() const;
  void SetHeight(int h);
  HFONT Handle() const;  // created on demand, cached until a property changes
  void Assign(const TFont& other);
  bool SetProperty(const std::string& name, const PropValue& v);  // "Name", "Size", "Color"...
  bool operator==(const TFont& o) const;

 private:
  mutable std::shared_ptr<std::remove_pointer_t<HFONT>> handle_;
  mutable std::wstring hName_;
  mutable int hHeight_ = 0, hStyle_ = 0, hCharset_ = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

class TGraphic;

// Drawing on a device context. The drawing calls are virtual so that a test can record them.
class TCanvas {
 public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : dc_(dc) {}
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc);

  TPen Pen;
  TBrush Brush;
  TFont Font;

  virtual void MoveTo(int x, int y);
  virtual void LineTo(int x, int y);
  virtual void Rectangle(int x1, int y1, int x2, int y2);
  virtual void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  virtual void Ellipse(int x1, int y1, int x2, int y2);
  virtual void Polygon(const std::vector<POINT>& pts);
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  virtual void FillRect(const RECT& r);
  virtual void FrameRect(const RECT& r);
  virtual void TextOut(int x, int y, const std::wstring& text);
  virtual void TextRect(const RECT& r, int x, int y, const std::wstring& text);
  virtual void SetPixel(int x, int y, TColor c);
  virtual void Draw(int x, int y, const TGraphic& g);
  virtual void StretchDraw(const RECT& r, const TGraphic& g);
  virtual SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  POINT PenPos() const { return penPos_; }

 protected:
  void Select(bool pen, bool brush, bool font);
  void Deselect();

 private:
  HDC dc_ = nullptr;
  POINT penPos_{};
  HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr, oldFont_ = nullptr;
  GdiObject<HPEN> pen_;
  GdiObject<HBRUSH> brush_;
  TPen penKey_{};
  TBrush brushKey_{};
  bool hasPen_ = false, hasBrush_ = false;
};

// A canvas drawing on a device context for a scope (a paint handler's), detached when it leaves.
class CanvasScope {
 public:
  CanvasScope(TCanvas& c, HDC dc) : c_(c) { c.SetHandle(dc); }
  ~CanvasScope() { c_.SetHandle(nullptr); }
  CanvasScope(const CanvasScope&) = delete;
  CanvasScope& operator=(const CanvasScope&) = delete;

 private:
  TCanvas& c_;
};

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }
  virtual void Draw(HDC dc, const RECT& r) const = 0;
};

// A 32-bit device-independent bitmap with its own canvas.
class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void SetSize(int w, int h);
  TCanvas& Canvas();
  HBITMAP Handle() const { return bmp_.get(); }
  uint32_t* Bits() const { return bits_; }  // top-down rows of 0x00RRGGBB
  void Draw(HDC dc, const RECT& r) const override;
  void LoadFromFile(const std::wstring& path);
  void LoadFromMemory(const void* data, size_t size);  // a .bmp file image

 private:
  void Release();
  int w_ = 0, h_ = 0;
  GdiObject<HBITMAP> bmp_;
  uint32_t* bits_ = nullptr;
  MemoryDC memDc_;
  HGDIOBJ oldBmp_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
};

// Decodes JPEG data into a bitmap; any libjpeg error raises EJPEG "JPEG error #%d".
class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  void Draw(HDC dc, const RECT& r) const override { bitmap_.Draw(dc, r); }
  void LoadFromMemory(const void* data, size_t size);
  void LoadFromFile(const std::wstring& path);
  const TBitmap& Bitmap() const { return bitmap_; }

 private:
  TBitmap bitmap_;
};

// Holds one graphic: a bitmap or a JPEG picture, chosen by the file's extension or its signature.
class TPicture {
 public:
  std::shared_ptr<TGraphic> Graphic;
  int Width() const { return Graphic ? Graphic->Width() : 0; }
  int Height() const { return Graphic ? Graphic->Height() : 0; }
  void LoadFromFile(const std::wstring& path);
  void LoadFromMemory(const void* data, size_t size);
  // An RCDATA resource of the running program (see PictureResourceName).
  void LoadFromResource(const std::wstring& name);
  void Assign(const TPicture& other) { Graphic = other.Graphic; }
  void Clear() { Graphic.reset(); }
};

// The colour of the picture's pixel at (x, y); false when there is none (empty, or outside).
bool PicturePixel(const TPicture& p, int x, int y, TColor& color);

// The resource name of a picture file named in a description: "splash.jpg" -> SPLASH_JPG.
std::wstring PictureResourceName(const std::wstring& fileName);
// The screen's logical pixels per inch, for point sizes.
int ScreenPixelsPerInch();
// Reads a whole file into memory; raises EInOutError when it cannot be read.
std::vector<char> ReadWholeFile(const std::wstring& path);
