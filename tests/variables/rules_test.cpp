#include "variables/rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "fake_reader.h"
#include "parameter_requests.h"

using variables::rule::checkSelectWritable;
using variables::rule::kAccessCode;

namespace {

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
  auto rule = variables::rule::channelSetupWritable<id::MVXGSD_ChannelProtectionSlot02>;
  FakeReader open{{id::MVXGSD_ChannelProtectionSlot02, 0}}, closed{{id::MVXGSD_ChannelProtectionSlot02, 1}};
  EXPECT_TRUE(rule(open));
  EXPECT_FALSE(rule(closed));
  EXPECT_EQ(open.reads, std::vector<ObjId>{id::MVXGSD_ChannelProtectionSlot02});
}

// The GSD channel settings: the handling step alone, each by its own protection slot.
// Every other slot holds 0, so a setting that read another slot would open.
class ChannelSetups : public ParameterRequests {};

TEST_F(ChannelSetups, WritableOnlyWhileTheirOwnSlotHoldsZeroAndNothingElseIsPut) {
  const std::pair<const char*, const char*> settings[] = {
      {"_MVXGSD_ChannelSetup01", "_MVXGSD_ChannelProtectionSlot01"},
      {"_MVXGSD_ChannelSetup02", "_MVXGSD_ChannelProtectionSlot02"},
      {"_MVXGSD_ChannelSetup03", "_MVXGSD_ChannelProtectionSlot03"},
  };
  const std::pair<std::optional<CDDCommonVariant>, bool> slotValues[] = {
      {CDDCommonVariant(0), true},     {CDDCommonVariant(0.0), true}, {CDDCommonVariant(1), false},
      {CDDCommonVariant(-1), false},   {CDDCommonVariant("0"), false}, {std::nullopt, false},
      {CDDCommonVariant(std::numeric_limits<double>::quiet_NaN()), false},
  };
  for (const auto& [setting, slot] : settings) {
    const CDDDefinition* definition = host->Find(setting);
    ASSERT_TRUE(definition);
    for (const auto& [value, writable] : slotValues) {
      SCOPED_TRACE(testing::Message() << setting << " with " << (value ? ddlib::describe(*value) : "no value"));
      for (const auto& other : settings) Set(other.second, CDDCommonVariant(0));
      if (value) {
        Set(slot, *value);
      } else {
        host->store().setNoValue(slot);
      }
      host->store().clearReads();
      CDDVariable variable(*definition);
      ddlib::JournalScope journal;
      EXPECT_EQ(host->calculator().Calculate(host->context(), &variable), &variable);
      Names calls = {"CDDVariable::putHandling(0, false)", "CDDVariable::putHandling(1, false)"};
      if (writable) calls.push_back("CDDVariable::putHandling(0, true)");
      calls.push_back("CDDVariable::putHandling(1, true)");
      calls.push_back("CDDObject::putAttributesAvailable(true)");
      EXPECT_EQ(ddlib::Journal::lines(), calls);
      EXPECT_EQ(Reads(), Names{slot});
      EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0);
    }
  }
}

// Locks and computed bounds fail closed: a value that is missing, not a number or not
// finite keeps every lock variant read-only and every computed bound at its start value,
// while the request reads what it reads with the value missing. Each case first shows
// that the same data set with a usable value opens the lock or moves the bound.
class FailClosed : public ParameterRequests {
 protected:
  enum class Attr { write, min, max };
  static std::string Outcome(const CDDVariable& v, Attr attr) {
    switch (attr) {
      case Attr::write:
        return Writable(v) ? "writable" : "read-only";
      case Attr::min:
        return Min(v);
      case Attr::max:
        return Max(v);
    }
    return "";
  }
};

