#include "Buttons.h"

#include <algorithm>

#include "Description.h"
#include "Forms.h"
#include "Handles.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 23;
  height_ = 22;
  ParentColor = true;
}

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetDown(bool v) {
  if (GroupIndex == 0) v = false;  // only grouped buttons stay down
  if (v == down_) return;
  if (!v && !AllowAllUp) {
    // The group's last button down stays down unless the group allows all up.
    bool another = false;
    if (parent_)
      for (TControl* c : parent_->Controls())
        if (auto* b = dynamic_cast<TSpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex && b->down_) another = true;
    if (!another) return;
  }
  down_ = v;
  if (v && parent_)
    for (TControl* c : parent_->Controls())
      if (auto* b = dynamic_cast<TSpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex && b->down_) {
        b->down_ = false;
        b->Invalidate();
      }
  Invalidate();
}

void TSpeedButton::Click() {
  if (GroupIndex != 0) {
    if (down_ && AllowAllUp) {
      down_ = false;
      Invalidate();
    } else if (!down_) {
      SetDown(true);
    }
  }
  TWinControl::Click();
}

void TSpeedButton::CaptionChanged() {
  TWinControl::CaptionChanged();
  Invalidate();
}

void TSpeedButton::FontChanged() {
  TWinControl::FontChanged();
  Invalidate();
}

void TSpeedButton::SetCaptionColor(TColor c) {
  if (Font.Color == c) return;
  Font.Color = c;
  FontChanged();
}

void TSpeedButton::EnabledChanged() {
  TWinControl::EnabledChanged();
  Invalidate();
}

void TSpeedButton::Paint(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  // Flat, the button is see-through: the picture and bevels beneath it show, as on a button
  // painted onto its parent.
  if (flat_) PaintGraphicsBeneath(dc);
  else {
    if (ParentColor && parent_) color_ = parent_->Color();
    FillRect(dc, &r, BackgroundBrush());
  }
  const bool sunken = down_ || pressed_;
  if (sunken) DrawEdge(dc, &r, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!flat_) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  else if (hot_ && enabled_) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  RECT c = r;
  InflateRect(&c, -2, -2);
  if (sunken) OffsetRect(&c, 1, 1);
  int gw = Glyph.Width(), gh = Glyph.Height();
  SelectScope font(dc, Font.Handle());
  SIZE ts{};
  if (!caption_.empty()) GetTextExtentPoint32W(dc, caption_.c_str(), int(caption_.size()), &ts);
  // The glyph left of the caption, both centred together.
  int total = gw + (gw && ts.cx ? 4 : 0) + ts.cx;
  int x = c.left + (c.right - c.left - total) / 2;
  if (gw) {
    int y = c.top + (c.bottom - c.top - gh) / 2;
    Glyph.Graphic->Draw(dc, RECT{x, y, x + gw, y + gh});
    x += gw + (ts.cx ? 4 : 0);
  }
  if (ts.cx) {
    SetBkMode(dc, TRANSPARENT);
    RECT tr{x, c.top, c.right, c.bottom};
    if (!enabled_) {
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      OffsetRect(&tr, 1, 1);
      DrawTextW(dc, caption_.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      OffsetRect(&tr, -1, -1);
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
      SetTextColor(dc, ColorToRGB(Font.Color));
    }
    DrawTextW(dc, caption_.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_PAINT: {
      // Painted off screen first, so the picture beneath never shows without the face.
      PaintScope paint(handle_);
      RECT r;
      GetClientRect(handle_, &r);
      MemoryDC mem(CreateCompatibleDC(paint.dc()));
      GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.dc(), std::max(1L, r.right), std::max(1L, r.bottom)));
      {
        SelectScope keep(mem.get(), bitmap.get());
        Paint(mem.get());
        BitBlt(paint.dc(), 0, 0, r.right, r.bottom, mem.get(), 0, 0, SRCCOPY);
      }
      return;
    }
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (enabled_) {
        pressed_ = true;
        Invalidate();
      }
      break;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        Invalidate();
      }
      break;
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&t);
        if (flat_) Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      hot_ = false;
      if (flat_) Invalidate();
      break;
  }
  TWinControl::WndProc(m);
}

bool TSpeedButton::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Flat") flat_ = v.AsBool();
  else if (name == "GroupIndex") GroupIndex = v.AsInt();
  else if (name == "AllowAllUp") AllowAllUp = v.AsBool();
  else if (name == "Down") down_ = v.AsBool();
  else if (name == "Glyph") Glyph.LoadFromResource(PictureResourceName(v.AsString()));
  else if (name == "NumGlyphs" || name == "Layout" || name == "Margin" || name == "Spacing" || name == "Transparent") (void)v;
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}
