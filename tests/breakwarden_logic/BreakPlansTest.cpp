// The break plans: presets, the micro-adjustment folded into the stored values, the plan in force
// and the break modes.
#include "BreakPlans.h"

#include <gtest/gtest.h>

#include "Fakes.h"

namespace {

std::string Describe(const TBreakPlanPage& p) {
  char buf[160];
  snprintf(buf, sizeof buf, "page{%d %d %d %d %d m%d %d %d %d}", p.BreakInterval, p.BreakMins, p.CanApplyMaxMins,
           p.CanApplyMaxTimes, p.ApplyOnceMaxMins, p.MicroAdjust, p.AddBreak4ExtTime_SECperMIN, p.ExtWorkMinsPerIdle,
           p.IdleMinsResetCycle);
  return buf;
}
std::string Describe(const TBreakPlan& p) {
  char buf[160];
  snprintf(buf, sizeof buf, "plan{%d %d %d %d %d m%d %d %d %d}", p.BreakInterval, p.BreakMins, p.CanApplyMaxMins,
           p.CanApplyMaxTimes, p.ApplyOnceMaxMins, p.MicroAdjust, p.AddBreak4ExtTime_SECperMIN, p.ExtWorkMinsPerIdle,
           p.IdleMinsResetCycle);
  return buf;
}

// What a preset puts on the page and what StoreBreakPlan keeps of it.
struct PresetRow {
  int index;
  const wchar_t* name;
  TBreakPlanPage page;
  TBreakPlan stored;
};
const PresetRow kPresetRows[] = {
    // "*成人方案(加强)" first: the page and stored values of its example.
    {5, L"*成人方案(加强)", {50, 5, 3, 3, 3, -1, 6, 8, 6}, {50, 5, 3, 3, 3, -1, 12, 7, 7}},
    {0, L"*儿童方案(标准)", {30, 5, 1, 3, 1, 0, 10, 6, 6}, {30, 5, 1, 3, 1, 0, 10, 6, 6}},
    {1, L"*青少年方案(标准)", {40, 5, 2, 3, 2, 0, 8, 7, 6}, {40, 5, 2, 3, 2, 0, 8, 7, 6}},
    {2, L"*成人方案(标准)", {50, 5, 3, 3, 3, 0, 6, 8, 6}, {50, 5, 3, 3, 3, 0, 6, 8, 6}},
    {3, L"*儿童方案(加强)", {30, 5, 1, 3, 1, -1, 10, 6, 6}, {30, 5, 1, 3, 1, -1, 16, 5, 7}},
    {4, L"*青少年方案(加强)", {40, 5, 2, 3, 2, -1, 8, 7, 6}, {40, 5, 2, 3, 2, -1, 14, 6, 7}},
};

class PresetTest : public testing::TestWithParam<PresetRow> {};

TEST_P(PresetTest, PageStoredAndShownBack) {
  const PresetRow& r = GetParam();
  EXPECT_EQ(Narrow(kBreakPlanPresets[r.index].Name), Narrow(r.name));
  auto page = PresetPage(r.index);
  ASSERT_TRUE(page);
  EXPECT_EQ(Describe(*page), Describe(r.page));
  EXPECT_EQ(Describe(PlanFromPage(*page)), Describe(r.stored));
  EXPECT_EQ(Describe(PageFromPlan(r.stored)), Describe(r.page));
  EXPECT_FALSE(PlanEditable(r.index));
}

INSTANTIATE_TEST_SUITE_P(Presets, PresetTest, testing::ValuesIn(kPresetRows),
                         [](const testing::TestParamInfo<PresetRow>& i) {
                           return "preset" + std::to_string(i.param.index);
                         });

// Every preset's page under each position of the micro-adjustment scroll bar: the stored
// extra break seconds, work minutes per idle minute and idle reset, and the page shown back.
TEST(MicroAdjust, EveryPresetUnderEachPosition) {
  struct Row {
    int preset, micro;
    int addBreak, extWork, idleReset;  // stored
  };
  const Row rows[] = {
      {0, -1, 16, 5, 7}, {0, 0, 10, 6, 6}, {0, 1, 4, 7, 5},   //
      {1, -1, 14, 6, 7}, {1, 0, 8, 7, 6},  {1, 1, 2, 8, 5},   //
      {2, -1, 12, 7, 7}, {2, 0, 6, 8, 6},  {2, 1, 0, 9, 5},   //
      {3, -1, 16, 5, 7}, {3, 0, 10, 6, 6}, {3, 1, 4, 7, 5},   //
      {4, -1, 14, 6, 7}, {4, 0, 8, 7, 6},  {4, 1, 2, 8, 5},   //
      {5, -1, 12, 7, 7}, {5, 0, 6, 8, 6},  {5, 1, 0, 9, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "preset " << r.preset << " micro " << r.micro);
    TBreakPlanPage page = *PresetPage(r.preset);
    page.MicroAdjust = r.micro;
    const TBreakPlan plan = PlanFromPage(page);
    EXPECT_EQ(plan.MicroAdjust, r.micro);
    EXPECT_EQ(plan.AddBreak4ExtTime_SECperMIN, r.addBreak);
    EXPECT_EQ(plan.ExtWorkMinsPerIdle, r.extWork);
    EXPECT_EQ(plan.IdleMinsResetCycle, r.idleReset);
    // The first five fields are the page's as they stand.
    EXPECT_EQ(plan.BreakInterval, page.BreakInterval);
    EXPECT_EQ(plan.BreakMins, page.BreakMins);
    EXPECT_EQ(plan.CanApplyMaxMins, page.CanApplyMaxMins);
    EXPECT_EQ(plan.CanApplyMaxTimes, page.CanApplyMaxTimes);
    EXPECT_EQ(plan.ApplyOnceMaxMins, page.ApplyOnceMaxMins);
    EXPECT_EQ(Describe(PageFromPlan(plan)), Describe(page));
  }
}

TEST(MicroAdjust, StoredValuesTakeTheLowEightBits) {
  struct Row {
    const char* name;
    TBreakPlanPage page;
    TBreakPlan stored;
  };
  const Row rows[] = {
      {"more work on 6 s/min", {50, 5, 3, 3, 3, 1, 6, 8, 6}, {50, 5, 3, 3, 3, 1, 0, 9, 5}},
      {"more work below 6 s/min", {50, 5, 3, 3, 3, 1, 3, 8, 6}, {50, 5, 3, 3, 3, 1, 253, 9, 5}},
      {"more work on reset 0", {50, 5, 3, 3, 3, 1, 6, 8, 0}, {50, 5, 3, 3, 3, 1, 0, 9, 255}},
      {"more rest on 255 min/idle", {50, 5, 3, 3, 3, -1, 6, 0, 255}, {50, 5, 3, 3, 3, -1, 12, 255, 0}},
      {"positions above 255", {300, 261, 3, 3, 3, 0, 6, 8, 6}, {44, 5, 3, 3, 3, 0, 6, 8, 6}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(Describe(PlanFromPage(r.page)), Describe(r.stored));
  }
}

TEST(PresetPage, CustomIndexesHaveNone) {
  for (int i : {-1, 6, 7, 100}) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(PresetPage(i));
    EXPECT_TRUE(PlanEditable(i));
  }
}

TEST(ValidPlanIndex, OutOfRangeSelectsTheStandardPlan) {
  struct Row {
    int index, count, want;
  };
  const Row rows[] = {{0, 6, 0}, {5, 6, 5}, {2, 6, 2}, {-1, 6, 2}, {6, 6, 2}, {255, 6, 2}, {6, 7, 6}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.index << " of " << r.count);
    EXPECT_EQ(ValidPlanIndex(r.index, r.count), r.want);
  }
}

