#include "module/calculator.h"

#include <string>

#include "catalogue/catalogue.h"
#include "module/subsystems.h"

namespace {
constexpr const char* kIllegalVariable = ":   0,  0 : illegal object ID (calculate Variable validity) for object ";
constexpr const char* kIllegalMethod = ":   0,  0 : illegal object ID (calculate Method validity) for object ";
constexpr const char* kIllegalMenu = ":   0,  0 : illegal object ID (calculate Menu validity) for object ";
constexpr const char* kIllegalExecute = ":   0,  0 : illegal method ID (execute)";

// The number an object's definition carries, or -1 when there is no object.
long NumberOf(const CDDObject* object) {
  if (!object) return -1;
  const CDDDefinition* definition = object->getcDefinition();
  return definition ? definition->getID() : -1;
}

// A negative number is the host's way of naming no object: the validity and execute
// requests answer it without a report.
bool NegativeNumber(const CDDObject* object) {
  return object && object->getcDefinition() && object->getcDefinition()->getID() < 0;
}

const char* NameOf(const CDDObject* object) {
  return object && object->getcDefinition() ? object->getcDefinition()->getName() : "";
}
}  // namespace

CDeviceAttributeCalculation::~CDeviceAttributeCalculation() { DeleteDefinitions(); }

void CDeviceAttributeCalculation::Init(CHostServices* host) {
  m_host = host;
  FillCalcFunctions();
}

void CDeviceAttributeCalculation::Exit() { m_host = nullptr; }

void CDeviceAttributeCalculation::FillCalcFunctions() {
  for (ObjId n = 1; n <= kObjectCount; ++n) {
    CalcFunction fn = variables::CalcFunctionFor(n);
    if (!fn) fn = commands::CalcFunctionFor(n);
    if (!fn) fn = methods::CalcFunctionFor(n);
    if (!fn) fn = menus::CalcFunctionFor(n);
    m_calcFunctions[n] = fn;
  }
}

void CDeviceAttributeCalculation::BuildCatalogue() {
  DeleteDefinitions();
  for (const CatalogueEntry& e : kCatalogue) m_definitions[e.id] = new CDDDefinition(e.id, e.name, e.kind);
  if (!m_host) return;
  CHostObjectStore* store = m_host->getObjectStore();
  if (!store) return;
  catalogue::HandOver(*store, m_definitions);
}

void CDeviceAttributeCalculation::DeleteDefinitions() {
  for (auto& entry : m_definitions) {
    delete entry;
    entry = nullptr;
  }
}

const CDDDefinition* CDeviceAttributeCalculation::FindDefinition(long number) const {
  if (number < 1 || number > kObjectCount) return nullptr;
  return m_definitions[number];
}

long CDeviceAttributeCalculation::DefinedNumber(const CDDObject* object, enumDDObjectKind kind) const {
  long n = NumberOf(object);
  const CDDDefinition* d = FindDefinition(n);
  return d && d->getKind() == kind ? n : -1;
}

void CDeviceAttributeCalculation::Report(const char* message, const char* name) {
  if (!m_host) return;
  CHostErrorHandler* handler = m_host->getErrorHandler();
  if (!handler) return;
  handler->reportError(CStrPP(std::string(message) + name));
}

CDDObject* CDeviceAttributeCalculation::Calculate(CHostContext* context, CDDObject* object) {
  long n = NumberOf(object);
  // Unknown numbers, unbuilt objects and requests before Init/BuildCatalogue leave
  // the object untouched.
  if (!m_host || !FindDefinition(n) || !m_calcFunctions[n]) return object;
  return m_calcFunctions[n](*this, context, object);
}

bool CDeviceAttributeCalculation::IsVariableValid(CHostContext* context, CDDVariable* variable) {
  if (NegativeNumber(variable)) return false;
  long n = DefinedNumber(variable, ObjectKindVariable);
  if (n < 0) {
    Report(kIllegalVariable, NameOf(variable));
    return false;
  }
  validity::Condition condition = validity::VariableCondition(static_cast<ObjId>(n));
  return condition ? condition(*this, context) : true;
}

bool CDeviceAttributeCalculation::IsMethodValid(CHostContext* context, CDDMethod* method) {
  if (NegativeNumber(method)) return false;
  long n = DefinedNumber(method, ObjectKindMethod);
  validity::Condition condition = n < 0 ? nullptr : validity::MethodCondition(static_cast<ObjId>(n));
  if (!condition) {
    Report(kIllegalMethod, NameOf(method));
    return false;
  }
  return condition(*this, context);
}

bool CDeviceAttributeCalculation::IsMenuValid(CHostContext* context, CDDMenu* menu) {
  if (NegativeNumber(menu)) return false;
  long n = DefinedNumber(menu, ObjectKindMenu);
  if (n < 0) {
    Report(kIllegalMenu, NameOf(menu));
    return false;
  }
  validity::Condition condition = validity::MenuCondition(static_cast<ObjId>(n));
  return condition ? condition(*this, context) : true;
}

int CDeviceAttributeCalculation::ExecuteMethod(CHostContext* context, CDDMethod* method,
                                               std::int32_t executeArgument, bool suppressAbort) {
  if (NegativeNumber(method)) return -1;
  long n = DefinedNumber(method, ObjectKindMethod);
  ExecuteFunction execute = n < 0 ? nullptr : methods::ExecuteFunctionFor(static_cast<ObjId>(n));
  if (!execute || !m_host) {
    Report(kIllegalExecute, "");
    return -1;
  }
  return execute(*this, context, method, executeArgument, suppressAbort);
}
