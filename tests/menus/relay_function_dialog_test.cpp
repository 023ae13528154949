#include "value_menus_fixture.h"

namespace {

constexpr const char* kDialog = "OnlineDialog_set_function_param";
const std::vector<int> kReadOnly{QualificationReadOnly};

class RelayFunctionDialog : public ValueMenuTest {
 protected:
  MenuAnswer AskWith(int function) {
    Set({{"manu_relay_function", function}});
    return Ask(kDialog);
  }
};

TEST_F(RelayFunctionDialog, EachFunctionAppendsItsGroupAfterTheFixedItems) {
  struct Case {
    int function;
    size_t items;
    ObjId last;
  };
  const Case cases[] = {
      {0, 3, id::manu_relay_enabled},
      {1, 9, id::manu_relay_limit_switch_state},
      {2, 9, id::manu_relay_limit_switch_state},
      {3, 9, id::manu_relay_limit_switch_state},
      {4, 13, id::manu_relay_PID_basic_load},
      {5, 13, id::manu_relay_PID_basic_load},
      {6, 6, id::manu_relay_timer_pause_time_min},
      {7, 11, id::manu_relay_clean_economy},
      {8, 9, id::manu_relay_3Pstep_neutral_zone},
      {9, 3, id::manu_relay_enabled},
      {-1, 3, id::manu_relay_enabled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.function);
    MenuAnswer a = AskWith(c.function);
    EXPECT_EQ(a.reads, std::vector<std::string>{"manu_relay_function"});
    ASSERT_EQ(a.items.size(), c.items);
    EXPECT_EQ(a.items.back(), c.last);
    EXPECT_EQ((std::vector<ObjId>{a.items[0], a.items[1], a.items[2]}),
              (std::vector<ObjId>{id::manu_relay_select_relay, id::manu_relay_function, id::manu_relay_enabled}));
    EXPECT_EQ(a.qualifications[0], kReadOnly);
    EXPECT_EQ(a.qualifications[1], kReadOnly);
    EXPECT_TRUE(a.qualifications[2].empty());
    // In the groups only the limit switch state is read-only.
    for (size_t i = 3; i < a.items.size(); ++i)
      EXPECT_EQ(a.qualifications[i], a.items[i] == id::manu_relay_limit_switch_state ? kReadOnly : std::vector<int>{})
          << "item " << i;
  }
}

TEST_F(RelayFunctionDialog, LimitContactGroupsShareDelaysAndState) {
  for (int function : {1, 2, 3}) {
    SCOPED_TRACE(function);
    MenuAnswer a = AskWith(function);
    ASSERT_EQ(a.items.size(), 9u);
    EXPECT_EQ(a.items[5], id::manu_relay_switch_on_delay);
    EXPECT_EQ(a.items[6], id::manu_relay_switch_off_delay);
  }
  EXPECT_EQ(AskWith(1).items[3], id::manu_relay_pv_switch_on);
  EXPECT_EQ(AskWith(2).items[3], id::manu_relay_sv_switch_on);
  EXPECT_EQ(AskWith(3).items[3], id::manu_relay_temp_switch_on);
}

TEST_F(RelayFunctionDialog, PidGroupsDifferInTheirFirstItemOnly) {
  MenuAnswer pv = AskWith(4);
  MenuAnswer sv = AskWith(5);
  ASSERT_EQ(pv.items.size(), 13u);
  ASSERT_EQ(sv.items.size(), 13u);
  EXPECT_EQ(pv.items[3], id::manu_relay_PID_nominal_value);
  EXPECT_EQ(sv.items[3], id::manu_relay_PID_sv_nominal_value);
  pv.items[3] = sv.items[3];
  EXPECT_EQ(pv.items, sv.items);
  // The dialog shows every PID mode item, whatever the mode.
  for (ObjId mode : {id::manu_relay_PID_mode, id::manu_relay_PID_pulse_period, id::manu_relay_PID_pulse_freq,
                     id::manu_relay_PID_switch_on_min})
    EXPECT_TRUE(Has(sv, mode)) << mode;
}

class RelayFunctionDialogInProcess : public ValueMenuTest {
 protected:
  RelayFunctionDialogInProcess() : ValueMenuTest(Backend::inProcess) {}
};

TEST_F(RelayFunctionDialogInProcess, ReadsTheFunctionOnceAfterTheFixedItems) {
  Set({{"manu_relay_function", 6}});
  ddlib::JournalScope journal;
  Ask(kDialog);
  auto add = [](ObjId item) { return "add " + std::to_string(item); };
  EXPECT_EQ(AppendsAndReads(),
            (std::vector<std::string>{add(id::manu_relay_select_relay), add(id::manu_relay_function),
                                      add(id::manu_relay_enabled), "read manu_relay_function",
                                      add(id::manu_relay_timer_clean_time), add(id::manu_relay_timer_pause_time),
                                      add(id::manu_relay_timer_pause_time_min)}));
}

TEST_F(RelayFunctionDialog, FollowsTheValueAtEachRequest) {
  MenuAnswer first = AskWith(6);
  MenuAnswer second = AskWith(7);
  MenuAnswer again = AskWith(6);
  EXPECT_EQ(first.items.size(), 6u);
  EXPECT_EQ(second.items.size(), 11u);
  EXPECT_EQ(again.items, first.items);
  EXPECT_EQ(again.reads.size(), 1u);
}

TEST_F(RelayFunctionDialog, MissingFunctionValueShowsTheFixedItemsOnly) {
  SetNoValue("manu_relay_function");
  MenuAnswer a = Ask(kDialog);
  EXPECT_EQ(a.items,
            (std::vector<ObjId>{id::manu_relay_select_relay, id::manu_relay_function, id::manu_relay_enabled}));
  EXPECT_EQ(a.reads.size(), 1u);
}

}  // namespace
