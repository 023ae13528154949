#include "module/subsystems.h"

namespace commands {
CalcFunction CalcFunctionFor(ObjId) { return nullptr; }
}  // namespace commands
