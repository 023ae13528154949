// The scripted method context: every call in the trace, answers from the script, puts
// reaching the store at once, nested runs through callMethod.
#include <gtest/gtest.h>

#include "dtmhost/host.h"
#include "fake_calculator.h"
#include "module/latin1.h"

namespace {

using dtmhost::Host;
using dtmhost::Script;
using dtmhost::ScriptedContext;
using dtmhost::TraceEntry;

std::vector<std::string> Ops(const std::vector<TraceEntry>& trace) {
  std::vector<std::string> ops;
  for (const auto& e : trace) ops.push_back(e.op);
  return ops;
}

class ContextTest : public ::testing::Test {
 protected:
  // Bodies must be in place before the host asks for the catalogue.
  Host& Start() {
    m_host = Host::Attach(&m_calc);
    return *m_host;
  }
  void TearDown() override {
    EXPECT_EQ(ScriptedContext::live(), 0);
    EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0);
  }

  FakeCalculator m_calc;
  std::unique_ptr<Host> m_host;
};

TEST_F(ContextTest, RecordsEveryCallWithItsArguments) {
  m_calc.bodies["m"] = [](CMethodContext& c) {
    auto* locals = new CVBCollection();
    CDDCommonVariant status(0), sz("[factory_reset_ADDRESS]");
    locals->Add("status", &status);
    locals->Add("sz", &sz);
    c.setLocalVariables(locals);
    c.acknowledge("Rücksetzen"_latin1, 0);
    c.delay(1, "1s", 0);
    c.putFloatValue("f", 0.1f);
    c.readCommand("read_a");
    c.writeCommand("write_a");
    c.saveValues();
  };
  Host& host = Start();
  Host::Run run = host.RunMethod("m", Script{}, false, 7);
  EXPECT_EQ(run.result, 0);
  const std::vector<TraceEntry> expected = {
      {"createMethodContext", {}},
      {"begin", {"\"m\"", "7"}},
      {"setLocalVariables", {"status=int 0", "sz=text \"[factory_reset_ADDRESS]\""}},
      {"acknowledge", {"\"R\\xFCcksetzen\"", "0"}},
      {"delay", {"1", "\"1s\"", "0"}},
      {"putFloatValue", {"\"f\"", "0.100000001"}},  // single precision
      {"readCommand", {"\"read_a\""}},
      {"writeCommand", {"\"write_a\""}},
      {"saveValues", {}},
      {"getResult", {}},
      {"~CMethodContext", {}},
  };
  ASSERT_EQ(run.trace.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.trace[i].op, expected[i].op) << i;
    EXPECT_EQ(run.trace[i].args, expected[i].args) << i;
  }
}

