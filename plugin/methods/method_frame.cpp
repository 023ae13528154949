#include "methods/method_frame.h"

#include <memory>

#include "module/helpers.h"

namespace methods {

CDDObject* FillMethod(CDeviceAttributeCalculation& calc, const MethodRow& row, CHostContext* context,
                      CDDObject* object) {
  auto* method = dynamic_cast<CDDMethod*>(object);
  if (!method) return object;
  method->putLabel(CStrPP(row.label));
  if (row.help) method->putHelp(CStrPP(*row.help));
  if (row.order == CalcOrder::accessFirst) method->putAccess(row.access);
  ResetMethodClass(method->getClass());
  method->getClass()->putClassInfo(row.cls, true);
  if (row.order == CalcOrder::classFirst) method->putAccess(row.access);
  // Through the calculator's interface, as the host would ask it.
  IDeviceAttributeCalculation& calculator = calc;
  method->putValidity(calculator.IsMethodValid(context, method));
  method->putAttributesAvailable(true);
  return object;
}

CDDObject* CalcMethod(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object) {
  const CDDDefinition* definition = object ? object->getcDefinition() : nullptr;
  const MethodRow* row = definition ? FindRow(definition->getID()) : nullptr;
  return row ? FillMethod(calc, *row, context, object) : object;
}

int ExecuteMethod(CDeviceAttributeCalculation& calc, CHostContext* context, CDDMethod* method,
                  std::int32_t executeArgument, bool suppressAbort) {
  const CDDDefinition* definition = method ? method->getcDefinition() : nullptr;
  const MethodRow* row = definition ? FindRow(definition->getID()) : nullptr;
  if (!row || !row->body) return -1;
  return RunMethod(calc, context, method, executeArgument, suppressAbort, calc.Host(), row->body);
}

int RunMethod(CDeviceAttributeCalculation& calc, CHostContext* context, CDDMethod* method,
              std::int32_t executeArgument, bool suppressAbort, CHostServices* host, Body body) {
  CDDCommonVariant scratchValue;
  // The published values outlive the context, which may still look at them until it
  // is deleted; so the owner list is made first and dies last, on every path.
  CAutoDeleteList owned;
  std::unique_ptr<CMethodContext> runContext(host->createMethodContext(context));
  if (!runContext) return -1;
  runContext->begin(context, host, method->getcDefinition(), executeArgument);
  try {
    MethodRun run(calc, *runContext, scratchValue, owned, suppressAbort);
    body(run);
  } catch (int) {
    runContext->setResult(MethodResultAborted);
  }
  const int result = runContext->getResult();
  runContext.reset();
  return result;
}

// ---------------------------------------------------------------- locals

int& MethodRun::Local(const char* name) {
  m_locals.push_back({.name = name, .isText = false});
  return m_locals.back().number;
}

std::string& MethodRun::TextLocal(const char* name) {
  m_locals.push_back({.name = name, .isText = true});
  return m_locals.back().text;
}

void MethodRun::Publish() {
  auto collection = std::make_unique<CVBCollection>();
  for (const LocalVariable& local : m_locals) {
    const CDDCommonVariant* value =
        m_owned.Add(local.isText ? new CDDCommonVariant(local.text.c_str()) : new CDDCommonVariant(local.number));
    collection->Add(local.name, value);
  }
  m_context.setLocalVariables(collection.release());
}

// ---------------------------------------------------------------- operations

CStrPP MethodRun::Name(ObjId object) const { return CStrPP(m_calc.Definition(object).getName()); }

void MethodRun::AbortCheck() {
  if (m_context.isAbortPending() && !m_suppressAbort) {
    m_context.abortMethod(0);
    Stop();
  }
}

void MethodRun::Stop() { throw 0; }

void MethodRun::Read(ObjId command) {
  m_context.readCommand(Name(command));
  AbortCheck();
}

void MethodRun::ReadAll(std::span<const ObjId> commands) {
  for (ObjId command : commands) Read(command);
}

void MethodRun::Write(ObjId command) {
  m_context.writeCommand(Name(command));
  AbortCheck();
}

void MethodRun::Acknowledge(const char* text) {
  Publish();
  m_scratch = CDDCommonVariant(m_context.acknowledge(CStrPP(text), 0));
  AbortCheck();
}

void MethodRun::Delay(int seconds, const char* text) {
  Publish();
  m_context.delay(seconds, CStrPP(text), 0);
  AbortCheck();
}

void MethodRun::Ask(const char* prompt, ObjId variable) {
  Publish();
  m_scratch = CDDCommonVariant(m_context.askVariableValue(CStrPP(prompt), 0, Name(variable)));
  AbortCheck();
}

int MethodRun::Select(const char* prompt, const char* options) {
  Publish();
  m_scratch = CDDCommonVariant(m_context.selectFromList(CStrPP(prompt), 0, CStrPP(options)));
  AbortCheck();
  return m_scratch.getInt();
}

int MethodRun::Select(const char* prompt, const char* options, int offered) {
  const int position = Select(prompt, options);
  // The whole answer counts, not only its low 32 bits.
  const long answer = m_scratch.getLong();
  if (answer < 0 || answer >= offered) Stop();
  return position;
}

int MethodRun::GetInt(ObjId variable) {
  m_scratch = CDDCommonVariant(m_context.getIntegerValue(Name(variable)));
  return m_scratch.getInt();
}

void MethodRun::PutInt(ObjId variable, int value) {
  m_scratch = CDDCommonVariant(m_context.putIntegerValue(Name(variable), value));
}

void MethodRun::AssignInt(ObjId variable, int value) {
  m_scratch = CDDCommonVariant(m_context.assignIntegerValue(Name(variable), value));
}

void MethodRun::PutFloat(ObjId variable, float value) {
  m_scratch = CDDCommonVariant(m_context.putFloatValue(Name(variable), value));
}

void MethodRun::CallMethod(ObjId method) { m_scratch = CDDCommonVariant(m_context.callMethod(Name(method))); }

void MethodRun::SaveValues() { m_context.saveValues(); }

void MethodRun::Abort() {
  m_context.abort();
  Stop();
}

void MethodRun::AbortWithMessage(const char* text) {
  m_context.abortWithMessage(CStrPP(text));
  Stop();
}

}  // namespace methods
