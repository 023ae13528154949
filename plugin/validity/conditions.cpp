#include "catalogue/catalogue_table.h"
#include "module/subsystems.h"

namespace validity {
namespace {
bool Always(CDeviceAttributeCalculation&, CHostContext*) { return true; }
}  // namespace

// No condition is specified for variables and menus: every defined one is available.
Condition VariableCondition(ObjId) { return nullptr; }
Condition MenuCondition(ObjId) { return nullptr; }

// Every method of this device is always valid.
Condition MethodCondition(ObjId number) {
  for (std::size_t i = 0; i < kCatalogueSize; ++i)
    if (kCatalogue[i].id == number) return kCatalogue[i].kind == ObjectKindMethod ? Always : nullptr;
  return nullptr;
}
}  // namespace validity