TEST_F(ContextTest, PutsReachTheStoreAtOnceUnlessRefused) {
  std::vector<long> seen;
  std::vector<bool> answers;
  m_calc.bodies["m"] = [&](CMethodContext& c) {
    answers.push_back(c.putIntegerValue("a", 3));
    seen.push_back(c.getIntegerValue("a"));
    answers.push_back(c.putIntegerValue("n", 4));  // refused
    seen.push_back(c.getIntegerValue("n"));
    answers.push_back(c.assignIntegerValue("f", 2));
    c.putIntegerValue("u", static_cast<int>(0x80000000u));
    seen.push_back(c.getIntegerValue("u"));
  };
  Host& host = Start();
  Script script;
  script.refusePuts = {"n"};
  Host::Run run = host.RunMethod("m", script);
  EXPECT_EQ(answers, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(seen, (std::vector<long>{3, 0, -2147483648L}));
  // The store, which the attribute requests read, holds the puts in their types' kinds.
  EXPECT_EQ(host.store().value("a")->getInt(), 3);
  EXPECT_EQ(host.store().value("f")->kind(), CDDCommonVariant::Kind::Double);
  EXPECT_EQ(run.changed.count("n"), 0u);
  EXPECT_EQ(run.changed.size(), 3u);
}

TEST_F(ContextTest, AnswersFromTheScript) {
  std::vector<long> got;
  m_calc.bodies["m"] = [&](CMethodContext& c) {
    got.push_back(c.selectFromList("Select", 0, "A \n  B \n  C"));
    got.push_back(c.selectFromList("Select", 0, "A \n  B"));
    got.push_back(c.selectFromList("Select", 0, "A \n  B"));  // script used up
    got.push_back(c.acknowledge("ok?", 0));
    got.push_back(c.askVariableValue("Reset", 0, "a"));
    got.push_back(c.getIntegerValue("a"));
    c.readCommand("read_n");
    got.push_back(c.getIntegerValue("n"));
  };
  Host& host = Start();
  Script script;
  script.selections = {2, 7};
  script.acknowledgeAnswers = {5};
  script.askAnswers = {1};
  script.edits["a"] = CDDCommonVariant(2712);
  script.device["read_n"]["n"] = CDDCommonVariant(4);
  Host::Run run = host.RunMethod("m", script);
  EXPECT_EQ(got, (std::vector<long>{2, 7, 0, 5, 1, 2712, 4}));
  EXPECT_EQ(run.changed.at("n").getInt(), 4);
  EXPECT_EQ(host.store().value("a")->getInt(), 2712);
}

TEST_F(ContextTest, AbortPendingFromTheKthCheck) {
  std::vector<bool> pending;
  m_calc.bodies["m"] = [&](CMethodContext& c) {
    for (int i = 0; i < 4; ++i) pending.push_back(c.isAbortPending());
  };
  Host& host = Start();
  Script script;
  script.abortFrom = 3;
  host.RunMethod("m", script);
  EXPECT_EQ(pending, (std::vector<bool>{false, false, true, true}));
  pending.clear();
  host.RunMethod("m", Script{});
  EXPECT_EQ(pending, (std::vector<bool>{false, false, false, false}));
}

TEST_F(ContextTest, ThrowAtStopsTheBodyThere) {
  bool after = false;
  m_calc.bodies["m"] = [&](CMethodContext& c) {
    c.putIntegerValue("a", 1);
    c.writeCommand("write_a");  // fourth entry of the trace
    after = true;
  };
  Host& host = Start();
  Script script;
  script.throwAt = 4;
  Host::Run run = host.RunMethod("m", script);
  EXPECT_FALSE(after);
  EXPECT_EQ(run.result, MethodResultAborted);
  EXPECT_EQ(Ops(run.trace), (std::vector<std::string>{"createMethodContext", "begin", "putIntegerValue",
                                                      "writeCommand", "setResult", "getResult",
                                                      "~CMethodContext"}));
}

TEST_F(ContextTest, ResultIsNormalUnlessSet) {
  m_calc.bodies["plain"] = [](CMethodContext&) {};
  m_calc.bodies["stopped"] = [](CMethodContext& c) {
    c.abort();
    throw 0;
  };
  Host& host = Start();
  Script script;
  script.normalResult = 5;
  EXPECT_EQ(host.RunMethod("plain", script).result, 5);
  EXPECT_EQ(host.RunMethod("stopped", script).result, MethodResultAborted);
  EXPECT_EQ(host.RunMethod("no_such_method", script).result, -1);
  EXPECT_EQ(host.RunMethod("a", script).result, -1);  // a variable, not a method
}

TEST_F(ContextTest, CallMethodRunsTheNamedMethodOnTheSameScriptAndTrace) {
  std::vector<bool> called;
  long seenByInner = -1;
  m_calc.bodies["outer"] = [&](CMethodContext& c) {
    c.putIntegerValue("a", 11);
    called.push_back(c.callMethod("inner"));
    called.push_back(c.callMethod("stopping"));
    called.push_back(c.callMethod("no_such_method"));
    called.push_back(c.callMethod("a"));
  };
  m_calc.bodies["inner"] = [&](CMethodContext& c) {
    seenByInner = c.getIntegerValue("a");
    c.putIntegerValue("n", 2);
  };
  m_calc.bodies["stopping"] = [](CMethodContext& c) {
    if (c.isAbortPending()) throw 0;
  };
  Host& host = Start();
  Script script;
  script.abortFrom = 1;
  Host::Run run = host.RunMethod("outer", script);
  EXPECT_EQ(called, (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(seenByInner, 11);
  EXPECT_EQ(run.changed.at("n").getInt(), 2);  // the nested run's puts count for the run
  EXPECT_EQ(run.result, 0);
  std::vector<std::string> ops = Ops(run.trace);
  const std::vector<std::string> nested = {"callMethod", "createMethodContext", "begin", "getIntegerValue",
                                           "putIntegerValue", "getResult", "~CMethodContext"};
  EXPECT_TRUE(std::search(ops.begin(), ops.end(), nested.begin(), nested.end()) != ops.end());
}

TEST_F(ContextTest, CallMethodRecursionIsBounded) {
  int runs = 0;
  m_calc.bodies["self"] = [&](CMethodContext& c) {
    ++runs;
    c.callMethod("self");
  };
  Host& host = Start();
  host.RunMethod("self", Script{});
  EXPECT_EQ(runs, ScriptedContext::kMaxCallDepth + 1);
}

}  // namespace
