#include <map>
#include <random>

#include "ddlib/journal.h"
#include "value_menus_fixture.h"

namespace {

constexpr const char* kReadList = "download_variables";
constexpr const char* kWriteList = "upload_variables";

// Every value either list decides on, all 0.
Values AllZero() {
  Values values;
  for (const char* name :
       {"manu_pH_enabled", "manu_mode", "manu_cleaning_function_enabled", "manu_alarm_error_code_select",
        "manu_control_stop", "manu_sensor_type", "manu_ph_compensation", "manu_current_input_enabled",
        "manu_current_control_stop", "manu_current_PID_influence", "manu_check_threshold_enabled", "manu_check_select",
        "manu_check_monitoring_enabled", "manu_relay_number", "manu_relay_function", "manu_relay_PID_mode"})
    values.emplace_back(name, 0);
  return values;
}

class TransferLists : public ValueMenuTest {
 protected:
  explicit TransferLists(Backend backend = Backend::referenceHost) : ValueMenuTest(backend) {}
  void SetUp() override {
    ValueMenuTest::SetUp();
    Set(AllZero());
  }
  MenuAnswer AskWith(const char* list, const Values& values) {
    Set(AllZero());
    Set(values);
    return Ask(list);
  }
  // The items of the answer that belong to the given set, in list order.
  static std::vector<ObjId> Among(const MenuAnswer& answer, const std::vector<ObjId>& set) {
    std::vector<ObjId> found;
    for (ObjId item : answer.items)
      if (std::find(set.begin(), set.end(), item) != set.end()) found.push_back(item);
    return found;
  }
  // The journal without the item appends and the reads.
  static std::vector<std::string> MenuCalls() {
    std::vector<std::string> calls;
    for (const std::string& line : ddlib::Journal::lines())
      if (line.rfind("CDDMenuItemList::Add", 0) != 0 && line.rfind("read ", 0) != 0) calls.push_back(line);
    return calls;
  }
  // The reads after the first read of `after` up to the first later read of `before`.
  static std::vector<std::string> ReadsBetween(const MenuAnswer& answer, const std::string& after,
                                               const std::string& before) {
    auto from = std::find(answer.reads.begin(), answer.reads.end(), after);
    if (from == answer.reads.end()) return {};
    auto to = std::find(from + 1, answer.reads.end(), before);
    return {from + 1, to};
  }
};

// The named values 1, then the others as given.
Values Ones(std::initializer_list<std::string> names, Values others) {
  Values values;
  for (const std::string& name : names) values.emplace_back(name, 1);
  values.insert(values.end(), others.begin(), others.end());
  return values;
}

const std::string kSel = "manu_check_select";
const std::string kThr = "manu_check_threshold_enabled";
const std::string kMon = "manu_check_monitoring_enabled";

// ------------------------------------------------------------------ download_variables (read from the device)

TEST_F(TransferLists, ReadListWithAllDecidingValuesZero) {
  MenuAnswer a = Ask(kReadList);
  const std::vector<ObjId> fixed{id::phys_blk_profile_rev,
                                 id::phys_st_rev,
                                 id::phys_tag_desc,
                                 id::phys_software_rev,
                                 id::phys_hardware_rev,
                                 id::phys_manufacturer_id,
                                 id::phys_device_id,
                                 id::phys_serial_num,
                                 id::phys_device_certification,
                                 id::phys_descriptor,
                                 id::phys_message,
                                 id::phys_install_date,
                                 id::phys_actual_error_code,
                                 id::phys_device_bus_address,
                                 id::phys_device_software_number,
                                 id::manu_meas_value_main,
                                 id::manu_meas_value_temperature,
                                 id::manu_unit_display,
                                 id::manu_alarm_error_state,
                                 id::manu_alarm_contact_enabled,
                                 id::manu_alarm_enable_code,
                                 id::manu_cleaning_function_enabled,
                                 id::manu_digital_input,
                                 id::manu_damping_measure_value,
                                 id::manu_alarm_contact_type,
                                 id::manu_alarm_delay_unit,
                                 id::manu_alarm_delay,
                                 id::manu_hold_configuration,
                                 id::manu_hold_time,
                                 id::manu_SW_version,
                                 id::manu_serial_num};
  EXPECT_EQ(a.items, fixed);
  for (const auto& q : a.qualifications) EXPECT_TRUE(q.empty());
  EXPECT_EQ(a.reads,
            Join({{"manu_pH_enabled", "manu_cleaning_function_enabled", "manu_control_stop", "manu_sensor_type",
                   "manu_pH_enabled", "manu_ph_compensation", "manu_current_input_enabled", kThr, kSel},
                  Times(3, kThr),
                  {kSel, kSel},
                  Times(4, kThr),
                  {kSel},
                  Times(4, kMon),
                  {"manu_relay_number"}}));
}

TEST_F(TransferLists, ReadListLengthsAndReadCountsAtTheirExtremes) {
  struct Case {
    const char* what;
    Values values;
    size_t items;
    size_t reads;
  };
  const Case cases[] = {
      {"longest list",
       Ones({"manu_pH_enabled", "manu_mode", "manu_cleaning_function_enabled", "manu_control_stop",
             "manu_ph_compensation", "manu_current_input_enabled", "manu_current_control_stop",
             "manu_current_PID_influence", "manu_relay_number"},
            {{"manu_alarm_error_code_select", 170}, {kThr, 3}, {kMon, 3}, {"manu_relay_function", 4}}),
       57, 58},
      {"most reads",
       Ones({"manu_pH_enabled", "manu_mode", "manu_cleaning_function_enabled", "manu_control_stop",
             "manu_ph_compensation", "manu_current_input_enabled", "manu_current_control_stop",
             "manu_current_PID_influence", "manu_relay_number", kSel, "manu_relay_PID_mode"},
            {{"manu_alarm_error_code_select", 11}, {kThr, 7}, {"manu_relay_function", 5}}),
       50, 67},
      {"fewest reads", {{"manu_sensor_type", 3}, {kSel, 2}, {kMon, 3}}, 34, 12},
      {"all zero", {}, 31, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MenuAnswer a = AskWith(kReadList, c.values);
    EXPECT_EQ(a.items.size(), c.items);
    EXPECT_EQ(a.reads.size(), c.reads);
  }
}

TEST_F(TransferLists, ReadListRelayItemsFollowRelayNumberFunctionAndPidMode) {
  const std::vector<ObjId> relayHead{id::manu_relay_select_relay, id::manu_relay_enabled};
  {
    SCOPED_TRACE("no relay");
    MenuAnswer a = AskWith(kReadList, {{"manu_relay_function", 4}});
    EXPECT_EQ(a.items.back(), id::manu_serial_num);
    EXPECT_EQ(Count(a.reads, "manu_relay_function"), 0);
    EXPECT_EQ(Count(a.reads, "manu_relay_PID_mode"), 0);
  }
  for (int function : {0, 9}) {
    SCOPED_TRACE(function);
    MenuAnswer a = AskWith(kReadList, {{"manu_relay_number", 2}, {"manu_relay_function", function}});
    EXPECT_EQ(Between(a, id::manu_serial_num, -1), relayHead);
    EXPECT_EQ(Count(a.reads, "manu_relay_function"), 1);
  }
  struct Case {
    int function, mode;
    std::vector<ObjId> modeItems;
  };
  const Case cases[] = {
      {4, 0, {id::manu_relay_PID_pulse_period, id::manu_relay_PID_switch_on_min}},
      {5, 0, {id::manu_relay_PID_pulse_period, id::manu_relay_PID_switch_on_min}},
      {4, 1, {id::manu_relay_PID_pulse_freq}},
      {5, 2, {id::manu_relay_PID_pulse_freq}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.function << "/" << c.mode);
    MenuAnswer a = AskWith(
        kReadList, {{"manu_relay_number", 1}, {"manu_relay_function", c.function}, {"manu_relay_PID_mode", c.mode}});
    EXPECT_EQ(Between(a, id::manu_relay_PID_charac, id::manu_relay_PID_basic_load), c.modeItems);
    EXPECT_EQ(a.items.back(), id::manu_relay_PID_basic_load);
    EXPECT_FALSE(Has(a, id::manu_relay_PID_mode));
    EXPECT_EQ(std::vector<std::string>(a.reads.end() - 3, a.reads.end()),
              (std::vector<std::string>{"manu_relay_number", "manu_relay_function", "manu_relay_PID_mode"}));
  }
  {
    SCOPED_TRACE("limit contact");
    MenuAnswer a = AskWith(kReadList, {{"manu_relay_number", 1}, {"manu_relay_function", 1}});
    std::vector<ObjId> tail = Between(a, id::manu_serial_num, -1);
    ASSERT_EQ(tail.size(), 8u);
    EXPECT_EQ(tail.back(), id::manu_relay_limit_switch_state);
    for (const auto& q : a.qualifications) EXPECT_TRUE(q.empty());  // unlike the dialog
  }
}

TEST_F(TransferLists, ReadListCleaningTriggerNeedsCleaningAndAListedCode) {
  struct Case {
    int cleaning, code;
    bool shown;
    long codeReads;
  };
  const Case cases[] = {{1, 170, true, 36},  {1, 10, true, 1},   {1, 55, true, 8}, {1, 11, false, 36},
                        {1, 171, false, 36}, {0, 170, false, 0}, {2, 10, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cleaning << "/" << c.code);
    MenuAnswer a =
        AskWith(kReadList, {{"manu_cleaning_function_enabled", c.cleaning}, {"manu_alarm_error_code_select", c.code}});
    EXPECT_EQ(Has(a, id::manu_alarm_cleaning_trigger), c.shown);
    EXPECT_EQ(Count(a.reads, "manu_alarm_error_code_select"), c.codeReads);
    if (c.shown) {
      EXPECT_EQ(Between(a, id::manu_alarm_contact_enabled, id::manu_alarm_enable_code),
                std::vector<ObjId>{id::manu_alarm_cleaning_trigger});
    }
  }
}

TEST_F(TransferLists, ReadListSecondMeasuredValueNeedsPhAndMode) {
  struct Case {
    int ph, mode;
    bool shown;
    size_t reads;
  };
  const Case cases[] = {{1, 1, true, 2}, {1, 2, true, 2}, {1, 0, false, 2}, {0, 1, false, 1}, {2, 1, false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ph << "/" << c.mode);
    MenuAnswer a = AskWith(kReadList, {{"manu_pH_enabled", c.ph}, {"manu_mode", c.mode}});
    EXPECT_EQ(Between(a, id::manu_meas_value_main, id::manu_meas_value_temperature),
              c.shown ? std::vector<ObjId>{id::manu_meas_value_second} : std::vector<ObjId>{});
    auto firstStep = std::find(a.reads.begin(), a.reads.end(), "manu_cleaning_function_enabled") - a.reads.begin();
    EXPECT_EQ(static_cast<size_t>(firstStep), c.reads);
  }
}

TEST_F(TransferLists, ReadListControlStopDelays) {
  MenuAnswer on = AskWith(kReadList, {{"manu_control_stop", 1}});
  EXPECT_EQ(Between(on, id::manu_cleaning_function_enabled, id::manu_digital_input),
            (std::vector<ObjId>{id::manu_control_stop_switch_off_delay, id::manu_control_stop_switch_on_delay}));
  MenuAnswer other = AskWith(kReadList, {{"manu_control_stop", 2}});
  EXPECT_TRUE(Between(other, id::manu_cleaning_function_enabled, id::manu_digital_input).empty());
}

// ------------------------------------------------------------------ upload_variables (written to the device)

TEST_F(TransferLists, WriteListFixedItemsAndReadsWithoutOptions) {
  MenuAnswer a = AskWith(kWriteList, {{"manu_sensor_type", 3}});
  EXPECT_EQ(a.items, (std::vector<ObjId>{
                         id::manu_sensor_type_local, id::phys_tag_desc, id::phys_descriptor, id::phys_message,
                         id::phys_install_date, id::manu_sensor_type, id::manu_unit_display, id::manu_control_stop,
                         id::manu_digital_input, id::manu_damping_measure_value, id::manu_check_threshold_enabled,
                         id::manu_check_monitoring_enabled, id::manu_alarm_contact_type, id::manu_alarm_delay_unit,
                         id::manu_alarm_delay, id::manu_hold_configuration, id::manu_hold_time}));
  EXPECT_EQ(
      a.reads,
      Join({{"manu_control_stop", "manu_sensor_type", "manu_current_input_enabled", "manu_pH_enabled", kThr, kSel},
            Times(3, kThr),
            {kSel, kSel},
            Times(4, kThr),
            {kSel},
            Times(4, kMon)}));
}

TEST_F(TransferLists, WriteListLengthsAndReadCountsAtTheirExtremes) {
  MenuAnswer longest = AskWith(
      kWriteList, Ones({"manu_control_stop", "manu_sensor_type", "manu_pH_enabled", "manu_mode", "manu_ph_compensation",
                        "manu_current_input_enabled", "manu_current_control_stop", "manu_current_PID_influence"},
                       {{kThr, 3}, {kMon, 3}}));
  EXPECT_EQ(longest.items, (std::vector<ObjId>{id::manu_sensor_type_local,
                                               id::phys_tag_desc,
                                               id::phys_descriptor,
                                               id::phys_message,
                                               id::phys_install_date,
                                               id::manu_sensor_type,
                                               id::manu_unit_display,
                                               id::manu_control_stop,
                                               id::manu_control_stop_switch_off_delay,
                                               id::manu_control_stop_switch_on_delay,
                                               id::manu_digital_input,
                                               id::manu_damping_measure_value,
                                               id::manu_ph_compensation,
                                               id::manu_ph_compensation_manual,
                                               id::manu_current_control_stop,
                                               id::manu_current_switch_off_delay,
                                               id::manu_current_switch_on_delay,
                                               id::manu_current_switch_off_value,
                                               id::manu_current_switch_off_direction,
                                               id::manu_current_PID_influence,
                                               id::manu_current_k_influence,
                                               id::manu_check_select,
                                               id::manu_check_threshold_enabled,
                                               id::manu_check_error_delay,
                                               id::manu_check_threshold_low,
                                               id::manu_check_threshold_high,
                                               id::manu_check_monitoring_enabled,
                                               id::manu_check_low_alarm_time_max,
                                               id::manu_check_high_alarm_time_max,
                                               id::manu_check_limit_value,
                                               id::manu_alarm_contact_type,
                                               id::manu_alarm_delay_unit,
                                               id::manu_alarm_delay,
                                               id::manu_hold_configuration,
                                               id::manu_hold_time}));
  MenuAnswer most = AskWith(kWriteList, {{"manu_sensor_type", 1},
                                         {"manu_pH_enabled", 1},
                                         {"manu_mode", 1},
                                         {"manu_current_input_enabled", 1},
                                         {kSel, 1},
                                         {kThr, 7}});
  EXPECT_EQ(most.reads.size(), 27u);
  MenuAnswer fewest = AskWith(kWriteList, {{"manu_sensor_type", 3}, {kSel, 2}, {kMon, 3}});
  EXPECT_EQ(fewest.reads.size(), 10u);
  EXPECT_EQ(fewest.items.size(), 20u);
}

TEST_F(TransferLists, WriteListCheckSelectionNeedsPhAndAModeOtherThanZero) {
  struct Case {
    int sensor, ph, mode, compensation;
    std::vector<ObjId> items;  // among compensation and check selection
  };
  const Case cases[] = {
      {3, 1, 2, 1, {id::manu_check_select}},
      {1, 1, 2, 1, {id::manu_check_select}},
      {2, 0, 2, 0, {id::manu_ph_compensation}},
      {2, 0, 2, 1, {id::manu_ph_compensation, id::manu_ph_compensation_manual}},
      {0, 1, 0, 1, {id::manu_ph_compensation, id::manu_ph_compensation_manual}},
      {0, 1, 0, 0, {id::manu_ph_compensation}},
      {0, 1, 1, 0, {id::manu_ph_compensation, id::manu_check_select}},
      {3, 0, 1, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sensor << "/" << c.ph << "/" << c.mode << "/" << c.compensation);
    MenuAnswer a = AskWith(kWriteList, {{"manu_sensor_type", c.sensor},
                                        {"manu_pH_enabled", c.ph},
                                        {"manu_mode", c.mode},
                                        {"manu_ph_compensation", c.compensation}});
    EXPECT_EQ(Among(a, {id::manu_ph_compensation, id::manu_ph_compensation_manual, id::manu_check_select}), c.items);
  }
}

TEST_F(TransferLists, WriteListActionsAreExactAndRebuiltOnEveryRequest) {
  for (int request = 0; request < 3; ++request) {
    Set({{"manu_control_stop", request}});
    ddlib::JournalScope journal;
    MenuAnswer a = Ask(kWriteList);
    EXPECT_EQ(Ids(a.menu->getPreWriteActions()),
              (std::vector<ObjId>{id::pre_write_upload_variables_lock, id::method_WriteToDevice_PRE_WRITE}));
    EXPECT_EQ(Ids(a.menu->getPostWriteActions()), std::vector<ObjId>{id::post_write_upload_variables_lock});
    EXPECT_EQ(a.menu->getPreReadActions(), nullptr);
    EXPECT_EQ(a.menu->getLabel(),
              "&Download Menu  |de|&Downloadmen\xFC  |fr|Menu &Download  |it|Menu Scar&ica  |es|&Men\xFA Descargar");
    std::vector<std::string> calls = MenuCalls();
    EXPECT_EQ(calls,
              (std::vector<std::string>{"CDDMenu::putAccess(0)", "CDDMenu::putLabel(\"\")",
                                        "CDDMenu::putLabel(" + ddlib::quote(*a.menu->getLabel()) + ")",
                                        "CDDDefinitionList::Add(#638 pre_write_upload_variables_lock, -1, -1)",
                                        "CDDDefinitionList::Add(#634 method_WriteToDevice_PRE_WRITE, -1, -1)",
                                        "CDDMenu::setPreWriteActions()", "CDDMenu::setMenuItems()",
                                        "CDDDefinitionList::Add(#639 post_write_upload_variables_lock, -1, -1)",
                                        "CDDMenu::setPostWriteActions()", "CDDObject::putAttributesAvailable(true)"}));
  }
}

TEST_F(TransferLists, ReadListActionsAreExactAndRebuiltOnEveryRequest) {
  for (int request = 0; request < 3; ++request) {
    Set({{"manu_relay_number", request}});
    ddlib::JournalScope journal;
    MenuAnswer a = Ask(kReadList);
    EXPECT_EQ(Ids(a.menu->getPreReadActions()),
              (std::vector<ObjId>{id::pre_read_download_variables, id::pre_read_dependencies_level_1,
                                  id::pre_read_dependencies_level_2, id::pre_read_dependencies_level_3}));
    EXPECT_EQ(a.menu->getPreWriteActions(), nullptr);
    EXPECT_EQ(a.menu->getPostWriteActions(), nullptr);
    EXPECT_EQ(a.menu->getLabel(),
              "&Upload Menu  |de|&Uploadmen\xFC  |fr|Menu &Upload  |it|Menu Cari&ca  |es|&Men\xFA Cargar");
    std::vector<std::string> calls = MenuCalls();
    ASSERT_GE(calls.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 3, calls.begin() + 9),
              (std::vector<std::string>{"CDDDefinitionList::Add(#567 pre_read_download_variables, -1, -1)",
                                        "CDDDefinitionList::Add(#569 pre_read_dependencies_level_1, -1, -1)",
                                        "CDDDefinitionList::Add(#570 pre_read_dependencies_level_2, -1, -1)",
                                        "CDDDefinitionList::Add(#571 pre_read_dependencies_level_3, -1, -1)",
                                        "CDDMenu::setPreReadActions()", "CDDMenu::setMenuItems()"}));
    EXPECT_EQ(calls.back(), "CDDObject::putAttributesAvailable(true)");
  }
}

class TransferListsInProcess : public TransferLists {
 protected:
  TransferListsInProcess() : TransferLists(Backend::inProcess) {}
};

// An item that is also tested is appended before its own read.
TEST_F(TransferListsInProcess, WriteListAppendsAVariableBeforeTestingIt) {
  Set({{"manu_sensor_type", 1}, {"manu_current_input_enabled", 1}, {kThr, 3}, {kMon, 3}});
  ddlib::JournalScope journal;
  Ask(kWriteList);
  const std::vector<std::string> lines = AppendsAndReads();
  auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
  const std::pair<ObjId, std::string> pairs[] = {{id::manu_ph_compensation, "manu_ph_compensation"},
                                                 {id::manu_current_control_stop, "manu_current_control_stop"},
                                                 {id::manu_current_PID_influence, "manu_current_PID_influence"},
                                                 {id::manu_check_threshold_enabled, kThr},
                                                 {id::manu_check_monitoring_enabled, kMon}};
  for (const auto& [item, variable] : pairs) {
    SCOPED_TRACE(variable);
    auto added = at("add " + std::to_string(item));
    ASSERT_LT(added + 1, static_cast<long>(lines.size()));
    EXPECT_EQ(lines[added + 1], "read " + variable);
  }
}

// ------------------------------------------------------------------ rules both lists share

// The compensation step: which items the write list gets and what it reads there; the
// read list adds the manual compensation exactly where the write list does.
TEST_F(TransferLists, CompensationByFourValues) {
  const std::string s = "manu_sensor_type", p = "manu_pH_enabled", m = "manu_mode", c = "manu_ph_compensation";
  struct Case {
    int sensor, ph, mode, compensation;
    std::vector<ObjId> items;
    std::vector<std::string> reads;
  };
  const Case cases[] = {
      {3, 1, 1, 1, {}, {s}},
      {7, 0, 0, 1, {}, {s}},
      {2, 1, 2, 1, {}, {s, p, m}},
      {2, 1, 1, 1, {id::manu_ph_compensation, id::manu_ph_compensation_manual}, {s, p, m, c}},
      {0, 1, 0, 0, {id::manu_ph_compensation}, {s, p, m, c}},
      {1, 0, 2, 1, {id::manu_ph_compensation, id::manu_ph_compensation_manual}, {s, p, c}},
      {2, 2, 2, 3, {id::manu_ph_compensation}, {s, p, c}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.sensor << "/" << k.ph << "/" << k.mode << "/" << k.compensation);
    const Values values{{s, k.sensor}, {p, k.ph}, {m, k.mode}, {c, k.compensation}};
    MenuAnswer write = AskWith(kWriteList, values);
    EXPECT_EQ(Among(write, {id::manu_ph_compensation, id::manu_ph_compensation_manual}), k.items);
    EXPECT_EQ(ReadsBetween(write, "manu_control_stop", "manu_current_input_enabled"), k.reads);
    MenuAnswer read = AskWith(kReadList, values);
    bool manual = std::find(k.items.begin(), k.items.end(), id::manu_ph_compensation_manual) != k.items.end();
    EXPECT_EQ(Among(read, {id::manu_ph_compensation, id::manu_ph_compensation_manual}),
              manual ? std::vector<ObjId>{id::manu_ph_compensation_manual} : std::vector<ObjId>{});
    EXPECT_EQ(ReadsBetween(read, "manu_control_stop", "manu_current_input_enabled"), k.reads);
  }
}

// The current input group; the read list never shows the two switches themselves.
TEST_F(TransferLists, CurrentInputGroupByThreeValues) {
  struct Case {
    int input, stop, influence;
    std::vector<ObjId> items;  // of the write list
    size_t reads;
  };
  const ObjId stop = id::manu_current_control_stop, influence = id::manu_current_PID_influence,
              factor = id::manu_current_k_influence;
  const std::vector<ObjId> group{stop,
                                 id::manu_current_switch_off_delay,
                                 id::manu_current_switch_on_delay,
                                 id::manu_current_switch_off_value,
                                 id::manu_current_switch_off_direction,
                                 influence,
                                 factor};
  const Case cases[] = {
      {0, 1, 1, {}, 1},
      {2, 1, 1, {}, 1},
      {1, 1, 1, group, 3},
      {1, 1, 0, std::vector<ObjId>(group.begin(), group.end() - 1), 3},
      {1, 0, 1, {stop, influence, factor}, 3},
      {1, 0, 0, {stop, influence}, 3},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.input << "/" << k.stop << "/" << k.influence);
    const Values values{{"manu_sensor_type", 3},
                        {"manu_current_input_enabled", k.input},
                        {"manu_current_control_stop", k.stop},
                        {"manu_current_PID_influence", k.influence}};
    MenuAnswer write = AskWith(kWriteList, values);
    EXPECT_EQ(Among(write, group), k.items);
    EXPECT_EQ(ReadsBetween(write, "manu_sensor_type", "manu_pH_enabled").size(), k.reads);
    MenuAnswer read = AskWith(kReadList, values);
    std::vector<ObjId> expected;
    for (ObjId item : k.items)
      if (item != stop && item != influence) expected.push_back(item);
    EXPECT_EQ(Among(read, group), expected);
    EXPECT_EQ(ReadsBetween(read, "manu_sensor_type", kThr).size(), k.reads);
  }
}

