// Before a display limit of a measured value is edited, it is set to the value that
// fits the current sensor type (main value) or operating mode (second value).
#include "methods/bodies.h"

namespace methods::body {

void SetSvLowerLimit(MethodRun& run) {
  const bool redox = run.GetInt(id::manu_mode) == code::kRedox;
  run.PutFloat(id::sv_lower_limit, redox ? code::second_range::kRedoxLow : code::second_range::kPhLow);
}

void SetSvUpperLimit(MethodRun& run) {
  const bool redox = run.GetInt(id::manu_mode) == code::kRedox;
  run.PutFloat(id::sv_upper_limit, redox ? code::second_range::kRedoxHigh : code::second_range::kPhHigh);
}

void SetPvUpperLimit(MethodRun& run) {
  run.PutFloat(id::pv_upper_limit, code::range::Upper(ReadLargeRange(run)));
}

}  // namespace methods::body
