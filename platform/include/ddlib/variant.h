// CDDCommonVariant: one value of any kind the host stores. The kind is kept, so an
// int 1 and a double 1.0 stay distinguishable; comparisons across numeric kinds are
// numeric; an empty value (or text against a number) equals nothing and orders nothing.
#pragma once
#include <cstdint>
#include <string>

class CDDCommonVariant {
 public:
  enum class Kind { Empty, Bool, Int, Long, Double, Text };

  CDDCommonVariant() = default;
  CDDCommonVariant(int value) : m_kind(Kind::Int), m_int(value) {}                  // NOLINT
  CDDCommonVariant(long value) : m_kind(Kind::Long), m_int(value) {}                // NOLINT
  CDDCommonVariant(double value) : m_kind(Kind::Double), m_double(value) {}         // NOLINT
  CDDCommonVariant(bool value) : m_kind(Kind::Bool), m_int(value ? 1 : 0) {}        // NOLINT
  CDDCommonVariant(const char* text) : m_kind(Kind::Text), m_text(text ? text : "") {}  // NOLINT
  CDDCommonVariant(const CDDCommonVariant&) = default;
  CDDCommonVariant& operator=(const CDDCommonVariant&) = default;
  virtual ~CDDCommonVariant();

  static CDDCommonVariant text(std::string value);

  Kind kind() const { return m_kind; }
  bool isEmpty() const { return m_kind == Kind::Empty; }
  bool isNumeric() const { return m_kind != Kind::Empty && m_kind != Kind::Text; }

  // Signed 32-bit view of any numeric kind: integers keep their low 32 bits, doubles
  // truncate toward zero and stop at the ends of int (not a number, infinities: 0);
  // 0 otherwise.
  int getInt() const;
  // Any integer kind whole; a double as getInt gives it; 0 otherwise.
  long getLong() const;
  bool getBool() const;
  double getDouble() const;
  const std::string& getText() const { return m_text; }
  // Truth as the library's logical operators see it: nonzero number or non-empty text.
  bool truth() const;

 private:
  Kind m_kind = Kind::Empty;
  std::int64_t m_int = 0;
  double m_double = 0.0;
  std::string m_text;
};

bool operator==(const CDDCommonVariant& a, const CDDCommonVariant& b);
bool operator!=(const CDDCommonVariant& a, const CDDCommonVariant& b);
bool operator<(const CDDCommonVariant& a, const CDDCommonVariant& b);
bool operator>(const CDDCommonVariant& a, const CDDCommonVariant& b);
bool operator<=(const CDDCommonVariant& a, const CDDCommonVariant& b);
bool operator>=(const CDDCommonVariant& a, const CDDCommonVariant& b);
CDDCommonVariant operator+(const CDDCommonVariant& a, const CDDCommonVariant& b);
CDDCommonVariant operator-(const CDDCommonVariant& a, const CDDCommonVariant& b);
bool operator&&(const CDDCommonVariant& a, const CDDCommonVariant& b);
