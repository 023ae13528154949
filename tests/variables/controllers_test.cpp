// The PID and three-point-step setpoints by measuring unit and sensor, the PID
// direction by relay function, and what the two controllers share.
#include "parameter_requests.h"

namespace {

class Controllers : public ParameterRequests {};

constexpr const char* kUnit = "manu_unit_display";
constexpr const char* kSensor = "manu_sensor_type";

// The reads of one large-range test: a second read only when the first fails.
void AddRangeTest(std::vector<std::string>& reads, int sensor) {
  reads.push_back(kSensor);
  if (sensor != 1) reads.push_back(kSensor);
}

TEST_F(Controllers, SetpointsFollowUnitAndSensorAlike) {
  struct Expect {
    const char* deflt;
    const char* max;
  };
  for (int unit : {0, 1, 2, 3, -1}) {
    for (int sensor : {1, 2, 3, 5, 11}) {
      const bool large = sensor == 1 || sensor == 3;
      const bool known = unit >= 0 && unit <= 2;
      Expect expect{"none", "int 1"};
      if (unit == 0 || unit == 1) expect = large ? Expect{"double 0.5", "double 20"} : Expect{"double 0.1", "double 5"};
      if (unit == 2) expect = large ? Expect{"double 500", "double 20000"} : Expect{"double 100", "double 5000"};
      Names reads{kUnit};
      if (known) AddRangeTest(reads, sensor);
      reads.push_back(kUnit);
      if (known) AddRangeTest(reads, sensor);
      AddRangeTest(reads, sensor);
      reads.push_back("manu_alarm_enable_code");

      Set(kUnit, unit);
      Set(kSensor, sensor);
      std::string first;
      for (const char* name : {"manu_relay_PID_nominal_value", "manu_relay_3Pstep_nominal_value"}) {
        SCOPED_TRACE(testing::Message() << name << " unit " << unit << " sensor " << sensor);
        auto v = Request(name);
        EXPECT_EQ(Default(*v), expect.deflt);
        EXPECT_EQ(Min(*v), "double 0");
        EXPECT_EQ(Max(*v), expect.max);
        EXPECT_EQ(Display(*v), large ? "2.2f" : "1.2f");
        EXPECT_EQ(Edit(*v), "%G");
        EXPECT_FALSE(v->getConstantUnit()) << "the unit relation supplies it";
        EXPECT_EQ(Reads(), reads);
        std::string all = *v->getLabel() + Attributes(*v);
        if (first.empty()) first = all;
        EXPECT_EQ(all, first);
      }
    }
  }
}

TEST_F(Controllers, DirectionIsInverseOnlyForPidOfTheMainValue) {
  for (int function : {4, 5, 8, 0}) {
    Set("manu_relay_function", function);
    auto v = Request("manu_relay_PID_charac");
    EXPECT_EQ(Default(*v), function == 4 ? "int 0" : "int 1") << function;
    EXPECT_EQ(Enumerators(*v), (Names{"0 Inverse", "1 Direct"}));
    EXPECT_EQ(v->typeInfo()->getMaxEnumIndex(), 0);
    EXPECT_EQ(Reads(), (Names{"manu_relay_function", "manu_alarm_enable_code"}));
  }
}

TEST_F(Controllers, SharedSettingsDifferOnlyWhereTheControllersDo) {
  Set("manu_unit_display", 2);
  auto pidTn = Request("manu_relay_PID_Tn");
  auto stepTn = Request("manu_relay_3Pstep_Tn");
  EXPECT_EQ(*pidTn->getLabel() + Attributes(*pidTn), *stepTn->getLabel() + Attributes(*stepTn));

  auto pidPulse = Request("manu_relay_PID_switch_on_min");
  auto stepPulse = Request("manu_relay_3Pstep_switch_on_min");
  EXPECT_EQ(Attributes(*pidPulse), Attributes(*stepPulse));
  EXPECT_EQ(pidPulse->getLabel()->substr(0, 4), "V4H8");
  EXPECT_EQ(stepPulse->getLabel()->substr(0, 4), "V4H4");
}

}  // namespace
