// The access code, which is never locked, and what it unlocks; the read-only alarm
// status and S-version flag.
#include "parameter_requests.h"
#include "variables/variable_frame.h"
#include "row_name.h"

namespace {

class AlarmAccess : public ParameterRequests {};

TEST_F(AlarmAccess, AccessCodeIsAlwaysWritableAndReadsNothing) {
  for (int code : {83, 0, 9998, 12}) {
    Set("manu_alarm_enable_code", code);
    auto v = Request("manu_alarm_enable_code");
    EXPECT_TRUE(Writable(*v)) << code;
    EXPECT_TRUE(v->getHandling(HandlingRead)) << code;
    EXPECT_TRUE(Reads().empty()) << code;
    EXPECT_EQ(Default(*v), "int 83");
    EXPECT_EQ(Min(*v), "int 0");
    EXPECT_EQ(Max(*v), "int 9998");
    EXPECT_EQ(Display(*v), "%u");
    EXPECT_EQ(Edit(*v), "%u");
  }
}

TEST_F(AlarmAccess, StatusAndSVersionStayReadOnlyWithTheCode) {
  Set("manu_alarm_enable_code", 83);
  for (const char* name : {"manu_alarm_error_state", "manu_s_version_enabled"}) {
    auto v = Request(name);
    EXPECT_TRUE(v->getHandling(HandlingRead)) << name;
    EXPECT_FALSE(Writable(*v)) << name;
    EXPECT_TRUE(Reads().empty()) << name;
  }
}

// A fresh data set holds the access code's default, so the device starts unlocked.
TEST_F(AlarmAccess, DefaultAccessCodeUnlocksEveryLockedParameter) {
  int locked = 0;
  for (const variables::RowTable* table : variables::RowTables())
    for (const variables::VariableRow& row : *table) {
      if (row.handling != variables::Handling::locked || row.rules.writable) continue;
      ++locked;
      auto v = Request(RowName(row));
      EXPECT_TRUE(Writable(*v)) << RowName(row);
    }
  EXPECT_GT(locked, 0);
}

}  // namespace