TEST(BreakPlanStore, StoreShowAndThePlanInForce) {
  TBreakPlanStore store;
  // Nothing stored yet: the plan in force reads as the standard preset.
  EXPECT_EQ(Describe(store.PlanInForce()), Describe(PlanFromPage(*PresetPage(kStandardPlanIndex))));

  store.StoreBreakPlan(5, 6, *PresetPage(5));
  ASSERT_EQ(store.Plans().size(), 6u);
  EXPECT_EQ(Describe(store.Plans()[5]), Describe(kPresetRows[0].stored));
  EXPECT_FALSE(store.Plans()[0].IsStored());
  ASSERT_TRUE(store.ShowBreakPlan(5));
  EXPECT_EQ(Describe(*store.ShowBreakPlan(5)), Describe(*PresetPage(5)));

  // Selecting a preset changes nothing in force until it is made so.
  EXPECT_EQ(store.CurrentPlanIndex(), kStandardPlanIndex);
  EXPECT_EQ(store.PlanInForce().BreakInterval, 50);
  EXPECT_EQ(store.PlanInForce().MicroAdjust, 0);
  EXPECT_TRUE(store.SetPlanInForce(5));
  EXPECT_EQ(store.CurrentPlanIndex(), 5);
  EXPECT_EQ(Describe(store.PlanInForce()), Describe(kPresetRows[0].stored));
}

