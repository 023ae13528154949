// What each subsystem hands the calculator's function table. Each answers null for a
// number it does not calculate; such objects are returned untouched.
#pragma once
#include "module/calculator.h"

namespace variables {
CalcFunction CalcFunctionFor(ObjId number);  // variables, the block and the relations
}
namespace commands {
CalcFunction CalcFunctionFor(ObjId number);
}
namespace methods {
CalcFunction CalcFunctionFor(ObjId number);
ExecuteFunction ExecuteFunctionFor(ObjId number);
}
namespace menus {
CalcFunction CalcFunctionFor(ObjId number);
}
namespace validity {
// Condition of a variable, method or menu; null where none is built.
using Condition = bool (*)(CDeviceAttributeCalculation& calc, CHostContext* context);
Condition VariableCondition(ObjId number);
Condition MethodCondition(ObjId number);
Condition MenuCondition(ObjId number);
}
