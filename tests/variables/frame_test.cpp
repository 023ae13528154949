// The frame on made-up rows: what every variable relies on, independent of the tables.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "dtmhost/host.h"
#include "module/subsystems.h"
#include "variable_dump.h"
#include "variables/variable_frame.h"

namespace {

using namespace variables;

class Frame : public testing::Test {
 protected:
  void SetUp() override {
    host = dtmhost::Host::Attach(&calc);
    ASSERT_TRUE(host);
  }

  // A fresh host object for the row's number, or the given one, filled by the frame.
  std::unique_ptr<CDDVariable> Fill(const VariableRow& row, std::unique_ptr<CDDVariable> v = nullptr) {
    if (!v) v = std::make_unique<CDDVariable>(*calc.FindDefinition(row.id));
    host->store().clearReads();
    FillVariable(calc, host->context(), v.get(), row);
    EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0);
    return v;
  }

  void Set(ObjId n, const CDDCommonVariant& value) { host->store().setValue(calc.FindDefinition(n)->getName(), value); }

  CDeviceAttributeCalculation calc;
  std::unique_ptr<dtmhost::Host> host;
};

// Any variable number serves the made-up rows; only its definition is used.
constexpr ObjId kSome = id::manu_relay_enabled;

TEST_F(Frame, OwnFormatsReplaceTheTypeDefaultAndFloatKeepsEditG) {
  struct Case {
    TypeSpec type;
    const char* display;
    const char* edit;
  } cases[] = {
      {{.code = VariableTypeUnsigned, .size = 2, .display = "4u", .edit = "4u"}, "4u", "4u"},
      {{.code = VariableTypeFloat, .display = ".2f"}, ".2f", "%G"},
      {{.code = VariableTypeFloat, .display = ".2f", .edit = "3.1f"}, ".2f", "%G"},
      {{.code = VariableTypeUnsigned, .size = 1}, "%u", "%u"},
      {{.code = VariableTypeInteger, .size = 2}, "%d", "%d"},
      {{.code = VariableTypeFloat}, "%G", "%G"},
  };
  for (const Case& c : cases) {
    auto v = Fill({.id = kSome, .type = c.type});
    const CDDType* t = v->typeInfo();
    EXPECT_EQ(t->getDisplayFormat(), c.display);
    EXPECT_EQ(t->getEditFormat(), c.edit);
    EXPECT_EQ(t->getScalingFactor(), 1.0);
    EXPECT_EQ(t->getMaxRangeNo(), -1);
    EXPECT_EQ(t->getSize().has_value(), c.type.code != VariableTypeFloat);
  }
}

std::optional<CDDCommonVariant> NoDefault(Reader&) { return std::nullopt; }

TEST_F(Frame, MaxEnumIndexIsLargestValueOnlyWithoutDefault) {
  static constexpr Enumerator kSingle[] = {{512, "x"}};
  static constexpr Enumerator kPair[] = {{0, "a"}, {1, "b"}};
  struct Case {
    TypeSpec type;
    std::span<const Enumerator> enums;
    VarRules rules;
    long index;
  } cases[] = {
      {{.code = VariableTypeEnumerated, .size = 2}, kSingle, {}, 512},
      {{.code = VariableTypeEnumerated, .size = 1}, kPair, {}, 1},
      {{.code = VariableTypeEnumerated, .size = 2, .deflt = 512}, kSingle, {}, 0},
      {{.code = VariableTypeEnumerated, .size = 2}, kSingle, {.deflt = NoDefault}, 0},
  };
  for (const Case& c : cases) {
    auto v = Fill({.id = kSome, .type = c.type, .enums = c.enums, .rules = c.rules});
    EXPECT_EQ(v->typeInfo()->getMaxEnumIndex(), c.index);
  }
}

TEST_F(Frame, LabelNoneHelpNoneAndHandlingNoneKeepWhatTheHostHad) {
  auto v = std::make_unique<CDDVariable>(*calc.FindDefinition(kSome));
  v->putLabel("old label");
  v->putHelp("old help");
  v->putHandling(HandlingWrite, true);
  v->putHandling(HandlingRead, true);
  ddlib::JournalScope journal;
  v = Fill({.id = kSome, .type = {.code = VariableTypeUnsigned, .size = 1}}, std::move(v));
  EXPECT_EQ(v->getLabel(), "");
  EXPECT_EQ(v->getHelp(), "old help");
  EXPECT_TRUE(v->getHandling(HandlingRead));
  EXPECT_TRUE(v->getHandling(HandlingWrite));
  EXPECT_EQ(ddlib::Journal::lines().front(), "CDDVariable::putLabel(\"\")");
  for (const std::string& line : ddlib::Journal::lines()) {
    EXPECT_EQ(line.find("putHelp"), std::string::npos);
    EXPECT_EQ(line.find("putHandling"), std::string::npos);
  }
}

TEST_F(Frame, EmptyHelpReplacesTheHostsHelp) {
  auto v = std::make_unique<CDDVariable>(*calc.FindDefinition(kSome));
  v->putHelp("old help");
  v = Fill({.id = kSome, .label = "L", .help = kEmptyHelp, .type = {.code = VariableTypeFloat}},
           std::move(v));
  EXPECT_EQ(v->getHelp(), "");
}

