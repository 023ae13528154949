// Before the parameter list is read from the device, the parameters that its
// conditions depend on are read first, level by level; later levels test what the
// earlier ones brought into the store. Every test asks the context afresh.
#include "methods/bodies.h"

namespace methods::body {
namespace {
constexpr ObjId kLevel1[] = {
    id::read_manu_control_stop,       id::read_manu_pH_enabled,
    id::read_manu_s_version_enabled,  id::read_manu_current_input_enabled,
    id::read_manu_check_select,       id::read_manu_check_threshold_enabled,
    id::read_manu_check_monitoring_enabled, id::read_manu_alarm_error_code_select,
    id::read_manu_cleaning_function_enabled, id::read_manu_relay_number,
    id::read_manu_relay_function,     id::read_manu_sensor_type,
};
}  // namespace

void PreReadLevel1(MethodRun& run) { run.ReadAll(kLevel1); }

void PreReadLevel2(MethodRun& run) {
  if (run.GetInt(id::manu_pH_enabled) == 1) {
    run.Read(id::read_manu_mode);
    run.Read(id::read_manu_mode_help);
  }
  if (run.GetInt(id::manu_current_input_enabled) == 1) {
    run.Read(id::read_manu_current_control_stop);
    run.Read(id::read_manu_current_PID_influence);
  }
  // The PID mode matters only for the two PID functions on a device with relays.
  if (run.GetInt(id::manu_relay_function) == code::kPidPv || run.GetInt(id::manu_relay_function) == code::kPidPh) {
    if (run.GetInt(id::manu_relay_number) != code::kNoRelays) run.Read(id::read_manu_relay_PID_mode);
  }
}

// The pH compensation is read for sensor types up to QN-702, except in redox mode of a
// device with pH.
void PreReadLevel3(MethodRun& run) {
  if (run.GetInt(id::manu_sensor_type) > code::kQN702) return;
  if (run.GetInt(id::manu_pH_enabled) == 1) {
    if (run.GetInt(id::manu_mode) != code::kRedox) run.Read(id::read_manu_ph_compensation);
  } else {
    run.Read(id::read_manu_ph_compensation);
  }
}

}  // namespace methods::body
