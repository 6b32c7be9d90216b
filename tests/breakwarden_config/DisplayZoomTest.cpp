// Display zoom arithmetic of the countdown and reminder windows, and the reminder kinds.
#include <gtest/gtest.h>

#include "ConfigLayout.h"
#include "DisplayZoom.h"
#include "Fakes.h"

namespace {

struct Screen {
  int width, height;
  double rate;        // s for the 800 x 600 design
  int autoPercent;    // mode "自动调节"
  int autoFont;       // GetAutoFontAdjust
  int percentFont;    // the font adjustment reset to percent div 10
};

void PrintTo(const Screen& s, std::ostream* os) { *os << s.width << "x" << s.height; }

class ZoomOnScreen : public testing::TestWithParam<Screen> {};

TEST_P(ZoomOnScreen, RatePercentAndFontAdjustments) {
  const Screen& s = GetParam();
  EXPECT_NEAR(GetAutoZoomRate(800, 600, s.width, s.height), s.rate, 1e-6);
  EXPECT_EQ(GetAutoZoomRate(0, 0, s.width, s.height), GetAutoZoomRate(800, 600, s.width, s.height));
  int percent = ZoomPercentForMode(zmAuto, 0, s.width, s.height);
  EXPECT_EQ(percent, s.autoPercent);
  EXPECT_EQ(GetAutoFontAdjust(s.width, s.height), s.autoFont);
  EXPECT_EQ(ZoomPercentChanged(ZoomWindow::CountDown, percent).fontAdjust, s.percentFont);
}

// Averages are halved with div, and div and Round() truncate toward zero and go to even.
const Screen kScreens[] = {
    {640, 480, -0.2, 0, -2, 0},
    {720, 576, -0.074286, 0, 0, 0},  // Round gives -7: div keeps it 0
    {800, 480, -0.085714, 0, 0, 0},  // -9
    {800, 600, 0, 0, 0, 0},
    {1024, 600, 0.16, 16, 1, 1},
    {1024, 768, 0.28, 28, 2, 2},
    {1033, 780, 0.294286, 29, 2, 2},  // the average 906.5 would give 29.5, so 30
    {1280, 720, 0.428571, 43, 4, 4},
    {1280, 800, 0.485714, 49, 4, 4},
    {1280, 1024, 0.645714, 65, 6, 6},
    {1366, 768, 0.524286, 52, 5, 5},
    {1440, 900, 0.671429, 67, 6, 6},
    {1600, 900, 0.785714, 79, 7, 7},
    {1680, 1050, 0.95, 95, 9, 9},
    {1600, 1200, 1.0, 100, 10, 10},
    {1920, 1080, 1.142857, 100, 11, 10},
    {2560, 1440, 1.857143, 100, 18, 10},
    {3840, 2160, 3.285714, 100, 32, 10},
};

INSTANTIATE_TEST_SUITE_P(Screens, ZoomOnScreen, testing::ValuesIn(kScreens),
                         [](const testing::TestParamInfo<Screen>& i) {
                           return std::to_string(i.param.width) + "x" + std::to_string(i.param.height);
                         });

TEST(DisplayZoom, RoundGoesHalvesToEven) {
  const std::pair<double, int> cases[] = {
      {0.5, 0},    {1.5, 2},     {2.5, 2},     {3.5, 4},     {-0.5, 0},
      {-1.5, -2},  {-2.5, -2},   {12.5, 12},   {37.5, 38},   {0.49999999999999994, 0},
      {28.000000000000004, 28},  {-19.999999999999996, -20}, {114.2857, 114}, {-7.43, -7},
  };
  for (const auto& [v, expected] : cases) {
    SCOPED_TRACE(v);
    EXPECT_EQ(RoundHalfEven(v), expected);
  }
}

TEST(DisplayZoom, RateAgainstOtherDesigns) {
  struct Case {
    int dw, dh, sw, sh;
    double rate;
  };
  const Case cases[] = {
      {1024, 768, 1024, 768, 0},
      {1024, 768, 2048, 1536, 1},
      {801, 600, 1024, 768, 0.28},  // the design average is halved with div too
      {1, 0, 1024, 768, 0.28},      // a design without size is the 800 x 600 screen
      {400, 300, 640, 480, 0.6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dw << "x" << c.dh << " on " << c.sw << "x" << c.sh);
    EXPECT_NEAR(GetAutoZoomRate(c.dw, c.dh, c.sw, c.sh), c.rate, 1e-9);
  }
}

TEST(DisplayZoom, PercentByMode) {
  struct Case {
    int mode, current, sw, sh, percent;
  };
  const Case cases[] = {
      {zmDesignSize, 55, 1920, 1080, 0}, {zmAuto, 55, 1024, 768, 28}, {zmAuto, 55, 640, 480, 0},
      {zmAuto, 0, 3840, 2160, 100},      {zmCustom, 55, 1024, 768, 55}, {-1, 55, 1024, 768, 55},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " on " << c.sw << "x" << c.sh);
    EXPECT_EQ(ZoomPercentForMode(c.mode, c.current, c.sw, c.sh), c.percent);
  }
}

