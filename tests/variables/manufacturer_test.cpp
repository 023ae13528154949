// The manufacturer enumeration: ascending codes, shared names kept, the maker's code as
// default.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "identity_fill.h"

namespace {

TEST(Manufacturer, CodesAscendDuplicatesStayAndTheMakerIsTheDefault) {
  auto v = FillRow(id::phys_manufacturer_id);
  const CDDType* t = v->typeInfo();
  const auto& entries = t->enumerators().entries();
  ASSERT_EQ(entries.size(), 117u);
  std::vector<long> expected;
  for (long code = 1; code <= 113; ++code) expected.push_back(code);
  for (long code = 250; code <= 253; ++code) expected.push_back(code);
  std::map<std::string, std::vector<long>> byName;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].getValue(), expected[i]);
    EXPECT_FALSE(entries[i].getDescription().empty()) << entries[i].getValue();
    EXPECT_EQ(entries[i].getHelp(), "");
    byName[entries[i].getDescription()].push_back(entries[i].getValue());
  }
  EXPECT_EQ(byName["Elsag Bailey"], (std::vector<long>{5, 18, 22}));
  for (const auto& [name, codes] : byName) EXPECT_TRUE(name == "Elsag Bailey" || codes.size() == 1) << name;

  ASSERT_TRUE(t->getDefaultValue());
  EXPECT_EQ(ddlib::describe(*t->getDefaultValue()), ddlib::describe(CDDCommonVariant(17)));
  EXPECT_EQ(entries[16].getValue(), 17);
  EXPECT_EQ(entries[16].getDescription(), "Vornholt + Tesk");
  EXPECT_EQ(t->getMaxEnumIndex(), 0);
  EXPECT_EQ(t->getSize(), 2);
  EXPECT_FALSE(v->getHandling(HandlingWrite));
}

// The maker's code of the identification pair names the same maker.
TEST(Manufacturer, IdentificationDefaultNamesTheMaker) {
  auto ident = FillRow(id::MVX_device_man_id);
  auto list = FillRow(id::phys_manufacturer_id);
  const int code = ident->typeInfo()->getDefaultValue()->getInt();
  EXPECT_EQ(code, list->typeInfo()->getDefaultValue()->getInt());
  const auto& entries = list->typeInfo()->enumerators().entries();
  auto maker = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.getValue() == code; });
  ASSERT_NE(maker, entries.end());
  EXPECT_EQ(maker->getDescription(), "Vornholt + Tesk");
}

}  // namespace
