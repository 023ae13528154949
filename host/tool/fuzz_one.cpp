#include "fuzz_one.h"

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "check.h"
#include "describe.h"
#include "dtmhost/host.h"

namespace {

using dtmhost::Host;
using dtmhost::ObjectStore;
using dtmhost::ScriptedContext;
using Problem = std::optional<std::string>;

constexpr int kMaxOperations = 48;

constexpr enumDDObjectKind kClasses[] = {ObjectKindVariable, ObjectKindCommand, ObjectKindMenu, ObjectKindMethod,
                                         ObjectKindRefresh,  ObjectKindUnit,    ObjectKindBlock};
constexpr int kClassCount = sizeof kClasses / sizeof kClasses[0];

// Reads the input front to back; past its end every read answers zero.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool done() const { return m_pos >= m_size; }
  std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  std::uint16_t U16() {
    std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | Byte() << 8);
  }
  std::int32_t I32() {
    std::uint32_t low = U16();
    return static_cast<std::int32_t>(low | static_cast<std::uint32_t>(U16()) << 16);
  }
  std::int64_t I64() {
    std::uint64_t low = static_cast<std::uint32_t>(I32());
    return static_cast<std::int64_t>(low | static_cast<std::uint64_t>(static_cast<std::uint32_t>(I32())) << 32);
  }
  std::string Text(std::size_t longest) {
    std::string out(Byte() % (longest + 1), '\0');
    for (char& c : out) c = static_cast<char>(Byte());
    return out;
  }
  // An object number: mostly around the catalogue's range, sometimes any 16-bit value.
  long Number() {
    std::uint16_t v = U16();
    if (v & 0x8000) return static_cast<std::int16_t>(v);
    return static_cast<long>(v % 664) - 1;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

struct Shared {
  std::unique_ptr<Host> host;
  std::string error;
  std::map<std::string, std::optional<CDDCommonVariant>> defaults;
  std::vector<std::string> methods;
  std::vector<std::string> commands;

  Shared() {
    host = Host::Open(dtmhost::DefaultPluginPath(), &error);
    if (!host) return;
    for (const CDDDefinition& d : host->Catalogue()) {
      if (d.getKind() == ObjectKindVariable) defaults[d.getName()] = host->store().value(d.getName());
      if (d.getKind() == ObjectKindMethod) methods.push_back(d.getName());
      if (d.getKind() == ObjectKindCommand) commands.push_back(d.getName());
    }
  }

  void Reset() {
    for (const auto& [name, value] : defaults) {
      if (value)
        host->store().setValue(name, *value);
      else
        host->store().setNoValue(name);
    }
    host->errors().clear();
    host->answerNull({});
  }
};

class Session {
 public:
  Session(Shared& shared, Input& in) : m_shared(shared), m_host(*shared.host), m_in(in) {}

  Problem Run() {
    for (int n = 0; n < kMaxOperations && !m_in.done(); ++n) {
      m_host.errors().clear();
      Problem problem = Operation();
      if (!problem && ObjectStore::liveCopies() != 0)
        problem = std::to_string(ObjectStore::liveCopies()) + " value copies outlive the operation";
      if (!problem && ScriptedContext::live() != 0) problem = "a method context was not deleted";
      if (problem) return "operation " + std::to_string(n) + ": " + *problem;
    }
    return std::nullopt;
  }

 private:
  Problem Operation() {
    switch (m_in.Byte() % 7) {
      case 0: return SetValue();
      case 1: return Request();
      case 2: return Validity();
      case 3: return RunMethod();
      case 4: return Restart();
      case 5: return NullAnswers();
      default: return SetValue();
    }
  }

  // The host's object store, error handler or method contexts answer null from now on
  // (or again not); every request must still come back whole.
  Problem NullAnswers() {
    std::uint8_t flags = m_in.Byte();
    m_null = {.store = (flags & 1) != 0, .errors = (flags & 2) != 0, .context = (flags & 4) != 0};
    m_host.answerNull(m_null);
    return std::nullopt;
  }

  // Reports a refusal of a number makes; none where the host has no error handler.
  std::size_t RefusalReports(long number) const { return m_null.errors ? 0 : dtmtool::RefusalReports(number); }

  // A variable: mostly one that steers others, else any registered one.
  std::optional<std::string> Variable() {
    std::uint8_t pick = m_in.Byte();
    const auto& steering = dtmtool::SteeringParameters();
    if (pick < 128) return steering[pick % steering.size()].name;
    const CDDDefinition* d = m_host.Find(m_in.Number());
    if (!d || d->getKind() != ObjectKindVariable) return std::nullopt;
    return d->getName();
  }

  CDDCommonVariant Double() {
    static const double kSpecial[] = {0.0, -0.0, 1.5, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    std::uint8_t pick = m_in.Byte();
    if (pick < 8) return CDDCommonVariant(kSpecial[pick]);
    return CDDCommonVariant(m_in.I32() / 8.0);
  }

  // Any 64-bit long, sometimes one at an end of int or long.
  CDDCommonVariant Long() {
    static const long kSpecial[] = {std::numeric_limits<long>::min(), std::numeric_limits<long>::max(),
                                    std::numeric_limits<int>::min(),  std::numeric_limits<int>::max(),
                                    std::numeric_limits<int>::min() - 1L, std::numeric_limits<int>::max() + 1L,
                                    0xFFFFFFFFL, -1L};
    std::uint8_t pick = m_in.Byte();
    if (pick < 8) return CDDCommonVariant(kSpecial[pick]);
    return CDDCommonVariant(static_cast<long>(m_in.I64()));
  }

  // A value of any kind, mostly small integers; nothing stands for "no value".
  std::optional<CDDCommonVariant> Value() {
    switch (m_in.Byte() % 8) {
      case 0: return CDDCommonVariant(static_cast<int>(m_in.I32()));
      case 1: return Long();
      case 2: return Double();
      case 3: return CDDCommonVariant(m_in.Byte() % 2 == 1);
      case 4: return CDDCommonVariant::text(m_in.Text(12));
      case 5: return std::nullopt;
      case 6: return CDDCommonVariant(static_cast<int>(m_in.Byte() % 3));
      default: return CDDCommonVariant(static_cast<int>(m_in.Byte() % 12) - 1);
    }
  }

  Problem SetValue() {
    std::optional<std::string> name = Variable();
    std::optional<CDDCommonVariant> value = Value();
    if (!name) return std::nullopt;
    if (value)
      m_host.store().setValue(*name, *value);
    else
      m_host.store().setNoValue(*name);
    return std::nullopt;
  }

  // A definition: the registered one of a number, or the number with another name or
  // kind; and the class of the object that carries it.
  struct Target {
    CDDDefinition definition;
    enumDDObjectKind cls;
    const CDDDefinition* registered;
  };

  Target Pick() {
    long number = m_in.Number();
    std::uint8_t how = m_in.Byte();
    const CDDDefinition* registered = m_host.Find(number);
    enumDDObjectKind own = registered ? registered->getKind() : ObjectKindVariable;
    enumDDObjectKind cls = how % 8 < kClassCount ? kClasses[how % 8] : own;
    if (registered && (how & 0x30) == 0) return {*registered, cls, registered};
    std::string name = (how & 0x10) ? "" : registered ? registered->getName() : "fuzz";
    enumDDObjectKind kind = (how & 0x40) ? cls : own;
    return {CDDDefinition(number, name.c_str(), kind), cls, registered};
  }

  Problem Calculate(CDDObject& object) {
    try {
      if (m_host.calculator().Calculate(m_host.context(), &object) != &object) return "Calculate answered another object";
    } catch (...) {
      return "Calculate threw";
    }
    if (!m_host.errors().reports().empty()) return "a request reported \"" + m_host.errors().reports().front() + "\"";
    return std::nullopt;
  }

  Problem Request() {
    Target t = Pick();
    std::unique_ptr<CDDObject> once = dtmtool::ObjectOfClass(t.cls, t.definition);
    std::string before = dtmtool::Canonical(*once);
    std::string what = "request for " + std::to_string(t.definition.getID()) + " in a " + dtmtool::KindName(t.cls) + " object";
    if (Problem p = Calculate(*once)) return what + ": " + *p;
    std::string after = dtmtool::Canonical(*once);
    bool own = t.registered && t.definition == *t.registered && t.cls == t.definition.getKind();
    if (!own) {
      // Only a registered number in an object of its own class may be filled.
      bool mayFill = t.registered && t.cls == t.registered->getKind();
      if (!mayFill && after != before) return what + ": changed an object that is not its own";
      return std::nullopt;
    }
    std::unique_ptr<CDDObject> twice = dtmtool::ObjectOfClass(t.cls, t.definition);
    if (Problem p = Calculate(*twice)) return what + ": " + *p;
    if (dtmtool::Canonical(*twice) != after) return what + ": a second identical request gives other attributes";
    if (after != before && !once->getAttributesAvailable()) return what + ": attributes not marked available";
    for (const dtmtool::Reference& r : dtmtool::References(*once))
      if (std::optional<std::string> p = dtmtool::ReferenceProblem(m_host, r)) return what + ": " + *p;
    return std::nullopt;
  }

  Problem Validity() {
    Target t = Pick();
    IDeviceAttributeCalculation& calc = m_host.calculator();
    CHostContext* context = m_host.context();
    static const enumDDObjectKind kAsked[] = {ObjectKindVariable, ObjectKindMenu, ObjectKindMethod};
    enumDDObjectKind cls = kAsked[m_in.Byte() % 3];
    std::unique_ptr<CDDObject> object = dtmtool::ObjectOfClass(cls, t.definition);
    bool valid = false;
    try {
      if (cls == ObjectKindVariable) valid = calc.IsVariableValid(context, static_cast<CDDVariable*>(object.get()));
      if (cls == ObjectKindMenu) valid = calc.IsMenuValid(context, static_cast<CDDMenu*>(object.get()));
      if (cls == ObjectKindMethod) valid = calc.IsMethodValid(context, static_cast<CDDMethod*>(object.get()));
    } catch (...) {
      return std::string("a validity request threw");
    }
    std::size_t reports = m_host.errors().reports().size();
    bool defined = t.registered && t.registered->getID() == t.definition.getID() &&
                   t.definition.getKind() == cls && t.registered->getKind() == cls;
    if (defined && reports != 0) return "validity of a defined object reported an error";
    if (!t.registered && (valid || reports != RefusalReports(t.definition.getID())))
      return "validity of number " + std::to_string(t.definition.getID()) + " that names nothing: not refused as such";
    return std::nullopt;
  }

  Problem RunMethod() {
    std::uint8_t flags = m_in.Byte();
    dtmhost::Script script;
    bool suppress = flags & 1;
    if (flags & 2) script.abortFrom = 1 + m_in.Byte() % 64;
    if (flags & 4) {
      script.throwAt = 1 + m_in.Byte() % 96;
      script.throwValue = m_in.I32();
      static const dtmhost::Script::Throw kThrows[] = {dtmhost::Script::Throw::Integer, dtmhost::Script::Throw::Integer,
                                                       dtmhost::Script::Throw::StandardException,
                                                       dtmhost::Script::Throw::Other};
      script.throwKind = kThrows[m_in.Byte() % 4];
    }
    static const int kResults[] = {0, 0, 1, -7};
    script.normalResult = kResults[(flags >> 3) & 3];
    for (int n = (flags >> 5) & 7; n > 0; --n) script.selections.push_back(static_cast<std::int8_t>(m_in.Byte()));
    std::uint8_t more = m_in.Byte();
    if (more & 1)
      if (std::optional<std::string> refused = Variable()) script.refusePuts.push_back(*refused);
    // Dialogue answers, edits and device replies other than the quiet defaults.
    for (int n = (more >> 1) & 3; n > 0; --n) script.acknowledgeAnswers.push_back(static_cast<std::int8_t>(m_in.Byte()));
    for (int n = (more >> 3) & 3; n > 0; --n) script.askAnswers.push_back(static_cast<std::int8_t>(m_in.Byte()));
    for (int n = (more >> 5) & 1; n > 0; --n) {
      std::optional<std::string> edited = Variable();
      std::optional<CDDCommonVariant> value = Value();
      if (edited) script.edits[*edited] = value.value_or(CDDCommonVariant());
    }
    for (int n = (more >> 6) & 3; n > 0 && !m_shared.commands.empty(); --n) {
      const std::string& command = m_shared.commands[m_in.U16() % m_shared.commands.size()];
      std::optional<std::string> replied = Variable();
      std::optional<CDDCommonVariant> value = Value();
      if (replied) script.device[command][*replied] = value.value_or(CDDCommonVariant());
    }
    std::int32_t argument = m_in.I32();

    std::string name;
    std::uint8_t pick = m_in.Byte();
    if (pick < 200 && !m_shared.methods.empty()) {
      name = m_shared.methods[(pick + 256 * m_in.Byte()) % m_shared.methods.size()];
    } else {
      // A number that may name no method: the calculator refuses it once.
      long number = m_in.Number();
      const CDDDefinition* d = m_host.Find(number);
      if (d && d->getKind() == ObjectKindMethod) {
        name = d->getName();
      } else {
        CDDMethod method(CDDDefinition(number, "fuzz", ObjectKindMethod));
        int result = 0;
        try {
          result = m_host.calculator().ExecuteMethod(m_host.context(), &method, argument, suppress);
        } catch (...) {
          return std::string("executing a number that names no method threw");
        }
        if (result != -1 || m_host.errors().reports().size() != RefusalReports(number))
          return "executing number " + std::to_string(number) + " that names no method: not refused as such";
        return std::nullopt;
      }
    }

    Host::Run run;
    try {
      run = m_host.RunMethod(name, script, suppress, argument);
    } catch (int) {
      // The scripted context threw outside the body's protected region: it reaches the
      // host as it is, and nothing may be left behind (checked by the caller).
      if (!script.throwAt || script.throwKind != dtmhost::Script::Throw::Integer)
        return "run of " + name + " threw an integer nobody threw";
      return std::nullopt;
    } catch (const std::runtime_error&) {
      // Anything else the host throws passes through the plug-in to the host.
      if (!script.throwAt || script.throwKind != dtmhost::Script::Throw::StandardException)
        return "run of " + name + " threw an exception nobody threw";
      return std::nullopt;
    } catch (const dtmhost::HostFault&) {
      if (!script.throwAt || script.throwKind != dtmhost::Script::Throw::Other)
        return "run of " + name + " threw a host fault nobody threw";
      return std::nullopt;
    } catch (...) {
      return "run of " + name + " threw";
    }
    for (const std::string& report : m_host.errors().reports())
      if (report.find("illegal method ID") == std::string::npos) return "run of " + name + " reported \"" + report + "\"";
    if (run.trace.empty()) {
      if (run.result != -1) return "run of " + name + " without a body answered " + std::to_string(run.result);
      return std::nullopt;
    }
    int expected = dtmtool::ContextResult(run.trace, script.normalResult);
    if (run.result != expected)
      return "run of " + name + " answered " + std::to_string(run.result) + ", its context " + std::to_string(expected);
    return std::nullopt;
  }

  // The calculator stopped and started again; a fresh one asked before Init and
  // before its catalogue. Neither may fill an object or run a method.
  Problem Restart() {
    Target t = Pick();
    IDeviceAttributeCalculation& calc = m_host.calculator();
    auto untouched = [&](IDeviceAttributeCalculation& c, const char* when) -> Problem {
      std::unique_ptr<CDDObject> object = dtmtool::ObjectOfClass(t.cls, t.definition);
      std::string before = dtmtool::Canonical(*object);
      CDDMethod method(t.definition);
      try {
        c.Calculate(m_host.context(), object.get());
        if (c.ExecuteMethod(m_host.context(), &method, 0, false) != -1) return std::string("a method ran ") + when;
      } catch (...) {
        return std::string("threw ") + when;
      }
      if (dtmtool::Canonical(*object) != before) return std::string("an object was filled ") + when;
      return std::nullopt;
    };
    calc.Exit();
    Problem problem = untouched(calc, "after Exit");
    // The data set is rebuilt from a whole host; the null answers hold again after it.
    m_host.answerNull({});
    m_host.Start();
    m_host.answerNull(m_null);
    if (problem) return problem;

    std::unique_ptr<IDeviceAttributeCalculation> fresh(m_host.library()->GetAttributeCalculation());
    if (!fresh) return std::string("the plug-in answered no second calculator");
    if (Problem p = untouched(*fresh, "before Init")) return p;
    fresh->Init(&m_host);
    if (Problem p = untouched(*fresh, "before BuildCatalogue")) return p;
    fresh->Exit();
    m_host.errors().clear();
    return std::nullopt;
  }

  Shared& m_shared;
  Host& m_host;
  Input& m_in;
  Host::NullAnswers m_null;
};

}  // namespace

std::optional<std::string> FuzzOne(const std::uint8_t* data, std::size_t size) {
  static Shared shared;
  if (!shared.host) return "cannot load the plug-in: " + shared.error;
  shared.Reset();
  Input in(data, size);
  Problem problem = Session(shared, in).Run();
  // Nothing of this input stays allocated, so that libFuzzer's leak check stays quiet
  // unless something really leaks.
  shared.host->store().clearReads();
  shared.host->errors().clear();
  return problem;
}
