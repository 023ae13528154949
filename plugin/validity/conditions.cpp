#include "module/subsystems.h"

namespace validity {
namespace {
bool Always(CDeviceAttributeCalculation&, CHostContext*) { return true; }
}  // namespace

// Variables and menus carry no condition: every defined one is available.
Condition VariableCondition(ObjId) { return nullptr; }
Condition MenuCondition(ObjId) { return nullptr; }

// Every method of this device is always valid; the method table says which numbers
// are methods.
Condition MethodCondition(ObjId number) { return methods::CalcFunctionFor(number) ? Always : nullptr; }
}  // namespace validity
