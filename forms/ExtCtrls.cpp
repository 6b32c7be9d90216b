#include "ExtCtrls.h"

#include "Description.h"
#include "Forms.h"
#include "Handles.h"

// ---- TTimer ------------------------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { Update(); }

TTimer::~TTimer() {
  if (id_) Application->RemoveTimer(id_);
}

void TTimer::Update() {
  if (id_) {
    Application->RemoveTimer(id_);
    id_ = 0;
  }
  if (enabled_ && interval_ > 0 && !Loading()) id_ = Application->AddTimer(interval_, [this] { Timer(); });
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

bool TTimer::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Enabled") enabled_ = v.AsBool();
  else if (name == "Interval") interval_ = unsigned(v.AsInt());
  else if (name == "OnTimer") OnTimer = loader.Event<TNotifyEvent>(v);
  else return TComponent::SetProperty(name, v, loader);
  return true;
}

// ---- TImage ------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TWinControl(AOwner) {
  width_ = 105;
  height_ = 105;
  ParentColor = true;
}

void TImage::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);  // our own class, painted here
}

void TImage::PictureChanged() {
  bufferValid_ = false;
  if (AutoSize && Picture.Graphic) SetBounds(left_, top_, Picture.Width(), Picture.Height());
  // The controls over the image show the new picture too (flat buttons through themselves,
  // transparent labels around their text).
  if (parent_ && parent_->HandleIfAllocated() && handle_) {
    const RECT r = BoundsRect();
    RedrawWindow(parent_->HandleIfAllocated(), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  } else {
    Invalidate();
  }
}

bool TImage::Buffered() const {
  if (DoubleBuffered) return true;
  TForm* f = ParentForm();
  return f && f->DoubleBuffered;
}

void TImage::PaintTo(HDC dc, const RECT& cr) {
  FillRect(dc, &cr, BackgroundBrush());
  if (!Picture.Graphic || Picture.Graphic->Empty()) return;
  int pw = Picture.Width(), ph = Picture.Height();
  RECT r{0, 0, pw, ph};
  if (Stretch) {
    r = cr;
    if (Proportional) {
      double s = std::min(double(cr.right) / pw, double(cr.bottom) / ph);
      r = RECT{0, 0, int(pw * s), int(ph * s)};
    }
  }
  if (Center) OffsetRect(&r, (cr.right - (r.right - r.left)) / 2, (cr.bottom - (r.bottom - r.top)) / 2);
  Picture.Graphic->Draw(dc, r);
}

bool TImage::BufferReady(const RECT& cr) {
  if (ParentColor && parent_) color_ = parent_->Color();
  if (cr.right <= 0 || cr.bottom <= 0) {
    buffer_.SetSize(0, 0);
    bufferValid_ = false;
    return false;
  }
  if (!bufferValid_ || buffer_.Width() != cr.right || buffer_.Height() != cr.bottom || bufferColor_ != color_) {
    buffer_.SetSize(cr.right, cr.bottom);
    PaintTo(buffer_.Canvas().Handle(), cr);
    bufferValid_ = true;
    bufferColor_ = color_;
  }
  return true;
}

void TImage::PaintGraphic(HDC dc) {
  // Through the buffer, which the image then paints from as well: the picture seen through a
  // control matches the picture around it to the pixel.
  RECT cr;
  GetClientRect(handle_, &cr);
  if (BufferReady(cr)) BitBlt(dc, 0, 0, cr.right, cr.bottom, buffer_.Canvas().Handle(), 0, 0, SRCCOPY);
  else PaintTo(dc, cr);
}

void TImage::RedrawTransparentAbove(const RECT& painted) {
  if (!parent_) return;
  RECT area = painted;
  OffsetRect(&area, left_, top_);
  for (TControl* c : parent_->Controls()) {
    auto* w = dynamic_cast<TWinControl*>(c);
    HWND h = w && w != this ? w->HandleIfAllocated() : nullptr;
    if (!h || !IsWindowVisible(h) || !(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) continue;
    RECT theirs = w->BoundsRect(), both;
    if (!IntersectRect(&both, &theirs, &area)) continue;
    OffsetRect(&both, -theirs.left, -theirs.top);
    RedrawWindow(h, &both, nullptr, RDW_INVALIDATE);
  }
}

void TImage::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    return;
  }
  if (m.Msg == WM_PAINT) {
    PaintScope paint(handle_);
    HDC dc = paint.dc();
    RECT cr;
    GetClientRect(handle_, &cr);
    const RECT& due = paint.info().rcPaint;
    if (ParentColor && parent_) color_ = parent_->Color();
    if ((Buffered() || bufferValid_) && BufferReady(cr))
      BitBlt(dc, due.left, due.top, due.right - due.left, due.bottom - due.top, buffer_.Canvas().Handle(), due.left,
             due.top, SRCCOPY);
    else PaintTo(dc, cr);
    RedrawTransparentAbove(due);
    return;
  }
  TWinControl::WndProc(m);
}

bool TImage::SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) {
  if (name == "Picture") {
    // A picture resource of the program, named by its file name.
    Picture.LoadFromResource(PictureResourceName(v.AsString()));
  } else if (name == "Stretch") Stretch = v.AsBool();
  else if (name == "Center") Center = v.AsBool();
  else if (name == "Proportional") Proportional = v.AsBool();
  else if (name == "AutoSize") AutoSize = v.AsBool();
  else if (name == "Transparent") Transparent = v.AsBool();
  else return TWinControl::SetProperty(name, v, loader);
  return true;
}
