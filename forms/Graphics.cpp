#include "Graphics.h"

#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include "Description.h"

extern "C" {
#include <jpeglib.h>
}

COLORREF ColorToRGB(TColor c) {
  if (c != clNone && c != clDefault && TColor(c & 0xFF000000) == clSystemColor)
    return GetSysColor(c & 0xFF);
  return COLORREF(c & 0xFFFFFF);
}

static const std::map<std::wstring, TColor>& ColorNames() {
  static const std::map<std::wstring, TColor> m = {
      {L"clBlack", clBlack}, {L"clMaroon", clMaroon}, {L"clGreen", clGreen}, {L"clOlive", clOlive},
      {L"clNavy", clNavy}, {L"clPurple", clPurple}, {L"clTeal", clTeal}, {L"clGray", clGray},
      {L"clSilver", clSilver}, {L"clRed", clRed}, {L"clLime", clLime}, {L"clYellow", clYellow},
      {L"clBlue", clBlue}, {L"clFuchsia", clFuchsia}, {L"clAqua", clAqua}, {L"clWhite", clWhite},
      {L"clMoneyGreen", clMoneyGreen}, {L"clSkyBlue", clSkyBlue}, {L"clCream", clCream},
      {L"clMedGray", clMedGray}, {L"clNone", clNone}, {L"clDefault", clDefault},
      {L"clScrollBar", clScrollBar}, {L"clBackground", clBackground}, {L"clActiveCaption", clActiveCaption},
      {L"clMenu", clMenu}, {L"clWindow", clWindow}, {L"clWindowText", clWindowText}, {L"clMenuText", clMenuText},
      {L"clHighlight", clHighlight}, {L"clHighlightText", clHighlightText}, {L"clBtnFace", clBtnFace},
      {L"clBtnShadow", clBtnShadow}, {L"clGrayText", clGrayText}, {L"clBtnText", clBtnText},
      {L"clBtnHighlight", clBtnHighlight}, {L"clInfoText", clInfoText}, {L"clInfoBk", clInfoBk},
      {L"clHotLight", clHotLight}, {L"cl3DLight", cl3DLight}};
  return m;
}

TColor ColorFromProp(const PropValue& v) {
  if (v.kind == PropValue::kInt) return TColor(v.i);
  auto it = ColorNames().find(Utf8ToWide(v.AsIdent()));
  if (it == ColorNames().end()) throw EFormDescription(L"unknown colour " + v.s);
  return it->second;
}

std::wstring ColorToString(TColor c) {
  for (const auto& [name, value] : ColorNames())
    if (value == c) return name;
  return IntToStr(c);
}

std::wstring PictureResourceName(const std::wstring& fileName) {
  std::wstring n = UpperCase(fileName);
  for (wchar_t& c : n)
    if (c == L'.') c = L'_';
  return n;
}

int ScreenPixelsPerInch() {
  int ppi = GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY);
  return ppi > 0 ? ppi : 96;
}

// ---- font ------------------------------------------------------------------------------------

TFont::TFont() : Name(L"宋体") {}

int TFont::Height() const { return -MulDiv(Size, ScreenPixelsPerInch(), 72); }
void TFont::SetHeight(int h) { Size = -MulDiv(h, 72, ScreenPixelsPerInch()); }

HFONT TFont::Handle() const {
  int h = Height();
  if (!handle_ || hName_ != Name || hHeight_ != h || hStyle_ != Style || hCharset_ != Charset) {
    LOGFONTW lf{};
    lf.lfHeight = h;
    lf.lfWeight = (Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Style & fsItalic) != 0;
    lf.lfUnderline = (Style & fsUnderline) != 0;
    lf.lfStrikeOut = (Style & fsStrikeOut) != 0;
    lf.lfCharSet = BYTE(Charset);
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, Name.c_str(), LF_FACESIZE - 1);
    handle_.reset(CreateFontIndirectW(&lf), [](HFONT f) { DeleteObject(f); });
    hName_ = Name;
    hHeight_ = h;
    hStyle_ = Style;
    hCharset_ = Charset;
  }
  return handle_.get();
}

void TFont::Assign(const TFont& o) {
  Name = o.Name;
  Size = o.Size;
  Color = o.Color;
  Style = o.Style;
  Charset = o.Charset;
}

bool TFont::operator==(const TFont& o) const {
  return Name == o.Name && Size == o.Size && Color == o.Color && Style == o.Style && Charset == o.Charset;
}

