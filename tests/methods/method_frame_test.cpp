#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host_trace.h"
#include "methods/bodies.h"
#include "module/calculator.h"

namespace {

using testing_support::Lines;
using testsupport::OpenPlugin;
using Lines_t = std::vector<std::string>;

// Empty bodies run the bare frame whatever the abort state: no abort check, no
// publication, the context's own result.
TEST(MethodFrame, EmptyMethodsRunOnlyTheFrame) {
  auto host = OpenPlugin();
  int empty = 0;
  for (const methods::MethodRow& row : methods::Rows()) {
    if (row.body != methods::body::Empty) continue;
    ++empty;
    const std::string name = host->Find(row.id)->getName();
    for (bool suppress : {false, true}) {
      dtmhost::Script script;
      script.abortFrom = 1;
      script.normalResult = 7;
      auto run = host->RunMethod(name, script, suppress, -123456);
      EXPECT_EQ(run.result, 7) << name;
      EXPECT_EQ(Lines(run.trace), (Lines_t{"createMethodContext()", "begin(\"" + name + "\", -123456)",
                                           "getResult()", "~CMethodContext()"}))
          << name;
    }
  }
  EXPECT_EQ(empty, 27);
}

const Lines_t kAlarmReads = {"readCommand(\"read_manu_alarm_error_state\")",
                             "readCommand(\"read_manu_alarm_contact_enabled\")",
                             "readCommand(\"read_manu_alarm_cleaning_trigger\")"};

TEST(MethodFrame, PendingAbortStopsAfterTheFirstDeviceOperation) {
  auto host = OpenPlugin();
  dtmhost::Script script;
  script.abortFrom = 1;
  auto run = host->RunMethod("meth_read_alarm_status_params", script, false);
  EXPECT_EQ(run.result, MethodResultAborted);
  EXPECT_EQ(Lines(run.trace),
            (Lines_t{"createMethodContext()", "begin(\"meth_read_alarm_status_params\", 0)", kAlarmReads[0],
                     "isAbortPending()", "abortMethod(0)", "setResult(-2)", "getResult()", "~CMethodContext()"}));
}

TEST(MethodFrame, SuppressedAbortRunsEveryStatementAndStillAsks) {
  auto host = OpenPlugin();
  dtmhost::Script script;
  script.abortFrom = 1;
  auto run = host->RunMethod("meth_read_alarm_status_params", script, true);
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(Lines(run.trace),
            (Lines_t{"createMethodContext()", "begin(\"meth_read_alarm_status_params\", 0)", kAlarmReads[0],
                     "isAbortPending()", kAlarmReads[1], "isAbortPending()", kAlarmReads[2], "isAbortPending()",
                     "getResult()", "~CMethodContext()"}));
}

// An integer the context throws ends the run as stopped, without an abort check.
TEST(MethodFrame, IntegerThrownByTheContextEndsTheRunAsStopped) {
  auto host = OpenPlugin();
  dtmhost::Script script;
  script.throwAt = 3;
  script.throwValue = 42;
  auto run = host->RunMethod("meth_read_alarm_status_params", script, false);
  EXPECT_EQ(run.result, MethodResultAborted);
  EXPECT_EQ(Lines(run.trace), (Lines_t{"createMethodContext()", "begin(\"meth_read_alarm_status_params\", 0)",
                                       kAlarmReads[0], "setResult(-2)", "getResult()", "~CMethodContext()"}));
}

// Host services that give no method context.
struct NoContextServices : CHostServices {
  CMethodContext* createMethodContext(CHostContext*) override { return nullptr; }
  CHostObjectStore* getObjectStore() override { return nullptr; }
  CHostErrorHandler* getErrorHandler() override { return nullptr; }
};

bool g_bodyRan = false;

TEST(MethodFrame, NoContextAnswersMinusOneAndRunsNothing) {
  NoContextServices services;
  CDeviceAttributeCalculation calc;
  calc.Init(&services);
  calc.BuildCatalogue();
  CDDMethod method(calc.Definition(id::method_delay_1s));
  EXPECT_EQ(calc.ExecuteMethod(nullptr, &method, 0, false), -1);
  g_bodyRan = false;
  EXPECT_EQ(methods::RunMethod(calc, nullptr, &method, 0, false, &services,
                               [](methods::MethodRun&) { g_bodyRan = true; }),
            -1);
  EXPECT_FALSE(g_bodyRan);
}

// Anything but an integer passes to the caller; the context and the published values
// are still freed.
TEST(MethodFrame, OtherExceptionsPassAndFreeEverything) {
  CDeviceAttributeCalculation calc;
  auto host = dtmhost::Host::Attach(&calc);
  CDDMethod method(calc.Definition(id::method_delay_1s));
  const int before = dtmhost::ScriptedContext::live();
  EXPECT_THROW(methods::RunMethod(calc, host->context(), &method, 0, false, host.get(),
                                  [](methods::MethodRun& run) {
                                    run.Local("status");
                                    run.Delay(1, "x");
                                    throw std::runtime_error("library failure");
                                  }),
               std::runtime_error);
  EXPECT_EQ(dtmhost::ScriptedContext::live(), before);
}

// The run helper on its own, against the reference host's scripted context.
class MethodRunTest : public ::testing::Test {
 protected:
  CDeviceAttributeCalculation calc;
  std::unique_ptr<dtmhost::Host> host = dtmhost::Host::Attach(&calc);
  dtmhost::Script script;
  std::vector<dtmhost::TraceEntry> trace;
  CAutoDeleteList owned;
  CDDCommonVariant scratch;
  dtmhost::ScriptedContext context{*host, script, trace, 0};
};

// Locals are published, in declaration order and with their current values, right
// before each dialogue operation and before nothing else.
TEST_F(MethodRunTest, PublishesLocalsBeforeEachDialogueOnly) {
  methods::MethodRun run(calc, context, scratch, owned, false);
  int& status = run.Local("status");
  std::string& sz = run.TextLocal("sz");
  int& iLen = run.Local("iLen");
  run.Read(id::read_manu_hold_time);
  run.Write(id::write_manu_hold_time);
  run.PutInt(id::manu_hold_time, 5);
  EXPECT_EQ(run.GetInt(id::manu_hold_time), 5);
  run.CallMethod(id::method_delay_1s);  // the nested run has a trace of its own shape
  trace.clear();
  iLen = 512;
  sz = "[phys_device_reset_cmd]";
  run.Acknowledge(sz.c_str());
  status = -3;
  run.Delay(2, "wait");
  run.Ask("Reset", id::phys_factory_reset);
  script.selections = {3};
  EXPECT_EQ(run.Select("Select", "a \n  b"), 3);
  const std::string before2 = "setLocalVariables(status=int -3, sz=text \"[phys_device_reset_cmd]\", iLen=int 512)";
  EXPECT_EQ(Lines(trace),
            (Lines_t{"setLocalVariables(status=int 0, sz=text \"[phys_device_reset_cmd]\", iLen=int 512)",
                     "acknowledge(\"[phys_device_reset_cmd]\", 0)", "isAbortPending()", before2,
                     "delay(2, \"wait\", 0)", "isAbortPending()", before2,
                     "askVariableValue(\"Reset\", 0, \"phys_factory_reset\")", "isAbortPending()", before2,
                     "selectFromList(\"Select\", 0, \"a \\n  b\")", "isAbortPending()"}));
}

TEST_F(MethodRunTest, ValueOperationsAreNotChecked) {
  methods::MethodRun run(calc, context, scratch, owned, false);
  script.abortFrom = 1;
  host->store().setValue("manu_hold_time", CDDCommonVariant(-7L));
  EXPECT_EQ(run.GetInt(id::manu_hold_time), -7);
  run.PutFloat(id::manu_check_limit_value, 0.1f);
  run.AssignInt(id::CommError_Delay_Read, 0);
  run.SaveValues();
  EXPECT_EQ(Lines(trace), (Lines_t{"getIntegerValue(\"manu_hold_time\")",
                                   "putFloatValue(\"manu_check_limit_value\", 0.100000001)",
                                   "assignIntegerValue(\"CommError_Delay_Read\", 0)", "saveValues()"}));
}

TEST_F(MethodRunTest, ExplicitStopsEndWhateverSuppressSays) {
  methods::MethodRun run(calc, context, scratch, owned, true);
  EXPECT_THROW(run.Abort(), int);
  EXPECT_THROW(run.AbortWithMessage("bye"), int);
  script.abortFrom = 1;
  EXPECT_NO_THROW(run.Read(id::read_manu_hold_time));
  EXPECT_EQ(Lines(trace), (Lines_t{"abort()", "abortWithMessage(\"bye\")", "readCommand(\"read_manu_hold_time\")",
                                   "isAbortPending()"}));
}

}  // namespace
