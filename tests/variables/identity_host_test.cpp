// The identification and physical-block objects through the loaded plug-in, as a real
// host asks for them.
#include <gtest/gtest.h>

#include <memory>

#include "dtmhost/host.h"
#include "support/plugin_host.h"
#include "variable_dump.h"
#include "variables/tables.h"
#include "row_name.h"

namespace {

using namespace variables;

using IdentityHostTest = testsupport::PluginHostTest;

TEST_F(IdentityHostTest, PhysicalBlockIsNumberOne) {
  std::unique_ptr<CDDObject> object = host->Request("physical_block");
  auto* block = dynamic_cast<CDDBlock*>(object.get());
  ASSERT_TRUE(block);
  EXPECT_TRUE(block->getAttributesAvailable());
  EXPECT_EQ(block->getNumber(), 1);
  EXPECT_EQ(block->getType(), BlockTypePhysical);
  EXPECT_EQ(block->getBlockKind(), BlockKindCode0);
  EXPECT_EQ(host->store().readCount(), 0);
}

// Whatever the device's settings, these variables come out the same; only the locked
// texts follow the access code.
TEST_F(IdentityHostTest, AttributesDoNotDependOnTheDevicesSettings) {
  const RowTable tables[] = {kIdentificationRows, kCommErrorRows, kSoftwareRevisionRows, kBlockHeaderRows,
                             kBlockParameterRows, kManufacturerRows, kDiagnosisRows, kErrorCodeRows};
  auto dump = [&](const char* name) {
    std::unique_ptr<CDDObject> object = host->Request(name);
    auto* v = dynamic_cast<CDDVariable*>(object.get());
    EXPECT_TRUE(v && v->getAttributesAvailable()) << name;
    EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0) << name;
    return v ? v->getLabel().value_or("-") + "|" + v->getHelp().value_or("-") + "|" + DumpAttributes(*v) : "";
  };
  int rows = 0;
  for (const RowTable& table : tables)
    for (const VariableRow& row : table) {
      ++rows;
      host->store().setValue("manu_alarm_enable_code", CDDCommonVariant(83));
      host->store().setValue("manu_mode", CDDCommonVariant(0));
      host->store().setValue("manu_sensor_type", CDDCommonVariant(1));
      const std::string first = dump(RowName(row));
      host->store().setValue("manu_mode", CDDCommonVariant(2));
      host->store().setValue("manu_sensor_type", CDDCommonVariant(4));
      EXPECT_EQ(dump(RowName(row)), first) << RowName(row);
      host->store().setValue("manu_alarm_enable_code", CDDCommonVariant(0));
      const std::string locked = dump(RowName(row));
      EXPECT_EQ(locked == first, row.handling != Handling::locked) << RowName(row);
    }
  EXPECT_EQ(rows, 92);
}

}  // namespace
