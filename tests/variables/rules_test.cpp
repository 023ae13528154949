#include "variables/rules.h"

#include <gtest/gtest.h>

#include "fake_reader.h"

using variables::rule::accessCodeEntered;
using variables::rule::checkSelectWritable;
using variables::rule::kAccessCode;
using Kind = CDDCommonVariant::Kind;

namespace {

TEST(WriteLock, OnlyTheAccessCodeOpensIt) {
  struct Case {
    CDDCommonVariant code;
    bool writable;
  } cases[] = {{83, true}, {0, false}, {9998, false}, {82, false}, {84, false}, {CDDCommonVariant(), false}};
  for (const Case& c : cases) {
    FakeReader r{{id::manu_alarm_enable_code, c.code}};
    EXPECT_EQ(accessCodeEntered(r), c.writable) << ddlib::describe(c.code);
    EXPECT_EQ(r.reads, std::vector<ObjId>{id::manu_alarm_enable_code});
  }
}

TEST(WriteLock, CheckSelectStopsAtTheFirstFailingTest) {
  const ObjId ph = id::manu_pH_enabled, mode = id::manu_mode, code = id::manu_alarm_enable_code;
  struct Case {
    int phEnabled, mode, code;
    bool writable;
    std::vector<ObjId> reads;
  } cases[] = {
      {0, 1, kAccessCode, false, {ph}},
      {2, 1, kAccessCode, false, {ph}},
      {1, 0, kAccessCode, false, {ph, mode}},
      {1, 1, 0, false, {ph, mode, code}},
      {1, 1, kAccessCode, true, {ph, mode, code}},
      {1, 2, kAccessCode, true, {ph, mode, code}},
  };
  for (const Case& c : cases) {
    FakeReader r{{ph, c.phEnabled}, {mode, c.mode}, {code, c.code}};
    EXPECT_EQ(checkSelectWritable(r), c.writable) << c.phEnabled << " " << c.mode << " " << c.code;
    EXPECT_EQ(r.reads, c.reads);
  }
}

TEST(WriteLock, ChannelSetupFollowsItsProtectionSlot) {
  auto rule = variables::rule::channelSetupWritable<id::_MVXGSD_ChannelProtectionSlot02>;
  FakeReader open{{id::_MVXGSD_ChannelProtectionSlot02, 0}}, closed{{id::_MVXGSD_ChannelProtectionSlot02, 1}};
  EXPECT_TRUE(rule(open));
  EXPECT_FALSE(rule(closed));
  EXPECT_EQ(open.reads, std::vector<ObjId>{id::_MVXGSD_ChannelProtectionSlot02});
}

TEST(LargeRange, ReadsTheSensorTypeAgainOnlyWhenItIsNotOne) {
  const ObjId s = id::manu_sensor_type;
  struct Case {
    CDDCommonVariant sensor;
    bool large;
    int reads;
  } cases[] = {{1, true, 1}, {3, true, 2}, {2, false, 2}, {10, false, 2}, {CDDCommonVariant(), false, 2}};
  for (const Case& c : cases) {
    FakeReader r{{s, c.sensor}};
    EXPECT_EQ(variables::rule::largeRangeSensor(r), c.large) << ddlib::describe(c.sensor);
    EXPECT_EQ(r.reads, std::vector<ObjId>(c.reads, s));
  }
}

// Distinct values per cell, one of them an int, so a wrong cell or a lost kind shows.
constexpr variables::rule::UnitScale kScale{.large = 20.0, .small = 5.0, .ppbLarge = 500, .ppbSmall = 100.0};

TEST(UnitSelection, ChoosesByUnitThenBySensorRange) {
  const ObjId u = id::manu_unit_display, s = id::manu_sensor_type;
  struct Case {
    int unit, sensor;
    std::optional<CDDCommonVariant> chosen;
    std::vector<ObjId> reads;
  } cases[] = {
      {0, 1, 20.0, {u, s}},      {0, 3, 20.0, {u, s, s}},    {0, 2, 5.0, {u, s, s}}, {1, 1, 20.0, {u, s}},
      {1, 7, 5.0, {u, s, s}},    {2, 3, 500, {u, s, s}},     {2, 1, 500, {u, s}},    {2, 4, 100.0, {u, s, s}},
      {3, 1, std::nullopt, {u}}, {-1, 3, std::nullopt, {u}},
  };
  for (const Case& c : cases) {
    FakeReader r{{u, c.unit}, {s, c.sensor}};
    std::optional<CDDCommonVariant> chosen = variables::rule::byUnitAndRange(r, kScale);
    SCOPED_TRACE(testing::Message() << "unit " << c.unit << " sensor " << c.sensor);
    ASSERT_EQ(chosen.has_value(), c.chosen.has_value());
    if (chosen) {
      EXPECT_EQ(ddlib::describe(*chosen), ddlib::describe(*c.chosen));
    }
    EXPECT_EQ(r.reads, c.reads);
  }
}

TEST(UnitSelection, NoMatchingUnitLeavesMaximumAtIntOne) {
  FakeReader r{{id::manu_unit_display, 3}};
  CDDCommonVariant scratch(1);
  variables::rule::unitMax<kScale>(r, scratch);
  EXPECT_EQ(scratch.kind(), Kind::Int);
  EXPECT_EQ(scratch.getInt(), 1);
}

constexpr variables::rule::ModeChoice kByMode{.ph = 9.0, .other = 1500};
constexpr variables::rule::ModeChoice kFormatByMode{.ph = "1.1f", .other = "4.1f"};

TEST(ModeChoice, PhModeAgainstEveryOtherMode) {
  struct Case {
    CDDCommonVariant mode;
    Kind kind;
    const char* format;
  } cases[] = {{1, Kind::Double, "1.1f"},
               {0, Kind::Int, "4.1f"},
               {2, Kind::Int, "4.1f"},
               {CDDCommonVariant(), Kind::Int, "4.1f"}};
  for (const Case& c : cases) {
    FakeReader r{{id::manu_mode, c.mode}};
    CDDCommonVariant scratch(1);
    CStrPP work("%G");
    variables::rule::modeBound<kByMode>(r, scratch);
    variables::rule::modeFormat<kFormatByMode>(r, work);
    EXPECT_EQ(scratch.kind(), c.kind);
    EXPECT_EQ(work.str(), c.format);
    EXPECT_EQ(r.reads, std::vector<ObjId>(2, id::manu_mode));
  }
}

}  // namespace
