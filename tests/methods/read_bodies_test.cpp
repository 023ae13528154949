#include <gtest/gtest.h>

#include <set>
#include <string>

#include "host_trace.h"

namespace {

using testing_support::Count;
using testing_support::Lines;
using testing_support::Named;
using testsupport::OpenPlugin;
using testing_support::Ops;
using Names = std::vector<std::string>;

class ReadBodies : public ::testing::Test {
 protected:
  std::unique_ptr<dtmhost::Host> host = OpenPlugin();

  void Set(const std::string& name, int value) { host->store().setValue(name, CDDCommonVariant(value)); }
  dtmhost::Host::Run Run(const std::string& method, dtmhost::Script script = {}, bool suppress = false) {
    return host->RunMethod(method, std::move(script), suppress);
  }
  static Names Reads(const dtmhost::Host::Run& run) { return Named(run.trace, "readCommand"); }
};

// Every device operation is followed at once by its abort check.
void ExpectEveryReadChecked(const dtmhost::Host::Run& run) {
  const auto ops = Ops(run.trace);
  for (std::size_t i = 0; i < ops.size(); ++i)
    if (ops[i] == "readCommand") {
      ASSERT_LT(i + 1, ops.size());
      EXPECT_EQ(ops[i + 1], "isAbortPending");
    }
}

// ---------------------------------------------------------------- read-back methods

const char* const kPerFunction[] = {
    nullptr,
    "meth_read_function_params_1",
    "meth_read_function_params_sv",
    "meth_read_function_params_2",
    "meth_read_function_params_PID",
    "meth_read_function_params_PID",
    "meth_read_function_params_timer",
    "meth_read_function_params_clean",
    "meth_read_function_params_3Pstep",
};

// The general method reads, for each relay function code, exactly what that
// function's own method reads; any other code reads nothing.
TEST_F(ReadBodies, FunctionParamsFollowTheRelayFunction) {
  const std::map<int, std::pair<int, int>> counts = {{1, {6, 6}}, {2, {6, 6}}, {3, {6, 6}}, {4, {9, 8}},
                                                     {5, {9, 8}}, {6, {3, 3}}, {7, {8, 8}}, {8, {6, 6}}};
  for (int code = -1; code <= 9; ++code) {
    for (int pidMode : {0, 1, 2}) {
      SCOPED_TRACE("code " + std::to_string(code) + " mode " + std::to_string(pidMode));
      Set("manu_relay_function", code);
      Set("manu_relay_PID_mode", pidMode);
      auto run = Run("meth_read_function_params");
      ExpectEveryReadChecked(run);
      EXPECT_EQ(Named(run.trace, "getIntegerValue").front(), "manu_relay_function");
      EXPECT_EQ(run.result, 0);
      if (code < 1 || code > 8) {
        EXPECT_TRUE(Reads(run).empty());
        EXPECT_EQ(Count(run.trace, "getIntegerValue"), 1);
        continue;
      }
      const auto& [withPulseLength, withPulseFrequency] = counts.at(code);
      EXPECT_EQ(Reads(run).size(), static_cast<std::size_t>(pidMode == 0 ? withPulseLength : withPulseFrequency));
      EXPECT_EQ(Reads(run), Reads(Run(kPerFunction[code])));
    }
  }
}

TEST_F(ReadBodies, PidTailBranchesOnTheModeReadJustBefore) {
  Set("manu_relay_function", 5);
  Set("manu_relay_PID_mode", 1);
  dtmhost::Script script;
  script.device["read_manu_relay_PID_mode"]["manu_relay_PID_mode"] = CDDCommonVariant(0);
  EXPECT_EQ(Reads(Run("meth_read_function_params", script)),
            (Names{"read_manu_relay_PID_sv_nominal_value", "read_manu_relay_PID_Kp", "read_manu_relay_PID_Tn",
                   "read_manu_relay_PID_Tv", "read_manu_relay_PID_charac", "read_manu_relay_PID_mode",
                   "read_manu_relay_PID_pulse_period", "read_manu_relay_PID_switch_on_min",
                   "read_manu_relay_PID_basic_load"}));

  Set("manu_relay_function", 4);
  script.device["read_manu_relay_PID_mode"]["manu_relay_PID_mode"] = CDDCommonVariant(1);
  Names reads = Reads(Run("meth_read_function_params", script));
  ASSERT_EQ(reads.size(), 8u);
  EXPECT_EQ(reads.front(), "read_manu_relay_PID_nominal_value");
  EXPECT_EQ(Names(reads.end() - 3, reads.end()),
            (Names{"read_manu_relay_PID_mode", "read_manu_relay_PID_pulse_freq", "read_manu_relay_PID_basic_load"}));
}

TEST_F(ReadBodies, PidMethodReadsTheTailForAnyFunction) {
  Set("manu_relay_function", 6);
  Set("manu_relay_PID_mode", 0);
  auto run = Run("meth_read_function_params_PID");
  EXPECT_EQ(Named(run.trace, "getIntegerValue"),
            (Names{"manu_relay_function", "manu_relay_function", "manu_relay_PID_mode"}));
  EXPECT_EQ(Reads(run).size(), 8u);
  EXPECT_EQ(Reads(run).front(), "read_manu_relay_PID_Kp");

  Set("manu_relay_function", 4);
  run = Run("meth_read_function_params_PID");
  EXPECT_EQ(Named(run.trace, "getIntegerValue"), (Names{"manu_relay_function", "manu_relay_PID_mode"}));
  EXPECT_EQ(Reads(run).front(), "read_manu_relay_PID_nominal_value");
}

TEST_F(ReadBodies, FixedMethodsNeverLookAtTheRelayFunction) {
  Set("manu_relay_function", 1);
  for (const char* method : {"meth_read_function_params_1", "meth_read_function_params_sv",
                             "meth_read_function_params_2", "meth_read_function_params_timer",
                             "meth_read_function_params_clean", "meth_read_function_params_3Pstep",
                             "meth_read_alarm_status_params"}) {
    auto run = Run(method);
    EXPECT_EQ(Count(run.trace, "getIntegerValue"), 0) << method;
    EXPECT_FALSE(Reads(run).empty()) << method;
    // Every command read is a catalogue command that brings its variable.
    for (const std::string& command : Reads(run)) {
      const auto& sets = host->store().commandSets();
      ASSERT_TRUE(sets.count(command)) << command;
      EXPECT_EQ(sets.at(command).reply.size(), 1u) << command;
    }
  }
}

TEST_F(ReadBodies, AbortDuringTheCleaningListStopsTheRest) {
  dtmhost::Script script;
  script.abortFrom = 3;
  auto stopped = Run("meth_read_function_params_clean", script, false);
  EXPECT_EQ(stopped.result, MethodResultAborted);
  EXPECT_EQ(Reads(stopped).size(), 3u);
  EXPECT_EQ(Reads(stopped).back(), "read_manu_relay_clean_time");
  EXPECT_EQ(Count(stopped.trace, "abortMethod"), 1);
  EXPECT_EQ(Count(stopped.trace, "setResult"), 1);

  auto suppressed = Run("meth_read_function_params_clean", script, true);
  EXPECT_EQ(suppressed.result, 0);
  EXPECT_EQ(Reads(suppressed).size(), 8u);
}

TEST_F(ReadBodies, TemperatureEntryReadsTheCorrectionFirst) {
  const Names both = {"read_manu_temperature_offset", "read_manu_temperature_process_entry"};
  EXPECT_EQ(Reads(Run("meth_changed_manu_temperature_process_entry")), both);
  dtmhost::Script script;
  script.abortFrom = 1;
  auto stopped = Run("meth_changed_manu_temperature_process_entry", script, false);
  EXPECT_EQ(Reads(stopped), Names{both[0]});
  EXPECT_EQ(stopped.result, MethodResultAborted);
  EXPECT_EQ(Reads(Run("meth_changed_manu_temperature_process_entry", script, true)), both);
}

// ---------------------------------------------------------------- pre-read levels

TEST_F(ReadBodies, LevelOneReadsWhatTheLaterLevelsTest) {
  auto run = Run("pre_read_dependencies_level_1");
  const Names reads = Reads(run);
  EXPECT_EQ(reads.size(), 12u);
  EXPECT_EQ(std::set<std::string>(reads.begin(), reads.end()).size(), 12u);
  EXPECT_EQ(reads.front(), "read_manu_control_stop");
  EXPECT_EQ(reads.back(), "read_manu_sensor_type");
  for (const char* tested : {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function",
                             "manu_relay_number", "manu_sensor_type"})
    EXPECT_NE(std::find(reads.begin(), reads.end(), std::string("read_") + tested), reads.end()) << tested;
  EXPECT_EQ(Count(run.trace, "getIntegerValue"), 0);
  ExpectEveryReadChecked(run);

  dtmhost::Script script;
  script.abortFrom = 4;
  auto stopped = Run("pre_read_dependencies_level_1", script, false);
  EXPECT_EQ(Reads(stopped), Names(reads.begin(), reads.begin() + 4));
  EXPECT_EQ(stopped.result, MethodResultAborted);
}

TEST_F(ReadBodies, LevelTwoReadsWhatTheSwitchesEnable) {
  struct Case {
    int pH, current, function, relays;
    Names fetched, reads;
  };
  const Case cases[] = {
      {0, 0, 1, 2,
       {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function", "manu_relay_function"},
       {}},
      {1, 0, 0, 2,
       {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function", "manu_relay_function"},
       {"read_manu_mode", "read_manu_mode_help"}},
      {1, 1, 0, 2,
       {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function", "manu_relay_function"},
       {"read_manu_mode", "read_manu_mode_help", "read_manu_current_control_stop",
        "read_manu_current_PID_influence"}},
      {0, 0, 4, 0,
       {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function", "manu_relay_number"},
       {}},
      {0, 0, 5, 2,
       {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function", "manu_relay_function",
        "manu_relay_number"},
       {"read_manu_relay_PID_mode"}},
      {2, 2, 4, -1,
       {"manu_pH_enabled", "manu_current_input_enabled", "manu_relay_function", "manu_relay_number"},
       {"read_manu_relay_PID_mode"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.pH << " " << c.current << " " << c.function << " " << c.relays);
    Set("manu_pH_enabled", c.pH);
    Set("manu_current_input_enabled", c.current);
    Set("manu_relay_function", c.function);
    Set("manu_relay_number", c.relays);
    auto run = Run("pre_read_dependencies_level_2");
    EXPECT_EQ(Named(run.trace, "getIntegerValue"), c.fetched);
    EXPECT_EQ(Reads(run), c.reads);
    ExpectEveryReadChecked(run);
  }
}

TEST_F(ReadBodies, LevelThreeReadsThePhCompensationUnlessRedox) {
  struct Case {
    int sensor, pH, mode;
    Names fetched;
    bool reads;
  };
  const Case cases[] = {
      {3, 1, 1, {"manu_sensor_type"}, false},
      {1, 1, 2, {"manu_sensor_type", "manu_pH_enabled", "manu_mode"}, false},
      {1, 1, 1, {"manu_sensor_type", "manu_pH_enabled", "manu_mode"}, true},
      {2, 0, 2, {"manu_sensor_type", "manu_pH_enabled"}, true},
      {0, 1, 0, {"manu_sensor_type", "manu_pH_enabled", "manu_mode"}, true},
      {-5, 7, 2, {"manu_sensor_type", "manu_pH_enabled"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.sensor << " " << c.pH << " " << c.mode);
    Set("manu_sensor_type", c.sensor);
    Set("manu_pH_enabled", c.pH);
    Set("manu_mode", c.mode);
    auto run = Run("pre_read_dependencies_level_3");
    EXPECT_EQ(Named(run.trace, "getIntegerValue"), c.fetched);
    EXPECT_EQ(Reads(run), c.reads ? Names{"read_manu_ph_compensation"} : Names{});
  }
}

// ---------------------------------------------------------------- software revision

TEST_F(ReadBodies, SoftwareRevisionTakesTheDigitsOfCharactersTwoToSix) {
  struct Case {
    int codes[6];  // characters 1 to 6
    int number;
    int asks;  // 1 below '0', 2 above '9', 3 for a digit
  };
  const Case cases[] = {
      {{'V', 50, 46, 52, 48, 46}, 240, 3 + 1 + 3 + 3 + 1},
      {{'V', 48, 49, 46, 48, 50}, 102, 3 + 3 + 1 + 3 + 3},
      {{'7', 'a', '.', 'b', ' ', 'z'}, 0, 2 + 1 + 2 + 1 + 2},
      {{'1', 47, 58, 47, 58, 47}, 0, 1 + 2 + 1 + 2 + 1},
      {{'x', 57, 57, 57, 57, 57}, 99999, 15},
      {{'x', -48, 255, 48, 57, 0}, 9, 1 + 2 + 3 + 3 + 1},
  };
  const char* const characters[] = {"phys_software_rev_000", "phys_software_rev_001", "phys_software_rev_002",
                                    "phys_software_rev_003", "phys_software_rev_004", "phys_software_rev_005"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    dtmhost::Script script;
    for (int i = 0; i < 6; ++i)
      script.device["read_phys_software_rev_numeric"][characters[i]] = CDDCommonVariant(c.codes[i]);
    auto run = Run("GetNumericSoftwareRevision", script);
    EXPECT_EQ(Reads(run), Names{"read_phys_software_rev_numeric"});
    EXPECT_EQ(Count(run.trace, "getIntegerValue"), c.asks);
    EXPECT_EQ(Lines(run.trace).at(run.trace.size() - 3),
              "putIntegerValue(\"phys_software_rev_numeric\", " + std::to_string(c.number) + ")");
  }
}

TEST_F(ReadBodies, SoftwareRevisionPutsNothingAfterAnAbort) {
  dtmhost::Script script;
  script.abortFrom = 1;
  auto stopped = Run("GetNumericSoftwareRevision", script, false);
  EXPECT_EQ(stopped.result, MethodResultAborted);
  EXPECT_EQ(Count(stopped.trace, "getIntegerValue") + Count(stopped.trace, "putIntegerValue"), 0);
  EXPECT_EQ(Count(Run("GetNumericSoftwareRevision", script, true).trace, "putIntegerValue"), 1);
}

// ---------------------------------------------------------------- delay and messages

TEST_F(ReadBodies, DelayAndMessagesPublishAnEmptyCollectionFirst) {
  struct Case {
    const char* method;
    std::string dialogue;
  };
  const Case cases[] = {
      {"method_delay_1s", "delay(1, \"1s\", 0)"},
      {"method_delay_1s_ONLINE", "delay(1, \"1s\", 0)"},
      {"method_message_no_relays", "delay(2, \"Relays are not accessible  |de|Relais sind nicht erreichbar\", 0)"},
      {"method_message_no_access",
       "acknowledge(\"No access!\\nAccess code required\\nsee Menu Device -> Access code  |de|Kein "
       "Zugriff!\\nCode Eingabe erforderlich\\ns. Men\\xFC Ger\\xE4t -> Verriegelung  |fr|Pas "
       "d'entr\\xE9" "e!\\nEntr\\xE9" "e code n\\xE9" "cessaire\\n  |it|Nessun accesso!\\nCodice accesso "
       "necessaria\\n\", 0)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    for (bool suppress : {false, true}) {
      dtmhost::Script script;
      script.abortFrom = 1;
      auto run = Run(c.method, script, suppress);
      std::vector<std::string> lines = Lines(run.trace);
      ASSERT_GE(lines.size(), 5u);
      EXPECT_EQ(Names(lines.begin() + 2, lines.begin() + 5), (Names{"setLocalVariables()", c.dialogue, "isAbortPending()"}));
      EXPECT_EQ(Count(run.trace, "setLocalVariables"), 1);
      EXPECT_EQ(run.result, suppress ? 0 : MethodResultAborted);
      EXPECT_EQ(Count(run.trace, "abortMethod"), suppress ? 0 : 1);
    }
  }
}

}  // namespace
