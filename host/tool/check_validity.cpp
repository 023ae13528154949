// Validity requests, and requests the calculator must refuse or leave alone: objects of
// another class than their kind, numbers that name no object.
#include "check_sweep.h"

#include "describe.h"

namespace dtmtool::sweep {

using dtmhost::ObjectStore;
using dtmhost::ScriptedContext;

namespace {

constexpr enumDDObjectKind kClasses[] = {ObjectKindVariable, ObjectKindCommand, ObjectKindMenu,
                                         ObjectKindMethod,   ObjectKindRefresh, ObjectKindUnit,
                                         ObjectKindBlock};

}  // namespace

void Sweep::CheckValidity(const CDDDefinition& d, const std::string& set) {
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

// The calculator must hand the object back untouched, reading and reporting nothing.
void Sweep::Untouched(const CDDDefinition& owner, std::unique_ptr<CDDObject> object, const std::string& what) {
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

void Sweep::WrongClasses(const CDDDefinition& d) {
  for (enumDDObjectKind cls : kClasses)
    if (cls != d.getKind()) Untouched(d, ObjectOfClass(cls, d), "in a " + KindName(cls) + " object");
}

// Validity and execution of a number that names no object: false or -1, with one
// report, or none for a negative number.
template <typename Ask>
void Sweep::Refused(const CDDDefinition& d, const std::string& what, Ask ask) {
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
  std::size_t expected = RefusalReports(d.getID());
  if (m_host.errors().reports().size() != expected)
    Fail(d, what,
         std::to_string(m_host.errors().reports().size()) + " error reports instead of " + std::to_string(expected));
}

void Sweep::UnknownNumbers() {
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
        Refused(d, what + ", validity", [&] { CDDVariable v(d); return !calc.IsVariableValid(context, &v); });
      if (cls == ObjectKindMenu)
        Refused(d, what + ", validity", [&] { CDDMenu m(d); return !calc.IsMenuValid(context, &m); });
      if (cls == ObjectKindMethod) {
        Refused(d, what + ", validity", [&] { CDDMethod m(d); return !calc.IsMethodValid(context, &m); });
        Refused(d, what + ", execution", [&] {
          CDDMethod m(d);
          return calc.ExecuteMethod(context, &m, 0, false) == -1 && ScriptedContext::live() == 0;
        });
      }
    }
  }
}

}  // namespace dtmtool::sweep
