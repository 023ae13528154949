// Before a display limit of a measured value is edited, it is set to the value that
// fits the current sensor type (main value) or operating mode (second value).
#include "methods/bodies.h"

namespace methods::body {
namespace {
constexpr int kModeRedox = 2;
}  // namespace

void SetSvLowerLimit(MethodRun& run) {
  run.PutFloat(id::sv_lower_limit, run.GetInt(id::manu_mode) == kModeRedox ? 0.0f : 4.0f);
}

void SetSvUpperLimit(MethodRun& run) {
  run.PutFloat(id::sv_upper_limit, run.GetInt(id::manu_mode) == kModeRedox ? 1500.0f : 9.0f);
}

// Sensor types 1 and 3 measure the large range; the type is asked a second time only
// when the first answer was not 1.
void SetPvUpperLimit(MethodRun& run) {
  const bool largeRange = run.GetInt(id::manu_sensor_type) == 1 || run.GetInt(id::manu_sensor_type) == 3;
  run.PutFloat(id::pv_upper_limit, largeRange ? 20.0f : 5.0f);
}

}  // namespace methods::body
