// Relay selection and relay function selection: which list is offered, what each
// position writes, that the options read as the relay function's enumerators, the paths
// without relays or without access, and the stop on an answer that no list offered.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "method_script.h"
#include "methods/texts.h"
#include "variables/language_segments.h"

namespace {

using namespace testing_support;

const std::string kFunctionPrompt = ddlib::quote(
    "Select relay function  |de|Kontaktfunktion Auswahl  |fr|Choix du fonction du relais  |it|Seleziona tipo");
const std::string kRelayPrompt =
    ddlib::quote("Select relay  |de|Relais Auswahl  |fr|Choix du relais  |it|Seleziona rele");
const std::string kPublish = "setLocalVariables(status=int 0, result=int 0)";

std::string Shown(const std::string& prompt, int options) {
  return "selectFromList(" + prompt + ", 0, " + std::to_string(options) + " options)";
}

// The device answers the relay count and the lock code when they are read.
dtmhost::Script Device(int relays, int code, std::deque<long> selections = {}) {
  dtmhost::Script script;
  script.device["read_manu_relay_number"] = {{"manu_relay_number", CDDCommonVariant(relays)}};
  script.device["read_manu_alarm_enable_code"] = {{"manu_alarm_enable_code", CDDCommonVariant(code)}};
  script.selections = std::move(selections);
  return script;
}

const Lines_t kFunctionHead = {ReadC("read_manu_relay_number"), kCheck, Get("manu_relay_number"),
                               ReadC("read_manu_alarm_enable_code"), kCheck, Get("manu_alarm_enable_code")};

struct FunctionRow {
  int relay, cleaning, pH, mode;
  Lines_t asked;             // the values the list choice asks, in order
  std::vector<int> written;  // the function code for each position offered
};

// One row per branch of the decision.
const std::string kSel = Get("manu_relay_select_relay"), kClean = Get("manu_cleaning_function_enabled"),
                  kPH = Get("manu_pH_enabled"), kMode = Get("manu_mode");
const std::vector<int> kList1 = {1, 3, 4, 6}, kList4 = {1, 3, 4, 6, 7, 8}, kList7 = {1, 3, 4, 6, 8};
const FunctionRow kDecisions[] = {
    {0, 0, 1, 0, {kSel, kPH, kMode}, kList1},
    {1, 1, 1, 1, {kSel, kPH, kMode}, {1, 2, 3, 4, 5, 6}},
    {3, 0, 1, 2, {kSel, kPH, kMode}, {1, 2, 3, 4, 6}},
    {0, 1, 0, 2, {kSel, kPH}, kList1},
    {2, 1, 1, 0, {kSel, kClean, kPH, kMode}, kList4},
    {2, 1, 1, 1, {kSel, kClean, kPH, kMode}, {1, 2, 3, 4, 5, 6, 7, 8}},
    {2, 1, 1, 2, {kSel, kClean, kPH, kMode}, {1, 2, 3, 4, 6, 7, 8}},
    {2, 1, 0, 1, {kSel, kClean, kPH}, kList4},
    {2, 0, 1, 0, {kSel, kClean, kPH, kMode}, kList7},
    {2, 0, 1, 1, {kSel, kClean, kPH, kMode}, {1, 2, 3, 4, 5, 6, 8}},
    {2, 0, 1, 2, {kSel, kClean, kPH, kMode}, {1, 2, 3, 4, 6, 8}},
    {2, 2, 2, 1, {kSel, kClean, kPH}, kList7},
};

class RelayFunction : public ::testing::Test {
 protected:
  std::unique_ptr<dtmhost::Host> host = OpenPlugin();
  void Configure(const FunctionRow& row) {
    SetValues(*host, {{"manu_relay_select_relay", row.relay},
                      {"manu_cleaning_function_enabled", row.cleaning},
                      {"manu_pH_enabled", row.pH},
                      {"manu_mode", row.mode},
                      {"manu_relay_function", 0}});
  }
};

TEST_F(RelayFunction, EveryPositionOfEveryListWritesItsFunctionCode) {
  for (const FunctionRow& row : kDecisions) {
    const int offered = static_cast<int>(row.written.size());
    for (int position = 0; position < offered; ++position) {
      Configure(row);
      auto run = host->RunMethod("method_select_relay_function", Device(4, 83, {position}));
      Lines_t body = kFunctionHead;
      body.insert(body.end(), row.asked.begin(), row.asked.end());
      body.insert(body.end(), {kPublish, Shown(kFunctionPrompt, offered), kCheck,
                               PutI("manu_relay_function", row.written[position]),
                               WriteC("write_manu_relay_function"), kCheck});
      EXPECT_EQ(Masked(run.trace), Framed("method_select_relay_function", body))
          << "relay " << row.relay << " mode " << row.mode << " position " << position;
      EXPECT_EQ(run.result, 0);
    }
  }
}

TEST_F(RelayFunction, AnAnswerNoListOfferedWritesNothing) {
  for (const FunctionRow& row : kDecisions)
    // Also an answer whose low 32 bits would name an offered position.
    for (long answer : {-1L, static_cast<long>(row.written.size()), (1L << 32) + 1}) {
      Configure(row);
      auto run = host->RunMethod("method_select_relay_function", Device(4, 83, {answer}));
      EXPECT_EQ(run.result, MethodResultAborted);
      EXPECT_EQ(Ops(run.trace).end()[-4], "isAbortPending");  // the check after the list
      EXPECT_TRUE(Puts(run.trace).empty());
      EXPECT_EQ(Count(run.trace, "writeCommand"), 0);
      EXPECT_EQ(host->store().value("manu_relay_function")->getInt(), 0);
    }
}

TEST_F(RelayFunction, AnUnknownModeShowsNoListAndWritesNothing) {
  Configure({1, 0, 1, 3, {}, {}});
  auto run = host->RunMethod("method_select_relay_function", Device(2, 83, {0}));
  Lines_t body = kFunctionHead;
  body.insert(body.end(), {kSel, kPH, kMode});
  EXPECT_EQ(Lines(run.trace), Framed("method_select_relay_function", body, true));
  EXPECT_EQ(run.result, MethodResultAborted);
}

// Any count but 0 goes on to the lock; without relays the message runs and the
// body stops before the lock is read.
TEST_F(RelayFunction, RelayCounts) {
  for (int relays = 0; relays <= 4; ++relays) {
    Configure(kDecisions[0]);
    auto run = host->RunMethod("method_select_relay_function", Device(relays, 83, {3}));
    if (relays == 0) {
      EXPECT_EQ(Lines(run.trace),
                Framed("method_select_relay_function",
                       {ReadC("read_manu_relay_number"), kCheck, Get("manu_relay_number"),
                        "callMethod(\"method_message_no_relays\")", "createMethodContext()",
                        "begin(\"method_message_no_relays\", 0)", "setLocalVariables()",
                        "delay(2, " + ddlib::quote(methods::text::kNoRelays) + ", 0)", kCheck, "getResult()",
                        "~CMethodContext()", "abort()"},
                       true));
      EXPECT_EQ(run.result, MethodResultAborted);
    } else {
      EXPECT_EQ(Named(run.trace, "writeCommand"), Lines_t{"write_manu_relay_function"}) << relays;
      EXPECT_EQ(host->store().value("manu_relay_function")->getInt(), 6) << relays;
    }
  }
}

TEST_F(RelayFunction, LockedDeviceShowsTheNoAccessMessageAndStops) {
  for (int code : {0, 82, 84, 9998}) {
    Configure(kDecisions[0]);
    auto run = host->RunMethod("method_select_relay_function", Device(4, code, {0}));
    Lines_t body = kFunctionHead;
    body.insert(body.end(), {"callMethod(\"method_message_no_access\")", "createMethodContext()",
                             "begin(\"method_message_no_access\", 0)", "setLocalVariables()",
                             "acknowledge(" + ddlib::quote(methods::text::kNoAccess) + ", 0)", kCheck, "getResult()",
                             "~CMethodContext()", "abort()"});
    EXPECT_EQ(Lines(run.trace), Framed("method_select_relay_function", body, true)) << code;
    EXPECT_EQ(host->store().value("manu_relay_function")->getInt(), 0);
  }
}

TEST_F(RelayFunction, AnAbortAtTheListLeavesTheFunction) {
  Configure(kDecisions[4]);
  dtmhost::Script script = Device(4, 83, {1});
  script.abortFrom = 3;
  auto run = host->RunMethod("method_select_relay_function", script);
  EXPECT_EQ(run.result, MethodResultAborted);
  EXPECT_EQ(Ops(run.trace).end()[-6], "selectFromList");
  EXPECT_EQ(host->store().value("manu_relay_function")->getInt(), 0);
}

TEST_F(RelayFunction, PromptIsTheLabelAndTextsAreLatin1) {
  auto method = host->Request("method_select_relay_function");
  EXPECT_EQ(ddlib::quote(static_cast<CDDMethod&>(*method).getLabel().value()), kFunctionPrompt);
  Configure(kDecisions[0]);
  auto run = host->RunMethod("method_select_relay_function", Device(4, 12));
  const Lines_t shown = Named(run.trace, "acknowledge");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(Raw("\"" + shown[0] + "\"").find("Men\xFC Ger\xE4t"), std::string::npos);
}

// The lists and the relay function's enumerators name the same functions: under each
// decision every option reads, language by language, as the description that
// manu_relay_function offers for the code its position writes, and the options come in
// the order of the codes.
TEST_F(RelayFunction, EveryOptionReadsAsTheEnumeratorOfItsCode) {
  for (const FunctionRow& row : kDecisions) {
    SCOPED_TRACE("relay " + std::to_string(row.relay) + " cleaning " + std::to_string(row.cleaning) + " pH " +
                 std::to_string(row.pH) + " mode " + std::to_string(row.mode));
    Configure(row);
    std::map<long, std::string> offered;
    auto function = host->Request("manu_relay_function");
    for (const CDDEnumerator& e : static_cast<CDDVariable&>(*function).typeInfo()->enumerators().entries())
      offered[e.getValue()] = e.getDescription();
    const auto shown = host->RunMethod("method_select_relay_function", Device(4, 83)).trace;
    const auto list = std::find_if(shown.begin(), shown.end(),
                                   [](const dtmhost::TraceEntry& e) { return e.op == "selectFromList"; });
    ASSERT_NE(list, shown.end());
    const std::string options = Raw(list->args.at(2));
    const std::vector<langs::Segment> segments = langs::Parse(options).segments;
    const std::size_t count = Options(langs::SegmentOf(options, "en")).size();
    ASSERT_GT(count, 0u);
    for (const langs::Segment& segment : segments) ASSERT_EQ(Options(segment.text).size(), count) << segment.language;
    long previous = 0;
    for (std::size_t position = 0; position < count; ++position) {
      Configure(row);
      auto run = host->RunMethod("method_select_relay_function", Device(4, 83, {static_cast<long>(position)}));
      ASSERT_EQ(run.result, 0) << position;
      const long code = run.changed.at("manu_relay_function").getInt();
      EXPECT_GT(code, previous) << position;
      previous = code;
      ASSERT_TRUE(offered.count(code)) << "position " << position << " writes " << code;
      EXPECT_EQ(langs::Languages(offered[code]), langs::Languages(options)) << code;
      for (const langs::Segment& segment : segments)
        EXPECT_EQ(Options(segment.text)[position], langs::SegmentOf(offered[code], segment.language))
            << segment.language << " position " << position;
    }
  }
}

// ------------------------------------------------------------------ relay selection

struct SelectRow {
  const char* what;
  int relays, relay3Function;
  std::deque<long> answers;
  Lines_t body;  // after the count was read and asked first
  bool stopped = false;
};

TEST(RelaySelection, ListsByRelayCount) {
  const std::string count = Get("manu_relay_number"), relay = "manu_relay_select_relay",
                    write = WriteC("write_manu_relay_select_relay"), function = Get("manu_relay_function");
  const Lines_t toRelay3 = {count, PutI(relay, 2), write, kCheck, ReadC("read_manu_relay_function"), kCheck};
  const std::vector<SelectRow> rows = {
      {"no relays", 0, 0, {}, {kPublish, "delay(2, " + ddlib::quote(methods::text::kNoRelays) + ", 0)", kCheck, count, count}},
      {"one relay", 1, 0, {}, {count, count}},
      {"three relays", 3, 0, {}, {count, count}},
      {"two relays", 2, 0, {1},
       {count, kPublish, Shown(kRelayPrompt, 2), kCheck, PutI(relay, 1), write, kCheck, count}},
      {"four, relay 3 cleans", 4, 7, {2},
       {count}},
      {"four, relay 3 steps", 4, 8, {0}, {count}},
      {"four, relay 3 free", 4, 6, {3}, {count}},
      {"two relays, answer not offered", 2, 0, {2}, {count, kPublish, Shown(kRelayPrompt, 2), kCheck}, true},
      {"two relays, answer far out", 2, 0, {1L << 32}, {count, kPublish, Shown(kRelayPrompt, 2), kCheck}, true},
      {"four, answer not offered", 4, 1, {4}, {count}, true},
  };
  auto host = OpenPlugin();
  for (SelectRow row : rows) {
    if (row.relays == 4) {
      row.body.insert(row.body.end(), toRelay3.begin(), toRelay3.end());
      row.body.push_back(function);
      if (row.relay3Function != 7) row.body.push_back(function);
      const int offered = row.relay3Function == 7 || row.relay3Function == 8 ? 3 : 4;
      row.body.insert(row.body.end(), {kPublish, Shown(kRelayPrompt, offered), kCheck});
      if (!row.stopped)
        row.body.insert(row.body.end(), {PutI(relay, static_cast<int>(row.answers.front())), write, kCheck});
    }
    row.body.insert(row.body.begin(), {ReadC("read_manu_relay_number"), kCheck, count});
    SetValues(*host, {{"manu_relay_select_relay", 0}});
    dtmhost::Script script = Device(row.relays, 83, row.answers);
    script.device["read_manu_relay_function"] = {{"manu_relay_function", CDDCommonVariant(row.relay3Function)}};
    auto run = host->RunMethod("method_select_relay", script);
    EXPECT_EQ(Masked(run.trace), Framed("method_select_relay", row.body, row.stopped)) << row.what;
    EXPECT_EQ(run.result, row.stopped ? MethodResultAborted : 0) << row.what;
  }
}

}  // namespace
