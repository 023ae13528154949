// Methods that only put values: the communication-error settings and the display
// limits. None of them checks for an abort.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/object_ids.h"
#include "method_script.h"

namespace {

using namespace testing_support;

// The four access errors the default leaves ignored.
bool IgnoredByDefault(const std::string& name) {
  return name == "CommError_00B0_00B0" || name == "CommError_00B2_00B2" || name == "CommError_00B5_00B5" ||
         name == "CommError_00B8_00B8";
}

TEST(CommErrorMethods, SetEveryRangeInAscendingOrder) {
  auto host = OpenPlugin();
  const struct {
    const char* method;
    Lines_t general;
    int (*value)(const std::string& range);
  } kMethods[] = {
      {"CommError_IgnoreAllErrors", {}, [](const std::string&) { return 0; }},
      {"CommError_CheckAllErrors", {}, [](const std::string&) { return 1; }},
      {"CommError_DefaultHandling",
       {"assignIntegerValue(\"CommError_ShowIgnoredErrors\", 1)", "assignIntegerValue(\"CommError_Delay_Read\", 0)",
        "assignIntegerValue(\"CommError_Delay_Write\", 0)"},
       [](const std::string& range) { return IgnoredByDefault(range) ? 0 : 1; }},
  };
  for (const auto& method : kMethods) {
    SetValues(*host, {{"CommError_Delay_Read", 500}, {"CommError_Delay_Write", 500}, {"CommError_ShowIgnoredErrors", 0}});
    dtmhost::Script script;
    script.abortFrom = 1;
    Lines_t body = method.general;
    for (ObjId range = id::CommError_0000_009F; range <= id::CommError_00D0_00FF; ++range) {
      const std::string name = host->Find(range)->getName();
      ASSERT_EQ(name.rfind("CommError_00", 0), 0u);
      body.push_back(PutI(name, method.value(name)));
    }
    auto run = host->RunMethod(method.method, script);
    EXPECT_EQ(Lines(run.trace), Framed(method.method, body));
    const bool general = !method.general.empty();
    EXPECT_EQ(host->store().value("CommError_Delay_Read")->getInt(), general ? 0 : 500);
    EXPECT_EQ(host->store().value("CommError_ShowIgnoredErrors")->getInt(), general ? 1 : 0);
  }
}

TEST(LimitMethods, SecondValueLimitsFollowTheMode) {
  auto host = OpenPlugin();
  const struct {
    int mode;
    float lower, upper;
  } kModes[] = {{0, 4.0f, 9.0f}, {1, 4.0f, 9.0f}, {2, 0.0f, 1500.0f}, {3, 4.0f, 9.0f}};
  for (const auto& m : kModes) {
    SetValues(*host, {{"manu_mode", m.mode}});
    for (const char* method : {"meth_set_sv_lower_limit", "meth_set_sv_lower_limit_ONLINE"})
      EXPECT_EQ(Lines(host->RunMethod(method, {}).trace),
                Framed(method, {Get("manu_mode"), PutF("sv_lower_limit", m.lower)}));
    for (const char* method : {"meth_set_sv_upper_limit", "meth_set_sv_upper_limit_ONLINE"})
      EXPECT_EQ(Lines(host->RunMethod(method, {}).trace),
                Framed(method, {Get("manu_mode"), PutF("sv_upper_limit", m.upper)}));
  }
}

// The sensor type is asked a second time unless the first answer was 1.
TEST(LimitMethods, MainValueLimitFollowsTheSensorType) {
  auto host = OpenPlugin();
  const struct {
    int sensorType;
    float limit;
    int asked;
  } kSensors[] = {{0, 5.0f, 2}, {1, 20.0f, 1}, {2, 5.0f, 2}, {3, 20.0f, 2}, {4, 5.0f, 2}};
  for (const auto& s : kSensors) {
    SetValues(*host, {{"manu_sensor_type", s.sensorType}, {"manu_unit_display", 2}, {"manu_mode", 2}});
    for (const char* method : {"meth_set_pv_upper_limit", "meth_set_pv_upper_limit_ONLINE"}) {
      dtmhost::Script script;
      script.abortFrom = 1;
      Lines_t body(s.asked, Get("manu_sensor_type"));
      body.push_back(PutF("pv_upper_limit", s.limit));
      EXPECT_EQ(Lines(host->RunMethod(method, script).trace), Framed(method, body)) << s.sensorType;
    }
  }
}

}  // namespace
