#include "BreakPlans.h"

#include <algorithm>

const TBreakPlanPreset kBreakPlanPresets[kPresetCount] = {
    // name, interval, break, postponement max, micro-adjustment, extra break s/min, work per idle min
    {L"*儿童方案(标准)", 30, 5, 1, 0, 10, 6},
    {L"*青少年方案(标准)", 40, 5, 2, 0, 8, 7},
    {L"*成人方案(标准)", 50, 5, 3, 0, 6, 8},
    {L"*儿童方案(加强)", 30, 5, 1, -1, 10, 6},
    {L"*青少年方案(加强)", 40, 5, 2, -1, 8, 7},
    {L"*成人方案(加强)", 50, 5, 3, -1, 6, 8},
};

TBreakPlan PlanFromPage(const TBreakPlanPage& p) {
  TBreakPlan plan;
  plan.BreakInterval = uint8_t(p.BreakInterval);
  plan.BreakMins = uint8_t(p.BreakMins);
  plan.CanApplyMaxMins = uint8_t(p.CanApplyMaxMins);
  plan.CanApplyMaxTimes = uint8_t(p.CanApplyMaxTimes);
  plan.ApplyOnceMaxMins = uint8_t(p.ApplyOnceMaxMins);
  plan.MicroAdjust = int16_t(p.MicroAdjust);
  const int m = plan.MicroAdjust;
  plan.ExtWorkMinsPerIdle = uint8_t(p.ExtWorkMinsPerIdle + m);
  plan.IdleMinsResetCycle = uint8_t(p.IdleMinsResetCycle - m);
  plan.AddBreak4ExtTime_SECperMIN = uint8_t(p.AddBreak4ExtTime_SECperMIN - 6 * m);
  return plan;
}

TBreakPlanPage PageFromPlan(const TBreakPlan& plan) {
  TBreakPlanPage p;
  p.BreakInterval = plan.BreakInterval;
  p.BreakMins = plan.BreakMins;
  p.CanApplyMaxMins = plan.CanApplyMaxMins;
  p.CanApplyMaxTimes = plan.CanApplyMaxTimes;
  p.ApplyOnceMaxMins = plan.ApplyOnceMaxMins;
  // The adjustment is taken out with the position the scroll bar accepts.
  const int pos = std::clamp<int>(plan.MicroAdjust, -1, 1);
  p.MicroAdjust = pos;
  p.ExtWorkMinsPerIdle = plan.ExtWorkMinsPerIdle - pos;
  p.IdleMinsResetCycle = plan.IdleMinsResetCycle + pos;
  p.AddBreak4ExtTime_SECperMIN = plan.AddBreak4ExtTime_SECperMIN + 6 * pos;
  return p;
}

std::optional<TBreakPlanPage> PresetPage(int index) {
  if (index < 0 || index >= int(kPresetCount)) return std::nullopt;
  const TBreakPlanPreset& r = kBreakPlanPresets[index];
  TBreakPlanPage p;
  p.BreakInterval = r.BreakInterval;
  p.BreakMins = r.BreakMins;
  p.CanApplyMaxMins = r.CanApplyMaxMins;
  p.ApplyOnceMaxMins = r.CanApplyMaxMins;  // the per-request maximum follows the total
  p.CanApplyMaxTimes = 3;
  p.MicroAdjust = r.MicroAdjust;
  p.AddBreak4ExtTime_SECperMIN = r.AddBreak4ExtTime_SECperMIN;
  p.ExtWorkMinsPerIdle = r.ExtWorkMinsPerIdle;
  p.IdleMinsResetCycle = r.BreakMins + 1;
  return p;
}

bool PlanEditable(int selectedIndex) { return unsigned(selectedIndex) >= kPresetCount; }

int ValidPlanIndex(int index, int itemCount) {
  return index >= 0 && index < itemCount ? index : kStandardPlanIndex;
}

void TBreakPlanStore::StoreBreakPlan(int selectedIndex, size_t itemCount, const TBreakPlanPage& page) {
  FBreakPlans.resize(itemCount);
  if (selectedIndex < 0 || size_t(selectedIndex) >= FBreakPlans.size()) return;
  FBreakPlans[selectedIndex] = PlanFromPage(page);
}

std::optional<TBreakPlanPage> TBreakPlanStore::ShowBreakPlan(int selectedIndex) const {
  if (selectedIndex < 0 || size_t(selectedIndex) >= FBreakPlans.size()) return std::nullopt;
  return PageFromPlan(FBreakPlans[selectedIndex]);
}

bool TBreakPlanStore::SetPlanInForce(int index) {
  if (index < 0 || size_t(index) >= FBreakPlans.size() || index > 0xFF || !FBreakPlans[index].IsStored())
    return false;
  FCurrentPlanIndex = uint8_t(index);
  return true;
}

TBreakPlan TBreakPlanStore::Plan(int index) const {
  if (index >= 0 && size_t(index) < FBreakPlans.size() && FBreakPlans[index].IsStored()) return FBreakPlans[index];
  return PlanFromPage(*PresetPage(kStandardPlanIndex));
}

TBreakPlan TBreakPlanStore::SelectedOrInForce(int index) const {
  if (index >= 0 && size_t(index) < FBreakPlans.size() && FBreakPlans[index].BreakInterval != 0 &&
      FBreakPlans[index].BreakMins != 0)
    return FBreakPlans[index];
  return PlanInForce();
}

namespace {
struct ModeTexts {
  const wchar_t* name;
  const wchar_t* item;
};
constexpr ModeTexts kModes[kBreakModeCount] = {
    {L"自由模式", L"自由模式(允许随意延后或中止休息,建议办公用户选用)"},
    {L"密码模式", L"密码模式(有条件允许延后或退出休息,建议大多数个人用户选用)"},
    {L"干扰模式", L"干扰模式(允许短时间临时退出休息,建议自觉性欠佳的用户选用)"},
    {L"强制模式", L"强制模式(不允许退出休息,建议自觉性较差的用户选用)"},
};
}  // namespace

TBreakMode BreakModeFromIndex(int index) {
  return index >= 0 && index < kBreakModeCount ? TBreakMode(index) : bmFree;
}

std::wstring BreakModeName(TBreakMode mode) { return kModes[BreakModeFromIndex(mode)].name; }

std::wstring BreakModeItemCaption(TBreakMode mode) { return kModes[BreakModeFromIndex(mode)].item; }

std::wstring InterfereIntensityText(int seconds) { return std::to_wstring(seconds) + L"秒"; }
