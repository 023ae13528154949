#include "check.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <exception>
#include <iomanip>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "describe.h"

namespace dtmtool {

namespace {

using dtmhost::Host;
using dtmhost::ObjectStore;
using dtmhost::ScriptedContext;
using dtmhost::TraceEntry;

// A value a data set gives a variable; nothing: no value in the store.
using Value = std::optional<CDDCommonVariant>;

// ------------------------------------------------------------------ data sets

// A fully equipped device: four relays, pH measurement, S version, cleaning and
// current input, relay 3 selected. Each parameter is also varied alone from here, so
// that the rules that need several of these values together are reached too.
const std::map<std::string, int>& EquippedDevice() {
  static const std::map<std::string, int> values = {
      {"manu_relay_number", 4},       {"manu_pH_enabled", 1},
      {"manu_s_version_enabled", 1},  {"manu_mode", 1},
      {"manu_cleaning_function_enabled", 1}, {"manu_current_input_enabled", 1},
      {"manu_relay_select_relay", 2},
  };
  return values;
}

struct DataSet {
  std::string name;
  std::map<std::string, Value> values;  // on top of the defaults
};

// ------------------------------------------------------------------ traces

// Reverses ddlib::quote.
std::string Unquote(const std::string& quoted) {
  std::string out;
  if (quoted.size() < 2) return out;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    char c = quoted[i];
    if (c != '\\' || i + 2 >= quoted.size()) {
      out += c;
      continue;
    }
    char e = quoted[++i];
    if (e == 'n') {
      out += '\n';
    } else if (e == 't') {
      out += '\t';
    } else if (e == 'x' && i + 2 < quoted.size()) {
      out += static_cast<char>(std::stoi(quoted.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += e;
    }
  }
  return out;
}

// How many options a selection list offers: its English lines, a trailing empty one
// not counted.
long OptionCount(const std::string& quotedOptions) {
  std::string english = dtmhost::Segment(Unquote(quotedOptions), "en");
  long count = 1 + static_cast<long>(std::count(english.begin(), english.end(), '\n'));
  std::size_t last = english.find_last_of('\n');
  std::string tail = last == std::string::npos ? english : english.substr(last + 1);
  if (tail.find_first_not_of(' ') == std::string::npos) --count;
  return count;
}

std::string TraceText(const std::vector<TraceEntry>& trace) {
  std::string out;
  for (const TraceEntry& e : trace) {
    out += e.op;
    for (const std::string& a : e.args) out += ' ' + a;
    out += '\n';
  }
  return out;
}

// The kind of object that a context operation names, for the operations that name one.
std::optional<enumDDObjectKind> NamedKind(const std::string& op) {
  static const std::map<std::string, enumDDObjectKind> kinds = {
      {"readCommand", ObjectKindCommand},        {"writeCommand", ObjectKindCommand},
      {"callMethod", ObjectKindMethod},          {"putIntegerValue", ObjectKindVariable},
      {"putFloatValue", ObjectKindVariable},     {"assignIntegerValue", ObjectKindVariable},
      {"getIntegerValue", ObjectKindVariable},   {"askVariableValue", ObjectKindVariable},
  };
  auto found = kinds.find(op);
  if (found == kinds.end()) return std::nullopt;
  return found->second;
}

// The argument naming the object: the variable of askVariableValue is its third.
const std::string& NamedArgument(const TraceEntry& e) { return e.op == "askVariableValue" ? e.args.at(2) : e.args.at(0); }

// ------------------------------------------------------------------ the sweep

struct Failure {
  std::string object;
  std::string dataSet;
  std::string what;
};

struct KindCount {
  int objects = 0;
  int built = 0;
  int notBuilt = 0;
  long requests = 0;
  int failures = 0;
};

constexpr const char* kIllegalExecute = "illegal method ID (execute)";

// Selection scripts tried per method and data set at most; every list position of
// every list is reached well within this.
constexpr std::size_t kMaxSelectionScripts = 64;

class Sweep {
 public:
  explicit Sweep(Host& host) : m_host(host) {
    for (const CDDDefinition& d : host.Catalogue()) {
      m_catalogue.push_back(d);
      if (d.getKind() != ObjectKindVariable) continue;
      m_defaults[d.getName()] = host.store().value(d.getName());
    }
    MakeDataSets();
  }

  void Run() {
    for (const DataSet& set : m_dataSets) {
      Apply(set);
      for (const CDDDefinition& d : m_catalogue) RequestObject(d, set);
    }
    Apply(m_dataSets.front());
    for (const CDDDefinition& d : m_catalogue) {
      WrongClasses(d);
      if (m_untouchedEverywhere.count(d.getName())) ++m_kinds[d.getKind()].notBuilt;
    }
    UnknownNumbers();
    Methods();
    Apply(m_dataSets.front());
    m_host.errors().clear();
  }

  void Print(std::ostream& out) const {
    out << "conformance check: " << m_catalogue.size() << " objects, " << m_dataSets.size() << " data sets\n\n";
    out << std::left << std::setw(14) << "kind" << std::right << std::setw(9) << "objects" << std::setw(8) << "built"
        << std::setw(11) << "not built" << std::setw(11) << "requests" << std::setw(10) << "failures" << "\n";
    KindCount total;
    for (const auto& [kind, count] : m_kinds) {
      Row(out, KindName(kind), count);
      total.objects += count.objects;
      total.built += count.built;
      total.notBuilt += count.notBuilt;
      total.requests += count.requests;
      total.failures += count.failures;
    }
    Row(out, "all", total);
    out << "\nvalidity requests: " << m_validityRequests << "; references checked: " << m_references
        << "; requests for objects of the wrong class or numbers that name none: " << m_strayRequests << "\n";
    out << "methods: " << m_methods << " registered, " << m_methods - m_methodsNotBuilt << " run, "
        << m_methodsNotBuilt << " not built; " << m_methodRuns << " runs from " << m_methodStarts
        << " distinct starts; failures " << m_methodFailures << "\n";
    if (m_failures.empty()) {
      out << "\nno failure\n";
      return;
    }
    out << "\nfailures: " << m_failures.size() << "\n";
    constexpr std::size_t kShown = 200;
    for (std::size_t i = 0; i < m_failures.size() && i < kShown; ++i) {
      const Failure& f = m_failures[i];
      out << "  " << f.object << " [" << f.dataSet << "]: " << dtmhost::Utf8(f.what) << "\n";
    }
    if (m_failures.size() > kShown) out << "  ... and " << m_failures.size() - kShown << " more\n";
  }

  int failures() const { return static_cast<int>(m_failures.size()); }

 private:
  static void Row(std::ostream& out, const std::string& name, const KindCount& c) {
    out << std::left << std::setw(14) << name << std::right << std::setw(9) << c.objects << std::setw(8) << c.built
        << std::setw(11) << c.notBuilt << std::setw(11) << c.requests << std::setw(10) << c.failures << "\n";
  }

  void Fail(const CDDDefinition& d, const std::string& dataSet, const std::string& what) {
    m_failures.push_back({d.getName(), dataSet, what});
    ++m_kinds[d.getKind()].failures;
  }

  // ---- data sets

  bool Registered(const std::string& name) const {
    const CDDDefinition* d = m_host.Find(name);
    return d && d->getKind() == ObjectKindVariable;
  }

  CDDCommonVariant Number(const std::string& name, int value) const {
    CDDCommonVariant typed = m_host.store().coerce(name, CDDCommonVariant(value));
    return typed.isEmpty() ? CDDCommonVariant(value) : typed;
  }

  // Text for a number and a number for a text.
  CDDCommonVariant WrongKind(const std::string& name) const {
    if (m_host.store().variableType(name) == VariableTypeString) return CDDCommonVariant(1);
    return CDDCommonVariant::text("1");
  }

  void MakeDataSets() {
    std::map<std::string, Value> equipped;
    for (const auto& [name, value] : EquippedDevice())
      if (Registered(name)) equipped[name] = Number(name, value);
    for (const DataSet& base : {DataSet{"defaults", {}}, DataSet{"equipped device", equipped}}) {
      auto add = [&](const std::string& name, const std::string& variable, const Value& value) {
        DataSet set{base.name + ", " + name, base.values};
        set.values[variable] = value;
        m_dataSets.push_back(std::move(set));
      };
      m_dataSets.push_back(base);
      for (const Steering& s : SteeringParameters()) {
        if (!Registered(s.name)) continue;
        for (int v : s.domain) add(std::string(s.name) + "=" + std::to_string(v), s.name, Number(s.name, v));
        add(std::string(s.name) + "=" + std::to_string(s.outside) + " (outside)", s.name, Number(s.name, s.outside));
        add(std::string(s.name) + " missing", s.name, std::nullopt);
        add(std::string(s.name) + " of the wrong kind", s.name, WrongKind(s.name));
      }
    }
    DataSet missing{"every value missing", {}};
    DataSet wrong{"every value of the wrong kind", {}};
    for (const auto& [name, value] : m_defaults) {
      missing.values[name] = std::nullopt;
      wrong.values[name] = WrongKind(name);
    }
    m_dataSets.push_back(std::move(missing));
    m_dataSets.push_back(std::move(wrong));
  }

  void Put(const std::string& name, const Value& value) {
    if (value)
      m_host.store().setValue(name, *value);
    else
      m_host.store().setNoValue(name);
  }

  void Apply(const DataSet& set) {
    for (const auto& [name, value] : m_defaults) Put(name, value);
    for (const std::string& name : m_strays) m_host.store().clearValue(name);
    m_strays.clear();
    for (const auto& [name, value] : set.values) Put(name, value);
  }

  // Puts back what a method run changed.
  void Restore(const DataSet& set, const std::map<std::string, CDDCommonVariant>& changed) {
    for (const auto& [name, value] : changed) {
      if (auto given = set.values.find(name); given != set.values.end()) {
        Put(name, given->second);
      } else if (auto fallback = m_defaults.find(name); fallback != m_defaults.end()) {
        Put(name, fallback->second);
      } else {
        m_host.store().clearValue(name);
      }
    }
  }

  // ---- attribute requests

  const std::string& FreshCanonical(const CDDDefinition& d) {
    auto& dump = m_fresh[d.getID()];
    if (dump.empty()) {
      std::unique_ptr<CDDObject> fresh(MakeDescriptionObject(d));
      dump = fresh ? Canonical(*fresh) : "-";
    }
    return dump;
  }

  // One request: no copy outlives it, no report, no exception.
  std::unique_ptr<CDDObject> Request(const CDDDefinition& d, const std::string& set) {
    int copies = ObjectStore::liveCopies();
    m_host.errors().clear();
    std::unique_ptr<CDDObject> object;
    try {
      object = m_host.Request(d);
    } catch (...) {
      Fail(d, set, "the request threw");
    }
    ++m_kinds[d.getKind()].requests;
    if (ObjectStore::liveCopies() != copies)
      Fail(d, set, std::to_string(ObjectStore::liveCopies() - copies) + " value copies outlive the request");
    for (const std::string& report : m_host.errors().reports()) Fail(d, set, "reported \"" + report + "\"");
    return object;
  }

  void RequestObject(const CDDDefinition& d, const DataSet& set) {
    KindCount& count = m_kinds[d.getKind()];
    bool first = &set == &m_dataSets.front();
    if (first) ++count.objects;
    std::unique_ptr<CDDObject> once = Request(d, set.name);
    std::unique_ptr<CDDObject> twice = Request(d, set.name);
    if (!once || !twice) {
      if (first) Fail(d, set.name, "the host makes no description object for this kind");
      return;
    }
    std::string dump = Canonical(*once);
    if (dump != Canonical(*twice)) Fail(d, set.name, "a second identical request gives other attributes");

    bool untouched = dump == FreshCanonical(d);
    if (first) {
      if (untouched)
        m_untouchedEverywhere.insert(d.getName());
      else
        ++count.built;
    } else if (untouched != (m_untouchedEverywhere.count(d.getName()) != 0)) {
      m_untouchedEverywhere.erase(d.getName());
      Fail(d, set.name, untouched ? "left untouched, although built under the defaults" : "built here only");
    }
    if (!untouched && !once->getAttributesAvailable()) Fail(d, set.name, "attributes not marked available");
    CheckReferences(*once, set.name);
    CheckValidity(d, set.name);
  }

  void CheckValidity(const CDDDefinition& d, const std::string& set) {
    if (d.getKind() != ObjectKindVariable && d.getKind() != ObjectKindMenu && d.getKind() != ObjectKindMethod) return;
    m_host.errors().clear();
    int copies = ObjectStore::liveCopies();
    try {
      m_host.Valid(d);
    } catch (...) {
      Fail(d, set, "the validity request threw");
    }
    ++m_validityRequests;
    if (ObjectStore::liveCopies() != copies) Fail(d, set, "value copies outlive the validity request");
    for (const std::string& report : m_host.errors().reports())
      Fail(d, set, "validity request reported \"" + report + "\"");
  }

  // ---- references

  void CheckReferences(const CDDObject& object, const std::string& set) {
    for (const Reference& r : References(object)) {
      ++m_references;
      if (std::optional<std::string> problem = ReferenceProblem(m_host, r)) Fail(*object.getcDefinition(), set, *problem);
    }
  }

  // ---- strays: objects of another class, numbers that name nothing

  static constexpr enumDDObjectKind kClasses[] = {ObjectKindVariable, ObjectKindCommand, ObjectKindMenu,
                                                  ObjectKindMethod,   ObjectKindRefresh, ObjectKindUnit,
                                                  ObjectKindBlock};

  // The calculator must hand the object back untouched, reading and reporting nothing.
  void Untouched(const CDDDefinition& owner, std::unique_ptr<CDDObject> object, const std::string& what) {
    std::string before = Canonical(*object);
    int copies = ObjectStore::liveCopies();
    m_host.errors().clear();
    ++m_strayRequests;
    try {
      CDDObject* answer = m_host.calculator().Calculate(m_host.context(), object.get());
      if (answer != object.get()) Fail(owner, what, "Calculate answered another object");
    } catch (...) {
      Fail(owner, what, "Calculate threw");
      return;
    }
    if (Canonical(*object) != before) Fail(owner, what, "the object was changed");
    if (ObjectStore::liveCopies() != copies) Fail(owner, what, "value copies outlive the request");
    if (!m_host.errors().reports().empty()) Fail(owner, what, "reported \"" + m_host.errors().reports().front() + "\"");
  }

  void WrongClasses(const CDDDefinition& d) {
    for (enumDDObjectKind cls : kClasses)
      if (cls != d.getKind()) Untouched(d, ObjectOfClass(cls, d), "in a " + KindName(cls) + " object");
  }

  // Validity and execution of a number that names no object: false or -1, one report.
  template <typename Ask>
  void RefusedOnce(const CDDDefinition& d, const std::string& what, Ask ask) {
    m_host.errors().clear();
    ++m_strayRequests;
    bool refused = false;
    try {
      refused = ask();
    } catch (...) {
      Fail(d, what, "threw");
      return;
    }
    if (!refused) Fail(d, what, "accepted");
    if (m_host.errors().reports().size() != 1)
      Fail(d, what, std::to_string(m_host.errors().reports().size()) + " error reports instead of one");
  }

  void UnknownNumbers() {
    std::set<long> known;
    for (const CDDDefinition& d : m_catalogue) known.insert(d.getID());
    std::vector<long> numbers = {-1, 0, 661, 100000};
    for (long n = 1; n <= 660; ++n)
      if (!known.count(n)) numbers.push_back(n);
    IDeviceAttributeCalculation& calc = m_host.calculator();
    CHostContext* context = m_host.context();
    for (long n : numbers) {
      for (enumDDObjectKind cls : kClasses) {
        CDDDefinition d(n, "unnamed", cls);
        std::string what = "number " + std::to_string(n) + " in a " + KindName(cls) + " object";
        Untouched(d, ObjectOfClass(cls, d), what);
        if (cls == ObjectKindVariable)
          RefusedOnce(d, what + ", validity", [&] { CDDVariable v(d); return !calc.IsVariableValid(context, &v); });
        if (cls == ObjectKindMenu)
          RefusedOnce(d, what + ", validity", [&] { CDDMenu m(d); return !calc.IsMenuValid(context, &m); });
        if (cls == ObjectKindMethod) {
          RefusedOnce(d, what + ", validity", [&] { CDDMethod m(d); return !calc.IsMethodValid(context, &m); });
          RefusedOnce(d, what + ", execution", [&] {
            CDDMethod m(d);
            return calc.ExecuteMethod(context, &m, 0, false) == -1 && ScriptedContext::live() == 0;
          });
        }
      }
    }
  }

  // ---- methods

  struct Attempt {
    std::vector<long> selections;
    std::optional<int> abortFrom;
    bool suppressAbort = false;
    int normalResult = 0;
  };

  std::string Describe(const Attempt& a) const {
    std::string out;
    if (!a.selections.empty()) {
      out += ", select";
      for (long s : a.selections) out += ' ' + std::to_string(s);
    }
    if (a.abortFrom) out += ", abort from check " + std::to_string(*a.abortFrom);
    if (a.suppressAbort) out += ", suppressAbort";
    if (a.normalResult) out += ", context result " + std::to_string(a.normalResult);
    return out;
  }

  // One run with its checks; the store is put back afterwards.
  Host::Run RunMethod(const CDDDefinition& method, const DataSet& set, const Attempt& a) {
    dtmhost::Script script;
    script.selections.assign(a.selections.begin(), a.selections.end());
    script.abortFrom = a.abortFrom;
    script.normalResult = a.normalResult;
    std::string where = set.name + Describe(a);

    int copies = ObjectStore::liveCopies();
    int contexts = ScriptedContext::live();
    m_host.errors().clear();
    ++m_methodRuns;
    Host::Run run;
    bool threw = false;
    try {
      run = m_host.RunMethod(method.getName(), script, a.suppressAbort);
    } catch (...) {
      threw = true;
    }
    for (const auto& [name, value] : run.changed)
      if (!m_defaults.count(name)) m_strays.insert(name);
    Restore(set, run.changed);

    std::size_t before = m_failures.size();
    if (threw) Fail(method, where, "the run threw");
    if (ScriptedContext::live() != contexts) Fail(method, where, "the method context was not deleted");
    if (ObjectStore::liveCopies() != copies) Fail(method, where, "value copies outlive the run");
    if (!threw && run.trace.empty() && run.result == -1) return run;  // no body: counted by the caller

    int allowedReports = 0;
    for (const TraceEntry& e : run.trace) {
      if (e.op == "setResult" && std::stoi(e.args.at(0)) != MethodResultAborted)
        Fail(method, where, "sets the result " + e.args.at(0));
      if (std::optional<enumDDObjectKind> kind = NamedKind(e.op)) {
        std::string name = Unquote(NamedArgument(e));
        const CDDDefinition* named = m_host.Find(name);
        if (!named || named->getKind() != *kind || name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
          Fail(method, where, e.op + " names " + name + ", no defined " + KindName(*kind));
        else if (e.op == "callMethod" && m_methodsWithoutBody.count(name))
          ++allowedReports;
      }
    }
    int expected = ContextResult(run.trace, a.normalResult);
    if (!threw && run.result != expected)
      Fail(method, where, "answered " + std::to_string(run.result) + ", the context's result is " + std::to_string(expected));
    int reports = 0;
    for (const std::string& report : m_host.errors().reports()) {
      if (report.find(kIllegalExecute) != std::string::npos && reports < allowedReports) {
        ++reports;
        continue;
      }
      Fail(method, where, "reported \"" + report + "\"");
    }
    if (m_failures.size() != before) ++m_methodFailures;
    return run;
  }

  // Every run of one method from one start: each selection list at each position (and
  // one outside), each with an abort from every check on, suppressed and not.
  void Explore(const CDDDefinition& method, const DataSet& set) {
    std::deque<std::vector<long>> todo = {{}};
    std::set<std::vector<long>> seen = {{}};
    std::size_t scripts = 0;
    while (!todo.empty() && scripts++ < kMaxSelectionScripts) {
      std::vector<long> selections = std::move(todo.front());
      todo.pop_front();
      Host::Run run = RunMethod(method, set, {selections, std::nullopt, false, 0});
      RunMethod(method, set, {selections, std::nullopt, true, 0});

      std::vector<long> lists;
      int checks = 0;
      for (const TraceEntry& e : run.trace) {
        if (e.op == "selectFromList") lists.push_back(OptionCount(e.args.at(2)));
        if (e.op == "isAbortPending") ++checks;
      }
      for (std::size_t list = selections.size(); list < lists.size(); ++list) {
        for (long position = -1; position <= lists[list]; ++position) {
          if (position == 0) continue;
          std::vector<long> next = selections;
          next.resize(list, 0);
          next.push_back(position);
          if (seen.insert(next).second) todo.push_back(std::move(next));
        }
      }
      for (int from = 1; from <= checks; ++from)
        for (bool suppress : {false, true}) RunMethod(method, set, {selections, from, suppress, 0});
    }
  }

  // A start is the method's first run under a data set; data sets that give the same
  // first run, with the same values behind what it read, are explored once.
  std::string StartKey(const Host::Run& run, const DataSet& set) const {
    std::string key = TraceText(run.trace);
    for (const TraceEntry& e : run.trace) {
      if (e.op != "getIntegerValue") continue;
      std::string name = Unquote(e.args.at(0));
      auto given = set.values.find(name);
      const Value* value = given != set.values.end() ? &given->second : nullptr;
      if (!value)
        if (auto fallback = m_defaults.find(name); fallback != m_defaults.end()) value = &fallback->second;
      key += name + "=" + (value && *value ? ddlib::describe(**value) : "none") + "\n";
    }
    return key;
  }

  void Methods() {
    std::vector<CDDDefinition> methods;
    for (const CDDDefinition& d : m_catalogue)
      if (d.getKind() == ObjectKindMethod) methods.push_back(d);
    m_methods = static_cast<int>(methods.size());

    // Which methods have a body: a run without one answers -1 before any context.
    Apply(m_dataSets.front());
    for (const CDDDefinition& d : methods) {
      Host::Run run = RunMethod(d, m_dataSets.front(), {});
      if (run.trace.empty() && run.result == -1) {
        m_methodsWithoutBody.insert(d.getName());
        ++m_methodsNotBuilt;
        if (m_host.errors().reports().size() != 1) Fail(d, "defaults", "a run without a body does not report once");
      }
    }

    for (const CDDDefinition& d : methods) {
      if (m_methodsWithoutBody.count(d.getName())) continue;
      std::set<std::string> starts;
      for (const DataSet& set : m_dataSets) {
        Apply(set);
        Host::Run first = RunMethod(d, set, {});
        if (!starts.insert(StartKey(first, set)).second) continue;
        ++m_methodStarts;
        RunMethod(d, set, {{}, std::nullopt, false, 5});
        Explore(d, set);
      }
    }
  }

  Host& m_host;
  std::vector<CDDDefinition> m_catalogue;
  std::map<std::string, Value> m_defaults;  // every registered variable's starting value
  std::set<std::string> m_strays;           // names method runs put that are no registered variable
  std::vector<DataSet> m_dataSets;
  std::map<long, std::string> m_fresh;  // dumps of untouched objects, by number
  std::set<std::string> m_untouchedEverywhere;
  std::map<enumDDObjectKind, KindCount> m_kinds;
  std::vector<Failure> m_failures;
  long m_validityRequests = 0;
  long m_references = 0;
  long m_strayRequests = 0;
  int m_methods = 0;
  int m_methodsNotBuilt = 0;
  std::set<std::string> m_methodsWithoutBody;
  long m_methodRuns = 0;
  long m_methodStarts = 0;
  long m_methodFailures = 0;
};

}  // namespace

// The access code's range 0..9998 is represented by its ends and by 83, the one value
// the rules single out, with its neighbours.
const std::vector<Steering>& SteeringParameters() {
  static const std::vector<Steering> steering = {
      {"manu_sensor_type", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 11},
      {"manu_mode", {0, 1, 2}, 3},
      {"manu_unit_display", {0, 1, 2}, 3},
      {"manu_pH_enabled", {0, 1}, 2},
      {"manu_relay_number", {0, 1, 2, 3, 4}, 5},
      {"manu_relay_select_relay", {0, 1, 2, 3}, 4},
      {"manu_relay_function", {1, 2, 3, 4, 5, 6, 7, 8}, 9},
      {"manu_check_select", {0, 1}, 2},
      {"manu_alarm_enable_code", {0, 82, 83, 84, 9998}, 9999},
      {"manu_s_version_enabled", {0, 1}, 2},
      {"manu_cleaning_function_enabled", {0, 1}, 2},
      {"manu_current_input_enabled", {0, 1}, 2},
  };
  return steering;
}

std::unique_ptr<CDDObject> ObjectOfClass(enumDDObjectKind cls, const CDDDefinition& definition) {
  std::unique_ptr<CDDObject> object(MakeDescriptionObject(CDDDefinition(definition.getID(), definition.getName(), cls)));
  *object->getcDefinition() = definition;
  return object;
}

namespace {
// Type tags and length-prefixed scalars: cheaper than JSON text, and as unambiguous.
void Flatten(const Json& json, std::string& out) {
  out += static_cast<char>('0' + static_cast<int>(json.type()));
  if (json.isScalar()) {
    out += std::to_string(json.scalar().size()) + ':' + json.scalar();
    return;
  }
  for (const Json& item : json.items()) Flatten(item, out);
  for (const auto& [key, value] : json.members()) {
    out += key + '=';
    Flatten(value, out);
  }
  out += ';';
}
}  // namespace

std::string Canonical(const CDDObject& object) {
  std::string out;
  Flatten(ObjectJson(object, ""), out);
  return out;
}

std::vector<Reference> References(const CDDObject& object) {
  std::vector<Reference> out;
  auto add = [&out](const auto* list, const char* role, std::optional<enumDDObjectKind> kind) {
    if (list)
      for (const CDDDefinition& d : list->entries()) out.push_back({d, role, kind});
  };
  auto items = [&out](const CDDDataItemList* list) {
    if (list)
      for (const CDDDataItem& item : list->entries())
        if (const auto& named = item.reference().getDefinition()) out.push_back({*named, "data item", ObjectKindVariable});
  };
  if (const auto* v = dynamic_cast<const CDDVariable*>(&object)) {
    add(v->getPreEditActions(), "pre-edit action", ObjectKindMethod);
    add(v->getPostEditActions(), "post-edit action", ObjectKindMethod);
  }
  if (const auto* m = dynamic_cast<const CDDMenu*>(&object)) {
    if (const CDDMenuItemList* list = m->menuItems())
      for (const CDDMenuItem& item : list->entries()) out.push_back({item.getDefinition(), "item", std::nullopt});
    add(m->getPreReadActions(), "pre-read action", ObjectKindMethod);
    add(m->getPreWriteActions(), "pre-write action", ObjectKindMethod);
    add(m->getPostWriteActions(), "post-write action", ObjectKindMethod);
  }
  if (const auto* c = dynamic_cast<const CDDCommand*>(&object); c && c->transactions()) {
    for (const auto& t : c->transactions()->entries()) {
      items(t->request());
      items(t->reply());
    }
  }
  if (const auto* r = dynamic_cast<const CDDRefresh*>(&object)) {
    add(r->reread(), "re-read variable", ObjectKindVariable);
    add(r->changed(), "changed variable", ObjectKindVariable);
  }
  return out;
}

std::optional<std::string> ReferenceProblem(const Host& host, const Reference& r) {
  const CDDDefinition* defined = host.Find(r.named.getID());
  std::string what = std::string(r.role) + " " + r.named.getName() + " (" + std::to_string(r.named.getID()) + ")";
  if (!defined || !(*defined == r.named)) return what + " names no defined object";
  if (r.kind && r.named.getKind() != *r.kind)
    return what + " is a " + KindName(r.named.getKind()) + ", not a " + KindName(*r.kind);
  return std::nullopt;
}

int ContextResult(const std::vector<TraceEntry>& trace, int normalResult) {
  int depth = 0;
  int result = normalResult;
  for (const TraceEntry& e : trace) {
    if (e.op == "createMethodContext") ++depth;
    if (e.op == "~CMethodContext") --depth;
    if (e.op == "setResult" && depth == 1) result = std::stoi(e.args.at(0));
  }
  return result;
}

int Check(Host& host, std::ostream& out) {
  Sweep sweep(host);
  sweep.Run();
  sweep.Print(out);
  return sweep.failures();
}

}  // namespace dtmtool
