#include "module/subsystems.h"

namespace methods {
CalcFunction CalcFunctionFor(ObjId) { return nullptr; }
ExecuteFunction ExecuteFunctionFor(ObjId) { return nullptr; }
}  // namespace methods
