// The check function: the selection's three-condition lock, the enumerators chosen by
// device version, selection and mode, and the thresholds' and setpoint's bounds,
// defaults and formats across selection x mode x unit x sensor.
#include "parameter_requests.h"

namespace {

class Check : public ParameterRequests {};

constexpr const char* kCode = "manu_alarm_enable_code";
constexpr const char* kSelect = "manu_check_select";
constexpr const char* kMode = "manu_mode";
constexpr const char* kPh = "manu_pH_enabled";
constexpr const char* kUnit = "manu_unit_display";
constexpr const char* kSensor = "manu_sensor_type";

TEST_F(Check, SelectionIsWritableOnPhDeviceInModeWithAccessCode) {
  struct Case {
    int ph, mode, code;
    bool writable;
    Names reads;
  };
  const Case cases[] = {
      {0, 1, 83, false, {kPh}},
      {2, 1, 83, false, {kPh}},
      {1, 0, 83, false, {kPh, kMode}},
      {1, 1, 83, true, {kPh, kMode, kCode}},
      {1, 2, 83, true, {kPh, kMode, kCode}},
      {1, 2, 0, false, {kPh, kMode, kCode}},
  };
  for (const Case& c : cases) {
    Set(kPh, c.ph);
    Set(kMode, c.mode);
    Set(kCode, c.code);
    auto v = Request(kSelect);
    SCOPED_TRACE(testing::Message() << "pH " << c.ph << " mode " << c.mode << " code " << c.code);
    EXPECT_EQ(Writable(*v), c.writable);
    EXPECT_TRUE(v->getHandling(HandlingRead));
    EXPECT_EQ(Reads(), c.reads);
    EXPECT_EQ(Enumerators(*v), (Names{"0 Chlorine/ Chlorine dioxide|de|Chlor/Chlordioxid", "1 pH/ORP|de|pH/Redox"}));
  }
}

TEST_F(Check, UnitChoiceFollowsModeAndIsAlwaysWritable) {
  Set(kCode, 0);
  const std::pair<int, Names> cases[] = {
      {0, {"0 mg/l"}}, {1, {"0 mg/l", "1 pH"}}, {2, {"0 mg/l", "1 mV"}}, {7, {"0 mg/l"}}};
  for (const auto& [mode, offered] : cases) {
    Set(kMode, mode);
    auto v = Request("manu_check_select_help");
    EXPECT_EQ(Enumerators(*v), offered) << mode;
    EXPECT_EQ(Reads(), (Names{kMode, kMode}));
    EXPECT_TRUE(Writable(*v));
  }
}

TEST_F(Check, ThresholdChoicesFollowTheSelection) {
  const Names chlorine{"0 Off", "1 Just low", "2 Just high", "3 Low and high", "4 High and off",
                       "5 Low + high + off"};
  const Names phRedox{"0 Off",       "1 Just low",       "2 Just high",          "3 Low and high",
                      "4 Low and off", "5 High and off", "6 Low + high + off"};
  for (int select : {0, 1, 2}) {
    Set(kSelect, select);
    auto v = Request("manu_check_threshold_enabled");
    EXPECT_EQ(Enumerators(*v), select == 0 ? chlorine : phRedox) << select;
    EXPECT_EQ(Reads(), (Names{kSelect, kCode}));
  }
}

TEST_F(Check, CurrentMonitoringIsWithdrawnOnlyForRedoxCheckOnPhDevice) {
  struct Case {
    int ph, select, mode;
    Names reads;
  };
  const Case cases[] = {
      {1, 1, 2, {kPh, kSelect, kMode, kCode}}, {0, 1, 2, {kPh, kCode}},
      {1, 0, 2, {kPh, kSelect, kCode}},        {1, 1, 1, {kPh, kSelect, kMode, kCode}},
  };
  for (const Case& c : cases) {
    Set(kPh, c.ph);
    Set(kSelect, c.select);
    Set(kMode, c.mode);
    auto v = Request("manu_check_monitoring_enabled");
    SCOPED_TRACE(testing::Message() << "pH " << c.ph << " select " << c.select << " mode " << c.mode);
    const bool withdrawn = c.ph == 1 && c.select == 1 && c.mode == 2;
    EXPECT_EQ(Enumerators(*v).size(), withdrawn ? 3u : 7u);
    EXPECT_EQ(Enumerators(*v).back(), withdrawn ? "2 AC + off" : "6 AC + CC + off");
    EXPECT_EQ(Reads(), c.reads);
  }
}

// What one of the three values should come out as in one state, and what it reads.
struct CheckState {
  int select, mode, unit, sensor;
  bool large() const { return sensor == 1 || sensor == 3; }
  bool knownUnit() const { return unit >= 0 && unit <= 2; }
  const char* byUnit(const char* large0, const char* small0, const char* large2, const char* small2) const {
    if (unit == 0 || unit == 1) return large() ? large0 : small0;
    if (unit == 2) return large() ? large2 : small2;
    return nullptr;
  }
};

void AddRangeTest(std::vector<std::string>& reads, const CheckState& s) {
  reads.push_back(kSensor);
  if (s.sensor != 1) reads.push_back(kSensor);
}

struct CheckValue {
  const char* name;
  bool isSetpoint;
  bool isHigh;
};

TEST_F(Check, ThresholdsAndSetpointAcrossSelectionModeUnitAndSensor) {
  const CheckValue values[] = {{"manu_check_threshold_low", false, false},
                               {"manu_check_threshold_high", false, true},
                               {"manu_check_limit_value", true, false}};
  for (int select : {0, 1})
    for (int mode : {0, 1, 2})
      for (int unit : {0, 1, 2, 3})
        for (int sensor : {1, 2, 3, 6}) {
          const CheckState s{select, mode, unit, sensor};
          Set(kSelect, select);
          Set(kMode, mode);
          Set(kUnit, unit);
          Set(kSensor, sensor);
          for (const CheckValue& value : values) {
            SCOPED_TRACE(testing::Message() << value.name << " select " << select << " mode " << mode << " unit "
                                            << unit << " sensor " << sensor);
            const char* deflt = value.isSetpoint ? s.byUnit("double 0.5", "double 0.1", "int 500", "int 100")
                                                 : s.byUnit("double 20", "double 5", "double 20000", "double 5000");
            const char* max = s.byUnit("double 20", "double 5", "double 20000", "double 5000");
            const char* min = nullptr;
            const char* format = nullptr;
            Names reads{kUnit};
            if (s.knownUnit()) AddRangeTest(reads, s);
            reads.push_back(kSelect);
            if (select == 0) {
              min = value.isHigh ? (s.large() ? "double 0.1" : "double 0.02") : "double 0";
              if (value.isHigh) AddRangeTest(reads, s);
            } else if (value.isSetpoint) {
              min = "double 4";
            } else {
              reads.push_back(kMode);
              min = mode == 1 ? (value.isHigh ? "double 4.1" : "double 4") : (value.isHigh ? "int 10" : "int 0");
            }
            reads.push_back(kUnit);
            if (s.knownUnit()) AddRangeTest(reads, s);
            reads.push_back(kSelect);
            if (select == 0) {
              format = s.large() ? "2.2f" : "1.2f";
              AddRangeTest(reads, s);
            } else if (value.isSetpoint) {
              format = "1.1f";
            } else {
              reads.push_back(kMode);
              format = mode == 1 ? "1.1f" : "4.1f";
            }
            reads.push_back(kCode);

            auto v = Request(value.name);
            EXPECT_EQ(Default(*v), deflt ? deflt : "none");
            EXPECT_EQ(Min(*v), min);
            EXPECT_EQ(Max(*v), max ? max : "int 1");
            EXPECT_EQ(Display(*v), format);
            EXPECT_EQ(Edit(*v), "%G");
            EXPECT_EQ(Reads(), reads);
          }
        }
}

TEST_F(Check, ChlorineLowThresholdOnSmallSensorAsksElevenCopies) {
  Set(kUnit, 0);
  Set(kSensor, 2);
  Set(kSelect, 0);
  auto v = Request("manu_check_threshold_low");
  EXPECT_EQ(host->store().readCount(), 11);
  EXPECT_EQ(Default(*v), "double 5");
  EXPECT_EQ(Min(*v), "double 0");
  EXPECT_EQ(Max(*v), "double 5");
  EXPECT_EQ(Display(*v), "1.2f");
}

}  // namespace