// Low and high limits by check selection and threshold setting, with the error delay,
// which follows the threshold setting alone.
TEST_F(TransferLists, LimitItemsBySelectionAndThresholdSetting) {
  struct Sets {
    std::set<int> low, high;
  };
  const std::vector<ObjId> limitItems{id::manu_check_error_delay, id::manu_check_threshold_low,
                                      id::manu_check_threshold_high};
  const std::map<int, Sets> bySelection{{0, {{1, 3, 5}, {2, 3, 4, 5}}}, {1, {{1, 3, 4, 6}, {2, 3, 5, 6}}}};
  for (int selection : {0, 1, 2, -1}) {
    for (int threshold = 0; threshold <= 7; ++threshold) {
      SCOPED_TRACE(testing::Message() << selection << "/" << threshold);
      auto sets = bySelection.find(selection);
      std::vector<ObjId> expected;
      if (threshold != 0) expected.push_back(id::manu_check_error_delay);
      if (sets != bySelection.end() && sets->second.low.count(threshold))
        expected.push_back(id::manu_check_threshold_low);
      if (sets != bySelection.end() && sets->second.high.count(threshold))
        expected.push_back(id::manu_check_threshold_high);
      for (const char* list : {kReadList, kWriteList}) {
        MenuAnswer a = AskWith(list, {{kSel, selection}, {kThr, threshold}});
        EXPECT_EQ(Among(a, limitItems), expected) << list;
      }
    }
  }
}

