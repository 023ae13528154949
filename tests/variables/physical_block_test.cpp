// The physical block object and the attributes of its header and parameters that
// never depend on the device: handling, bit masks, string defaults, untouched helps.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "identity_fill.h"
#include "module/subsystems.h"
#include "row_name.h"

namespace {

using Lines = std::vector<std::string>;

TEST(PhysicalBlock, BlockGetsTypeNumberAndKindInOrder) {
  CalcFunction calc = variables::CalcFunctionFor(id::physical_block);
  ASSERT_TRUE(calc);
  CDeviceAttributeCalculation calculator;
  CDDBlock block(CDDDefinition(id::physical_block, "physical_block", ObjectKindBlock));
  ddlib::JournalScope journal;
  EXPECT_EQ(calc(calculator, nullptr, &block), &block);
  EXPECT_EQ(ddlib::Journal::lines(), (Lines{"CDDBlock::putType(0)", "CDDBlock::putNumber(1)",
                                            "CDDBlock::putBlockKind(0)", "CDDObject::putAttributesAvailable(true)"}));
  EXPECT_EQ(block.getNumber(), 1);
  EXPECT_EQ(block.getType(), BlockTypePhysical);
  EXPECT_EQ(block.getBlockKind(), BlockKindCode0);
}

TEST(PhysicalBlock, ObjectOfAnotherClassIsReturnedUntouched) {
  CDeviceAttributeCalculation calculator;
  CDDVariable notABlock(CDDDefinition(id::physical_block, "physical_block", ObjectKindBlock));
  ddlib::JournalScope journal;
  EXPECT_EQ(variables::CalcFunctionFor(id::physical_block)(calculator, nullptr, &notABlock), &notABlock);
  EXPECT_TRUE(ddlib::Journal::lines().empty());
  EXPECT_FALSE(notABlock.getAttributesAvailable());
}

enum class Access { R, W, RW };

// Everything of the block's header and parameters outside the write lock is read-only,
// except four settings and the reset command.
TEST(PhysicalBlock, HandlingOfHeaderAndParameters) {
  const std::map<ObjId, Access> exceptions = {{id::phys_strategy, Access::RW},
                                              {id::phys_alert_key, Access::RW},
                                              {id::phys_target_mode, Access::RW},
                                              {id::phys_security_locking, Access::RW},
                                              {id::phys_factory_reset, Access::W}};
  const std::vector<ObjId> locked = {id::phys_tag_desc, id::phys_device_certification, id::phys_descriptor,
                                     id::phys_message, id::phys_install_date};
  int checked = 0;
  std::vector<ObjId> ids;
  for (ObjId id = id::phys_software_rev_numeric; id <= id::phys_install_date; ++id) ids.push_back(id);
  for (ObjId id : {id::phys_actual_error_code, id::phys_device_bus_address, id::phys_device_software_number})
    ids.push_back(id);
  for (ObjId id : ids) {
    const variables::VariableRow* row = variables::RowFor(id);
    if (!row) continue;
    if (std::find(locked.begin(), locked.end(), id) != locked.end()) {
      EXPECT_EQ(row->handling, variables::Handling::locked) << RowName(*row);
      continue;
    }
    auto it = exceptions.find(id);
    const Access access = it == exceptions.end() ? Access::R : it->second;
    auto v = FillRow(id, UsedVariable(id));
    EXPECT_EQ(v->getHandling(HandlingRead), access != Access::W) << RowName(*row);
    EXPECT_EQ(v->getHandling(HandlingWrite), access != Access::R) << RowName(*row);
    ++checked;
  }
  EXPECT_EQ(checked, 9 + 13 + 21 + 3);
}

TEST(PhysicalBlock, AlarmSumsDescribeNoAlarmAndParameterModification) {
  for (ObjId id : {id::phys_current_state_alarm_sum, id::phys_unacknowledged_state_alarm_sum,
                   id::phys_unreported_state_alarm_sum, id::phys_disabled_state_alarm_sum}) {
    auto v = FillRow(id);
    const CDDType* t = v->typeInfo();
    std::vector<int> masks;
    for (const CDDBitEnumerator& b : t->bitEnumerators().entries()) {
      masks.push_back(b.getMask());
      ASSERT_TRUE(b.getMethod());
      EXPECT_EQ(b.getMethod()->getID(), -1);
    }
    EXPECT_EQ(masks, (std::vector<int>{0, 0x8000})) << id;
    EXPECT_EQ(t->getMaxBitEnumIndex(), 0x8000);
    EXPECT_EQ(t->getSize(), 2);
    EXPECT_EQ(v->classInfo().mask(), (1u << ClassDynamic) | (1u << ClassContained));
  }
  auto permitted = FillRow(id::phys_permitted_mode);
  ASSERT_EQ(permitted->typeInfo()->bitEnumerators().entries().size(), 1u);
  EXPECT_EQ(permitted->typeInfo()->bitEnumerators().entries()[0].getMask(), 8);
  EXPECT_EQ(permitted->typeInfo()->getMaxBitEnumIndex(), 8);
}

// Defaults shorter than the string are put as they are.
TEST(PhysicalBlock, StringDefaultsAreNotPadded) {
  struct Case {
    ObjId id;
    int size;
    const char* deflt;
  } cases[] = {
      {id::phys_device_id, 16, "TQR2X3P"},
      {id::phys_software_rev, 16, "?"},
      {id::phys_hardware_rev, 16, nullptr},
      {id::phys_serial_num, 16, nullptr},
      {id::phys_diagnosis_extension, 6, nullptr},
      {id::phys_software_rev_rest, 10, nullptr},
  };
  for (const Case& c : cases) {
    auto v = FillRow(c.id);
    const CDDType* t = v->typeInfo();
    EXPECT_EQ(t->getType(), VariableTypeString);
    EXPECT_EQ(t->getSize(), c.size);
    if (!c.deflt) {
      EXPECT_FALSE(t->getDefaultValue()) << c.id;
      continue;
    }
    ASSERT_TRUE(t->getDefaultValue()) << c.id;
    EXPECT_EQ(t->getDefaultValue()->kind(), CDDCommonVariant::Kind::Text);
    EXPECT_EQ(t->getDefaultValue()->getText(), c.deflt);
  }
}

TEST(PhysicalBlock, HeaderEnumerationsReportTheirLargestValue) {
  const std::pair<ObjId, long> cases[] = {{id::phys_blk_object, 1},
                                          {id::phys_blk_parent_class, 1},
                                          {id::phys_blk_class, 250},
                                          {id::phys_blk_profile_rev, 512}};
  for (const auto& [id, value] : cases) {
    auto v = FillRow(id);
    EXPECT_EQ(v->typeInfo()->getMaxEnumIndex(), value);
    ASSERT_EQ(v->typeInfo()->enumerators().entries().size(), 1u);
    EXPECT_EQ(v->typeInfo()->enumerators().entries()[0].getValue(), value);
  }
}

// The revision characters never touch the help and share one label.
TEST(PhysicalBlock, SoftwareRevisionPartsKeepTheHostsHelp) {
  std::string label;
  for (ObjId id = id::phys_software_rev_numeric; id <= id::phys_software_rev_rest; ++id) {
    auto v = FillRow(id, UsedVariable(id));
    EXPECT_EQ(v->getHelp(), "earlier help") << id;
    if (label.empty()) label = *v->getLabel();
    EXPECT_EQ(v->getLabel(), label) << id;
    EXPECT_EQ(v->classInfo().mask(), 1u << ClassContained);
    EXPECT_TRUE(v->typeInfo()->getRanges().empty());
  }
  EXPECT_EQ(label.rfind("Software Revision  |de|", 0), 0u);
  auto numeric = FillRow(id::phys_software_rev_numeric);
  EXPECT_EQ(ddlib::describe(*numeric->typeInfo()->getDefaultValue()), ddlib::describe(CDDCommonVariant(0)));
  EXPECT_EQ(numeric->typeInfo()->getMaxRangeNo(), -1);
}

}  // namespace
