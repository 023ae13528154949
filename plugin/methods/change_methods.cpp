// After an edit of the sensor type, operating mode, check selection or display unit:
// when the value differs from the one saved before the edit, the dependent thresholds
// and limits get starting values that fit the new setting. The saved copy is left as
// it is, so a second run repeats the same puts.
#include "methods/bodies.h"

namespace methods::body {
namespace {

// Check thresholds while the check supervises chlorine; the low one is put first, by
// the caller, before anything decides the range.
void PutChlorineCheckRange(MethodRun& run, bool largeRange) {
  run.PutFloat(id::manu_check_threshold_high, code::range::Upper(largeRange));
  run.PutFloat(id::manu_check_limit_value, largeRange ? 0.5f : 0.1f);
}

// Check values while the check supervises pH or redox; the limit outside pH differs
// between the methods.
void PutSecondValueCheck(MethodRun& run, int mode, float otherLimit) {
  const bool pH = mode == code::kPh;
  run.PutFloat(id::manu_check_threshold_low, pH ? code::second_range::kPhLow : code::second_range::kRedoxLow);
  run.PutFloat(id::manu_check_threshold_high, pH ? code::second_range::kPhHigh : code::second_range::kRedoxHigh);
  run.PutFloat(id::manu_check_limit_value, pH ? 7.2f : otherLimit);
}

// The check values for the selection the host holds now, asked afresh since the host
// may have refused a selection put before: chlorine or the second value. Each body
// decides the range and the mode in its own way, asked only on their branch.
template <typename LargeRange, typename Mode>
void PutCheckValues(MethodRun& run, LargeRange largeRange, Mode mode, float otherLimit) {
  if (run.GetInt(id::manu_check_select) == code::kChlorine) {
    run.PutFloat(id::manu_check_threshold_low, 0.0f);
    PutChlorineCheckRange(run, largeRange());
  } else {
    PutSecondValueCheck(run, mode(), otherLimit);
  }
}

// The check goes back to chlorine with threshold alarm and process monitoring off.
void ResetCheck(MethodRun& run) {
  run.PutInt(id::manu_check_select, code::kChlorine);
  run.PutInt(id::manu_check_threshold_enabled, 0);
  run.PutInt(id::manu_check_monitoring_enabled, 0);
}

void PutThresholds(MethodRun& run, const ObjId (&variables)[3], float value) {
  for (ObjId variable : variables) run.PutFloat(variable, value);
}

constexpr ObjId kMainValueThresholds[] = {id::manu_relay_pv_switch_on, id::manu_relay_pv_switch_off,
                                          id::manu_relay_pv_alarm_threshold};
constexpr ObjId kSecondValueThresholds[] = {id::manu_relay_sv_switch_on, id::manu_relay_sv_switch_off,
                                            id::manu_relay_sv_alarm_threshold};

}  // namespace

void ChangedSensorType(MethodRun& run) {
  const int sensorType = run.GetInt(id::manu_sensor_type);
  if (run.GetInt(id::last_manu_sensor_type) == sensorType) return;
  ResetCheck(run);
  const bool largeRange = code::IsLargeRange(sensorType);
  PutThresholds(run, kMainValueThresholds, code::range::Upper(largeRange));
  PutCheckValues(
      run, [largeRange] { return largeRange; }, [&run] { return run.GetInt(id::manu_mode); }, 0.0f);
}

void ChangedMode(MethodRun& run) {
  const int mode = run.GetInt(id::manu_mode);
  if (run.GetInt(id::last_manu_mode) == mode) return;
  ResetCheck(run);
  PutThresholds(run, kSecondValueThresholds,
                mode == code::kPh ? code::second_range::kPhHigh : code::second_range::kRedoxHigh);
  PutCheckValues(run, [&run] { return ReadLargeRange(run); }, [mode] { return mode; }, 7.2f);
}

void UpdateModeHelp(MethodRun& run) { run.Read(id::read_manu_mode_help); }

void ChangedCheckSelect(MethodRun& run) {
  const int selection = run.GetInt(id::manu_check_select);
  // The unit of the check values follows the selection whether or not it changed.
  if (run.GetInt(id::manu_check_select_help) != selection) run.PutInt(id::manu_check_select_help, selection);
  if (run.GetInt(id::last_manu_check_select) == selection) return;
  run.PutInt(id::manu_check_threshold_enabled, 0);
  run.PutInt(id::manu_check_monitoring_enabled, 0);
  PutCheckValues(
      run, [&run] { return ReadLargeRange(run); }, [&run] { return run.GetInt(id::manu_mode); }, 0.0f);
}

void ChangedUnitDisplay(MethodRun& run) {
  const int unit = run.GetInt(id::manu_unit_display);
  if (run.GetInt(id::last_manu_unit_display) == unit) return;
  // Switch points first, then the setpoints of the PID and three-point-step functions.
  const auto putRelayValues = [&run](float switchPoint, float setpoint) {
    PutThresholds(run, kMainValueThresholds, switchPoint);
    run.PutFloat(id::manu_relay_PID_nominal_value, setpoint);
    run.PutFloat(id::manu_relay_3Pstep_nominal_value, setpoint);
  };
  switch (unit) {
    case code::kMgPerL: {  // the range follows the sensor, the check values only for chlorine
      const bool largeRange = code::IsLargeRange(run.GetInt(id::manu_sensor_type));
      putRelayValues(code::range::Upper(largeRange), largeRange ? 0.5f : 0.1f);
      if (run.GetInt(id::manu_check_select) == code::kChlorine) {
        run.PutFloat(id::manu_check_threshold_low, 0.0f);
        PutChlorineCheckRange(run, ReadLargeRange(run));
      }
      break;
    }
    case code::kPpm:
      putRelayValues(code::range::kLarge, 0.5f);
      PutChlorineCheckRange(run, true);
      break;
    case code::kPpb:
      putRelayValues(code::range::kLargePpb, 500.0f);
      run.PutFloat(id::manu_check_threshold_high, code::range::kLargePpb);
      run.PutFloat(id::manu_check_limit_value, 500.0f);
      break;
    default:
      break;
  }
}

}  // namespace methods::body
