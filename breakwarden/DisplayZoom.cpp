#include "DisplayZoom.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

int RoundHalfEven(double v) {
  double f = std::floor(v);
  double diff = v - f;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
  return int(f);
}

double GetAutoZoomRate(int designWidth, int designHeight, int screenWidth, int screenHeight) {
  if (designWidth == 0 && designHeight == 0) {
    designWidth = kDesignScreenWidth;
    designHeight = kDesignScreenHeight;
  }
  int designAverage = (designWidth + designHeight) / 2;
  if (designAverage <= 0) designAverage = (kDesignScreenWidth + kDesignScreenHeight) / 2;
  int screenAverage = (screenWidth + screenHeight) / 2;
  return double(screenAverage) / designAverage - 1;
}

int GetAutoFontAdjust(int screenWidth, int screenHeight) {
  return RoundHalfEven(GetAutoZoomRate(0, 0, screenWidth, screenHeight) * 100) / 10;
}

int ZoomPercentForMode(int mode, int currentPercent, int screenWidth, int screenHeight) {
  switch (mode) {
    case zmDesignSize: return 0;
    case zmAuto:
      return std::clamp(RoundHalfEven(GetAutoZoomRate(kDesignScreenWidth, kDesignScreenHeight, screenWidth,
                                                      screenHeight) * 100),
                        kZoomPercentMin, kZoomPercentMax);
    default: return currentPercent;
  }
}

double ZoomFactor(int percent) { return 1 + percent / 100.0; }

int ZoomLength(int designLength, int percent) {
  // length x (100 + percent) / 100 as a fraction, so that a half is a half
  long long num = (long long)designLength * (100 + percent);
  long long q = num / 100, r = num % 100;
  if (r < 0) {
    q -= 1;
    r += 100;
  }
  if (2 * r > 100 || (2 * r == 100 && (q & 1))) ++q;
  return int(q);
}

namespace {

const ZoomWindowInfo kZoomWindows[] = {
    {ZoomWindow::CountDown, L"cbbZoomRateCountDownWindow", L"scbZoomRateCountDownWindow", L"lblZoomRate1",
     L"updFontAdjustOfCountDownWindow", -15, 15, true},
    {ZoomWindow::HintSmall, L"cbbZoomRateHintSmallWindow", L"scbZoomRateHintSmallWindow", L"lblZoomRate2",
     L"updFontAdjustOfHintSmallWindow", -15, 15, false},
    {ZoomWindow::RemindCenter, L"cbbZoomRateRemindCenterWindow", L"scbZoomRateRemindCenterWindow",
     L"lblZoomRateCenterWindow", L"updFontAdjustOfRemindCenterWindow", -3, 3, true},
};

constexpr const wchar_t* kChimes = L"\\Media\\chimes.WAV";
constexpr const wchar_t* kDing = L"\\Media\\DING.WAV";
constexpr const wchar_t* kBreakTitle = L"Quovel休息提示";
constexpr const wchar_t* kAlarmTitle = L"Quovel闹钟提醒";

const RemindKindInfo kRemindKinds[] = {
    {rkNextBreak, kBreakTitle, L"下次休息时间", RemindValue::NextBreakTime, L"clbBreakHintSmallWindowColorBody",
     L"clbBreakHintSmallWindowColorBorder", L"休息提示！", nullptr, L"cbbSelectBreakHintSmallWindow", kChimes,
     kSndAsync, true, RemindClick::OpenStatistics},
    {rkMinsToBreak, kBreakTitle, L"离休息还剩下", RemindValue::MinsToBreak, L"clbBreakHintSmallWindowColorBody",
     L"clbBreakHintSmallWindowColorBorder", L"休息提示！", nullptr, L"cbbSelectBreakHintSmallWindow", kChimes,
     kSndAsync, true, RemindClick::OpenStatistics},
    {rkRemindHour, kAlarmTitle, L"现在时间是：", RemindValue::TimeNow, L"clbRemindHourWindowColorBody",
     L"clbRemindHourWindowColorBorder", L"报时！", nullptr, L"cbbSelectRemindHourWindow", kDing, kSndAsync, true,
     RemindClick::Nothing},
    {rkRemindOnce1, kAlarmTitle, L"提醒时间已到", RemindValue::TimeNow, L"clbRemindOnceWindowColorBody",
     L"clbRemindOnceWindowColorBorder", nullptr, L"edtContentOfRemindOnce1", L"cbbSelectRemindOnceWindow", kDing,
     kSndAsync | kSndLoop, false, RemindClick::OpenAlarmPage},
    {rkRemindOnce2, kAlarmTitle, L"提醒时间已到", RemindValue::TimeNow, L"clbRemindOnceWindowColorBody",
     L"clbRemindOnceWindowColorBorder", nullptr, L"edtContentOfRemindOnce2", L"cbbSelectRemindOnceWindow", kDing,
     kSndAsync | kSndLoop, false, RemindClick::OpenAlarmPage},
};

}  // namespace

std::span<const ZoomWindowInfo> ZoomWindows() { return kZoomWindows; }

const ZoomWindowInfo& ZoomWindowInfoOf(ZoomWindow w) {
  for (const ZoomWindowInfo& info : kZoomWindows)
    if (info.window == w) return info;
  throw std::invalid_argument("unknown zoom window");
}

ZoomPercentChange ZoomPercentChanged(ZoomWindow w, int percent) {
  const ZoomWindowInfo& info = ZoomWindowInfoOf(w);
  int adjust = percent / 10;
  ZoomPercentChange c{std::to_wstring(percent) + L"%", adjust, info.designMin, info.designMax};
  if (info.rangeFollowsPercent) {
    c.min = adjust - 3;
    c.max = adjust + 3;
  } else {
    c.fontAdjust = std::clamp(adjust, info.designMin, info.designMax);
  }
  return c;
}

std::span<const RemindKindInfo> RemindKinds() { return kRemindKinds; }

const RemindKindInfo* FindRemindKind(int kind) {
  for (const RemindKindInfo& info : kRemindKinds)
    if (info.kind == kind) return &info;
  return nullptr;
}

std::wstring MinsToBreakText(int mins) { return std::to_wstring(mins) + L" 分钟"; }

std::wstring RemindClockText(int hour, int minute) {
  auto two = [](int v) { return (v < 10 ? L"0" : L"") + std::to_wstring(v); };
  return two(hour) + L":" + two(minute) + L":00";
}
