// Rules that several variable tables share: the write lock and its variants, the
// large-range sensor test, the selection over the measuring unit and the choice by
// operating mode. Every test reads afresh; a conjunction or disjunction stops as soon
// as its result is known, so what it does not evaluate it does not read.
#pragma once
#include <optional>

#include "module/device_codes.h"
#include "variables/variable_frame.h"

namespace variables::rule {

// Locks and bounds fail closed. Their rules compare what they read with numbers or
// compute a bound from it, so a value that is missing, not a number, or not finite
// counts as no value there: it may never open a lock nor become or choose a bound.
bool countsAsNoValue(const CDDCommonVariant& value);

// Whether a locked variable is writable now. The rule runs on the values as read, so
// it reads what it always reads; when any of them counts as no value the variable
// stays read-only, whatever the rule answered.
bool lockOpen(WriteRule rule, Reader& r);

// Runs a bound rule from the start value int 1. When a value it read counts as no
// value, or the bound it chose is no finite number, the bound keeps the start value.
void failClosedBound(BoundRule rule, Reader& r, CDDCommonVariant& scratch);

// The value of manu_alarm_enable_code that unlocks writing.
using code::kAccessCode;

// The write lock: writable while the device access code is entered.
bool accessCodeEntered(Reader& r);
// manu_check_select: writable only on a pH device, in an operating mode other than off,
// with the access code entered.
bool checkSelectWritable(Reader& r);
// The GSD channel settings: writable while their protection slot is 0.
template <ObjId ProtectionSlot>
bool channelSetupWritable(Reader& r) {
  return r.read(ProtectionSlot) == CDDCommonVariant(0);
}

// Sensor types QN-701 and QN-711 measure the large range.
bool largeRangeSensor(Reader& r);

// Values chosen by the measuring unit (0 "mg/l" and 1 "ppm" alike, 2 "ppb") and, within
// the unit, by the sensor's range. Another unit matches no case.
struct UnitScale {
  Const large, small;
  Const ppbLarge, ppbSmall;
};
// The upper end of the measuring range; the switch points and check thresholds start there.
inline constexpr UnitScale kRangeMax{.large = code::range::kLarge,
                                     .small = code::range::kSmall,
                                     .ppbLarge = code::range::kLargePpb,
                                     .ppbSmall = code::range::kSmallPpb};
// The selection: the unit read once, the matching case running a fresh range test.
std::optional<CDDCommonVariant> byUnitAndRange(Reader& r, const UnitScale& scale);

template <const UnitScale& S>
std::optional<CDDCommonVariant> unitDefault(Reader& r) {
  return byUnitAndRange(r, S);
}
template <const UnitScale& S>
void unitMax(Reader& r, CDDCommonVariant& scratch) {
  if (std::optional<CDDCommonVariant> chosen = byUnitAndRange(r, S)) scratch = *chosen;
}
// "2.2f" for the large range, "1.2f" for the small one.
void largeRangeFormat(Reader& r, CStrPP& work);

// Values chosen by the operating mode: 1 "pH", or any other mode (millivolts).
struct ModeChoice {
  Const ph, other;
};
bool modeIsPh(Reader& r);

template <const ModeChoice& C>
std::optional<CDDCommonVariant> modeDefault(Reader& r) {
  return (modeIsPh(r) ? C.ph : C.other).variant();
}
template <const ModeChoice& C>
void modeBound(Reader& r, CDDCommonVariant& scratch) {
  scratch = (modeIsPh(r) ? C.ph : C.other).variant();
}
template <const ModeChoice& C>
void modeFormat(Reader& r, CStrPP& work) {
  work = (modeIsPh(r) ? C.ph : C.other).text;
}

// The redox measurement exists only on an S-version device with pH measurement.
bool sVersionWithPh(Reader& r);
inline constexpr Gate kSVersionWithPh{&sVersionWithPh};

}  // namespace variables::rule
