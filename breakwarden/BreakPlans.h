#pragma once
// Break plans: the plan record, the six presets, the micro-adjustment folded into the stored
// values, the plans of the settings dialog with the plan in force, and the break modes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TBreakPlan {
  uint8_t BreakInterval = 0;  // work minutes between two breaks
  uint8_t BreakMins = 0;
  uint8_t CanApplyMaxMins = 0;  // postponement minutes per countdown
  uint8_t CanApplyMaxTimes = 0;
  uint8_t ApplyOnceMaxMins = 0;
  int16_t MicroAdjust = 0;  // -1 more rest, 0, +1 more work
  // These three hold the micro-adjustment folded in.
  uint8_t AddBreak4ExtTime_SECperMIN = 0;
  uint8_t ExtWorkMinsPerIdle = 0;
  uint8_t IdleMinsResetCycle = 0;

  bool operator==(const TBreakPlan&) const = default;
  // An element never stored is all zero.
  bool IsStored() const { return *this != TBreakPlan{}; }
};

// The plan as the settings page shows it: the positions of its up-down controls and of the
// micro-adjustment scroll bar, with the adjustment taken out of the last three.
struct TBreakPlanPage {
  int BreakInterval = 0;
  int BreakMins = 0;
  int CanApplyMaxMins = 0;
  int CanApplyMaxTimes = 0;
  int ApplyOnceMaxMins = 0;
  int MicroAdjust = 0;
  int AddBreak4ExtTime_SECperMIN = 0;
  int ExtWorkMinsPerIdle = 0;
  int IdleMinsResetCycle = 0;

  bool operator==(const TBreakPlanPage&) const = default;
};

// Page -> stored plan (StoreBreakPlan): the fields take the low 8 bits of the page values and of
// the folded values.
TBreakPlan PlanFromPage(const TBreakPlanPage& page);
// Stored plan -> page (ShowBreakPlan).
TBreakPlanPage PageFromPlan(const TBreakPlan& plan);

struct TBreakPlanPreset {
  const wchar_t* Name;
  uint8_t BreakInterval, BreakMins, CanApplyMaxMins;
  int8_t MicroAdjust;
  uint8_t AddBreak4ExtTime_SECperMIN, ExtWorkMinsPerIdle;  // page values
};
constexpr size_t kPresetCount = 6;
extern const TBreakPlanPreset kBreakPlanPresets[kPresetCount];
constexpr int kStandardPlanIndex = 2;  // "*成人方案(标准)", the form's default

// The page a preset puts up (ApplyPresetValues), or nothing for a custom plan's index.
std::optional<TBreakPlanPage> PresetPage(int index);
// The plan groups and custom-plan buttons are editable only for custom plans; no selection
// (-1) counts as custom.
bool PlanEditable(int selectedIndex);
// A plan index read from outside (the configuration file, a list without selection): out of
// range selects the standard plan.
int ValidPlanIndex(int index, int itemCount);

// The plans of the settings dialog, one element per item of the plan list, and the plan in force.
class TBreakPlanStore {
 public:
  // Copies the page into the selected element, after resizing to the list's item count. An
  // invalid selection stores nothing.
  void StoreBreakPlan(int selectedIndex, size_t itemCount, const TBreakPlanPage& page);
  // The selected element's page; nothing for an invalid selection.
  std::optional<TBreakPlanPage> ShowBreakPlan(int selectedIndex) const;
  // Makes the element the plan in force; refused (false, the old plan stays) for an index out of
  // range or an element never stored.
  bool SetPlanInForce(int index);

  // Bounds-checked reads. An index out of range or an element never stored gives the standard
  // preset, so no reader ever sees a zero plan.
  TBreakPlan PlanInForce() const { return Plan(FCurrentPlanIndex); }
  TBreakPlan Plan(int index) const;
  // The plan selected in the list where one is: an index in range whose plan has a work interval
  // and a break length; otherwise (no selection, a plan never stored) the plan in force.
  TBreakPlan SelectedOrInForce(int index) const;
  uint8_t CurrentPlanIndex() const { return FCurrentPlanIndex; }
  const std::vector<TBreakPlan>& Plans() const { return FBreakPlans; }

 private:
  std::vector<TBreakPlan> FBreakPlans;
  uint8_t FCurrentPlanIndex = kStandardPlanIndex;
};

enum TBreakMode : uint8_t { bmFree = 0, bmPassword = 1, bmInterference = 2, bmEnforce = 3 };
constexpr int kBreakModeCount = 4;
// An index read from outside: out of range selects the free mode.
TBreakMode BreakModeFromIndex(int index);
// "自由模式" ...: the tray items' captions and the statistics caption.
std::wstring BreakModeName(TBreakMode mode);
// The items of the mode radio group.
std::wstring BreakModeItemCaption(TBreakMode mode);
// The interference intensity label: the seconds followed by "秒".
std::wstring InterfereIntensityText(int seconds);
