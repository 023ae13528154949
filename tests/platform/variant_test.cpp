#include <gtest/gtest.h>

#include "ddlib/ddlib.h"

TEST(Variant, KeepsKindAndComparesNumerically) {
  CDDCommonVariant i(1), d(1.0), e;
  EXPECT_EQ(i.kind(), CDDCommonVariant::Kind::Int);
  EXPECT_EQ(d.kind(), CDDCommonVariant::Kind::Double);
  EXPECT_TRUE(i == d);
  EXPECT_FALSE(e == e);
  EXPECT_FALSE(e < i);
  EXPECT_FALSE(e >= i);
}
