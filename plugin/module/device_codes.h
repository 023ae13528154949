// The numbers by which the device states its settings, named once for the variable
// rules, the method bodies and the menus. Each list belongs to the variable named in
// its comment; a list names only the codes that something here tests or writes.
#pragma once

namespace code {

// manu_alarm_enable_code: the value that unlocks writing to the device.
inline constexpr int kAccessCode = 83;

// manu_mode: the operating mode of the second measured value.
enum Mode : int { kOff = 0, kPh = 1, kRedox = 2 };

// manu_sensor_type: QN-701 and QN-711 measure the large range; the pH compensation
// applies to the types up to QN-702.
enum SensorType : int { kQN701 = 1, kQN702 = 2, kQN711 = 3 };
constexpr bool IsLargeRange(int type) { return type == kQN701 || type == kQN711; }

// manu_unit_display: the measuring unit; mg/l and ppm share their ranges.
enum Unit : int { kMgPerL = 0, kPpm = 1, kPpb = 2 };

// manu_check_select: what the check function watches.
enum CheckSelect : int { kChlorine = 0, kSecondValue = 1 };

// manu_relay_number: how many relays the device has.
enum RelayCount : int { kNoRelays = 0, kTwoRelays = 2, kFourRelays = 4 };

// manu_relay_select_relay: the relay the relay settings refer to, counted from 0.
enum Relay : int { kThirdRelay = 2 };

// manu_relay_function: what the selected relay does.
enum RelayFunction : int { kPidPv = 4, kPidPh = 5, kTimer = 6, kCleaning = 7, kThreePointStep = 8 };

// manu_relay_PID_mode: how the PID controller drives its relay.
enum PidMode : int { kPulseLength = 0 };

// The upper end of the measuring range for the large and the small sensor range, in
// mg/l (or ppm) and in ppb. The method bodies put these as floats.
namespace range {
inline constexpr float kLarge = 20.0f;
inline constexpr float kSmall = 5.0f;
inline constexpr float kLargePpb = 20000.0f;
inline constexpr float kSmallPpb = 5000.0f;
// The upper end in mg/l (or ppm) for a sensor of the large or the small range.
constexpr float Upper(bool largeRange) { return largeRange ? kLarge : kSmall; }
}  // namespace range

// The span of the second measured value: pH, or millivolts in redox mode.
namespace second_range {
inline constexpr float kPhLow = 4.0f, kPhHigh = 9.0f;
inline constexpr float kRedoxLow = 0.0f, kRedoxHigh = 1500.0f;
}  // namespace second_range

}  // namespace code
