#include "variables/rules.h"

#include <gtest/gtest.h>

#include "fake_reader.h"

using variables::rule::checkSelectWritable;
using variables::rule::kAccessCode;

namespace {

TEST(WriteLock, CheckSelectStopsAtTheFirstFailingTest) {
  const ObjId ph = id::manu_pH_enabled, mode = id::manu_mode, code = id::manu_alarm_enable_code;
  struct Case {
    int phEnabled, mode, code;
    bool writable;
    std::vector<ObjId> reads;
  } cases[] = {
      {0, 1, kAccessCode, false, {ph}},
      {2, 1, kAccessCode, false, {ph}},
      {1, 0, kAccessCode, false, {ph, mode}},
      {1, 1, 0, false, {ph, mode, code}},
      {1, 1, kAccessCode, true, {ph, mode, code}},
      {1, 2, kAccessCode, true, {ph, mode, code}},
  };
  for (const Case& c : cases) {
    FakeReader r{{ph, c.phEnabled}, {mode, c.mode}, {code, c.code}};
    EXPECT_EQ(checkSelectWritable(r), c.writable) << c.phEnabled << " " << c.mode << " " << c.code;
    EXPECT_EQ(r.reads, c.reads);
  }
}

TEST(WriteLock, ChannelSetupFollowsItsProtectionSlot) {
  auto rule = variables::rule::channelSetupWritable<id::MVXGSD_ChannelProtectionSlot02>;
  FakeReader open{{id::MVXGSD_ChannelProtectionSlot02, 0}}, closed{{id::MVXGSD_ChannelProtectionSlot02, 1}};
  EXPECT_TRUE(rule(open));
  EXPECT_FALSE(rule(closed));
  EXPECT_EQ(open.reads, std::vector<ObjId>{id::MVXGSD_ChannelProtectionSlot02});
}

}  // namespace
