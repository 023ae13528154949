// The built variables through a host that loads the plug-in: conditional attributes,
// the write lock, the offered enumerators, and what each request reads.
#include <gtest/gtest.h>

#include <memory>

#include "dtmhost/host.h"
#include "parameter_requests.h"
#include "variable_dump.h"
#include "variables/variable_frame.h"
#include "row_name.h"

namespace {

using Names = std::vector<std::string>;

// The shared request fixture, under this file's suite name.
class Variables : public ParameterRequests {};

std::string Describe(const std::optional<CDDCommonVariant>& value) { return value ? ddlib::describe(*value) : "none"; }

TEST_F(Variables, LockedVariablesAreWritableOnlyWithTheAccessCode) {
  int locked = 0;
  for (const variables::RowTable* table : variables::RowTables())
    for (const variables::VariableRow& row : *table) {
      if (row.handling != variables::Handling::locked || row.rules.writable) continue;
      ++locked;
      for (int code : {83, 0, 9998, 82}) {
        Set("manu_alarm_enable_code", code);
        auto v = Request(RowName(row));
        EXPECT_TRUE(v->getHandling(HandlingRead)) << RowName(row);
        EXPECT_EQ(v->getHandling(HandlingWrite), code == 83) << RowName(row) << " " << code;
        EXPECT_EQ(Reads().back(), "manu_alarm_enable_code") << RowName(row);
      }
    }
  EXPECT_GE(locked, 21);
}

TEST_F(Variables, UnlockedVariableSetsWriteBeforeRead) {
  Set("manu_alarm_enable_code", 83);
  ddlib::JournalScope journal;
  Request("manu_control_stop");
  const auto& lines = ddlib::Journal::lines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(Names(lines.end() - 5, lines.end()),
            (Names{"CDDVariable::putHandling(0, false)", "CDDVariable::putHandling(1, false)",
                   "CDDVariable::putHandling(0, true)", "CDDVariable::putHandling(1, true)",
                   "CDDObject::putAttributesAvailable(true)"}));
}

TEST_F(Variables, MeasuredValuesAreReadOnlyAndReadNothing) {
  for (const char* name : {"manu_meas_value_main", "manu_meas_value_temperature", "manu_meas_value_second"}) {
    Set("manu_alarm_enable_code", 83);
    auto v = Request(name);
    EXPECT_TRUE(v->getHandling(HandlingRead));
    EXPECT_FALSE(v->getHandling(HandlingWrite));
    EXPECT_TRUE(Reads().empty()) << name;
  }
  // Texts reach the host as Latin-1 bytes.
  EXPECT_EQ(Request("manu_meas_value_temperature")->getConstantUnit(), "\xB0" "C");
}

// The pv rule for the two pv switching points and the pv alarm threshold.
TEST_F(Variables, PvValuesFollowUnitAndSensorRange) {
  for (const char* name : {"manu_relay_pv_switch_on", "manu_relay_pv_switch_off", "manu_relay_pv_alarm_threshold"})
    for (int unit : {0, 1, 2, 3})
      for (int sensor : {1, 3, 2, 10}) {
        SCOPED_TRACE(testing::Message() << name << " unit " << unit << " sensor " << sensor);
        Set("manu_unit_display", unit);
        Set("manu_sensor_type", sensor);
        auto v = Request(name);
        const CDDType* t = v->typeInfo();
        bool large = sensor == 1 || sensor == 3;
        std::optional<CDDCommonVariant> top;
        if (unit == 0 || unit == 1) top = large ? 20.0 : 5.0;
        if (unit == 2) top = large ? 20000.0 : 5000.0;
        EXPECT_EQ(Describe(t->getDefaultValue()), Describe(top));
        EXPECT_EQ(Describe(t->getRanges().at(0).second.min), "double 0");
        EXPECT_EQ(Describe(t->getRanges().at(0).second.max), Describe(top ? top : CDDCommonVariant(1)));
        EXPECT_EQ(t->getDisplayFormat(), large ? "2.2f" : "1.2f");
        EXPECT_EQ(t->getEditFormat(), "%G");
        // The unit twice; a range test in each selection that finds its case and one for
        // the format, each reading the sensor once or twice; the access code.
        int test = sensor == 1 ? 1 : 2;
        EXPECT_EQ(Reads().size(), static_cast<size_t>(2 + (top ? 3 : 1) * test + 1));
      }
}

TEST_F(Variables, SwitchOnValueReadsUnitSensorAndCodeInOrder) {
  const std::string u = "manu_unit_display", s = "manu_sensor_type", a = "manu_alarm_enable_code";
  Set("manu_alarm_enable_code", 83);
  Set("manu_unit_display", 0);
  Set("manu_sensor_type", 2);
  Request("manu_relay_pv_switch_on");
  EXPECT_EQ(Reads(), (Names{u, s, s, u, s, s, s, s, a}));
  Set("manu_sensor_type", 1);
  Request("manu_relay_pv_switch_on");
  EXPECT_EQ(Reads(), (Names{u, s, u, s, s, a}));
}

TEST_F(Variables, SwitchOnValueCallsTheLibraryInFrameOrder) {
  Set("manu_alarm_enable_code", 83);
  Set("manu_unit_display", 0);
  Set("manu_sensor_type", 2);
  ddlib::JournalScope journal;
  Request("manu_relay_pv_switch_on");
  const std::string label =
      "\"V4H0   Switch on value  |de|V4H0   Einschaltpunkt  |fr|V4H0   Seuil d'enclenchement  "
      "|it|V4H0   Valore di inserzione\"";
  Names expected{"CDDVariable::putLabel(\"\")", "CDDVariable::putLabel(" + label + ")", "CDDVariable::putHelp(\"\")",
                 "CDDVariable::putHelp(" + label + ")"};
  for (int code : {2, 15, 14, 9, 10, 11, 16, 13, 18, 12})
    expected.push_back("CDDVariableClass::putClassInfo(" + std::to_string(code) + ", false)");
  Names rest{"CDDVariableClass::putClassInfo(14, true)",
             "CDDVariable::setTypeInfo(0)",
             "CDDType::putScalingFactor(1)",
             "CDDType::putDisplayFormat(\"%G\")",
             "CDDType::putEditFormat(\"%G\")",
             "CDDType::putMaxRangeNo(0)",
             "CDDType::putDefaultValue(double 5)",
             "CDDType::putMinValues(0, double 0)",
             "CDDType::putMaxValues(0, double 5)",
             "CDDType::putDisplayFormat(\"1.2f\")",
             "CDDVariable::putHandling(0, false)",
             "CDDVariable::putHandling(1, false)",
             "CDDVariable::putHandling(0, true)",
             "CDDVariable::putHandling(1, true)",
             "CDDObject::putAttributesAvailable(true)"};
  expected.insert(expected.end(), rest.begin(), rest.end());
  EXPECT_EQ(ddlib::Journal::lines(), expected);
}

// The sv rule: the pH range in mode 1, integers of the millivolt range otherwise.
TEST_F(Variables, SvValuesFollowTheOperatingMode) {
  for (const char* name : {"manu_relay_sv_switch_on", "manu_relay_sv_switch_off", "manu_relay_sv_alarm_threshold"})
    for (int mode : {1, 0, 2, 5}) {
      SCOPED_TRACE(testing::Message() << name << " mode " << mode);
      Set("manu_mode", mode);
      auto v = Request(name);
      const CDDType* t = v->typeInfo();
      bool ph = mode == 1;
      EXPECT_EQ(Describe(t->getDefaultValue()), ph ? "double 9" : "int 1500");
      EXPECT_EQ(Describe(t->getRanges().at(0).second.min), ph ? "double 4" : "int 0");
      EXPECT_EQ(Describe(t->getRanges().at(0).second.max), ph ? "double 9" : "int 1500");
      EXPECT_EQ(t->getDisplayFormat(), ph ? "1.1f" : "4.1f");
      EXPECT_EQ(t->getEditFormat(), "%G");
      EXPECT_EQ(Reads(), (Names{"manu_mode", "manu_mode", "manu_mode", "manu_mode", "manu_alarm_enable_code"}));
    }
}

TEST_F(Variables, FixedRelayValuesIgnoreEverySettingButTheLock) {
  for (const char* name : {"manu_relay_temp_switch_on", "manu_relay_temp_switch_off", "manu_relay_switch_on_delay",
                           "manu_relay_switch_off_delay", "manu_relay_temp_alarm_threshold"}) {
    Set("manu_unit_display", 2);
    Set("manu_sensor_type", 1);
    Set("manu_mode", 1);
    auto a = Request(name);
    Set("manu_unit_display", 7);
    Set("manu_sensor_type", 4);
    Set("manu_mode", 0);
    auto b = Request(name);
    EXPECT_EQ(DumpAttributes(*a), DumpAttributes(*b)) << name;
    EXPECT_EQ(Reads(), Names{"manu_alarm_enable_code"}) << name;
  }
}

TEST_F(Variables, OperatingModeOffersRedoxOnlyOnSVersionWithPh) {
  struct Case {
    int sVersion, ph;
    std::vector<long> offered;
    Names reads;
  } cases[] = {
      {1, 1, {0, 1, 2}, {"manu_s_version_enabled", "manu_pH_enabled", "manu_alarm_enable_code"}},
      {1, 0, {0, 1}, {"manu_s_version_enabled", "manu_pH_enabled", "manu_alarm_enable_code"}},
      {0, 1, {0, 1}, {"manu_s_version_enabled", "manu_alarm_enable_code"}},
      {2, 1, {0, 1}, {"manu_s_version_enabled", "manu_alarm_enable_code"}},
  };
  for (const Case& c : cases) {
    Set("manu_s_version_enabled", c.sVersion);
    Set("manu_pH_enabled", c.ph);
    auto v = Request("manu_mode");
    EXPECT_EQ(EnumValues(*v), c.offered) << c.sVersion << " " << c.ph;
    EXPECT_EQ(v->typeInfo()->getMaxEnumIndex(), 0);
    EXPECT_EQ(Describe(v->typeInfo()->getDefaultValue()), "int 0");
    EXPECT_EQ(Reads(), c.reads);
  }
}

TEST_F(Variables, RelaySelectionOffersRelaysByEquipmentAndFunction) {
  const std::string n = "manu_relay_number", f = "manu_relay_function", a = "manu_alarm_enable_code";
  struct Case {
    int relays, function;
    std::vector<long> offered;
    Names reads;
  } cases[] = {
      {4, 1, {0, 1, 2, 3}, {n, f, f, f, a}}, {4, 4, {0, 1, 2}, {n, f, a}}, {4, 7, {0, 1, 2}, {n, f, f, a}},
      {4, 8, {0, 1, 2}, {n, f, f, f, a}},    {2, 1, {0, 1}, {n, a}},       {0, 4, {0, 1}, {n, a}},
  };
  for (const Case& c : cases) {
    Set("manu_relay_number", c.relays);
    Set("manu_relay_function", c.function);
    auto v = Request("manu_relay_select_relay");
    EXPECT_EQ(EnumValues(*v), c.offered) << c.relays << " " << c.function;
    EXPECT_EQ(Reads(), c.reads) << c.relays << " " << c.function;
  }
}

TEST_F(Variables, RelayFunctionsFollowDeviceVersionModeAndRelay) {
  const std::string p = "manu_pH_enabled", m = "manu_mode", r = "manu_relay_select_relay",
                    c = "manu_cleaning_function_enabled", a = "manu_alarm_enable_code";
  struct Case {
    int ph, mode, relay, cleaning;
    std::vector<long> offered;
    const char* valueTwo;  // English segment of the value 2, if offered
    Names reads;
  } cases[] = {
      {1, 1, 0, 1, {1, 2, 3, 4, 5, 6}, "LC pH", {p, m, p, m, p, m, r, a}},
      {1, 2, 0, 1, {1, 2, 3, 4, 6}, "LC Redox", {p, m, p, m, p, m, r, a}},
      {1, 0, 0, 1, {1, 3, 4, 6}, nullptr, {p, m, p, m, p, m, r, a}},
      {0, 1, 0, 1, {1, 3, 4, 6}, nullptr, {p, p, p, m, r, a}},
      // operator&& takes any nonzero device version as true; the other rules need 1.
      {2, 1, 0, 1, {1, 3, 4, 5, 6}, nullptr, {p, p, p, m, r, a}},
      {0, 0, 2, 1, {1, 3, 4, 6, 7, 8}, nullptr, {p, p, p, m, r, c, a}},
      {0, 0, 2, 0, {1, 3, 4, 6, 8}, nullptr, {p, p, p, m, r, c, a}},
      {0, 0, 1, 1, {1, 3, 4, 6}, nullptr, {p, p, p, m, r, a}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.ph << " " << k.mode << " " << k.relay << " " << k.cleaning);
    Set("manu_pH_enabled", k.ph);
    Set("manu_mode", k.mode);
    Set("manu_relay_select_relay", k.relay);
    Set("manu_cleaning_function_enabled", k.cleaning);
    auto v = Request("manu_relay_function");
    EXPECT_EQ(EnumValues(*v), k.offered);
    EXPECT_EQ(Reads(), k.reads);
    EXPECT_EQ(Describe(v->typeInfo()->getDefaultValue()), "int 1");
    if (k.valueTwo) {
      EXPECT_EQ(dtmhost::Segment(v->typeInfo()->enumerators().entries()[1].getDescription(), "en"), k.valueTwo);
    }
  }
}

TEST_F(Variables, RepeatedRequestsGiveIdenticalAttributes) {
  Set("manu_pH_enabled", 1);
  Set("manu_mode", 1);
  Set("manu_relay_select_relay", 2);
  Set("manu_cleaning_function_enabled", 1);
  for (const char* name : {"manu_relay_function", "manu_sensor_type", "manu_relay_pv_switch_on"}) {
    std::unique_ptr<CDDObject> object = host->Request(name);
    auto* v = dynamic_cast<CDDVariable*>(object.get());
    ASSERT_TRUE(v);
    std::string first = DumpAttributes(*v);
    host->calculator().Calculate(host->context(), v);
    EXPECT_EQ(DumpAttributes(*v), first) << name;
  }
}

TEST_F(Variables, SensorTypeKeepsItsEditActionsInBothLockStates) {
  for (int code : {83, 0}) {
    Set("manu_alarm_enable_code", code);
    auto v = Request("manu_sensor_type");
    ASSERT_TRUE(v->getPreEditActions() && v->getPostEditActions());
    Names pre, post;
    for (const auto& d : v->getPreEditActions()->entries()) pre.push_back(d.getName());
    for (const auto& d : v->getPostEditActions()->entries()) post.push_back(d.getName());
    EXPECT_EQ(pre, (Names{"meth_pre_edit_manu_sensor_type_TQR", "meth_pre_edit_manu_sensor_type_TQR_ONLINE",
                          "method_manu_sensor_type_remember"}));
    EXPECT_EQ(post, (Names{"meth_changed_manu_sensor_type_TQR", "meth_changed_manu_sensor_type_TQR_ONLINE",
                           "method_manu_sensor_type_remember"}));
  }
}

TEST_F(Variables, NoValueInTheStoreKeepsTheLockClosed) {
  host->store().setNoValue("manu_alarm_enable_code");
  host->store().setNoValue("manu_unit_display");
  auto v = Request("manu_relay_pv_switch_on");
  EXPECT_FALSE(v->getHandling(HandlingWrite));
  EXPECT_FALSE(v->typeInfo()->getDefaultValue());
}

}  // namespace
