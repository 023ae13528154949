// The conformance sweep finds the faults a host would trip over: each row plants one
// fault in a small calculator and expects the sweep to name it; the sound calculator
// and the real plug-in pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include "check.h"
#include "dtmhost/host.h"
#include "support/plugin_host.h"

namespace {

using dtmhost::Host;

// The commands that methods send but the plug-in does not describe: the relay
// selector's write and the relay parameters' read-back commands (a name, or a name's
// beginning with "...").
constexpr const char* kWithoutData[] = {"write_manu_relay_select_relay", "read_manu_relay_..."};

bool KnownWithoutData(const std::string& command) {
  for (std::string known : kWithoutData) {
    if (!known.ends_with("...")) {
      if (command == known) return true;
    } else if (command.starts_with(known.substr(0, known.size() - 3))) {
      return true;
    }
  }
  return false;
}

enum class Fault {
  none,
  leaksCopy,
  unstable,
  notAvailable,
  undefinedItem,
  actionNotMethod,
  reports,
  fillsWrongClass,
  ownResult,
  undefinedCommand,
  acceptsUnknown,
  changesResult,
};

// One variable, one menu, one method, one command; the method offers a list of two
// and checks for an abort after each operation, as the plug-in's bodies do.
class SweptCalculator : public IDeviceAttributeCalculation {
 public:
  explicit SweptCalculator(Fault fault) : m_fault(fault) {}
  ~SweptCalculator() override {
    for (CDDCommonVariant* copy : m_kept) delete copy;
  }

  void Init(CHostServices* host) override { m_host = host; }
  void Exit() override { m_host = nullptr; }
  void BuildCatalogue() override {
    CHostObjectStore* store = m_host->getObjectStore();
    store->addObject(CDDVariable(kLevel));
    store->addObject(CDDMenu(kRoot));
    store->addObject(CDDMethod(kApply));
    store->addObject(CDDCommand(kReadLevel));
  }

  CDDObject* Calculate(CHostContext* context, CDDObject* object) override {
    long n = object->getcDefinition()->getID();
    if (m_fault == Fault::fillsWrongClass && n == kLevel.getID()) object->putAttributesAvailable(true);
    if (auto* v = dynamic_cast<CDDVariable*>(object); v && n == kLevel.getID()) {
      CDDCommonVariant* copy = m_host->getObjectStore()->getValueCopy(context, kLevel);
      if (m_fault == Fault::leaksCopy)
        m_kept.push_back(copy);
      else
        delete copy;
      v->putLabel(m_fault == Fault::unstable ? std::to_string(++m_requests).c_str() : "Level");
      auto* actions = new CDDDefinitionList();
      actions->Add(m_fault == Fault::actionNotMethod ? kRoot : kApply, -1, -1);
      v->setPreEditActions(actions);
      if (m_fault == Fault::reports) m_host->getErrorHandler()->reportError("level: no value");
      v->putAttributesAvailable(m_fault != Fault::notAvailable);
    }
    if (auto* m = dynamic_cast<CDDMenu*>(object); m && n == kRoot.getID()) {
      auto* items = new CDDMenuItemList();
      items->Add(CDDMenuItem(kLevel), -1, -1);
      items->Add(CDDMenuItem(m_fault == Fault::undefinedItem ? CDDDefinition(99, "ghost", ObjectKindVariable) : kApply),
                 -1, -1);
      m->setMenuItems(items);
      m->putAttributesAvailable(true);
    }
    return object;
  }

  // What the runs met: the positions chosen, and at which check (with which
  // suppressAbort) an abort was pending.
  std::set<long> choices;
  std::set<std::pair<int, bool>> pending;

  bool IsVariableValid(CHostContext*, CDDVariable* v) override { return Defined(*v, kLevel); }
  bool IsMethodValid(CHostContext*, CDDMethod* m) override { return Defined(*m, kApply); }
  bool IsMenuValid(CHostContext*, CDDMenu* m) override { return Defined(*m, kRoot); }

