#pragma once
// Speed buttons: flat or raised buttons painted here, grouped by GroupIndex, with an optional glyph.
// They never take the keyboard focus.
#include "Controls.h"

class TSpeedButton : public TWinControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  // Buttons of one parent with the same non-zero GroupIndex: at most one is down.
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool Down() const { return down_; }
  void SetDown(bool v);  // runs no handler
  // The picture beside the caption; call GlyphChanged() after changing it.
  TPicture Glyph;
  void GlyphChanged() { Invalidate(); }
  // The caption's colour (the font's); repaints only when it changes.
  void SetCaptionColor(TColor c);
  // A user's click: a grouped button goes down (or up when it was down and AllowAllUp), then OnClick.
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void WndProc(TMessage& m) override;

 protected:
  bool ClicksOnMouseUp() const override { return true; }
  void CaptionChanged() override;
  void FontChanged() override;
  void ColorChanged() override { Invalidate(); }
  void EnabledChanged() override;
  void Click() override;

 private:
  void Paint(HDC dc);
  bool flat_ = false, down_ = false, hot_ = false, pressed_ = false;
};
