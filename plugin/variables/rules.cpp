#include "variables/rules.h"

#include <cmath>

namespace variables::rule {

namespace {

// Passes every read through unchanged and notes whether one counted as no value.
class Watch final : public Reader {
 public:
  explicit Watch(Reader& inner) : m_inner(inner) {}
  const CDDCommonVariant& read(ObjId number) override {
    const CDDCommonVariant& value = m_inner.read(number);
    if (countsAsNoValue(value)) m_sawNoValue = true;
    return value;
  }
  bool sawNoValue() const { return m_sawNoValue; }

 private:
  Reader& m_inner;
  bool m_sawNoValue = false;
};

}  // namespace

bool countsAsNoValue(const CDDCommonVariant& value) {
  return !value.isNumeric() || !std::isfinite(value.getDouble());
}

bool lockOpen(WriteRule rule, Reader& r) {
  Watch watch(r);
  bool open = rule(watch);
  return open && !watch.sawNoValue();
}

void failClosedBound(BoundRule rule, Reader& r, CDDCommonVariant& scratch) {
  Watch watch(r);
  scratch = CDDCommonVariant(1);
  rule(watch, scratch);
  if (watch.sawNoValue() || countsAsNoValue(scratch)) scratch = CDDCommonVariant(1);
}

bool accessCodeEntered(Reader& r) { return r.read(id::manu_alarm_enable_code) == CDDCommonVariant(kAccessCode); }

bool checkSelectWritable(Reader& r) {
  return r.read(id::manu_pH_enabled) == CDDCommonVariant(1) &&
         r.read(id::manu_mode) != CDDCommonVariant(code::kOff) &&
         r.read(id::manu_alarm_enable_code) == CDDCommonVariant(kAccessCode);
}

bool largeRangeSensor(Reader& r) {
  return r.read(id::manu_sensor_type) == CDDCommonVariant(code::kQN701) ||
         r.read(id::manu_sensor_type) == CDDCommonVariant(code::kQN711);
}

std::optional<CDDCommonVariant> byUnitAndRange(Reader& r, const UnitScale& scale) {
  CDDCommonVariant unit;
  unit = r.read(id::manu_unit_display);
  if (unit == CDDCommonVariant(code::kMgPerL) || unit == CDDCommonVariant(code::kPpm))
    return (largeRangeSensor(r) ? scale.large : scale.small).variant();
  if (unit == CDDCommonVariant(code::kPpb)) return (largeRangeSensor(r) ? scale.ppbLarge : scale.ppbSmall).variant();
  return std::nullopt;
}

void largeRangeFormat(Reader& r, CStrPP& work) { work = largeRangeSensor(r) ? "2.2f" : "1.2f"; }

bool modeIsPh(Reader& r) { return r.read(id::manu_mode) == CDDCommonVariant(code::kPh); }

bool sVersionWithPh(Reader& r) {
  return r.read(id::manu_s_version_enabled) == CDDCommonVariant(1) &&
         r.read(id::manu_pH_enabled) == CDDCommonVariant(1);
}

}  // namespace variables::rule