bool TFont::SetProperty(const std::string& name, const PropValue& v) {
  if (name == "Name") Name = v.AsString();
  else if (name == "Size") Size = v.AsInt();
  else if (name == "Height") SetHeight(v.AsInt());
  else if (name == "Color") Color = ColorFromProp(v);
  else if (name == "Charset") Charset = v.kind == PropValue::kInt ? v.AsInt() : (v.AsIdent() == "ANSI_CHARSET" ? ANSI_CHARSET : v.AsIdent() == "DEFAULT_CHARSET" ? DEFAULT_CHARSET : GB2312_CHARSET);
  else if (name == "Style") {
    Style = 0;
    for (const auto& s : v.AsSet()) {
      if (s == L"fsBold") Style |= fsBold;
      else if (s == L"fsItalic") Style |= fsItalic;
      else if (s == L"fsUnderline") Style |= fsUnderline;
      else if (s == L"fsStrikeOut") Style |= fsStrikeOut;
      else throw EFormDescription(L"unknown font style " + s);
    }
  } else return false;
  return true;
}

// ---- canvas ----------------------------------------------------------------------------------

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
  Deselect();
  pen_.reset();
  brush_.reset();
  hasPen_ = hasBrush_ = false;
  dc_ = dc;
}

void TCanvas::Deselect() {
  if (!dc_) return;
  if (oldPen_) SelectObject(dc_, oldPen_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldFont_) SelectObject(dc_, oldFont_);
  oldPen_ = oldBrush_ = oldFont_ = nullptr;
}

void TCanvas::Select(bool pen, bool brush, bool font) {
  if (!dc_) return;
  if (pen) {
    if (!hasPen_ || penKey_.Color != Pen.Color || penKey_.Width != Pen.Width || penKey_.Style != Pen.Style) {
      static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
      HPEN p = CreatePen(styles[Pen.Style], Pen.Width, ColorToRGB(Pen.Color));
      HGDIOBJ old = SelectObject(dc_, p);
      if (!oldPen_) oldPen_ = old;
      pen_.reset(p);
      penKey_ = Pen;
      hasPen_ = true;
    }
  }
  if (brush) {
    if (!hasBrush_ || brushKey_.Color != Brush.Color || brushKey_.Style != Brush.Style) {
      HBRUSH b;
      if (Brush.Style == bsClear) b = HBRUSH(GetStockObject(NULL_BRUSH));
      else if (Brush.Style == bsSolid) b = CreateSolidBrush(ColorToRGB(Brush.Color));
      else {
        static const int hatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        b = CreateHatchBrush(hatch[Brush.Style], ColorToRGB(Brush.Color));
      }
      HGDIOBJ old = SelectObject(dc_, b);
      if (!oldBrush_) oldBrush_ = old;
      brush_.reset(Brush.Style == bsClear ? nullptr : b);
      brushKey_ = Brush;
      hasBrush_ = true;
    }
    SetBkMode(dc_, Brush.Style == bsSolid ? OPAQUE : TRANSPARENT);
    SetBkColor(dc_, ColorToRGB(Brush.Color));
  }
  if (font) {
    HGDIOBJ old = SelectObject(dc_, Font.Handle());
    if (!oldFont_) oldFont_ = old;
    SetTextColor(dc_, ColorToRGB(Font.Color));
  }
}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
  if (dc_) MoveToEx(dc_, x, y, nullptr);
}
void TCanvas::LineTo(int x, int y) {
  Select(true, false, false);
  if (dc_) {
    MoveToEx(dc_, penPos_.x, penPos_.y, nullptr);
    ::LineTo(dc_, x, y);
  }
  penPos_ = {x, y};
}
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Select(true, true, false);
  if (dc_) ::Rectangle(dc_, x1, y1, x2, y2);
}
void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  Select(true, true, false);
  if (dc_) ::RoundRect(dc_, x1, y1, x2, y2, w, h);
}
void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Select(true, true, false);
  if (dc_) ::Ellipse(dc_, x1, y1, x2, y2);
}
void TCanvas::Polygon(const std::vector<POINT>& pts) {
  Select(true, true, false);
  if (dc_ && !pts.empty()) ::Polygon(dc_, pts.data(), int(pts.size()));
}
void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Select(true, false, false);
  if (dc_) ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
}
void TCanvas::FillRect(const RECT& r) {
  Select(false, true, false);
  if (dc_ && Brush.Style != bsClear) ::FillRect(dc_, &r, brush_.get());
}
void TCanvas::FrameRect(const RECT& r) {
  Select(false, true, false);
  if (dc_ && brush_) ::FrameRect(dc_, &r, brush_.get());
}
void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  Select(false, true, true);
  if (dc_) ::TextOutW(dc_, x, y, text.c_str(), int(text.size()));
  penPos_ = {x + TextWidth(text), y};
}
void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text) {
  Select(false, true, true);
  if (dc_) ExtTextOutW(dc_, x, y, ETO_CLIPPED | (Brush.Style == bsSolid ? ETO_OPAQUE : 0), &r, text.c_str(), UINT(text.size()), nullptr);
}
void TCanvas::SetPixel(int x, int y, TColor c) {
  if (dc_) ::SetPixel(dc_, x, y, ColorToRGB(c));
}
void TCanvas::Draw(int x, int y, const TGraphic& g) {
  if (dc_) g.Draw(dc_, RECT{x, y, x + g.Width(), y + g.Height()});
}
void TCanvas::StretchDraw(const RECT& r, const TGraphic& g) {
  if (dc_) g.Draw(dc_, r);
}
SIZE TCanvas::TextExtent(const std::wstring& text) {
  SIZE s{};
  if (dc_) {
    Select(false, false, true);
    GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &s);
  } else {
    WindowDC screen(nullptr);
    SelectScope font(screen.get(), Font.Handle());
    GetTextExtentPoint32W(screen.get(), text.c_str(), int(text.size()), &s);
  }
  return s;
}

