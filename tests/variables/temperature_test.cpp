// The real-temperature window, the pH compensation's third choice, the references and
// the temperature refresh relation.
#include <limits>

#include "parameter_requests.h"

namespace {

class Temperature : public ParameterRequests {};

constexpr const char* kO = "manu_temperature_offset";
constexpr const char* kT = "manu_meas_value_temperature";
constexpr const char* kCode = "manu_alarm_enable_code";

TEST_F(Temperature, RealTemperatureWindowFollowsMeasuredTemperatureLessOffset) {
  struct Case {
    double t, o;
    const char* min;
    const char* max;
    Names reads;
  };
  const Names plain{kO, kT, kO, kT, kO, kT, kO, kT, kCode};
  const Names cut{kO, kT, kO, kT, kO, kT, kCode};  // one bound without its second pair
  const Case cases[] = {
      {20.0, 0.0, "double 15", "double 25", plain},
      {20.0, 2.0, "double 13", "double 23", plain},
      {3.0, 0.0, "int 0", "double 8", cut},
      {48.0, 0.0, "double 43", "int 50", cut},
      // At the edges both branches agree; the computed branch is taken.
      {5.0, 0.0, "double 0", "double 10", plain},
      {45.0, 0.0, "double 40", "double 50", plain},
      // Out of the window: the bounds cross and are put as computed.
      {60.0, 0.0, "double 55", "int 50", cut},
      {-10.0, 0.0, "int 0", "double -5", cut},
      {2.0, -4.0, "double 1", "double 11", plain},
  };
  for (const Case& c : cases) {
    Set(kT, c.t);
    Set(kO, c.o);
    auto v = Request("manu_temperature_process_entry");
    SCOPED_TRACE(testing::Message() << "T " << c.t << " O " << c.o);
    EXPECT_EQ(Min(*v), c.min);
    EXPECT_EQ(Max(*v), c.max);
    EXPECT_EQ(Reads(), c.reads);
    EXPECT_EQ(Default(*v), "double 0");
    EXPECT_EQ(Display(*v), "3.1f");
    EXPECT_EQ(Edit(*v), "%G");
  }
}

TEST_F(Temperature, MissingTemperatureLeavesBoundsAtTheirStartValue) {
  host->store().setNoValue(kT);
  auto v = Request("manu_temperature_process_entry");
  EXPECT_EQ(Min(*v), "int 1");
  EXPECT_EQ(Max(*v), "int 1");
  EXPECT_EQ(Reads(), (Names{kO, kT, kO, kT, kO, kT, kO, kT, kCode}));
}

TEST_F(Temperature, WindowAtTheLongExtremesWrapsAround) {
  constexpr long kLongMin = std::numeric_limits<long>::min();
  Set(kT, 20L);
  Set(kO, kLongMin);
  auto v = Request("manu_temperature_process_entry");
  EXPECT_EQ(Min(*v), "long " + std::to_string(kLongMin + 15));  // 20 - kLongMin wraps to kLongMin + 20
  EXPECT_EQ(Max(*v), "int 50");

  Set(kT, kLongMin);
  Set(kO, 0);
  v = Request("manu_temperature_process_entry");
  EXPECT_EQ(Min(*v), "int 0");
  EXPECT_EQ(Max(*v), "long " + std::to_string(kLongMin + 5));
}

TEST_F(Temperature, RealTemperatureCallsTheLibraryInStepOrder) {
  Set(kT, 3.0);
  Set(kCode, 83);
  ddlib::JournalScope journal;
  Request("manu_temperature_process_entry");
  const Names& lines = ddlib::Journal::lines();
  ASSERT_GE(lines.size(), 17u);
  EXPECT_EQ(Names(lines.end() - 17, lines.end()),
            (Names{"CDDVariableClass::putClassInfo(9, true)", "CDDVariable::putConstantUnit(\"\")",
                   "CDDVariable::putConstantUnit(\"\\xB0C\")",
                   "CDDVariable::setTypeInfo(0)", "CDDType::putScalingFactor(1)", "CDDType::putDisplayFormat(\"%G\")",
                   "CDDType::putEditFormat(\"%G\")", "CDDType::putMaxRangeNo(0)", "CDDType::putDefaultValue(double 0)",
                   "CDDType::putMinValues(0, int 0)", "CDDType::putMaxValues(0, double 8)",
                   "CDDType::putDisplayFormat(\"3.1f\")", "CDDVariable::putHandling(0, false)",
                   "CDDVariable::putHandling(1, false)", "CDDVariable::putHandling(0, true)",
                   "CDDVariable::putHandling(1, true)", "CDDObject::putAttributesAvailable(true)"}));
}

TEST_F(Temperature, ThirdChoiceNeedsSVersionAndPh) {
  struct Case {
    int sVersion, ph;
    bool third;
    Names reads;
  };
  const Case cases[] = {
      {1, 1, true, {"manu_s_version_enabled", "manu_pH_enabled"}},
      {1, 0, false, {"manu_s_version_enabled", "manu_pH_enabled"}},
      {0, 1, false, {"manu_s_version_enabled"}},
      {2, 1, false, {"manu_s_version_enabled"}},
  };
  for (const Case& c : cases) {
    Set("manu_s_version_enabled", c.sVersion);
    Set("manu_pH_enabled", c.ph);
    SCOPED_TRACE(testing::Message() << "S " << c.sVersion << " pH " << c.ph);
    Set(kCode, 0);
    auto help = Request("manu_mode_help");
    EXPECT_EQ(Reads(), c.reads);
    EXPECT_EQ(Enumerators(*help), c.third ? Names({"0 mg/l", "1 pH", "2 mV"}) : Names({"0 mg/l", "1 pH"}));
    EXPECT_TRUE(Writable(*help)) << "never locked";

    auto compensation = Request("manu_ph_compensation");
    Names reads = c.reads;
    reads.push_back(kCode);
    EXPECT_EQ(Reads(), reads);
    EXPECT_EQ(Enumerators(*compensation),
              c.third ? Names({"0 Off", "1 Manual", "2 Automatic"}) : Names({"0 Off", "1 Manual"}));
    EXPECT_FALSE(Writable(*compensation));
    EXPECT_EQ(compensation->typeInfo()->getMaxEnumIndex(), 0);
    EXPECT_EQ(Default(*compensation), "int 0");
  }
}

TEST_F(Temperature, ReferencesAreReadOnlyAndReadNothing) {
  Set(kCode, 83);
  for (const char* name : {"manu_temperature_process_entry_ref", "manu_temperature_offset_ref"}) {
    auto v = Request(name);
    EXPECT_TRUE(Reads().empty()) << name;
    EXPECT_TRUE(v->getHandling(HandlingRead));
    EXPECT_FALSE(Writable(*v));
    EXPECT_EQ(Enumerators(*v), Names{"0 see Menu Device -> Temperature correction"});
    EXPECT_TRUE(v->classInfo().isSet(ClassLocal));
  }
}

// Both relations are read again after a change of the operating mode; each names its
// one member per set on every request and reads nothing.
TEST_F(Temperature, RefreshRelationsNameOneMemberPerSetOnEveryRequest) {
  const struct {
    const char* relation;
    const char* reread;
  } cases[] = {{"refresh_temperature", "#207 manu_meas_value_temperature"},
               {"refresh_manu_mode_help", "#217 manu_mode_help"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.relation);
    const CDDDefinition* definition = host->Find(c.relation);
    ASSERT_TRUE(definition);
    CDDRefresh refresh(*definition);
    host->store().clearReads();
    for (int request = 0; request < 2; ++request) {
      ddlib::JournalScope journal;
      EXPECT_EQ(host->calculator().Calculate(host->context(), &refresh), &refresh);
      EXPECT_EQ(ddlib::Journal::lines(),
                (Names{"CDDRefresh::setReread()", std::string("CDDVariableDefinitionSet::Insert(") + c.reread + ")",
                       "CDDRefresh::setChanged()", "CDDVariableDefinitionSet::Insert(#215 manu_mode)",
                       "CDDObject::putAttributesAvailable(true)"}));
      ASSERT_TRUE(refresh.reread() && refresh.changed());
      EXPECT_EQ(refresh.reread()->entries().size(), 1u);
      EXPECT_EQ(refresh.changed()->entries().size(), 1u);
      EXPECT_TRUE(refresh.getAttributesAvailable());
    }
    EXPECT_EQ(host->store().readCount(), 0);
  }
}

TEST_F(Temperature, RefreshNumberCarryingAVariableIsLeftAlone) {
  for (const char* name : {"refresh_temperature", "refresh_manu_mode_help"}) {
    const CDDDefinition* definition = host->Find(name);
    ASSERT_TRUE(definition);
    CDDVariable wrongClass(*definition);
    host->calculator().Calculate(host->context(), &wrongClass);
    EXPECT_FALSE(wrongClass.getAttributesAvailable()) << name;
    EXPECT_FALSE(wrongClass.getLabel()) << name;
  }
}

}  // namespace
