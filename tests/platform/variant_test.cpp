// Value semantics of CDDCommonVariant: kinds kept, numeric comparisons across numeric
// kinds, empty and text-against-number never equal or ordered.
#include <gtest/gtest.h>

#include <limits>

#include "ddlib/ddlib.h"
#include "module/latin1.h"

namespace {

using Kind = CDDCommonVariant::Kind;

constexpr int kIntMin = std::numeric_limits<int>::min(), kIntMax = std::numeric_limits<int>::max();
constexpr long kLongMin = std::numeric_limits<long>::min(), kLongMax = std::numeric_limits<long>::max();

enum class Order { Less, Equal, Greater, None };

struct ComparisonCase {
  const char* what;
  CDDCommonVariant a, b;
  Order order;
};

TEST(Variant, ComparisonsFollowTheKinds) {
  const ComparisonCase cases[] = {
      {"int and double of one value", CDDCommonVariant(1), CDDCommonVariant(1.0), Order::Equal},
      {"bool and int", CDDCommonVariant(true), CDDCommonVariant(1), Order::Equal},
      {"int and long", CDDCommonVariant(1), CDDCommonVariant(2L), Order::Less},
      {"double above int", CDDCommonVariant(2.5), CDDCommonVariant(2), Order::Greater},
      {"negative long and int", CDDCommonVariant(-2147483648L), CDDCommonVariant(0), Order::Less},
      {"smallest long below smallest int", CDDCommonVariant(kLongMin), CDDCommonVariant(kIntMin), Order::Less},
      {"largest long above largest int", CDDCommonVariant(kLongMax), CDDCommonVariant(kIntMax), Order::Greater},
      {"texts", CDDCommonVariant("a"), CDDCommonVariant("b"), Order::Less},
      {"texts byte-wise, Latin-1 above ASCII", CDDCommonVariant("ü"_latin1), CDDCommonVariant("z"), Order::Greater},
      {"equal texts", CDDCommonVariant("TQR2X3P  "), CDDCommonVariant("TQR2X3P  "), Order::Equal},
      {"trailing blank matters", CDDCommonVariant("x "), CDDCommonVariant("x"), Order::Greater},
      {"text against number", CDDCommonVariant("1"), CDDCommonVariant(1), Order::None},
      {"number against text", CDDCommonVariant(0), CDDCommonVariant(""), Order::None},
      {"empty against zero", CDDCommonVariant(), CDDCommonVariant(0), Order::None},
      {"zero against empty", CDDCommonVariant(0.0), CDDCommonVariant(), Order::None},
      {"empty against empty", CDDCommonVariant(), CDDCommonVariant(), Order::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.a == c.b, c.order == Order::Equal);
    EXPECT_EQ(c.a != c.b, c.order != Order::Equal);
    EXPECT_EQ(c.a < c.b, c.order == Order::Less);
    EXPECT_EQ(c.a > c.b, c.order == Order::Greater);
    EXPECT_EQ(c.a <= c.b, c.order == Order::Less || c.order == Order::Equal);
    EXPECT_EQ(c.a >= c.b, c.order == Order::Greater || c.order == Order::Equal);
  }
}

TEST(Variant, SumsAndDifferencesTakeTheWiderKind) {
  struct Case {
    const char* what;
    CDDCommonVariant result;
    Kind kind;
    double value;
  };
  const Case cases[] = {
      {"int + int", CDDCommonVariant(2) + CDDCommonVariant(3), Kind::Int, 5},
      {"int + long", CDDCommonVariant(2) + CDDCommonVariant(3L), Kind::Long, 5},
      {"double - int", CDDCommonVariant(20.5) - CDDCommonVariant(5), Kind::Double, 15.5},
      {"int - double", CDDCommonVariant(5) - CDDCommonVariant(0.5), Kind::Double, 4.5},
      {"bool + int", CDDCommonVariant(true) + CDDCommonVariant(1), Kind::Int, 2},
      {"(T - O) + 5", (CDDCommonVariant(30.0) - CDDCommonVariant(10)) + CDDCommonVariant(5), Kind::Double, 25},
      {"empty + int", CDDCommonVariant() + CDDCommonVariant(1), Kind::Empty, 0},
      {"text - int", CDDCommonVariant("5") - CDDCommonVariant(1), Kind::Empty, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.result.kind(), c.kind);
    EXPECT_DOUBLE_EQ(c.result.getDouble(), c.value);
  }
  // A sum built from an empty read matches no case.
  EXPECT_FALSE(CDDCommonVariant() + CDDCommonVariant(5) == CDDCommonVariant(5));
}

TEST(Variant, IntegerSumsAndDifferencesWrapAroundInTheirKind) {
  struct Case {
    const char* what;
    CDDCommonVariant result;
    Kind kind;
    long value;
  };
  const Case cases[] = {
      {"largest int + 1", CDDCommonVariant(kIntMax) + CDDCommonVariant(1), Kind::Int, kIntMin},
      {"smallest int - 1", CDDCommonVariant(kIntMin) - CDDCommonVariant(1), Kind::Int, kIntMax},
      {"0 - smallest int", CDDCommonVariant(0) - CDDCommonVariant(kIntMin), Kind::Int, kIntMin},
      {"0 - smallest long", CDDCommonVariant(0) - CDDCommonVariant(kLongMin), Kind::Long, kLongMin},
      {"-1 - smallest long", CDDCommonVariant(-1) - CDDCommonVariant(kLongMin), Kind::Long, kLongMax},
      {"largest long + 1", CDDCommonVariant(kLongMax) + CDDCommonVariant(1), Kind::Long, kLongMin},
      {"smallest long - largest long", CDDCommonVariant(kLongMin) - CDDCommonVariant(kLongMax), Kind::Long, 1},
      {"largest int - smallest long", CDDCommonVariant(kIntMax) - CDDCommonVariant(kLongMin), Kind::Long,
       kLongMin + kIntMax},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.result.kind(), c.kind);
    EXPECT_EQ(c.result.getLong(), c.value);
  }
}

