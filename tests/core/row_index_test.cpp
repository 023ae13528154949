// The one row index of every kind: it refuses rows that a lookup could not trust.
#include <gtest/gtest.h>

#include "menus/menu_frame.h"
#include "module/row_index.h"
#include "variables/variable_frame.h"

namespace {

struct Row {
  ObjId id;
};

TEST(RowIndex, LeavesOutRowsOfAnotherKindOutsideTheTableOrTwice) {
  static constexpr Row kFirst[] = {{id::manu_sensor_type}, {id::manu_mode}};
  static constexpr Row kSecond[] = {{id::manu_mode}, {id::Menu_File}, {0}, {kObjectCount + 1}};
  constexpr RowIndex<Row> index(ObjectKindVariable, {kFirst, kSecond});
  EXPECT_EQ(index.faults(), 4);
  EXPECT_EQ(index.Find(id::manu_mode), &kFirst[1]);  // the first row of a number stays
  EXPECT_EQ(index.Find(id::manu_sensor_type), &kFirst[0]);
  for (long n : {long{id::Menu_File}, 0L, long{kObjectCount} + 1, -1L}) EXPECT_EQ(index.Find(n), nullptr) << n;
  EXPECT_TRUE(Ascending(kFirst));
  EXPECT_FALSE(Ascending(kSecond));
}

// Methods and commands check their index where their one table is declared.
TEST(RowIndex, VariablesAndMenusHaveNoFault) {
  EXPECT_EQ(variables::IndexFaults(), 0);
  EXPECT_EQ(menus::IndexFaults(), 0);
}

}  // namespace