  int ExecuteMethod(CHostContext* context, CDDMethod* method, std::int32_t argument, bool suppressAbort) override {
    if (!Defined(*method, kApply)) return -1;
    std::unique_ptr<CMethodContext> run(m_host->createMethodContext(context));
    run->begin(context, m_host, method->getcDefinition(), argument);
    try {
      int checks = 0;
      auto check = [&] {
        ++checks;
        if (!run->isAbortPending()) return;
        pending.insert({checks, suppressAbort});
        if (!suppressAbort) throw 0;
      };
      long choice = run->selectFromList("Pick", 0, "One \n  Two");
      choices.insert(choice);
      check();
      if (choice == 1) run->readCommand(m_fault == Fault::undefinedCommand ? "read_ghost" : "read_level");
      check();
      if (m_fault == Fault::changesResult) run->setResult(3);
    } catch (int) {
      run->setResult(MethodResultAborted);
    }
    int result = run->getResult();
    return m_fault == Fault::ownResult ? 0 : result;
  }

 private:
  bool Defined(const CDDObject& object, const CDDDefinition& only) {
    if (m_fault == Fault::acceptsUnknown) return true;
    if (*object.getcDefinition() == only) return true;
    if (object.getcDefinition()->getID() >= 0) m_host->getErrorHandler()->reportError("illegal object ID");
    return false;
  }

  const CDDDefinition kLevel{1, "level", ObjectKindVariable};
  const CDDDefinition kRoot{2, "root", ObjectKindMenu};
  const CDDDefinition kApply{3, "apply", ObjectKindMethod};
  const CDDDefinition kReadLevel{4, "read_level", ObjectKindCommand};

