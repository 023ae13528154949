// The diagnostic code: every code's help has the fixed line shape in English and
// German, and the variable's help is the codes' helps joined, plus two codes that have
// no enumerator.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "identity_fill.h"
#include "language_segments.h"

namespace {

std::string Code(long value) {
  if (value == 9999) return "9999";
  char code[8];
  std::snprintf(code, sizeof code, "E%03ld", value);
  return code;
}

struct Shape {
  bool cause = false;
  bool remedy = false;
  bool operator==(const Shape&) const = default;
};

struct Tags {
  const char* language;
  std::string cause, remedy;
};
const Tags kEnglish{"en", "  Cause: ", "  Remedy: "};
const Tags kGerman{"de", "  Ursache: ", "  Behebung: "};

// Checks one help segment: the description line, at most a cause and then a remedy
// line, and the closing empty line. Answers which of the two lines it has.
Shape CheckSegment(const std::string& segment, const std::string& description, const Tags& tags,
                   const std::string& where) {
  Shape shape;
  EXPECT_TRUE(segment.size() >= 2 && segment.compare(segment.size() - 2, 2, "\n\n") == 0) << where;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = segment.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(segment.substr(start, nl - start));
  EXPECT_EQ(start, segment.size()) << where << ": text after the last line feed";
  if (lines.size() < 2 || !lines.back().empty()) {
    ADD_FAILURE() << where << ": no closing empty line";
    return shape;
  }
  lines.pop_back();
  EXPECT_EQ(lines.front(), description) << where;
  std::size_t i = 1;
  auto tagged = [&](const std::string& tag) {
    if (i < lines.size() && lines[i].rfind(tag, 0) == 0 && lines[i].size() > tag.size()) return ++i, true;
    return false;
  };
  shape.cause = tagged(tags.cause);
  shape.remedy = tagged(tags.remedy);
  EXPECT_EQ(i, lines.size()) << where << ": unexpected line " << (i < lines.size() ? lines[i] : "");
  return shape;
}

// Which lines each code has after its description.
Shape ExpectedShape(long value, bool german) {
  static const std::set<long> none = {0, 1, 100, 102};
  static const std::set<long> causeOnly = {2, 3, 4, 7};
  static const std::set<long> both = {42, 43, 44, 80, 81, 154, 155, 156, 157, 158, 159, 160, 161, 162, 163};
  if (none.count(value)) return {};
  if (causeOnly.count(value)) return {.cause = true};
  if (both.count(value) && !(german && value == 43)) return {.cause = true, .remedy = true};
  return {.remedy = true};
}

TEST(ErrorCodes, EveryHelpStartsWithItsDescriptionAndHasItsLines) {
  auto v = FillRow(id::phys_actual_error_code);
  const auto& entries = v->typeInfo()->enumerators().entries();
  ASSERT_EQ(entries.size(), 56u);
  long previous = -1;
  for (const CDDEnumerator& e : entries) {
    const long value = e.getValue();
    EXPECT_GT(value, previous);
    previous = value;
    EXPECT_TRUE(value <= 174 || value == 9999) << value;
    for (const Tags* tags : {&kEnglish, &kGerman}) {
      const std::string where = Code(value) + " " + tags->language;
      const std::string description = langs::SegmentOf(e.getDescription(), tags->language);
      EXPECT_EQ(description.rfind(Code(value) + ": ", 0), 0u) << where << ": " << description;
      const Shape shape =
          CheckSegment(langs::SegmentOf(e.getHelp(), tags->language), description, *tags, where);
      EXPECT_EQ(shape, ExpectedShape(value, tags == &kGerman)) << where;
    }
  }
}

TEST(ErrorCodes, DefaultIsNoErrorAndCodesWithoutEnumeratorStayOut) {
  auto v = FillRow(id::phys_actual_error_code);
  const CDDType* t = v->typeInfo();
  EXPECT_EQ(ddlib::describe(*t->getDefaultValue()), ddlib::describe(CDDCommonVariant(0)));
  EXPECT_EQ(t->getMaxEnumIndex(), 0);
  EXPECT_EQ(t->getSize(), 2);
  std::set<long> values;
  for (const CDDEnumerator& e : t->enumerators().entries()) values.insert(e.getValue());
  for (long absent : {5L, 46L, 47L, 175L, 9998L}) EXPECT_FALSE(values.count(absent)) << absent;
  EXPECT_EQ(langs::SegmentOf(t->enumerators().entries().front().getDescription(), "en"),
            "E000: No system error present");
  EXPECT_FALSE(v->getHandling(HandlingWrite));
  EXPECT_TRUE(v->getHandling(HandlingRead));
}

// The variable's help, language by language: the codes' helps in value order, each
// after the first behind two blanks, with E046 and E047 between E045 and E055.
TEST(ErrorCodes, VariableHelpJoinsTheCodesHelps) {
  auto v = FillRow(id::phys_actual_error_code);
  EXPECT_EQ(langs::Languages(*v->getHelp()), "en de");
  for (const Tags* tags : {&kEnglish, &kGerman}) {
    const std::string help = langs::SegmentOf(*v->getHelp(), tags->language);
    std::vector<std::string> entries;
    for (std::size_t start = 0; start < help.size();) {
      std::size_t end = help.find("\n\n  ", start);
      end = end == std::string::npos ? help.size() : end + 2;
      entries.push_back(help.substr(start, end - start));
      start = end + 2;
    }
    std::vector<std::string> expected;
    for (const CDDEnumerator& e : v->typeInfo()->enumerators().entries()) {
      if (e.getValue() == 55) {
        for (std::size_t k = 0; k < 2; ++k) {
          const std::size_t at = expected.size() + k;
          ASSERT_LT(at, entries.size());
          const std::string entry = entries[at];
          const std::string first = entry.substr(0, entry.find('\n'));
          EXPECT_EQ(first.rfind(Code(46 + static_cast<long>(k)) + ": ", 0), 0u) << first;
          EXPECT_EQ(CheckSegment(entry, first, *tags, first), (Shape{.remedy = true}));
        }
        expected.push_back(entries[expected.size()]);
        expected.push_back(entries[expected.size()]);
      }
      expected.push_back(langs::SegmentOf(e.getHelp(), tags->language));
    }
    EXPECT_EQ(entries, expected) << tags->language;
  }
}

}  // namespace
