// The lock and restore around a transfer, the sensor-type guard with the method it
// runs, and the access check of the parameter set.
#include <gtest/gtest.h>

#include <string>

#include "method_script.h"
#include "methods/texts.h"

namespace {

using namespace testing_support;

const std::string kCode = "manu_alarm_enable_code", kBackup = "manu_alarm_enable_code_BACKUP",
                  kVersion = "manu_s_version_enabled";
const Lines_t kWriteCode = {WriteC("write_manu_alarm_enable_code"), kCheck};
const Lines_t kRereadVersion = {ReadC("read_manu_s_version_enabled"), kCheck, Get(kVersion), PutI(kVersion, 1)};

// The device reports the version setting 1 while the host still holds 0.
dtmhost::Script VersionDevice() {
  dtmhost::Script script;
  script.device["read_manu_s_version_enabled"] = {{kVersion, CDDCommonVariant(1)}};
  return script;
}

TEST(UploadLock, UnlocksBeforeAndRestoresTheDeviceCodeAfter) {
  auto host = OpenPlugin();
  for (int reported : {0, 83, 1234}) {
    SetValues(*host, {{"manu_alarm_enable_code_DIAGNOSTIC", reported}, {kCode, reported}, {kVersion, 0}});
    auto lock = host->RunMethod("pre_write_upload_variables_lock", VersionDevice());
    EXPECT_EQ(Lines(lock.trace),
              Framed("pre_write_upload_variables_lock",
                     Cat({{Get("manu_alarm_enable_code_DIAGNOSTIC"), PutI(kBackup, reported), PutI(kCode, 83)},
                          kWriteCode, kRereadVersion, {"saveValues()"}})));
    auto restore = host->RunMethod("post_write_upload_variables_lock", {});
    EXPECT_EQ(Lines(restore.trace), Framed("post_write_upload_variables_lock",
                                           Cat({{Get(kBackup), PutI(kCode, reported)}, kWriteCode, {"saveValues()"}})));
    EXPECT_EQ(host->store().value(kCode)->getInt(), reported);
    EXPECT_EQ(lock.result + restore.result, 0);
  }
}

// A stop after the code write leaves the device unlocked and the backup set; the
// restore then skips only its saveValues.
TEST(UploadLock, AbortAfterTheWrite) {
  auto host = OpenPlugin();
  SetValues(*host, {{"manu_alarm_enable_code_DIAGNOSTIC", 7}, {kCode, 7}});
  dtmhost::Script script = VersionDevice();
  script.abortFrom = 1;
  auto lock = host->RunMethod("pre_write_upload_variables_lock", script);
  EXPECT_EQ(Lines(lock.trace),
            Framed("pre_write_upload_variables_lock",
                   Cat({{Get("manu_alarm_enable_code_DIAGNOSTIC"), PutI(kBackup, 7), PutI(kCode, 83)}, kWriteCode,
                        {"abortMethod(0)"}}),
                   true));
  EXPECT_EQ(host->store().value(kCode)->getInt(), 83);
  EXPECT_EQ(host->store().value(kBackup)->getInt(), 7);
  script.abortFrom = 1;
  auto restore = host->RunMethod("post_write_upload_variables_lock", script);
  EXPECT_EQ(Lines(restore.trace),
            Framed("post_write_upload_variables_lock",
                   Cat({{Get(kBackup), PutI(kCode, 7)}, kWriteCode, {"abortMethod(0)"}}), true));
  EXPECT_EQ(restore.result, MethodResultAborted);
}

TEST(SensorTypeGuard, PassesWhenTheDeviceHasTheSetsSensorType) {
  auto host = OpenPlugin();
  SetValues(*host, {{"manu_sensor_type_local", 2}, {"manu_sensor_type_diagnostic", 2}});
  auto run = host->RunMethod("method_WriteToDevice_PRE_WRITE", {});
  EXPECT_EQ(Lines(run.trace), Framed("method_WriteToDevice_PRE_WRITE", {Get("manu_sensor_type_local"),
                                                                         Get("manu_sensor_type_diagnostic")}));
  EXPECT_EQ(run.result, 0);
}

// A changed sensor type is written alone and the transfer stops with the message,
// whether or not that write itself was stopped.
TEST(SensorTypeGuard, ChangedSensorTypeIsWrittenAloneAndTheTransferStops) {
  auto host = OpenPlugin();
  for (bool abortInside : {false, true}) {
    SetValues(*host, {{"manu_sensor_type_local", 3}, {"manu_sensor_type_diagnostic", 1}, {"manu_sensor_type", 1}});
    dtmhost::Script script;
    if (abortInside) script.abortFrom = 1;
    auto run = host->RunMethod("method_WriteToDevice_PRE_WRITE", script);
    Lines_t nested = {"createMethodContext()", "begin(\"method_write_manu_sensor_type\", 0)",
                      Get("manu_sensor_type_local"), PutI("manu_sensor_type", 3), WriteC("write_manu_sensor_type"),
                      kCheck};
    if (abortInside) nested.insert(nested.end(), {"abortMethod(0)", "setResult(-2)"});
    nested.insert(nested.end(), {"getResult()", "~CMethodContext()"});
    const Lines_t lines = Lines(run.trace);
    EXPECT_EQ(Lines_t(lines.begin(), lines.end() - 4),
              Cat({{"createMethodContext()", "begin(\"method_WriteToDevice_PRE_WRITE\", 0)",
                    Get("manu_sensor_type_local"), Get("manu_sensor_type_diagnostic"),
                    "callMethod(\"method_write_manu_sensor_type\")"},
                   nested}));
    EXPECT_EQ(Ops(run.trace).end()[-4], "abortWithMessage");
    EXPECT_EQ(Lines_t(lines.end() - 3, lines.end()), (Lines_t{"setResult(-2)", "getResult()", "~CMethodContext()"}));
    EXPECT_EQ(run.result, MethodResultAborted);
    EXPECT_EQ(host->store().value("manu_sensor_type")->getInt(), 3);
    const std::string message = Raw(run.trace.end()[-4].args.at(0));
    EXPECT_EQ(message.rfind("A parameter value controlling the type of sensor was changed by the user.  Downloading", 0),
              0u);
    EXPECT_NE(message.find("  |de|Ein Parameterwert der den Sensortyp des Ger\xE4tes"), std::string::npos);
    EXPECT_EQ(message.substr(message.size() - 17), "Download-Vorgang.");
  }
}

// Whichever sensor-type variable was edited, the copy follows manu_sensor_type.
TEST(SensorTypeGuard, RememberCopiesTheSensorTypeWithoutAbortCheck) {
  auto host = OpenPlugin();
  SetValues(*host, {{"manu_sensor_type", 2}, {"manu_sensor_type_diagnostic", 5}, {"manu_sensor_type_local", 0}});
  dtmhost::Script script;
  script.abortFrom = 1;
  auto run = host->RunMethod("method_manu_sensor_type_remember", script);
  EXPECT_EQ(Lines(run.trace), Framed("method_manu_sensor_type_remember",
                                     {Get("manu_sensor_type"), PutI("manu_sensor_type_local", 2), "saveValues()"}));
  EXPECT_EQ(host->store().value("manu_sensor_type_local")->getInt(), 2);
}

// The set's own code is written in both cases; a code that does not unlock is shown
// first and saved once more.
TEST(UploadAccessCheck, TellsTheUserWhenTheCodeDoesNotUnlock) {
  auto host = OpenPlugin();
  for (int code : {83, 0, 12}) {
    SetValues(*host, {{kCode, code}, {kVersion, 0}});
    auto run = host->RunMethod("pre_write_upload_variables", VersionDevice());
    Lines_t told;
    if (code != 83)
      told = {"setLocalVariables(ret=int 0, i=int 0, loc_manu_alarm_enable_code=int " + std::to_string(code) +
                  ", i_manu_s_version_enabled=int 0)",
              "acknowledge(" + ddlib::quote(methods::text::kNoAccess) + ", 0)", kCheck, "saveValues()"};
    EXPECT_EQ(Lines(run.trace), Framed("pre_write_upload_variables",
                                       Cat({{Get(kCode)}, told, {PutI(kCode, code)}, kWriteCode, kRereadVersion,
                                            {"saveValues()"}})))
        << code;
    EXPECT_EQ(run.result, 0);
  }
}

}  // namespace