// ---- bitmap ----------------------------------------------------------------------------------

TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
  canvas_.reset();
  // The bitmap leaves its memory DC before either goes.
  if (memDc_) SelectObject(memDc_.get(), oldBmp_);
  memDc_.reset();
  bmp_.reset();
  bits_ = nullptr;
  w_ = h_ = 0;
}

void TBitmap::SetSize(int w, int h) {
  Release();
  if (w <= 0 || h <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bmp_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp_) throw EInvalidGraphic(L"Out of system resources");
  bits_ = static_cast<uint32_t*>(bits);
  w_ = w;
  h_ = h;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    memDc_.reset(CreateCompatibleDC(nullptr));
    if (bmp_) oldBmp_ = SelectObject(memDc_.get(), bmp_.get());
    canvas_ = std::make_unique<TCanvas>(memDc_.get());
  }
  return *canvas_;
}

void TBitmap::Draw(HDC dc, const RECT& r) const {
  if (!bmp_) return;
  // Without a canvas of its own the bitmap is selected into a DC for this draw only.
  MemoryDC temp;
  std::optional<SelectScope> select;
  HDC src = memDc_.get();
  if (!src) {
    temp.reset(CreateCompatibleDC(dc));
    src = temp.get();
    select.emplace(src, bmp_.get());
  }
  int rw = r.right - r.left, rh = r.bottom - r.top;
  if (rw == w_ && rh == h_) BitBlt(dc, r.left, r.top, w_, h_, src, 0, 0, SRCCOPY);
  else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, r.left, r.top, rw, rh, src, 0, 0, w_, h_, SRCCOPY);
  }
}

void TBitmap::LoadFromMemory(const void* data, size_t size) {
  auto* p = static_cast<const unsigned char*>(data);
  if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || p[0] != 'B' || p[1] != 'M')
    throw EInvalidGraphic(L"Bitmap image is not valid");
  auto* fh = reinterpret_cast<const BITMAPFILEHEADER*>(p);
  auto* bi = reinterpret_cast<const BITMAPINFO*>(p + sizeof(BITMAPFILEHEADER));
  if (fh->bfOffBits >= size) throw EInvalidGraphic(L"Bitmap image is not valid");
  int w = bi->bmiHeader.biWidth, h = bi->bmiHeader.biHeight;
  if (w <= 0 || h == 0 || w > 16384 || std::abs(h) > 16384) throw EInvalidGraphic(L"Bitmap image is not valid");
  // The rows must fit in the file before GDI reads them.
  size_t stride = ((size_t(w) * bi->bmiHeader.biBitCount + 31) / 32) * 4;
  if (bi->bmiHeader.biCompression == BI_RGB && fh->bfOffBits + stride * std::abs(h) > size)
    throw EInvalidGraphic(L"Bitmap image is not valid");
  SetSize(w, std::abs(h));
  int ok;
  {
    WindowDC screen(nullptr);
    MemoryDC mem(CreateCompatibleDC(screen.get()));
    SelectScope select(mem.get(), bmp_.get());
    ok = StretchDIBits(mem.get(), 0, 0, w_, h_, 0, 0, w, std::abs(h), p + fh->bfOffBits, bi, DIB_RGB_COLORS, SRCCOPY);
  }
  if (ok == 0 || ok == int(GDI_ERROR)) throw EInvalidGraphic(L"Bitmap image is not valid");
}

