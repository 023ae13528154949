// Every method run under scripted answers and abort points, from every distinct start.
#include "check_sweep.h"

#include <algorithm>
#include <cctype>
#include <deque>

#include "describe.h"

namespace dtmtool {

using dtmhost::Host;
using dtmhost::ObjectStore;
using dtmhost::ScriptedContext;
using dtmhost::TraceEntry;

namespace sweep {

namespace {

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

constexpr const char* kIllegalExecute = "illegal method ID (execute)";

// Selection scripts tried per method and data set at most; every list position of
// every list is reached well within this.
constexpr std::size_t kMaxSelectionScripts = 64;

}  // namespace

std::string Sweep::Describe(const Attempt& a) const {
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
Host::Run Sweep::RunMethod(const CDDDefinition& method, const DataSet& set, const Attempt& a) {
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
      else if (*kind == ObjectKindCommand)
        m_commandsSent.insert(name);
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
void Sweep::Explore(const CDDDefinition& method, const DataSet& set) {
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
std::string Sweep::StartKey(const Host::Run& run, const DataSet& set) const {
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

void Sweep::Methods() {
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

}  // namespace sweep

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

}  // namespace dtmtool
