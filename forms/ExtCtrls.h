#pragma once
// Window timers and the picture control.
#include "Controls.h"

// A window timer on the application's window; OnTimer runs inside the exception boundary.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;
  // One tick, as the system's timer gives it; tests call it to drive a timer.
  void Timer() { CallEvent(OnTimer, this); }
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override { Update(); }

 private:
  void Update();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  UINT_PTR id_ = 0;
};

class TImage : public TWinControl {
 public:
  explicit TImage(TComponent* AOwner);
  TPicture Picture;
  bool Stretch = false, Center = false, Proportional = false, AutoSize = false, Transparent = false;
  // Call after changing Picture: resizes (AutoSize) and repaints.
  void PictureChanged();
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void WndProc(TMessage& m) override;
  void PaintGraphic(HDC dc) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  bool ClicksOnMouseUp() const override { return true; }
  bool IsGraphicControl() const override { return true; }

 private:
  // The image's own or its form's double buffering.
  bool Buffered() const;
  void PaintTo(HDC dc, const RECT& client);
  // Brings the buffer up to date with the picture, the size and the colour; false when empty.
  bool BufferReady(const RECT& client);
  // Transparent controls over the image are not clipped out of its painting: what it painted over
  // them is painted again by them, after it.
  void RedrawTransparentAbove(const RECT& painted);
  // Buffered, the picture is stretched once into this bitmap; a repaint copies only what is due.
  TBitmap buffer_;
  bool bufferValid_ = false;
  TColor bufferColor_ = clNone;
};