TEST(BreakPlanStore, InvalidIndexesNeverReachOutsideThePlans) {
  TBreakPlanStore store;
  store.StoreBreakPlan(1, 6, *PresetPage(1));
  EXPECT_TRUE(store.SetPlanInForce(1));
  const std::string inForce = Describe(store.PlanInForce());

  // Storing and showing ignore an invalid selection.
  store.StoreBreakPlan(-1, 6, *PresetPage(0));
  store.StoreBreakPlan(6, 6, *PresetPage(0));
  for (const TBreakPlan& p : store.Plans()) EXPECT_NE(p.BreakInterval, 30);
  EXPECT_FALSE(store.ShowBreakPlan(-1));
  EXPECT_FALSE(store.ShowBreakPlan(6));
  EXPECT_TRUE(store.ShowBreakPlan(3));  // an element never stored shows as zeros

  // An index out of range or an element never stored never takes force.
  for (int i : {-1, 6, 300, 0, 4}) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(store.SetPlanInForce(i));
    EXPECT_EQ(store.CurrentPlanIndex(), 1);
    EXPECT_EQ(Describe(store.PlanInForce()), inForce);
  }
  // Reads of any index are bounds-checked and never give a zero plan.
  const std::string standard = Describe(PlanFromPage(*PresetPage(kStandardPlanIndex)));
  for (int i : {-1, 0, 6, 255, 1000}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Describe(store.Plan(i)), standard);
  }
}

TEST(BreakPlanStore, ShrinkingTheListLeavesNoDanglingPlanInForce) {
  TBreakPlanStore store;
  store.StoreBreakPlan(6, 7, {45, 6, 4, 2, 4, 1, 8, 8, 6});  // a custom plan
  EXPECT_TRUE(store.SetPlanInForce(6));
  EXPECT_EQ(store.PlanInForce().BreakInterval, 45);
  store.StoreBreakPlan(0, 6, *PresetPage(0));
  EXPECT_EQ(store.Plans().size(), 6u);
  EXPECT_EQ(store.PlanInForce().BreakInterval, 50);  // the standard plan
}

TEST(BreakMode, NamesCaptionsAndInvalidIndexes) {
  struct Row {
    int index;
    TBreakMode mode;
    const wchar_t *name, *caption;
  };
  const Row rows[] = {
      {0, bmFree, L"自由模式", L"自由模式(允许随意延后或中止休息,建议办公用户选用)"},
      {1, bmPassword, L"密码模式", L"密码模式(有条件允许延后或退出休息,建议大多数个人用户选用)"},
      {2, bmInterference, L"干扰模式", L"干扰模式(允许短时间临时退出休息,建议自觉性欠佳的用户选用)"},
      {3, bmEnforce, L"强制模式", L"强制模式(不允许退出休息,建议自觉性较差的用户选用)"},
      {-1, bmFree, L"自由模式", L"自由模式(允许随意延后或中止休息,建议办公用户选用)"},
      {4, bmFree, L"自由模式", L"自由模式(允许随意延后或中止休息,建议办公用户选用)"},
      {255, bmFree, L"自由模式", L"自由模式(允许随意延后或中止休息,建议办公用户选用)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.index);
    const TBreakMode m = BreakModeFromIndex(r.index);
    EXPECT_EQ(m, r.mode);
    EXPECT_EQ(Narrow(BreakModeName(m)), Narrow(r.name));
    EXPECT_EQ(Narrow(BreakModeItemCaption(m)), Narrow(r.caption));
  }
}

TEST(InterfereIntensityText, SecondsWithTheirUnit) {
  EXPECT_EQ(Narrow(InterfereIntensityText(30)), Narrow(L"30秒"));
  EXPECT_EQ(Narrow(InterfereIntensityText(45)), Narrow(L"45秒"));
  EXPECT_EQ(Narrow(InterfereIntensityText(15)), Narrow(L"15秒"));
}

}  // namespace
