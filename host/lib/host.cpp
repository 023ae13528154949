// The host around one calculator: services, data set, requests and method runs.
#include <algorithm>
#include <cstdlib>

#include "dtmhost/host.h"

namespace dtmhost {

namespace {

// Sets a variable for one scope and restores its old value afterwards, also on an exception.
template <typename T>
class Restore {
 public:
  Restore(T& variable, T value) : m_variable(variable), m_old(variable) { variable = value; }
  ~Restore() { m_variable = m_old; }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

 private:
  T& m_variable;
  T m_old;
};

}  // namespace

std::unique_ptr<Host> Host::Open(const std::string& pluginPath, std::string* error) {
  std::unique_ptr<PluginLibrary> library = PluginLibrary::Open(pluginPath, error);
  if (!library) return nullptr;
  IDeviceAttributeCalculation* calculator = library->GetAttributeCalculation();
  if (!calculator) {
    if (error) *error = "plug-in " + pluginPath + " answered no attribute calculator";
    return nullptr;
  }
  std::unique_ptr<Host> host(new Host());
  host->m_library = std::move(library);
  host->m_calculator = calculator;
  host->m_ownsCalculator = true;
  try {
    host->Start();
  } catch (...) {
    if (error) *error = "plug-in " + pluginPath + " failed while building its catalogue";
    return nullptr;
  }
  return host;
}

std::unique_ptr<Host> Host::Attach(IDeviceAttributeCalculation* calculator) {
  std::unique_ptr<Host> host(new Host());
  host->m_calculator = calculator;
  if (calculator) host->Start();
  return host;
}

Host::~Host() {
  if (!m_calculator) return;
  try {
    m_calculator->Exit();
  } catch (...) {  // a plug-in's fault must not end the host
  }
  if (m_ownsCalculator) delete m_calculator;
}

CMethodContext* Host::createMethodContext(CHostContext* /*context*/) {
  if (m_null.context) return nullptr;
  // A run started by the caller through calculator() directly gets the idle script.
  Script& script = m_currentScript ? *m_currentScript : m_idleScript;
  std::vector<TraceEntry>& trace = m_currentTrace ? *m_currentTrace : m_idleTrace;
  trace.push_back({"createMethodContext", {}});
  return new ScriptedContext(*this, script, trace, m_depth);
}

void Host::Start() {
  m_store.clearRegistrations();
  m_calculator->Init(this);
  m_calculator->BuildCatalogue();

  m_byName.clear();
  m_byNumber.clear();
  for (const auto& object : m_store.objects()) {
    const CDDDefinition* d = object->getcDefinition();
    m_byName.emplace(d->getName(), d);
    m_byNumber.emplace(d->getID(), d);
  }

  // The data set: each variable's default, asked once in ascending order.
  for (const auto& [number, definition] : m_byNumber) {
    if (definition->getKind() != ObjectKindVariable) continue;
    std::unique_ptr<CDDObject> object = Request(*definition);
    const auto* variable = dynamic_cast<const CDDVariable*>(object.get());
    const CDDType* type = variable ? variable->typeInfo() : nullptr;
    if (!type) continue;
    std::string name = definition->getName();
    m_store.setVariableType(name, type->getType());
    if (const auto& fallback = type->getDefaultValue()) {
      CDDCommonVariant value = m_store.coerce(name, *fallback);
      m_store.setValue(name, value.isEmpty() ? *fallback : value);
    }
  }
  m_store.clearReads();
}

const CDDDefinition* Host::Find(const std::string& nameOrNumber) const {
  if (std::optional<long> number = ParseInteger(nameOrNumber)) return Find(*number);
  auto found = m_byName.find(nameOrNumber);
  return found == m_byName.end() ? nullptr : found->second;
}

const CDDDefinition* Host::Find(long number) const {
  auto found = m_byNumber.find(number);
  return found == m_byNumber.end() ? nullptr : found->second;
}

std::vector<CDDDefinition> Host::Catalogue() const {
  std::vector<CDDDefinition> out;
  for (const auto& object : m_store.objects()) out.push_back(*object->getcDefinition());
  return out;
}

std::unique_ptr<CDDObject> Host::Request(const CDDDefinition& definition) {
  m_store.clearReads();
  std::unique_ptr<CDDObject> object(MakeDescriptionObject(definition));
  if (object) m_calculator->Calculate(&m_context, object.get());
  return object;
}

std::unique_ptr<CDDObject> Host::Request(const std::string& nameOrNumber) {
  const CDDDefinition* definition = Find(nameOrNumber);
  return definition ? Request(*definition) : nullptr;
}

std::optional<bool> Host::Valid(const CDDDefinition& definition) {
  m_store.clearReads();
  switch (definition.getKind()) {
    case ObjectKindVariable: {
      CDDVariable variable(definition);
      return m_calculator->IsVariableValid(&m_context, &variable);
    }
    case ObjectKindMethod: {
      CDDMethod method(definition);
      return m_calculator->IsMethodValid(&m_context, &method);
    }
    case ObjectKindMenu: {
      CDDMenu menu(definition);
      return m_calculator->IsMenuValid(&m_context, &menu);
    }
    default:
      return std::nullopt;
  }
}

Host::Run Host::RunMethod(const std::string& nameOrNumber, Script script, bool suppressAbort,
                          std::int32_t executeArgument) {
  Run run;
  const CDDDefinition* definition = Find(nameOrNumber);
  if (!definition || definition->getKind() != ObjectKindMethod) {
    run.result = -1;
    return run;
  }
  Restore changed(m_changed, &run.changed);
  Restore currentScript(m_currentScript, &script);
  Restore currentTrace(m_currentTrace, &run.trace);
  Restore depth(m_depth, 0);
  CDDMethod method(*definition);
  run.result = m_calculator->ExecuteMethod(&m_context, &method, executeArgument, suppressAbort);
  return run;
}

int Host::RunNested(const std::string& methodName, Script& script, std::vector<TraceEntry>& trace, int depth) {
  const CDDDefinition* definition = Find(methodName);
  if (!definition || definition->getKind() != ObjectKindMethod) return -1;
  Restore currentScript(m_currentScript, &script);
  Restore currentTrace(m_currentTrace, &trace);
  Restore nestedDepth(m_depth, depth);
  CDDMethod method(*definition);
  return m_calculator->ExecuteMethod(&m_context, &method, 0, false);
}

void Host::notePut(const std::string& name, const CDDCommonVariant& value) {
  if (m_changed) (*m_changed)[name] = value;
}

}  // namespace dtmhost