TEST_F(FailClosed, LocksAndBoundsIgnoreValuesThatAreNoNumber) {
  constexpr const char* kCode = "manu_alarm_enable_code";
  constexpr const char* kFunction = "manu_relay_function";
  constexpr const char* kRelays = "manu_relay_number";
  constexpr const char* kPause = "manu_relay_timer_pause_time";
  constexpr const char* kT = "manu_meas_value_temperature";
  constexpr const char* kO = "manu_temperature_offset";
  using Values = std::vector<std::pair<const char*, CDDCommonVariant>>;
  struct Case {
    const char* variable;
    Attr attr;
    Values data;          // the usable data set; the first value is the one damaged
    const char* text;     // the damaged value's text form
    const char* opened;   // the outcome with the usable data set
    Names reads;          // with the value missing; empty: not pinned here
  };
  const Names temperatureReads{kO, kT, kO, kT, kO, kT, kO, kT, kCode};
  const Case cases[] = {
      {"manu_relay_enabled", Attr::write, {{kCode, 83}}, "83", "writable", {kCode}},
      {"manu_check_select", Attr::write, {{"manu_mode", 1}, {"manu_pH_enabled", 1}, {kCode, 83}}, "0", "writable",
       {"manu_pH_enabled", "manu_mode", kCode}},
      {"manu_relay_timer_pause_time_min", Attr::max, {{kPause, 30}, {kFunction, 6}, {kRelays, 4}}, "30", "int 30",
       {kFunction, kRelays, kPause, kCode}},
      {"manu_relay_timer_pause_time_min", Attr::max, {{kRelays, 4}, {kFunction, 6}, {kPause, 30}}, "4", "int 30",
       {kFunction, kRelays, kPause, kCode}},
      {"manu_relay_clean_time_pause_min", Attr::max,
       {{"manu_relay_clean_time_pause", 45}, {"manu_relay_select_relay", 2}, {kFunction, 7},
        {"manu_cleaning_function_enabled", 1}, {kRelays, 4}},
       "45", "int 45", {}},
      {"manu_temperature_process_entry", Attr::min, {{kT, 20.0}, {kO, 0.0}}, "20", "double 15", temperatureReads},
      {"manu_temperature_process_entry", Attr::max, {{kT, 20.0}, {kO, 0.0}}, "20", "double 25", temperatureReads},
      {"manu_temperature_process_entry", Attr::max, {{kO, 0.0}, {kT, 20.0}}, "0", "double 25", temperatureReads},
      {"manu_relay_sv_switch_on", Attr::min, {{"manu_mode", 1}}, "1", "double 4", {}},
      {"manu_relay_sv_switch_on", Attr::max, {{"manu_mode", 1}}, "1", "double 9", {}},
      {"manu_relay_PID_nominal_value", Attr::max, {{"manu_sensor_type", 1}, {"manu_unit_display", 0}}, "1",
       "double 20", {}},
      {"manu_check_threshold_low", Attr::min, {{"manu_check_select", 1}, {"manu_mode", 1}}, "1", "double 4", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.variable << " with " << c.data.front().first << " damaged");
    auto fresh = [&] {
      host->store().clearReads();
      for (const auto& [name, value] : c.data) Set(name, value);
    };
    fresh();
    EXPECT_EQ(Outcome(*Request(c.variable), c.attr), c.opened);

    const char* damaged = c.data.front().first;
    fresh();
    host->store().setNoValue(damaged);
    EXPECT_EQ(Outcome(*Request(c.variable), c.attr), c.attr == Attr::write ? "read-only" : "int 1") << "no value";
    const Names missingReads = Reads();
    if (!c.reads.empty()) {
      EXPECT_EQ(missingReads, c.reads);
    }

    const double inf = std::numeric_limits<double>::infinity();
    const CDDCommonVariant unusable[] = {CDDCommonVariant(c.text), std::numeric_limits<double>::quiet_NaN(), inf, -inf};
    for (const CDDCommonVariant& value : unusable) {
      fresh();
      Set(damaged, value);
      EXPECT_EQ(Outcome(*Request(c.variable), c.attr), c.attr == Attr::write ? "read-only" : "int 1")
          << ddlib::describe(value);
      // Text and NaN compare with nothing, as a missing value does; an infinite value
      // still orders, so the temperature window may stop earlier.
      if (value.kind() == CDDCommonVariant::Kind::Text || std::isnan(value.getDouble())) {
        EXPECT_EQ(Reads(), missingReads) << ddlib::describe(value);
      }
    }
  }
}

}  // namespace
