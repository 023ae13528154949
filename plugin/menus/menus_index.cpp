#include "module/subsystems.h"

namespace menus {
CalcFunction CalcFunctionFor(ObjId) { return nullptr; }
}  // namespace menus