TEST_F(TransferLists, LimitTestsReadAfreshInBothParts) {
  struct Case {
    int selection, threshold;
    std::vector<std::string> reads;  // after the error delay test, up to the monitoring
  };
  const Case cases[] = {
      {2, 3, {kSel, kSel, kSel, kSel}},
      {1, 3, {kSel, kSel, kThr, kThr, kSel, kSel, kThr, kThr}},
      {0, 4, Join({{kSel}, Times(3, kThr), {kSel, kSel}, Times(3, kThr)})},
      {1, 7, Join({{kSel, kSel}, Times(4, kThr), {kSel, kSel}, Times(4, kThr)})},
      {1, 5, Join({{kSel, kSel}, Times(4, kThr), {kSel, kSel}, Times(3, kThr)})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.selection << "/" << c.threshold);
    for (const char* list : {kReadList, kWriteList}) {
      MenuAnswer a = AskWith(list, {{kSel, c.selection}, {kThr, c.threshold}, {kMon, 3}});
      EXPECT_EQ(ReadsBetween(a, kThr, kMon), c.reads) << list;
    }
  }
}

TEST_F(TransferLists, MonitoringItemsForSettingsThreeToSix) {
  const std::vector<ObjId> monitoringItems{id::manu_check_low_alarm_time_max, id::manu_check_high_alarm_time_max,
                                           id::manu_check_limit_value};
  for (int monitoring = 0; monitoring <= 8; ++monitoring) {
    SCOPED_TRACE(monitoring);
    bool shown = monitoring >= 3 && monitoring <= 6;
    long reads = shown ? monitoring - 2 : 4;
    for (const char* list : {kReadList, kWriteList}) {
      MenuAnswer a = AskWith(list, {{kMon, monitoring}});
      EXPECT_EQ(Among(a, monitoringItems), shown ? monitoringItems : std::vector<ObjId>{}) << list;
      EXPECT_EQ(Count(a.reads, kMon), reads) << list;
    }
  }
}

