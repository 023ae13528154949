// Sensor and general reset of the device, behind its write lock.
#include "methods/bodies.h"
#include "methods/texts.h"

namespace methods::body {
namespace {

// Locked: the user is told so and nothing is written; the run still ends normally.
void ResetDevice(MethodRun& run, int reset) {
  run.Local("status");
  run.Read(id::read_manu_alarm_enable_code);
  if (run.GetInt(id::manu_alarm_enable_code) != code::kAccessCode) {
    run.Acknowledge(text::kNoAccess);
    return;
  }
  run.PutInt(id::manu_reset_device, reset);
  run.Write(id::write_manu_reset_device);
}

}  // namespace

void ResetSensor(MethodRun& run) { ResetDevice(run, 1); }

void ResetGeneral(MethodRun& run) { ResetDevice(run, 2); }

}  // namespace methods::body
