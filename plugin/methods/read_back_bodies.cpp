// Methods that only read parameters back from the device, in a fixed order; two of
// them let a value the context holds choose the commands.
#include <array>
#include <span>

#include "methods/bodies.h"

namespace methods::body {
namespace {

constexpr ObjId kLimitPv[] = {id::read_manu_relay_pv_switch_on,       id::read_manu_relay_pv_switch_off,
                              id::read_manu_relay_switch_on_delay,    id::read_manu_relay_switch_off_delay,
                              id::read_manu_relay_pv_alarm_threshold, id::read_manu_relay_limit_switch_state};
constexpr ObjId kLimitSv[] = {id::read_manu_relay_sv_switch_on,       id::read_manu_relay_sv_switch_off,
                              id::read_manu_relay_switch_on_delay,    id::read_manu_relay_switch_off_delay,
                              id::read_manu_relay_sv_alarm_threshold, id::read_manu_relay_limit_switch_state};
constexpr ObjId kLimitTemp[] = {id::read_manu_relay_temp_switch_on,       id::read_manu_relay_temp_switch_off,
                                id::read_manu_relay_switch_on_delay,      id::read_manu_relay_switch_off_delay,
                                id::read_manu_relay_temp_alarm_threshold, id::read_manu_relay_limit_switch_state};
constexpr ObjId kPidPv[] = {id::read_manu_relay_PID_nominal_value};
constexpr ObjId kPidSv[] = {id::read_manu_relay_PID_sv_nominal_value};
constexpr ObjId kTimer[] = {id::read_manu_relay_timer_clean_time, id::read_manu_relay_timer_pause_time,
                            id::read_manu_relay_timer_pause_time_min};
constexpr ObjId kClean[] = {id::read_manu_relay_clean_start_pulse,   id::read_manu_relay_clean_start_time,
                            id::read_manu_relay_clean_time,          id::read_manu_relay_clean_after_time,
                            id::read_manu_relay_clean_cycles,        id::read_manu_relay_clean_time_pause,
                            id::read_manu_relay_clean_time_pause_min, id::read_manu_relay_clean_economy};
constexpr ObjId kThreePointStep[] = {id::read_manu_relay_3Pstep_nominal_value, id::read_manu_relay_3Pstep_Kp,
                                     id::read_manu_relay_3Pstep_Tn,            id::read_manu_relay_3Pstep_switch_on_min,
                                     id::read_manu_relay_3Pstep_motor_time,    id::read_manu_relay_3Pstep_neutral_zone};
constexpr ObjId kAlarmStatus[] = {id::read_manu_alarm_error_state, id::read_manu_alarm_contact_enabled,
                                  id::read_manu_alarm_cleaning_trigger};

constexpr ObjId kPidHead[] = {id::read_manu_relay_PID_Kp, id::read_manu_relay_PID_Tn, id::read_manu_relay_PID_Tv,
                              id::read_manu_relay_PID_charac, id::read_manu_relay_PID_mode};
constexpr ObjId kPulseLength[] = {id::read_manu_relay_PID_pulse_period, id::read_manu_relay_PID_switch_on_min};

// What one relay function code reads: its list, for the PID codes followed by the
// PID tail.
struct FunctionReads {
  std::span<const ObjId> reads;
  bool pidTail = false;
};
constexpr std::array<FunctionReads, 9> kByFunction = {{
    {},  // 0: no relay function
    {kLimitPv},
    {kLimitSv},
    {kLimitTemp},
    {kPidPv, true},
    {kPidSv, true},
    {kTimer},
    {kClean},
    {kThreePointStep},
}};

// The mode is asked only after its own read, so the branch follows the device's value.
void ReadPidTail(MethodRun& run) {
  run.ReadAll(kPidHead);
  if (run.GetInt(id::manu_relay_PID_mode) == code::kPulseLength)
    run.ReadAll(kPulseLength);
  else
    run.Read(id::read_manu_relay_PID_pulse_freq);
  run.Read(id::read_manu_relay_PID_basic_load);
}

}  // namespace

// The correction first, so that the entry reads back as the device has it after both.
void ReadTemperatureEntry(MethodRun& run) {
  run.Read(id::read_manu_temperature_offset);
  run.Read(id::read_manu_temperature_process_entry);
}

void ReadFunctionParams(MethodRun& run) {
  const int code = run.GetInt(id::manu_relay_function);
  if (code < 1 || code >= static_cast<int>(kByFunction.size())) return;
  run.ReadAll(kByFunction[code].reads);
  if (kByFunction[code].pidTail) ReadPidTail(run);
}

void ReadLimitPvParams(MethodRun& run) { run.ReadAll(kLimitPv); }
void ReadLimitSvParams(MethodRun& run) { run.ReadAll(kLimitSv); }
void ReadLimitTempParams(MethodRun& run) { run.ReadAll(kLimitTemp); }
void ReadTimerParams(MethodRun& run) { run.ReadAll(kTimer); }
void ReadCleanParams(MethodRun& run) { run.ReadAll(kClean); }
void ReadThreePointStepParams(MethodRun& run) { run.ReadAll(kThreePointStep); }
void ReadAlarmStatusParams(MethodRun& run) { run.ReadAll(kAlarmStatus); }

// The nominal value of the code the context holds, if it is a PID code; the tail in
// every case.
void ReadPidParams(MethodRun& run) {
  if (run.GetInt(id::manu_relay_function) == code::kPidPv)
    run.ReadAll(kPidPv);
  else if (run.GetInt(id::manu_relay_function) == code::kPidPh)
    run.ReadAll(kPidSv);
  ReadPidTail(run);
}

}  // namespace methods::body
