#include "ddlib/variant.h"

#include <cmath>
#include <limits>

CDDCommonVariant::~CDDCommonVariant() = default;

CDDCommonVariant CDDCommonVariant::text(std::string value) {
  CDDCommonVariant v;
  v.m_kind = Kind::Text;
  v.m_text = std::move(value);
  return v;
}

int CDDCommonVariant::getInt() const {
  switch (m_kind) {
    case Kind::Bool:
    case Kind::Int:
    case Kind::Long:
      return static_cast<int>(static_cast<std::uint32_t>(m_int));  // signed 32-bit view
    case Kind::Double: {
      if (!std::isfinite(m_double)) return 0;
      double t = std::trunc(m_double);
      if (t >= 2147483647.0) return std::numeric_limits<int>::max();
      if (t <= -2147483648.0) return std::numeric_limits<int>::min();
      return static_cast<int>(t);
    }
    default:
      return 0;
  }
}

long CDDCommonVariant::getLong() const {
  if (m_kind == Kind::Double) return getInt();
  return isNumeric() ? static_cast<long>(m_int) : 0;
}

bool CDDCommonVariant::getBool() const { return truth(); }

double CDDCommonVariant::getDouble() const {
  if (m_kind == Kind::Double) return m_double;
  return isNumeric() ? static_cast<double>(m_int) : 0.0;
}

bool CDDCommonVariant::truth() const {
  switch (m_kind) {
    case Kind::Empty:
      return false;
    case Kind::Text:
      return !m_text.empty();
    case Kind::Double:
      return m_double != 0.0;
    default:
      return m_int != 0;
  }
}

namespace {

using Kind = CDDCommonVariant::Kind;

// -1, 0, 1, or 2 when the values do not order (empty, text against number).
int compare(const CDDCommonVariant& a, const CDDCommonVariant& b) {
  if (a.isEmpty() || b.isEmpty()) return 2;
  if (a.kind() == Kind::Text || b.kind() == Kind::Text) {
    if (a.kind() != b.kind()) return 2;
    int c = a.getText().compare(b.getText());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  if (a.kind() == Kind::Double || b.kind() == Kind::Double) {
    double x = a.getDouble(), y = b.getDouble();
    if (std::isnan(x) || std::isnan(y)) return 2;
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  long x = a.getLong(), y = b.getLong();
  return x < y ? -1 : (x > y ? 1 : 0);
}

// Integer sums and differences wrap around in the result's width (32 bits for int and
// bool, 64 for long), as the device's fixed-width registers do: a result that fits is
// exact, and one that does not still has a value instead of being undefined. Hence the
// arithmetic is done in unsigned, where wrapping is defined.
CDDCommonVariant arithmetic(const CDDCommonVariant& a, const CDDCommonVariant& b, bool subtract) {
  if (!a.isNumeric() || !b.isNumeric()) return CDDCommonVariant();
  if (a.kind() == Kind::Double || b.kind() == Kind::Double)
    return CDDCommonVariant(subtract ? a.getDouble() - b.getDouble() : a.getDouble() + b.getDouble());
  const auto x = static_cast<std::uint64_t>(a.getLong()), y = static_cast<std::uint64_t>(b.getLong());
  const std::uint64_t r = subtract ? x - y : x + y;
  if (a.kind() == Kind::Long || b.kind() == Kind::Long) return CDDCommonVariant(static_cast<long>(r));
  return CDDCommonVariant(static_cast<int>(static_cast<std::uint32_t>(r)));
}

}  // namespace

bool operator==(const CDDCommonVariant& a, const CDDCommonVariant& b) { return compare(a, b) == 0; }
bool operator!=(const CDDCommonVariant& a, const CDDCommonVariant& b) { return !(a == b); }
bool operator<(const CDDCommonVariant& a, const CDDCommonVariant& b) { return compare(a, b) == -1; }
bool operator>(const CDDCommonVariant& a, const CDDCommonVariant& b) { return compare(a, b) == 1; }
bool operator<=(const CDDCommonVariant& a, const CDDCommonVariant& b) {
  int c = compare(a, b);
  return c == -1 || c == 0;
}
bool operator>=(const CDDCommonVariant& a, const CDDCommonVariant& b) {
  int c = compare(a, b);
  return c == 1 || c == 0;
}
CDDCommonVariant operator+(const CDDCommonVariant& a, const CDDCommonVariant& b) { return arithmetic(a, b, false); }
CDDCommonVariant operator-(const CDDCommonVariant& a, const CDDCommonVariant& b) { return arithmetic(a, b, true); }
bool operator&&(const CDDCommonVariant& a, const CDDCommonVariant& b) { return a.truth() && b.truth(); }
