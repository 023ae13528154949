// The factory resets of the physical block and the sensor and general reset behind
// the write lock: dialogues, the values written, and where an abort stops them.
#include <gtest/gtest.h>

#include <string>

#include "method_script.h"
#include "methods/texts.h"
#include "module/latin1.h"

namespace {

using namespace testing_support;

const std::string kWriteReset = WriteC("write_phys_factory_reset");

struct FactoryReset {
  const char* method;
  std::string locals, dialogue;
  int code;
};

std::vector<FactoryReset> FactoryResets(dtmhost::Host& host) {
  auto params = host.Request("method_phys_factory_reset_params");
  const std::string label = *static_cast<CDDMethod&>(*params).getLabel();
  return {
      {"method_phys_factory_reset_params", "status=int 0", "acknowledge(" + ddlib::quote(label) + ", 0)", 1},
      {"method_phys_factory_reset_warm", "status=int 0, sz=text \"[phys_device_reset_cmd]\", iLen=int 512",
       "acknowledge(\"[phys_device_reset_cmd]\", 0)", 2506},
      {"method_phys_factory_reset_address", "status=int 0, sz=text \"[factory_reset_ADDRESS]\", iLen=int 512",
       "acknowledge(\"[factory_reset_ADDRESS]\", 0)", 2712},
  };
}

TEST(FactoryResets, ConfirmPutTheCodeAndWriteIt) {
  auto host = OpenPlugin();
  for (const FactoryReset& reset : FactoryResets(*host)) {
    for (bool suppress : {false, true}) {
      dtmhost::Script script;
      if (suppress) script.abortFrom = 1;
      auto run = host->RunMethod(reset.method, script, suppress);
      EXPECT_EQ(Lines(run.trace), Framed(reset.method, {"setLocalVariables(" + reset.locals + ")", reset.dialogue,
                                                        kCheck, PutI("phys_factory_reset", reset.code),
                                                        kWriteReset, kCheck}));
      EXPECT_EQ(run.result, 0);
    }
  }
}

// A stop at the dialogue writes nothing; a stop after the write has sent it.
TEST(FactoryResets, AbortAtTheDialogueOrAfterTheWrite) {
  auto host = OpenPlugin();
  for (const FactoryReset& reset : FactoryResets(*host)) {
    for (int abortFrom : {1, 2}) {
      dtmhost::Script script;
      script.abortFrom = abortFrom;
      auto run = host->RunMethod(reset.method, script);
      EXPECT_EQ(run.result, MethodResultAborted);
      EXPECT_EQ(Count(run.trace, "writeCommand"), abortFrom - 1) << reset.method;
      EXPECT_EQ(Count(run.trace, "abortMethod"), 1);
    }
  }
}

TEST(FactoryResets, DeviceSpecificWritesWhatTheUserEntered) {
  auto host = OpenPlugin();
  for (int entered : {1, 2506, 2712, 40000}) {
    dtmhost::Script script;
    script.edits["phys_factory_reset"] = CDDCommonVariant(entered);
    auto run = host->RunMethod("method_phys_factory_reset_device_specific", script);
    EXPECT_EQ(Lines(run.trace),
              Framed("method_phys_factory_reset_device_specific",
                     {"setLocalVariables(status=int 0, sz=text \"\", iLen=int 0)",
                      "askVariableValue(" + ddlib::quote("Reset  |de|Rücksetzen  |fr|Remise à zéro  |it|Reset  |es|Reset"_latin1) +
                          ", 0, \"phys_factory_reset\")",
                      kCheck, kWriteReset, kCheck}));
    EXPECT_EQ(host->store().value("phys_factory_reset")->getInt(), entered);
  }
}

TEST(DeviceResets, WriteOnlyWhenUnlocked) {
  auto host = OpenPlugin();
  for (const auto& [method, reset] : {std::pair{"method_reset_sensor", 1}, std::pair{"method_reset_general", 2}}) {
    for (int code : {83, 0, 12}) {
      SetValues(*host, {{"manu_reset_device", 0}});
      dtmhost::Script script;
      script.device["read_manu_alarm_enable_code"] = {{"manu_alarm_enable_code", CDDCommonVariant(code)}};
      auto run = host->RunMethod(method, script);
      Lines_t body = {ReadC("read_manu_alarm_enable_code"), kCheck, Get("manu_alarm_enable_code")};
      if (code == 83)
        body.insert(body.end(), {PutI("manu_reset_device", reset), WriteC("write_manu_reset_device"), kCheck});
      else
        body.insert(body.end(), {"setLocalVariables(status=int 0)",
                                 "acknowledge(" + ddlib::quote(methods::text::kNoAccess) + ", 0)", kCheck});
      EXPECT_EQ(Lines(run.trace), Framed(method, body)) << method << " " << code;
      EXPECT_EQ(run.result, 0);
      EXPECT_EQ(host->store().value("manu_reset_device")->getInt(), code == 83 ? reset : 0);
    }
  }
}

// An abort noticed after the write still leaves the reset sent.
TEST(DeviceResets, AbortAfterTheWrite) {
  auto host = OpenPlugin();
  dtmhost::Script script;
  script.device["read_manu_alarm_enable_code"] = {{"manu_alarm_enable_code", CDDCommonVariant(83)}};
  script.abortFrom = 2;
  auto run = host->RunMethod("method_reset_general", script);
  EXPECT_EQ(run.result, MethodResultAborted);
  EXPECT_EQ(Named(run.trace, "writeCommand"), Lines_t{"write_manu_reset_device"});
  EXPECT_EQ(Ops(run.trace).end()[-5], "isAbortPending");
}

}  // namespace
