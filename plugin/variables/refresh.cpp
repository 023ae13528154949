// The refresh relations: which variables the host must read again after which others
// change. Each is one row; one function fills them all.
#include <memory>

#include "variables/tables.h"

namespace variables {
namespace {

struct RefreshRow {
  ObjId number;
  ObjId reread;
  ObjId changed;
};

constexpr RefreshRow kRefreshRows[] = {
    {id::refresh_temperature, id::manu_meas_value_temperature, id::manu_mode},
    {id::refresh_manu_mode_help, id::manu_mode_help, id::manu_mode},
};

const RefreshRow* RefreshRowFor(ObjId number) {
  for (const RefreshRow& row : kRefreshRows)
    if (row.number == number) return &row;
  return nullptr;
}

// Each request installs new sets, so a relation never holds more than one member in
// each, however often the host asks.
CDDObject* CalcRefresh(CDeviceAttributeCalculation& calc, CHostContext*, CDDObject* object) {
  auto* refresh = dynamic_cast<CDDRefresh*>(object);
  const RefreshRow* row = refresh ? RefreshRowFor(refresh->getcDefinition()->getID()) : nullptr;
  if (!row) return object;
  refresh->setReread(std::make_unique<CDDVariableDefinitionSet>().release());
  refresh->getReread()->Insert(calc.Definition(row->reread));
  refresh->setChanged(std::make_unique<CDDVariableDefinitionSet>().release());
  refresh->getChanged()->Insert(calc.Definition(row->changed));
  refresh->putAttributesAvailable(true);
  return refresh;
}

}  // namespace

CalcFunction RefreshCalcFor(ObjId number) { return RefreshRowFor(number) ? &CalcRefresh : nullptr; }

}  // namespace variables
