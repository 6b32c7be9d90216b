#include "ScrRules.h"

#include <cstdlib>

namespace {
constexpr int kLabelStep = 50;
constexpr int kColourStepUp = 3, kColourStepDown = -3;

const wchar_t* const kFixedTips[] = {
    L"智能计算休息周期，功能强大。",
    L"灵活的休息模式可供选择，满足不同需求。",
    L"界面丰富且简洁易用。",
    L"更方便的电源管理，节能环保！",
    L"更丰富的屏保管理功能：随机屏保，一键禁用/恢复屏保（看电影时特别有用！）",
    L"V2.0开始还加入了全新的自动屏保播放和自动屏保伴音功能！",
    L"绿色软件，资源消耗小，不在您电脑上留下垃圾！",
    L"健康和友好是软件的主基调。",
    L"闹钟提醒和整点报时，让您不再错过要紧的事。",
    L"休息统计帮您看清自己的用眼和疲劳程度。",
};
constexpr int kFixedTipCount = int(sizeof(kFixedTips) / sizeof(kFixedTips[0]));
}  // namespace

TScrLaunch ScrLaunchFor(bool usePlayer, bool random, bool banYing, int selected, int count, TRandom& rnd) {
  TScrLaunch l;
  if (usePlayer) {
    l.PlayerCommand = random ? (banYing ? 6 : 4) : (banYing ? 5 : 3);
    return l;
  }
  int index = selected;
  if (random) index = rnd.Next(count - 1) + 1;
  else if (index < 0) index = kScrInternal;
  // "(无)" starts nothing; an index past the list names no saver.
  if (index == kScrInternal || (index > kScrInternal && index < count)) l.Saver = index;
  l.RestartAccompaniment = banYing;
  return l;
}

TScrSetupAction ScrSetupFor(bool usePlayer, int selected, int count) {
  if (usePlayer) return TScrSetupAction::PlayerPage;
  if (selected == kScrInternal) return TScrSetupAction::NoOptionsBox;
  if (selected > kScrInternal && selected < count) return TScrSetupAction::SaverConfig;
  return TScrSetupAction::None;
}

uint8_t ScrLineCount(int screenWidth, TRandom& rnd) {
  const int a = int(screenWidth / 1024.0 * 15);
  return uint8_t(a + rnd.Next(a) + 1);
}

void ScrColourStep(int16_t& value, int16_t& step) {
  value = int16_t(value + step);
  if (value >= 255) step = kColourStepDown;
  else if (value <= 50) step = kColourStepUp;
}

TScrLabelStep ScrLabelStep(int left, int labelWidth, int formWidth, bool right) {
  if (right) {
    left += kLabelStep;
    if (left >= formWidth) return {-labelWidth, true};
    return {left, false};
  }
  left -= kLabelStep;
  if (left <= -labelWidth) return {formWidth, true};
  return {left, false};
}

bool ScrMoveEnds(POINT start, POINT now) { return std::abs(now.x - start.x) > 2 || std::abs(now.y - start.y) > 2; }

std::wstring ScrTipText(const std::vector<std::wstring>& hotKeys, TRandom& rnd) {
  const int n = int(hotKeys.size());
  const int r = rnd.Next(n + kFixedTipCount);
  if (r < kFixedTipCount) return kFixedTips[r];
  return L"提示：快捷键 " + hotKeys[size_t(rnd.Next(n))];
}

std::wstring ScrSwitchMessage(bool enabled) {
  return std::wstring(L"屏幕保护已") + (enabled ? L"启用" : L"禁用") + L"，您还可以用快捷键WIN＋K随时随地一键开关！";
}

std::wstring ScrSwitchItemCaption(bool disabled) {
  return disabled ? L"屏保开关(WIN+K)--屏保已禁用,点击启用" : L"屏保开关(WIN+K)--屏保已启用,点击禁用";
}

unsigned ScrRestoreIntervalMs(int minutes) { return unsigned(minutes) * 60000u; }