TEST(Variant, ConjunctionTakesNonzeroNumbersAndNonEmptyTexts) {
  struct Case {
    CDDCommonVariant left, right;
    bool result;
  };
  const Case cases[] = {
      {CDDCommonVariant(true), CDDCommonVariant(1), true},
      {CDDCommonVariant(true), CDDCommonVariant(2), true},  // a value other than 0 and 1
      {CDDCommonVariant(true), CDDCommonVariant(-1L), true},
      {CDDCommonVariant(true), CDDCommonVariant(0), false},
      {CDDCommonVariant(true), CDDCommonVariant(0.25), true},
      {CDDCommonVariant(true), CDDCommonVariant(0.0), false},
      {CDDCommonVariant(true), CDDCommonVariant("x"), true},
      {CDDCommonVariant(true), CDDCommonVariant(""), false},
      {CDDCommonVariant(true), CDDCommonVariant(), false},
      {CDDCommonVariant(false), CDDCommonVariant(1), false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].left && cases[i].right, cases[i].result);
  }
}

TEST(Variant, GetIntIsASigned32BitView) {
  struct Case {
    const char* what;
    CDDCommonVariant value;
    int expected;
  };
  const Case cases[] = {
      {"mask 0x80000000 as long", CDDCommonVariant(0x80000000L), -2147483647 - 1},
      {"mask 0x80000000 as int", CDDCommonVariant(-2147483647 - 1), -2147483647 - 1},
      {"0xFFFFFFFF as long", CDDCommonVariant(0xFFFFFFFFL), -1},
      {"negative long", CDDCommonVariant(-7L), -7},
      {"bool", CDDCommonVariant(true), 1},
      {"smallest long", CDDCommonVariant(kLongMin), 0},
      {"largest long", CDDCommonVariant(kLongMax), -1},
      {"double truncates toward zero", CDDCommonVariant(-2.9), -2},
      {"double above int", CDDCommonVariant(1e300), kIntMax},
      {"double below int", CDDCommonVariant(-2147483649.0), kIntMin},
      {"text", CDDCommonVariant("12"), 0},
      {"empty", CDDCommonVariant(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.value.getInt(), c.expected);
  }
}

TEST(Variant, KeepsKindAndCopiesAreIndependent) {
  EXPECT_EQ(CDDCommonVariant(1).kind(), Kind::Int);
  EXPECT_EQ(CDDCommonVariant(1L).kind(), Kind::Long);
  EXPECT_EQ(CDDCommonVariant(1.0).kind(), Kind::Double);
  EXPECT_EQ(CDDCommonVariant(true).kind(), Kind::Bool);
  EXPECT_EQ(CDDCommonVariant("").kind(), Kind::Text);
  EXPECT_EQ(CDDCommonVariant().kind(), Kind::Empty);

  auto* source = new CDDCommonVariant("Menü"_latin1);
  CDDCommonVariant copy(*source);
  CDDCommonVariant assigned;
  assigned = *source;
  *source = CDDCommonVariant(3);
  delete source;
  EXPECT_EQ(copy.getText(), "Men\xFC");
  EXPECT_EQ(assigned.kind(), Kind::Text);
  EXPECT_EQ(assigned.getText().size(), 4u);  // one byte for the accented letter
}

}  // namespace
