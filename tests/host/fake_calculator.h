// A small calculator for host tests: a few variables with defaults, and methods whose
// bodies are lambdas run with the same frame as the plug-in's bodies (context from
// the host, begin, body, -2 on a thrown integer, getResult, delete).
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ddlib/ddlib.h"

class FakeCalculator : public IDeviceAttributeCalculation {
 public:
  using Body = std::function<void(CMethodContext&)>;

  struct Variable {
    long id;
    const char* name;
    std::optional<enumDDVariableType> type;  // none: the request puts no type
    std::optional<CDDCommonVariant> fallback;
    std::vector<const char*> reads;  // values the request reads from the store
  };

  std::vector<Variable> variables = {
      {5, "f", VariableTypeFloat, CDDCommonVariant(1500), {}},
      {2, "a", VariableTypeInteger, CDDCommonVariant(7), {"f"}},
      {9, "s", VariableTypeString, CDDCommonVariant("TQR2X3P  "), {}},
      {3, "n", VariableTypeEnumerated, std::nullopt, {"a", "s", "a"}},
      {4, "u", std::nullopt, std::nullopt, {}},
  };
  std::map<std::string, Body> bodies;
  std::vector<std::string> requested;  // names of the variables asked, in order

  void Init(CHostServices* host) override { m_host = host; }
  void Exit() override { m_host = nullptr; }

  void BuildCatalogue() override {
    auto* store = m_host->getObjectStore();
    for (const Variable& v : variables) store->addObject(CDDVariable(CDDDefinition(v.id, v.name, ObjectKindVariable)));
    long id = 100;
    for (const auto& [name, body] : bodies)
      store->addObject(CDDMethod(CDDDefinition(id++, name.c_str(), ObjectKindMethod)));
  }

  CDDObject* Calculate(CHostContext* context, CDDObject* object) override {
    auto* variable = dynamic_cast<CDDVariable*>(object);
    if (!variable) return object;
    std::string name = variable->getcDefinition()->getName();
    for (const Variable& v : variables) {
      if (name != v.name) continue;
      requested.push_back(name);
      for (const char* read : v.reads) {
        std::unique_ptr<CDDCommonVariant> copy(
            m_host->getObjectStore()->getValueCopy(context, CDDDefinition(0, read, ObjectKindVariable)));
      }
      if (v.type) {
        variable->setTypeInfo(new CDDType(*v.type));
        if (v.fallback) variable->getTypeInfo()->putDefaultValue(*v.fallback);
      }
      variable->putAttributesAvailable(true);
    }
    return object;
  }

  bool IsVariableValid(CHostContext*, CDDVariable*) override { return true; }
  bool IsMethodValid(CHostContext*, CDDMethod*) override { return true; }
  bool IsMenuValid(CHostContext*, CDDMenu*) override { return true; }

  int ExecuteMethod(CHostContext* context, CDDMethod* method, std::int32_t executeArgument,
                    bool /*suppressAbort*/) override {
    auto body = bodies.find(method->getcDefinition()->getName());
    if (body == bodies.end()) return -1;
    std::unique_ptr<CMethodContext> run(m_host->createMethodContext(context));
    run->begin(context, m_host, method->getcDefinition(), executeArgument);
    try {
      body->second(*run);
    } catch (int) {
      run->setResult(MethodResultAborted);
    }
    return run->getResult();
  }

 private:
  CHostServices* m_host = nullptr;
};
