// The attribute calculator: holds the host interface, the function table and the
// definition table, both indexed by object number (entry 0 stays empty), and
// dispatches attribute, validity and method requests by number.
#pragma once
#include <array>
#include <cstdint>

#include "catalogue/object_ids.h"
#include "ddlib/ddlib.h"

// Every value read goes to the host's object store.
inline constexpr int UseHostServices = 1;

class CDeviceAttributeCalculation;

// One signature serves the whole function table; each frame checks the object's class.
using CalcFunction = CDDObject* (*)(CDeviceAttributeCalculation& calc, CHostContext* context,
                                    CDDObject* object);
using ExecuteFunction = int (*)(CDeviceAttributeCalculation& calc, CHostContext* context, CDDMethod* method,
                                std::int32_t executeArgument, bool suppressAbort);

class CDeviceAttributeCalculation : public IDeviceAttributeCalculation {
 public:
  CDeviceAttributeCalculation() = default;
  CDeviceAttributeCalculation(const CDeviceAttributeCalculation&) = delete;
  CDeviceAttributeCalculation& operator=(const CDeviceAttributeCalculation&) = delete;
  ~CDeviceAttributeCalculation() override;

  void Init(CHostServices* host) override;
  void Exit() override;
  void BuildCatalogue() override;
  CDDObject* Calculate(CHostContext* context, CDDObject* object) override;
  bool IsVariableValid(CHostContext* context, CDDVariable* variable) override;
  bool IsMethodValid(CHostContext* context, CDDMethod* method) override;
  bool IsMenuValid(CHostContext* context, CDDMenu* menu) override;
  int ExecuteMethod(CHostContext* context, CDDMethod* method, std::int32_t executeArgument,
                    bool suppressAbort) override;

  // The host's services; null before Init and after Exit.
  CHostServices* Host() const { return m_host; }

  // The definition of a described object; the catalogue fills every named number
  // before any request, so callers name only numbers that exist.
  const CDDDefinition& Definition(ObjId number) const { return *m_definitions[number]; }
  // Null for a number outside the table or without a definition.
  const CDDDefinition* FindDefinition(long number) const;

 private:
  // Tests reach the definitions through this one seam (tests/menus/menu_fixture.h).
  friend struct CalculatorTestAccess;

  void FillCalcFunctions();
  void DeleteDefinitions();
  void Report(const char* message, const char* name);
  // The object's number when its definition names a defined object of that kind, else -1.
  long DefinedNumber(const CDDObject* object, enumDDObjectKind kind) const;

  CHostServices* m_host = nullptr;
  std::array<CalcFunction, kTableSize> m_calcFunctions{};
  std::array<CDDDefinition*, kTableSize> m_definitions{};  // owned
};