TEST(DisplayZoom, ChangedPercentResetsTheFontAdjustment) {
  struct Case {
    ZoomWindow w;
    int percent;
    const wchar_t* label;
    int adjust, min, max;
  };
  const Case cases[] = {
      {ZoomWindow::CountDown, 28, L"28%", 2, -1, 5},     {ZoomWindow::CountDown, 0, L"0%", 0, -3, 3},
      {ZoomWindow::RemindCenter, 100, L"100%", 10, 7, 13}, {ZoomWindow::RemindCenter, 9, L"9%", 0, -3, 3},
      {ZoomWindow::HintSmall, 55, L"55%", 5, -15, 15},   {ZoomWindow::HintSmall, 100, L"100%", 10, -15, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(ZoomWindowInfoOf(c.w).fontAdjust) + " at " + std::to_string(c.percent));
    ZoomPercentChange ch = ZoomPercentChanged(c.w, c.percent);
    EXPECT_EQ(ch.label, c.label);
    EXPECT_EQ(ch.fontAdjust, c.adjust);
    EXPECT_EQ(ch.min, c.min);
    EXPECT_EQ(ch.max, c.max);
  }
}

TEST(DisplayZoom, LengthsScaleWithHalvesToEven) {
  struct Case {
    int length, percent, scaled;
  };
  const Case cases[] = {
      {119, 28, 152}, {106, 28, 136}, {319, 100, 638}, {197, 0, 197}, {20, 28, 26},
      {50, 1, 50},    {150, 1, 152},  {10, 25, 12},    {10, 35, 14},  {0, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " at " << c.percent << "%");
    EXPECT_EQ(ZoomLength(c.length, c.percent), c.scaled);
  }
  EXPECT_DOUBLE_EQ(ZoomFactor(28), 1.28);
  EXPECT_DOUBLE_EQ(ZoomFactor(100), 2.0);
}

// The settings dialog stores what the zoom controls can hold.
TEST(DisplayZoom, StoredRangesHoldEveryFontAdjustment) {
  for (const ZoomWindowInfo& w : ZoomWindows()) {
    SCOPED_TRACE(Narrow(w.fontAdjust));
    for (const wchar_t* name : {w.modeCombo, w.percentScrollBar, w.fontAdjust})
      EXPECT_NE(FindConfigItem(name), nullptr) << Narrow(name);
    const ConfigItem* adjust = FindConfigItem(w.fontAdjust);
    ASSERT_NE(adjust, nullptr);
    EXPECT_LE(adjust->min, w.designMin);
    EXPECT_GE(adjust->max, w.designMax);
    for (int p = kZoomPercentMin; p <= kZoomPercentMax; ++p) {
      ZoomPercentChange c = ZoomPercentChanged(w.window, p);
      EXPECT_LE(adjust->min, c.min);
      EXPECT_GE(adjust->max, c.max);
    }
    EXPECT_EQ(FindConfigItem(w.percentScrollBar)->min, kZoomPercentMin);
    EXPECT_EQ(FindConfigItem(w.percentScrollBar)->max, kZoomPercentMax);
  }
}

