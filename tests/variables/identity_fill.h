// Fills one built variable row the way the calculator does, without a host: the
// identification and physical-block rows read no value (except the locked texts,
// which need a host and are requested through one).
#pragma once
#include <memory>

#include "module/calculator.h"
#include "variables/variable_frame.h"

inline std::unique_ptr<CDDVariable> FillRow(ObjId id, std::unique_ptr<CDDVariable> v = nullptr) {
  static CDeviceAttributeCalculation calc;
  const variables::VariableRow* row = variables::RowFor(id);
  if (!row) return nullptr;
  if (!v) v = std::make_unique<CDDVariable>(CDDDefinition(id, row->name, ObjectKindVariable));
  variables::FillVariable(calc, nullptr, v.get(), *row);
  return v;
}

// A host object that already carries attributes from an earlier request.
inline std::unique_ptr<CDDVariable> UsedVariable(ObjId id) {
  const variables::VariableRow* row = variables::RowFor(id);
  auto v = std::make_unique<CDDVariable>(CDDDefinition(id, row ? row->name : "", ObjectKindVariable));
  v->putLabel(CStrPP("earlier label"));
  v->putHelp(CStrPP("earlier help"));
  v->putHandling(HandlingRead, true);
  v->putHandling(HandlingWrite, true);
  return v;
}