void TBitmap::LoadFromFile(const std::wstring& path) {
  std::vector<char> data = ReadWholeFile(path);
  LoadFromMemory(data.data(), data.size());
}

// ---- JPEG ------------------------------------------------------------------------------------

namespace {
struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};
void JpegErrorExit(j_common_ptr cinfo) {
  // libjpeg is C: leave it by longjmp and raise the exception on our side.
  longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
void JpegOutputMessage(j_common_ptr) {}
}  // namespace

void TJPEGImage::LoadFromMemory(const void* data, size_t size) {
  jpeg_decompress_struct cinfo{};
  JpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  err.mgr.output_message = JpegOutputMessage;
  volatile int code = 0;
  std::vector<unsigned char> row;
  if (setjmp(err.jump)) {
    code = err.mgr.msg_code;
    jpeg_destroy_decompress(&cinfo);
    wchar_t msg[64];
    swprintf(msg, 64, L"JPEG error #%d", int(code));
    throw EJPEG(msg);
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  bitmap_.SetSize(int(cinfo.output_width), int(cinfo.output_height));
  row.resize(size_t(cinfo.output_width) * cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rp = row.data();
    unsigned y = cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &rp, 1);
    uint32_t* dst = bitmap_.Bits() + size_t(y) * cinfo.output_width;
    for (unsigned x = 0; x < cinfo.output_width; ++x) {
      const unsigned char* px = &row[size_t(x) * 3];
      dst[x] = (uint32_t(px[0]) << 16) | (uint32_t(px[1]) << 8) | px[2];
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

void TJPEGImage::LoadFromFile(const std::wstring& path) {
  std::vector<char> data = ReadWholeFile(path);
  LoadFromMemory(data.data(), data.size());
}

// ---- picture ---------------------------------------------------------------------------------

std::vector<char> ReadWholeFile(const std::wstring& path) {
  FileHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) throw EInOutError(L"Cannot open file \"" + path + L"\"");
  LARGE_INTEGER size{};
  GetFileSizeEx(f.get(), &size);
  std::vector<char> data(size_t(size.QuadPart));
  DWORD got = 0;
  BOOL ok = data.empty() || ReadFile(f.get(), data.data(), DWORD(data.size()), &got, nullptr);
  f.reset();
  if (!ok || got != data.size()) throw EInOutError(L"Read error on \"" + path + L"\"");
  return data;
}

void TPicture::LoadFromMemory(const void* data, size_t size) {
  auto* p = static_cast<const unsigned char*>(data);
  if (size >= 2 && p[0] == 0xFF && p[1] == 0xD8) {
    auto j = std::make_shared<TJPEGImage>();
    j->LoadFromMemory(data, size);
    Graphic = j;
  } else if (size >= 2 && p[0] == 'B' && p[1] == 'M') {
    auto b = std::make_shared<TBitmap>();
    b->LoadFromMemory(data, size);
    Graphic = b;
  } else {
    throw EInvalidGraphic(L"Unknown picture file extension");
  }
}

void TPicture::LoadFromFile(const std::wstring& path) {
  std::wstring ext = UpperCase(path.substr(path.find_last_of(L'.') == std::wstring::npos ? path.size() : path.find_last_of(L'.')));
  if (ext != L".BMP" && ext != L".JPG" && ext != L".JPEG")
    throw EInvalidGraphic(L"Unknown picture file extension (" + ext + L")");
  std::vector<char> data = ReadWholeFile(path);
  if (ext == L".BMP") {
    auto b = std::make_shared<TBitmap>();
    b->LoadFromMemory(data.data(), data.size());
    Graphic = b;
  } else {
    auto j = std::make_shared<TJPEGImage>();
    j->LoadFromMemory(data.data(), data.size());
    Graphic = j;
  }
}

bool PicturePixel(const TPicture& p, int x, int y, TColor& color) {
  const TBitmap* b = dynamic_cast<const TBitmap*>(p.Graphic.get());
  if (auto* j = dynamic_cast<const TJPEGImage*>(p.Graphic.get())) b = &j->Bitmap();
  if (!b || !b->Bits() || x < 0 || y < 0 || x >= b->Width() || y >= b->Height()) return false;
  const uint32_t rgb = b->Bits()[size_t(y) * b->Width() + x];
  color = TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
  return true;
}

void TPicture::LoadFromResource(const std::wstring& name) {
  HRSRC r = FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(10));
  if (!r) throw EInvalidGraphic(L"picture resource " + name + L" not found");
  HGLOBAL g = LoadResource(nullptr, r);
  LoadFromMemory(LockResource(g), SizeofResource(nullptr, r));
}