TEST(RemindKinds, WhatEachKindShows) {
  struct Row {
    const wchar_t *title, *label;
    RemindValue value;
    const wchar_t *body, *border, *content, *contentControl, *chooser, *sound;
    unsigned flags;
    bool closes;
    RemindClick click;
  };
  const Row rows[] = {
      {L"Quovel休息提示", L"下次休息时间", RemindValue::NextBreakTime, L"clbBreakHintSmallWindowColorBody",
       L"clbBreakHintSmallWindowColorBorder", L"休息提示！", nullptr, L"cbbSelectBreakHintSmallWindow",
       L"\\Media\\chimes.WAV", 1, true, RemindClick::OpenStatistics},
      {L"Quovel休息提示", L"离休息还剩下", RemindValue::MinsToBreak, L"clbBreakHintSmallWindowColorBody",
       L"clbBreakHintSmallWindowColorBorder", L"休息提示！", nullptr, L"cbbSelectBreakHintSmallWindow",
       L"\\Media\\chimes.WAV", 1, true, RemindClick::OpenStatistics},
      {L"Quovel闹钟提醒", L"现在时间是：", RemindValue::TimeNow, L"clbRemindHourWindowColorBody",
       L"clbRemindHourWindowColorBorder", L"报时！", nullptr, L"cbbSelectRemindHourWindow", L"\\Media\\DING.WAV", 1,
       true, RemindClick::Nothing},
      {L"Quovel闹钟提醒", L"提醒时间已到", RemindValue::TimeNow, L"clbRemindOnceWindowColorBody",
       L"clbRemindOnceWindowColorBorder", nullptr, L"edtContentOfRemindOnce1", L"cbbSelectRemindOnceWindow",
       L"\\Media\\DING.WAV", 9, false, RemindClick::OpenAlarmPage},
      {L"Quovel闹钟提醒", L"提醒时间已到", RemindValue::TimeNow, L"clbRemindOnceWindowColorBody",
       L"clbRemindOnceWindowColorBorder", nullptr, L"edtContentOfRemindOnce2", L"cbbSelectRemindOnceWindow",
       L"\\Media\\DING.WAV", 9, false, RemindClick::OpenAlarmPage},
  };
  auto str = [](const wchar_t* s) { return s ? std::wstring(s) : std::wstring(L"(none)"); };
  ASSERT_EQ(RemindKinds().size(), std::size(rows));
  for (int k = 0; k < int(std::size(rows)); ++k) {
    SCOPED_TRACE(k);
    const RemindKindInfo* info = FindRemindKind(k);
    ASSERT_NE(info, nullptr);
    const Row& r = rows[k];
    EXPECT_EQ(info->kind, k);
    EXPECT_EQ(str(info->title), r.title);
    EXPECT_EQ(str(info->label), r.label);
    EXPECT_EQ(info->value, r.value);
    EXPECT_EQ(str(info->bodyColour), r.body);
    EXPECT_EQ(str(info->borderColour), r.border);
    EXPECT_EQ(str(info->content), str(r.content));
    EXPECT_EQ(str(info->contentControl), str(r.contentControl));
    EXPECT_EQ(str(info->chooser), r.chooser);
    EXPECT_EQ(str(info->sound), r.sound);
    EXPECT_EQ(info->soundFlags, r.flags);
    EXPECT_EQ(info->closesByItself, r.closes);
    EXPECT_EQ(info->click, r.click);
    // the settings each kind reads are the stored ones
    for (const wchar_t* name : {info->bodyColour, info->borderColour, info->chooser, info->contentControl})
      if (name) {
        EXPECT_NE(FindConfigItem(name), nullptr) << Narrow(name);
      }
  }
  EXPECT_EQ(FindRemindKind(5), nullptr);
  EXPECT_EQ(FindRemindKind(-1), nullptr);
}

TEST(RemindKinds, ValueLineTexts) {
  EXPECT_EQ(MinsToBreakText(3), L"3 分钟");
  EXPECT_EQ(MinsToBreakText(0), L"0 分钟");
  EXPECT_EQ(RemindClockText(9, 5), L"09:05:00");
  EXPECT_EQ(RemindClockText(0, 0), L"00:00:00");
  EXPECT_EQ(RemindClockText(23, 59), L"23:59:00");
}

}  // namespace
