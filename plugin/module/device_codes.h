// The numbers by which the device states its settings, named once for the variable
// rules, the method bodies and the menus. Each belongs to the variable named above it.
#pragma once

namespace code {

// manu_alarm_enable_code: the value that unlocks writing to the device.
inline constexpr int kAccessCode = 83;

// manu_mode: the operating mode of the second measured value.
namespace mode {
inline constexpr int kOff = 0;
inline constexpr int kPh = 1;
inline constexpr int kRedox = 2;
}  // namespace mode

// manu_sensor_type: the two sensors that measure the large range, and the last type
// with pH compensation.
namespace sensor {
inline constexpr int kQN701 = 1;
inline constexpr int kQN702 = 2;
inline constexpr int kQN711 = 3;
constexpr bool IsLargeRange(int type) { return type == kQN701 || type == kQN711; }
}  // namespace sensor

// manu_unit_display: the measuring unit; mg/l and ppm share their ranges.
namespace unit {
inline constexpr int kMgPerL = 0;
inline constexpr int kPpm = 1;
inline constexpr int kPpb = 2;
}  // namespace unit

// The upper end of the measuring range for the large and the small sensor range, in
// mg/l (or ppm) and in ppb.
namespace range {
inline constexpr float kLarge = 20.0f;
inline constexpr float kSmall = 5.0f;
inline constexpr float kLargePpb = 20000.0f;
inline constexpr float kSmallPpb = 5000.0f;
}  // namespace range

// The span of the second measured value: pH, or millivolts in redox mode.
namespace second_range {
inline constexpr float kPhLow = 4.0f;
inline constexpr float kPhHigh = 9.0f;
inline constexpr float kRedoxLow = 0.0f;
inline constexpr float kRedoxHigh = 1500.0f;
}  // namespace second_range

// manu_check_select: what the check function watches.
namespace check {
inline constexpr int kChlorine = 0;
inline constexpr int kSecondValue = 1;
}  // namespace check

// manu_relay_number: how many relays the device has.
namespace relays {
inline constexpr int kNone = 0;
inline constexpr int kTwo = 2;
inline constexpr int kFour = 4;
}  // namespace relays

// manu_relay_select_relay: the relay the relay settings refer to, counted from 0.
namespace relay {
inline constexpr int kThird = 2;
}  // namespace relay

// manu_relay_function: what the selected relay does.
namespace function {
inline constexpr int kPidPv = 4;
inline constexpr int kPidPh = 5;
inline constexpr int kTimer = 6;
inline constexpr int kCleaning = 7;
inline constexpr int kThreePointStep = 8;
}  // namespace function

// manu_relay_PID_mode: how the PID controller drives its relay.
namespace pid_mode {
inline constexpr int kPulseLength = 0;
}  // namespace pid_mode

}  // namespace code
