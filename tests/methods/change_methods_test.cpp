// Pre-edit and change methods: what each puts, in order, for old and new values equal
// and different; no abort check anywhere, so a pending abort never stops them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "method_script.h"

namespace {

using namespace testing_support;

struct ChangeCase {
  const char* what;
  std::map<std::string, int> values;
  Lines_t body;  // every call between begin and getResult
  std::vector<std::string> refused = {};
};

Lines_t Floats(std::initializer_list<const char*> variables, std::initializer_list<float> values) {
  Lines_t out;
  auto value = values.begin();
  for (const char* variable : variables) out.push_back(PutF(variable, *value++));
  return out;
}

Lines_t CheckValues(float low, float high, float limit) {
  return Floats({"manu_check_threshold_low", "manu_check_threshold_high", "manu_check_limit_value"},
                {low, high, limit});
}
Lines_t CheckRange(float high, float limit) {
  return Floats({"manu_check_threshold_high", "manu_check_limit_value"}, {high, limit});
}
Lines_t Thresholds(const char* prefix, float value) {
  const std::string p = prefix;
  return {PutF(p + "_switch_on", value), PutF(p + "_switch_off", value), PutF(p + "_alarm_threshold", value)};
}
const Lines_t kResetCheck = {PutI("manu_check_select", 0), PutI("manu_check_threshold_enabled", 0),
                             PutI("manu_check_monitoring_enabled", 0)};
const Lines_t kSwitchesOff = {PutI("manu_check_threshold_enabled", 0), PutI("manu_check_monitoring_enabled", 0)};
const std::string kSensor = Get("manu_sensor_type");

// Every case runs on both twins, with an abort pending from the first question on.
void RunCases(const std::vector<std::string>& twins, const std::vector<ChangeCase>& cases) {
  auto host = OpenPlugin();
  for (const ChangeCase& c : cases) {
    for (const std::string& method : twins) {
      SetValues(*host, c.values);
      dtmhost::Script script;
      script.abortFrom = 1;
      script.refusePuts = c.refused;
      auto run = host->RunMethod(method, script, false);
      EXPECT_EQ(run.result, 0) << method << ": " << c.what;
      EXPECT_EQ(Lines(run.trace), Framed(method, c.body)) << method << ": " << c.what;
    }
  }
}

TEST(PreEditMethods, SaveTheParameterEvenWhenTheSavedValueIsEqual) {
  const struct {
    std::vector<std::string> twins;
    std::string parameter, saved;
  } kPairs[] = {
      {{"meth_pre_edit_manu_sensor_type_TQR", "meth_pre_edit_manu_sensor_type_TQR_ONLINE"}, "manu_sensor_type",
       "last_manu_sensor_type"},
      {{"meth_pre_edit_manu_mode_TQR", "meth_pre_edit_manu_mode_TQR_ONLINE"}, "manu_mode", "last_manu_mode"},
      {{"meth_pre_edit_manu_check_select_TQR", "meth_pre_edit_manu_check_select_TQR_ONLINE"}, "manu_check_select",
       "last_manu_check_select"},
      {{"meth_pre_edit_manu_unit_display", "meth_pre_edit_manu_unit_display_ONLINE"}, "manu_unit_display",
       "last_manu_unit_display"},
  };
  for (const auto& pair : kPairs) {
    RunCases(pair.twins, {{"changed", {{pair.parameter, 3}, {pair.saved, 1}}, {Get(pair.parameter), PutI(pair.saved, 3)}},
                          {"equal", {{pair.parameter, 2}, {pair.saved, 2}}, {Get(pair.parameter), PutI(pair.saved, 2)}}});
  }
  // The saved copy then holds the parameter's value.
  auto host = OpenPlugin();
  SetValues(*host, {{"manu_unit_display", 2}, {"last_manu_unit_display", 0}});
  host->RunMethod("meth_pre_edit_manu_unit_display", {});
  EXPECT_EQ(host->store().value("last_manu_unit_display")->getInt(), 2);
}

TEST(ChangeMethods, SensorType) {
  const std::vector<ChangeCase> cases = {
      {"unchanged", {{"manu_sensor_type", 2}, {"last_manu_sensor_type", 2}},
       {kSensor, Get("last_manu_sensor_type")}},
      {"2 to 1, in ppb",
       {{"manu_sensor_type", 1}, {"last_manu_sensor_type", 2}, {"manu_check_select", 1}, {"manu_unit_display", 2}},
       Cat({{kSensor, Get("last_manu_sensor_type")}, kResetCheck, Thresholds("manu_relay_pv", 20.0f),
            {Get("manu_check_select")}, CheckValues(0.0f, 20.0f, 0.5f)})},
      {"1 to 4", {{"manu_sensor_type", 4}, {"last_manu_sensor_type", 1}, {"manu_check_select", 0}},
       Cat({{kSensor, Get("last_manu_sensor_type")}, kResetCheck, Thresholds("manu_relay_pv", 5.0f),
            {Get("manu_check_select")}, CheckValues(0.0f, 5.0f, 0.1f)})},
      {"selection refused, pH",
       {{"manu_sensor_type", 3}, {"last_manu_sensor_type", 0}, {"manu_check_select", 1}, {"manu_mode", 1}},
       Cat({{kSensor, Get("last_manu_sensor_type")}, kResetCheck, Thresholds("manu_relay_pv", 20.0f),
            {Get("manu_check_select"), Get("manu_mode")}, CheckValues(4.0f, 9.0f, 7.2f)}),
       {"manu_check_select"}},
      {"selection refused, redox",
       {{"manu_sensor_type", 0}, {"last_manu_sensor_type", 1}, {"manu_check_select", 1}, {"manu_mode", 2}},
       Cat({{kSensor, Get("last_manu_sensor_type")}, kResetCheck, Thresholds("manu_relay_pv", 5.0f),
            {Get("manu_check_select"), Get("manu_mode")}, CheckValues(0.0f, 1500.0f, 0.0f)}),
       {"manu_check_select"}},
  };
  RunCases({"meth_changed_manu_sensor_type_TQR", "meth_changed_manu_sensor_type_TQR_ONLINE"}, cases);
}

TEST(ChangeMethods, OperatingMode) {
  const Lines_t head = {Get("manu_mode"), Get("last_manu_mode")};
  const std::vector<ChangeCase> cases = {
      {"unchanged", {{"manu_mode", 1}, {"last_manu_mode", 1}}, head},
      {"2 to 1, sensor 3", {{"manu_mode", 1}, {"last_manu_mode", 2}, {"manu_sensor_type", 3}},
       Cat({head, kResetCheck, Thresholds("manu_relay_sv", 9.0f), {Get("manu_check_select")},
            {PutF("manu_check_threshold_low", 0.0f), kSensor, kSensor}, CheckRange(20.0f, 0.5f)})},
      {"1 to 2, sensor 2", {{"manu_mode", 2}, {"last_manu_mode", 1}, {"manu_sensor_type", 2}},
       Cat({head, kResetCheck, Thresholds("manu_relay_sv", 1500.0f), {Get("manu_check_select")},
            {PutF("manu_check_threshold_low", 0.0f), kSensor, kSensor}, CheckRange(5.0f, 0.1f)})},
      {"1 to off, sensor 1 asked once", {{"manu_mode", 0}, {"last_manu_mode", 1}, {"manu_sensor_type", 1}},
       Cat({head, kResetCheck, Thresholds("manu_relay_sv", 1500.0f), {Get("manu_check_select")},
            {PutF("manu_check_threshold_low", 0.0f), kSensor}, CheckRange(20.0f, 0.5f)})},
      {"selection refused, pH", {{"manu_mode", 1}, {"last_manu_mode", 0}, {"manu_check_select", 1}},
       Cat({head, kResetCheck, Thresholds("manu_relay_sv", 9.0f), {Get("manu_check_select")},
            CheckValues(4.0f, 9.0f, 7.2f)}),
       {"manu_check_select"}},
      {"selection refused, redox", {{"manu_mode", 2}, {"last_manu_mode", 1}, {"manu_check_select", 1}},
       Cat({head, kResetCheck, Thresholds("manu_relay_sv", 1500.0f), {Get("manu_check_select")},
            CheckValues(0.0f, 1500.0f, 7.2f)}),
       {"manu_check_select"}},
  };
  RunCases({"meth_changed_manu_mode_TQR", "meth_changed_manu_mode_TQR_ONLINE"}, cases);
}

TEST(ChangeMethods, CheckSelection) {
  const Lines_t head = {Get("manu_check_select"), Get("manu_check_select_help")};
  const std::string last = Get("last_manu_check_select");
  const std::vector<ChangeCase> cases = {
      {"unchanged", {{"manu_check_select", 1}, {"manu_check_select_help", 1}, {"last_manu_check_select", 1}},
       Cat({head, {last}})},
      {"unchanged, unit differs",
       {{"manu_check_select", 1}, {"manu_check_select_help", 0}, {"last_manu_check_select", 1}},
       Cat({head, {PutI("manu_check_select_help", 1), last}})},
      {"1 to 0, sensor 3",
       {{"manu_check_select", 0}, {"manu_check_select_help", 1}, {"last_manu_check_select", 1},
        {"manu_sensor_type", 3}},
       Cat({head, {PutI("manu_check_select_help", 0), last}, kSwitchesOff,
            {Get("manu_check_select"), PutF("manu_check_threshold_low", 0.0f), kSensor, kSensor},
            CheckRange(20.0f, 0.5f)})},
      {"1 to 0, sensor 2",
       {{"manu_check_select", 0}, {"manu_check_select_help", 0}, {"last_manu_check_select", 1},
        {"manu_sensor_type", 2}},
       Cat({head, {last}, kSwitchesOff,
            {Get("manu_check_select"), PutF("manu_check_threshold_low", 0.0f), kSensor, kSensor},
            CheckRange(5.0f, 0.1f)})},
      {"0 to 1, pH",
       {{"manu_check_select", 1}, {"manu_check_select_help", 1}, {"last_manu_check_select", 0}, {"manu_mode", 1}},
       Cat({head, {last}, kSwitchesOff, {Get("manu_check_select"), Get("manu_mode")}, CheckValues(4.0f, 9.0f, 7.2f)})},
      {"0 to 1, redox",
       {{"manu_check_select", 1}, {"manu_check_select_help", 1}, {"last_manu_check_select", 0}, {"manu_mode", 2}},
       Cat({head, {last}, kSwitchesOff, {Get("manu_check_select"), Get("manu_mode")},
            CheckValues(0.0f, 1500.0f, 0.0f)})},
  };
  RunCases({"meth_changed_manu_check_select_TQR", "meth_changed_manu_check_select_TQR_ONLINE"}, cases);
}

TEST(ChangeMethods, DisplayUnit) {
  const Lines_t head = {Get("manu_unit_display"), Get("last_manu_unit_display")};
  const auto relay = [](float switchPoint, float setpoint) {
    return Cat({Thresholds("manu_relay_pv", switchPoint),
                Floats({"manu_relay_PID_nominal_value", "manu_relay_3Pstep_nominal_value"}, {setpoint, setpoint})});
  };
  const std::vector<ChangeCase> cases = {
      {"unchanged", {{"manu_unit_display", 1}, {"last_manu_unit_display", 1}}, head},
      {"ppm to mg/l, sensor 1, chlorine check",
       {{"manu_unit_display", 0}, {"last_manu_unit_display", 1}, {"manu_sensor_type", 1}, {"manu_check_select", 0}},
       Cat({head, {kSensor}, relay(20.0f, 0.5f),
            {Get("manu_check_select"), PutF("manu_check_threshold_low", 0.0f), kSensor}, CheckRange(20.0f, 0.5f)})},
      {"ppm to mg/l, sensor 3",
       {{"manu_unit_display", 0}, {"last_manu_unit_display", 1}, {"manu_sensor_type", 3}, {"manu_check_select", 0}},
       Cat({head, {kSensor}, relay(20.0f, 0.5f),
            {Get("manu_check_select"), PutF("manu_check_threshold_low", 0.0f), kSensor, kSensor},
            CheckRange(20.0f, 0.5f)})},
      {"ppb to mg/l, sensor 2, pH check",
       {{"manu_unit_display", 0}, {"last_manu_unit_display", 2}, {"manu_sensor_type", 2}, {"manu_check_select", 1}},
       Cat({head, {kSensor}, relay(5.0f, 0.1f), {Get("manu_check_select")}})},
      {"mg/l to ppm", {{"manu_unit_display", 1}, {"last_manu_unit_display", 0}, {"manu_sensor_type", 2}},
       Cat({head, relay(20.0f, 0.5f), CheckRange(20.0f, 0.5f)})},
      {"to ppb, pH check", {{"manu_unit_display", 2}, {"last_manu_unit_display", 0}, {"manu_check_select", 1}},
       Cat({head, relay(20000.0f, 500.0f), CheckRange(20000.0f, 500.0f)})},
      {"unknown unit", {{"manu_unit_display", 5}, {"last_manu_unit_display", 0}}, head},
  };
  RunCases({"meth_changed_manu_unit_display_TQR", "meth_changed_manu_unit_display_TQR_ONLINE"}, cases);
}

// The values reach the store as single-precision floats.
TEST(ChangeMethods, FloatsAreSinglePrecision) {
  auto host = OpenPlugin();
  SetValues(*host, {{"manu_sensor_type", 4}, {"last_manu_sensor_type", 1}, {"manu_check_select", 0}});
  host->RunMethod("meth_changed_manu_sensor_type_TQR", {});
  EXPECT_EQ(host->store().value("manu_check_limit_value")->getDouble(), static_cast<double>(0.1f));
  EXPECT_EQ(host->store().value("manu_relay_pv_switch_on")->getDouble(), 5.0);
}

TEST(ChangeMethods, ModeHelpIsReadBackWithAnAbortCheck) {
  auto host = OpenPlugin();
  for (bool suppress : {false, true}) {
    dtmhost::Script script;
    script.abortFrom = 1;
    auto run = host->RunMethod("meth_update_manu_mode_help", script, suppress);
    const Lines_t read = {ReadC("read_manu_mode_help"), kCheck};
    EXPECT_EQ(Lines(run.trace), suppress ? Framed("meth_update_manu_mode_help", read)
                                         : Framed("meth_update_manu_mode_help", Cat({read, {"abortMethod(0)"}}), true));
    EXPECT_EQ(run.result, suppress ? 0 : MethodResultAborted);
  }
}

}  // namespace