  Fault m_fault;
  CHostServices* m_host = nullptr;
  int m_requests = 0;
  std::vector<CDDCommonVariant*> m_kept;
};

struct Planted {
  const char* name;  // the test's name: the fault planted
  Fault fault;
  const char* found;  // part of the failure line the sweep prints
};

// Shown in the test's listing instead of the parameter's bytes.
void PrintTo(const Planted& planted, std::ostream* out) { *out << planted.name; }

class ConformanceCheckFinds : public ::testing::TestWithParam<Planted> {};

TEST_P(ConformanceCheckFinds, ThePlantedFault) {
  SweptCalculator calc(GetParam().fault);
  std::unique_ptr<Host> host = Host::Attach(&calc);
  std::ostringstream out;
  EXPECT_GT(dtmtool::Check(*host, out), 0);
  EXPECT_NE(out.str().find(GetParam().found), std::string::npos) << out.str();
}

INSTANTIATE_TEST_SUITE_P(
    Sweep, ConformanceCheckFinds,
    ::testing::Values(
        Planted{"LeaksAValueCopy", Fault::leaksCopy, "level [defaults]: 1 value copies outlive the request"},
        Planted{"AnswersUnstably", Fault::unstable, "a second identical request gives other attributes"},
        Planted{"FillsWithoutMarkingAvailable", Fault::notAvailable, "attributes not marked available"},
        Planted{"MenuItemNamesNoObject", Fault::undefinedItem,
                "root [defaults]: item ghost (99) names no defined object"},
        Planted{"ActionIsNoMethod", Fault::actionNotMethod, "pre-edit action root (2) is a menu, not a method"},
        Planted{"ReportsAnError", Fault::reports, "reported \"level: no value\""},
        Planted{"FillsAnObjectOfAnotherClass", Fault::fillsWrongClass,
                "level [in a menu object]: the object was changed"},
        Planted{"AnswersItsOwnResult", Fault::ownResult, "answered 0, the context's result is 5"},
        Planted{"SendsAnUndefinedCommand", Fault::undefinedCommand,
                "select 1]: readCommand names read_ghost, no defined command"},
        Planted{"AcceptsAnUnknownObject", Fault::acceptsUnknown, "validity]: accepted"},
        Planted{"ChangesTheResult", Fault::changesResult, "sets the result 3"}),
    [](const ::testing::TestParamInfo<Planted>& info) { return std::string(info.param.name); });

TEST(ConformanceCheck, PassesASoundCalculatorAndPutsTheDefaultsBack) {
  SweptCalculator calc(Fault::none);
  std::unique_ptr<Host> host = Host::Attach(&calc);
  host->store().setValue("level", CDDCommonVariant(4));
  std::ostringstream out;
  EXPECT_EQ(dtmtool::Check(*host, out), 0) << out.str();
  EXPECT_NE(out.str().find("no failure"), std::string::npos);
  EXPECT_NE(out.str().find("methods: 1 registered, 1 run, 0 not built"), std::string::npos) << out.str();
  EXPECT_EQ(host->store().value("level")->getInt(), 4);
  // Both positions of the list, one past it and -1; an abort pending from each check
  // on, suppressed and not.
  EXPECT_EQ(calc.choices, (std::set<long>{-1, 0, 1, 2}));
  EXPECT_EQ(calc.pending, (std::set<std::pair<int, bool>>{{1, false}, {1, true}, {2, false}, {2, true}}));
}

// The plug-in as built: every registered object and method passes the sweep (under the
// sanitizers too, in that build).
TEST(ConformanceCheck, PassesThePlugin) {
  std::unique_ptr<Host> host = testsupport::OpenPlugin();
  std::ostringstream out;
  std::set<std::string> sent;
  EXPECT_EQ(dtmtool::Check(*host, out, &sent), 0) << out.str();
  EXPECT_FALSE(sent.empty());

  // Every command a method sends is addressed (slot 1, or the block `physical_block`
  // with an index relative to it; the operation; data items naming the variables the
  // catalogue gives the command, a slot command's one the variable its name carries),
  // unless the README lists it as not described.
  const CDDDefinition* block = host->Find("physical_block");
  ASSERT_TRUE(block);
  for (const std::string& name : sent) {
    SCOPED_TRACE(name);
    auto object = host->Request(name.c_str());
    const auto& command = dynamic_cast<const CDDCommand&>(*object);
    if (!command.getAttributesAvailable()) {
      EXPECT_TRUE(KnownWithoutData(name)) << "sent by a method, not described";
      continue;
    }
    const bool read = name.starts_with("read_");
    ASSERT_TRUE(command.index() && command.getOperation() && command.transactions());
    ASSERT_NE(!command.slot(), !command.block()) << "a slot or a block";
    const auto& sets = host->store().commandSets().at(name);
    const std::vector<CDDDefinition>& variables = read ? sets.reply : sets.request;
    if (command.slot()) {
      EXPECT_EQ(command.slot()->getSlot(), 1);
      const CDDDefinition* named = host->Find(name.substr(read ? 5 : 6).c_str());
      ASSERT_TRUE(named);
      EXPECT_EQ(variables, std::vector<CDDDefinition>{*named});
    } else {
      EXPECT_EQ(*command.block()->getcDefinition(), *block);
      EXPECT_GE(command.index()->getIndex(), 0);
    }
    EXPECT_EQ(*command.getOperation(), read ? OperationRead : OperationWrite);
    ASSERT_EQ(command.transactions()->entries().size(), 1u);
    const CDDTransaction& transaction = *command.transactions()->entries()[0];
    const CDDDataItemList* used = read ? transaction.reply() : transaction.request();
    ASSERT_TRUE(used);
    ASSERT_FALSE(used->entries().empty());
    std::set<long> named;
    for (const CDDDataItem& item : used->entries()) {
      const auto& variable = item.reference().getDefinition();
      ASSERT_TRUE(variable);
      EXPECT_NE(std::find(variables.begin(), variables.end(), *variable), variables.end()) << variable->getName();
      named.insert(variable->getID());
    }
    EXPECT_EQ(named.size(), variables.size());
  }

  // The README names each of them, in its list of what the system does not do.
  std::ifstream file(DTM_README);
  const std::string readme((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string gaps = readme.substr(readme.find("## What the system does not do"));
  for (const std::string named : kWithoutData) {
    EXPECT_NE(gaps.find("`" + named + "`"), std::string::npos) << named;
    if (!named.ends_with("...")) {
      EXPECT_FALSE(host->Request(named.c_str())->getAttributesAvailable()) << named;
    }
  }
}

}  // namespace