TEST_F(Frame, DeparturesMoveOnlyTheirStep) {
  auto order = [&](const VariableRow& row) {
    ddlib::JournalScope journal;
    Fill(row);
    std::vector<std::string> kept;
    for (const std::string& line : ddlib::Journal::lines())
      if (line.find("Unit") != std::string::npos || line.find("putDefaultValue") != std::string::npos ||
          line.find("setTypeInfo") != std::string::npos || line.find("putHandling(1, true)") != std::string::npos)
        kept.push_back(line.substr(0, line.find('(')));
    return kept;
  };
  TypeSpec delay{.code = VariableTypeUnsigned, .size = 4, .deflt = 0};
  EXPECT_EQ(
      order({.id = kSome, .unit = "ms", .type = delay, .handling = Handling::R}),
      (std::vector<std::string>{"CDDVariable::putConstantUnit", "CDDVariable::putConstantUnit",
                                "CDDVariable::setTypeInfo", "CDDType::putDefaultValue", "CDDVariable::putHandling"}));
  EXPECT_EQ(
      order({.id = kSome,
             .unit = "ms",
             .type = delay,
             .handling = Handling::R,
             .unitStep = UnitStep::afterDefault,
             .handlingStep = HandlingStep::beforeType}),
      (std::vector<std::string>{"CDDVariable::putHandling", "CDDVariable::setTypeInfo", "CDDType::putDefaultValue",
                                "CDDVariable::putConstantUnit", "CDDVariable::putConstantUnit"}));
}

TEST_F(Frame, TopBitMaskPassesAsNegativeAndEachBitGetsAnEmptyMethod) {
  static constexpr BitEnumerator kBits[] = {{0x00000000, "ok"}, {0x80000000, "top"}, {0x00000080, "low"}};
  auto v = Fill({.id = kSome, .type = {.code = VariableTypeBitEnumerated, .size = 4}, .bits = kBits});
  const CDDType* t = v->typeInfo();
  EXPECT_EQ(t->getMaxBitEnumIndex(), INT32_MIN);
  ASSERT_EQ(t->bitEnumerators().entries().size(), 3u);
  EXPECT_EQ(t->bitEnumerators().entries()[1].getMask(), INT32_MIN);
  for (const auto& bit : t->bitEnumerators().entries()) EXPECT_EQ(bit.getMethod()->getID(), -1);
}

TEST_F(Frame, StringDefaultIsPutUnpadded) {
  auto v = Fill({.id = kSome, .type = {.code = VariableTypeString, .size = 16, .deflt = "TQR2X3P"}});
  EXPECT_EQ(v->typeInfo()->getSize(), 16);
  EXPECT_EQ(ddlib::describe(*v->typeInfo()->getDefaultValue()), ddlib::describe(CDDCommonVariant("TQR2X3P")));
}

void AssignNothing(Reader&, CDDCommonVariant&) {}
void FormatNothing(Reader&, CStrPP&) {}

TEST_F(Frame, RulesThatMatchNoCaseLeaveIntOneAndG) {
  auto v = Fill({.id = kSome,
                 .type = {.code = VariableTypeFloat, .range = true, .min = 0.0},
                 .rules = {.deflt = NoDefault, .max = AssignNothing, .format = FormatNothing}});
  const CDDType* t = v->typeInfo();
  EXPECT_FALSE(t->getDefaultValue());
  EXPECT_EQ(ddlib::describe(*t->getRanges().at(0).second.max), ddlib::describe(CDDCommonVariant(1)));
  EXPECT_EQ(ddlib::describe(*t->getRanges().at(0).second.min), ddlib::describe(CDDCommonVariant(0.0)));
  EXPECT_EQ(t->getDisplayFormat(), "%G");
}

// Gates over manu_mode (values 1 and 2) and manu_pH_enabled, to count their tests.
bool ModeOne(Reader& r) { return r.read(id::manu_mode) == CDDCommonVariant(1); }
bool PhOne(Reader& r) { return r.read(id::manu_pH_enabled) == CDDCommonVariant(1); }
constexpr Gate kModeOne{&ModeOne};
constexpr Gate kPhWithinMode{&PhOne, &kModeOne};

TEST_F(Frame, EachGateIsTestedOnceAndAnInnerGateOnlyWhenItsOuterHolds) {
  static constexpr Enumerator kEnums[] = {
      {0, "always"},
      {.value = 1, .description = "mode", .when = &kModeOne},
      {.value = 2, .description = "ph", .when = &kPhWithinMode},
      {.value = 3, .description = "mode again", .when = &kModeOne},
      {.value = 4, .description = "not mode", .unless = &kModeOne},
  };
  const VariableRow row{.id = kSome, .type = {.code = VariableTypeEnumerated, .size = 1}, .enums = kEnums};
  struct Case {
    int mode, ph;
    std::vector<long> offered;
    std::vector<std::string> reads;
  } cases[] = {
      {1, 1, {0, 1, 2, 3}, {"manu_mode", "manu_pH_enabled"}},
      {1, 0, {0, 1, 3}, {"manu_mode", "manu_pH_enabled"}},
      {0, 1, {0, 4}, {"manu_mode"}},
  };
  for (const Case& c : cases) {
    Set(id::manu_mode, c.mode);
    Set(id::manu_pH_enabled, c.ph);
    auto v = Fill(row);
    EXPECT_EQ(EnumValues(*v), c.offered) << c.mode << " " << c.ph;
    EXPECT_EQ(host->store().readOrder(), c.reads);
  }
}

TEST_F(Frame, OnlyVariablesWithARowAreFilled) {
  std::unique_ptr<CDDObject> menu(MakeDescriptionObject(CDDDefinition(kSome, "x", ObjectKindMenu)));
  EXPECT_EQ(CalcVariable(calc, host->context(), menu.get()), menu.get());
  EXPECT_FALSE(menu->getAttributesAvailable());
  CDDVariable unbuilt(CDDDefinition(kObjectCount + 1, "beyond", ObjectKindVariable));
  EXPECT_EQ(CalcVariable(calc, host->context(), &unbuilt), &unbuilt);
  EXPECT_FALSE(unbuilt.getAttributesAvailable());
  EXPECT_FALSE(unbuilt.typeInfo());
}

}  // namespace
