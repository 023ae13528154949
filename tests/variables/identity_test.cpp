// The identification pairs: no label text, no help call, handling only on the
// device-side values, and the expected texts with their padding.
#include <gtest/gtest.h>

#include <string>

#include "identity_fill.h"
#include "row_name.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Identity, OnlyTheEmptyLabelIsPutAndEarlierHelpAndHandlingStay) {
  for (ObjId id = id::MVX_phys_device_man_id; id <= id::MVX_ident_number; ++id) {
    const variables::VariableRow* row = variables::RowFor(id);
    if (!row) continue;  // the read commands among them
    const std::string name = RowName(*row);
    auto used = UsedVariable(id);
    ddlib::JournalScope journal;
    auto v = FillRow(id, std::move(used));
    EXPECT_EQ(v->getLabel(), "") << name;
    EXPECT_EQ(v->getHelp(), "earlier help") << name;
    Lines calls;
    for (const std::string& line : ddlib::Journal::lines())
      if (line.rfind("CDDVariable::putLabel", 0) == 0 || line.rfind("CDDVariable::putHelp", 0) == 0)
        calls.push_back(line);
    EXPECT_EQ(calls, Lines{"CDDVariable::putLabel(\"\")"}) << name;
    // The device-side values are read-only; the others keep the host's flags.
    const bool deviceSide = name.rfind("__MVX__phys_", 0) == 0;
    EXPECT_TRUE(v->getHandling(HandlingRead)) << name;
    EXPECT_EQ(v->getHandling(HandlingWrite), !deviceSide) << name;
    EXPECT_TRUE(v->getAttributesAvailable()) << name;
  }
}

TEST(Identity, ExpectedTextsKeepTheirPaddingAndReportTheirValueAsIndex) {
  struct Case {
    ObjId id;
    long value;
    std::string text;
  } cases[] = {
      {id::MVX_DD_device_id, 0, "TQR2X3P" + std::string(9, ' ')},
      {id::MVX_software_rev, 0, "2.4" + std::string(13, ' ')},
      {id::MVX_profile_rev, 512, "2.0"},
      {id::MVX_ident_number, 5401, "Tessivar M CL / TQR2*3 / PA / 2.40"},
  };
  for (const Case& c : cases) {
    auto v = FillRow(c.id);
    const CDDType* t = v->typeInfo();
    ASSERT_EQ(t->enumerators().entries().size(), 1u);
    const CDDEnumerator& e = t->enumerators().entries().front();
    EXPECT_EQ(e.getValue(), c.value);
    EXPECT_EQ(e.getDescription(), c.text);
    EXPECT_EQ(e.getHelp(), "");
    EXPECT_EQ(t->getMaxEnumIndex(), c.value);
    EXPECT_FALSE(t->getDefaultValue());
  }
  EXPECT_EQ(FillRow(id::MVX_DD_device_id)->typeInfo()->enumerators().entries()[0].getDescription().size(), 16u);
}

TEST(Identity, MakerCodeDefaultsTo17AsInt) {
  auto v = FillRow(id::MVX_device_man_id);
  const CDDType* t = v->typeInfo();
  ASSERT_TRUE(t->getDefaultValue());
  EXPECT_EQ(t->getDefaultValue()->kind(), CDDCommonVariant::Kind::Int);
  EXPECT_EQ(t->getDefaultValue()->getInt(), 17);
  EXPECT_EQ(t->getMaxRangeNo(), -1);
  EXPECT_EQ(t->getDisplayFormat(), "%d");
}

}  // namespace
