#include "module/subsystems.h"

namespace variables {
CalcFunction CalcFunctionFor(ObjId) { return nullptr; }
}  // namespace variables
