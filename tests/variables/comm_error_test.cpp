// Communication-error settings: the ranges tile the error code byte, the switches
// offer ignore/check without a default, and the delays put their unit late.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "identity_fill.h"
#include "row_name.h"

namespace {

using namespace variables;

std::vector<long> Values(const CDDVariable& v) {
  std::vector<long> values;
  for (const CDDEnumerator& e : v.typeInfo()->enumerators().entries()) values.push_back(e.getValue());
  return values;
}

TEST(CommError, RangesCoverTheErrorCodeByteWithoutGapOrOverlap) {
  long next = 0x00;
  for (ObjId id = id::CommError_0000_009F; id <= id::CommError_00D0_00FF; ++id) {
    const VariableRow* row = RowFor(id);
    ASSERT_TRUE(row) << id;
    const std::string name = RowName(*row);  // CommError_LLLL_HHHH
    ASSERT_EQ(name.size(), 19u) << name;
    const long low = std::stol(name.substr(10, 4), nullptr, 16);
    const long high = std::stol(name.substr(15, 4), nullptr, 16);
    EXPECT_EQ(low, next) << name;
    EXPECT_LE(low, high) << name;
    next = high + 1;

    auto v = FillRow(id, UsedVariable(id));
    const CDDType* t = v->typeInfo();
    EXPECT_EQ(Values(*v), (std::vector<long>{0, 1})) << name;
    EXPECT_EQ(t->getMaxEnumIndex(), 1) << name;
    EXPECT_FALSE(t->getDefaultValue()) << name;
    EXPECT_EQ(v->getHelp(), "") << name;
    EXPECT_EQ(v->classInfo().mask(), 1u << ClassLocal) << name;
  }
  EXPECT_EQ(next, 0x100);
}

TEST(CommError, SettingsLeaveTheHostsHandlingAlone) {
  for (ObjId id = id::CommError_0000_009F; id <= id::CommError_Delay_Write; ++id) {
    auto v = FillRow(id, UsedVariable(id));
    EXPECT_TRUE(v->getHandling(HandlingRead) && v->getHandling(HandlingWrite)) << id;
  }
}

TEST(CommError, ShowIgnoredErrorsDefaultsToShow) {
  auto v = FillRow(id::CommError_ShowIgnoredErrors);
  const CDDType* t = v->typeInfo();
  ASSERT_TRUE(t->getDefaultValue());
  EXPECT_EQ(ddlib::describe(*t->getDefaultValue()), ddlib::describe(CDDCommonVariant(1)));
  EXPECT_EQ(t->getMaxEnumIndex(), 0);
  EXPECT_EQ(Values(*v), (std::vector<long>{0, 1}));
  EXPECT_EQ(t->enumerators().entries()[1].getDescription().substr(0, 6), "show  ");
}

// The delays put their unit after the default; a request must end with the same
// attributes as the usual order would give.
TEST(CommError, DelaysPutTheirUnitAfterTheDefaultWithTheSameResult) {
  for (ObjId id : {id::CommError_Delay_Read, id::CommError_Delay_Write}) {
    const VariableRow& row = *RowFor(id);
    std::vector<std::string> lines;
    std::unique_ptr<CDDVariable> late;
    {
      ddlib::JournalScope journal;
      late = FillRow(id);
      lines = ddlib::Journal::lines();
    }
    auto at = [&](const std::string& line) {
      return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    const auto unit = at("CDDVariable::putConstantUnit(\"ms\")");
    ASSERT_LT(unit, static_cast<long>(lines.size())) << RowName(row);
    EXPECT_EQ(lines[unit - 1], "CDDVariable::putConstantUnit(\"\")");
    EXPECT_EQ(lines[unit - 2], "CDDType::putDefaultValue(" + ddlib::describe(CDDCommonVariant(0)) + ")");

    VariableRow usual = row;
    usual.unitStep = UnitStep::beforeType;
    CDeviceAttributeCalculation calc;
    CDDVariable early(CDDDefinition(id, RowName(row), ObjectKindVariable));
    FillVariable(calc, nullptr, &early, usual);

    EXPECT_EQ(late->getConstantUnit(), "ms");
    EXPECT_EQ(late->getConstantUnit(), early.getConstantUnit());
    const CDDType& a = *late->typeInfo();
    const CDDType& b = *early.typeInfo();
    EXPECT_EQ(a.getSize(), b.getSize());
    EXPECT_EQ(a.getDisplayFormat(), "%u");
    EXPECT_EQ(a.getEditFormat(), b.getEditFormat());
    EXPECT_EQ(a.getMaxRangeNo(), -1);
    EXPECT_TRUE(a.getRanges().empty());
    EXPECT_EQ(ddlib::describe(*a.getDefaultValue()), ddlib::describe(*b.getDefaultValue()));
    EXPECT_EQ(late->getLabel(), early.getLabel());
    EXPECT_EQ(late->getHelp(), early.getHelp());
  }
}

}  // namespace
