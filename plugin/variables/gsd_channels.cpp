// The GSD channel settings. Of their attributes the description gives only the write
// lock: each setting is writable while its own protection slot holds 0. Their rows make
// the handling step alone, so no label, help, class or type is invented for them.
#include "variables/rules.h"
#include "variables/tables.h"

namespace variables {
namespace {

template <ObjId Setting, ObjId ProtectionSlot>
constexpr VariableRow kChannelSetup{.id = Setting,
                                    .handling = Handling::locked,
                                    .rules = {.writable = &rule::channelSetupWritable<ProtectionSlot>},
                                    .steps = Steps::handlingOnly};

constexpr VariableRow kRows[] = {
    kChannelSetup<id::MVXGSD_ChannelSetup01, id::MVXGSD_ChannelProtectionSlot01>,
    kChannelSetup<id::MVXGSD_ChannelSetup02, id::MVXGSD_ChannelProtectionSlot02>,
    kChannelSetup<id::MVXGSD_ChannelSetup03, id::MVXGSD_ChannelProtectionSlot03>,
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kGsdChannelRows = kRows;

}  // namespace variables