// A value the host cannot give matches no case, also not an inequality or an "otherwise".
TEST_F(TransferLists, MissingValuesMatchNoCase) {
  SetNoValue("manu_relay_number");
  SetNoValue(kThr);
  SetNoValue("manu_pH_enabled");
  MenuAnswer read = Ask(kReadList);
  EXPECT_EQ(read.items.back(), id::manu_serial_num);
  EXPECT_FALSE(Has(read, id::manu_check_error_delay));
  EXPECT_FALSE(Has(read, id::manu_ph_compensation_manual));
  MenuAnswer write = Ask(kWriteList);
  EXPECT_TRUE(Among(write, {id::manu_ph_compensation, id::manu_ph_compensation_manual, id::manu_check_select,
                            id::manu_check_error_delay, id::manu_check_threshold_low, id::manu_check_threshold_high})
                  .empty());

  Set({{"manu_relay_number", 1}, {"manu_relay_function", 4}, {"manu_sensor_type", 3}});
  SetNoValue("manu_relay_PID_mode");
  MenuAnswer pid = Ask(kReadList);
  EXPECT_TRUE(Between(pid, id::manu_relay_PID_charac, id::manu_relay_PID_basic_load).empty());
}

// Any mix of values: lengths and read counts stay within their bounds and no item twice.
TEST_F(TransferLists, RandomValuesStayWithinBounds) {
  std::mt19937 random(20240611);
  const int codes[] = {0, 10, 11, 70, 170, 171};
  for (int round = 0; round < 150; ++round) {
    // Every other round keeps to 0..2, where most tests are decided.
    std::uniform_int_distribution<int> pick(0, round % 2 ? 2 : 8);
    Values values = AllZero();
    for (auto& [name, value] : values)
      value = name == "manu_alarm_error_code_select" ? codes[pick(random) % 6] : pick(random);
    SCOPED_TRACE(round);
    Set(values);
    MenuAnswer read = Ask(kReadList);
    EXPECT_GE(read.items.size(), 31u);
    EXPECT_LE(read.items.size(), 57u);
    EXPECT_GE(read.reads.size(), 12u);
    EXPECT_LE(read.reads.size(), 67u);
    MenuAnswer write = Ask(kWriteList);
    EXPECT_GE(write.items.size(), 17u);
    EXPECT_LE(write.items.size(), 35u);
    EXPECT_GE(write.reads.size(), 10u);
    EXPECT_LE(write.reads.size(), 27u);
  }
}

}  // namespace
