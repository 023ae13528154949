// The minimum pause times, bounded by their function's pause time while that function
// runs on a relay, and the reads each chain makes.
#include "parameter_requests.h"

namespace {

class TimerCleaning : public ParameterRequests {};

constexpr const char* kCode = "manu_alarm_enable_code";

TEST_F(TimerCleaning, TimerMinimumPauseFollowsTimerPauseTime) {
  struct Case {
    int function, relays, pause;
    const char* max;
    Names reads;
  };
  const Case cases[] = {
      {6, 4, 360, "int 360", {"manu_relay_function", "manu_relay_number", "manu_relay_timer_pause_time", kCode}},
      {6, 2, 30, "int 30", {"manu_relay_function", "manu_relay_number", "manu_relay_timer_pause_time", kCode}},
      {6, 0, 30, "int 120", {"manu_relay_function", "manu_relay_number", kCode}},
      {7, 4, 30, "int 120", {"manu_relay_function", kCode}},
      {1, 4, 30, "int 120", {"manu_relay_function", kCode}},
  };
  for (const Case& c : cases) {
    Set("manu_relay_function", c.function);
    Set("manu_relay_number", c.relays);
    Set("manu_relay_timer_pause_time", c.pause);
    Set("manu_relay_clean_time_pause", 999);
    auto v = Request("manu_relay_timer_pause_time_min");
    SCOPED_TRACE(testing::Message() << "function " << c.function << " relays " << c.relays);
    EXPECT_EQ(Max(*v), c.max);
    EXPECT_EQ(Reads(), c.reads);
    // The default is not adjusted to the maximum.
    EXPECT_EQ(Default(*v), "int 120");
    EXPECT_EQ(Min(*v), "int 1");
  }
}

TEST_F(TimerCleaning, PauseTimeWithoutValueLeavesTheStartBound) {
  Set("manu_relay_function", 6);
  Set("manu_relay_number", 4);
  host->store().setNoValue("manu_relay_timer_pause_time");
  auto v = Request("manu_relay_timer_pause_time_min");
  EXPECT_EQ(Max(*v), "int 1");
}

TEST_F(TimerCleaning, CleaningMinimumPauseNeedsCleaningOnRelayThree) {
  const Names all{"manu_relay_select_relay", "manu_relay_function", "manu_cleaning_function_enabled",
                  "manu_relay_number"};
  auto upTo = [&](std::size_t n, bool pause) {
    Names reads(all.begin(), all.begin() + static_cast<long>(n));
    if (pause) reads.push_back("manu_relay_clean_time_pause");
    reads.push_back(kCode);
    return reads;
  };
  struct Case {
    int relay, function, enabled, relays;
    const char* max;
    Names reads;
  };
  const Case cases[] = {
      {2, 7, 1, 4, "int 45", upTo(4, true)},
      {2, 7, 1, 0, "int 120", upTo(4, false)},
      {2, 7, 0, 4, "int 120", upTo(3, false)},
      {2, 6, 1, 4, "int 120", upTo(2, false)},
      {0, 7, 1, 4, "int 120", upTo(1, false)},
  };
  for (const Case& c : cases) {
    Set("manu_relay_select_relay", c.relay);
    Set("manu_relay_function", c.function);
    Set("manu_cleaning_function_enabled", c.enabled);
    Set("manu_relay_number", c.relays);
    Set("manu_relay_clean_time_pause", 45);
    Set("manu_relay_timer_pause_time", 999);
    auto v = Request("manu_relay_clean_time_pause_min");
    SCOPED_TRACE(testing::Message() << "relay " << c.relay << " function " << c.function << " enabled "
                                    << c.enabled << " relays " << c.relays);
    EXPECT_EQ(Max(*v), c.max);
    EXPECT_EQ(Reads(), c.reads);
    EXPECT_EQ(Default(*v), "int 120");
  }
}

}  // namespace
