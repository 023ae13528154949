// The software revision split into character codes, its ten-byte rest and the number
// formed from its digits. All share the revision's label; none makes a help call.
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr const char* kLabel = text::kSoftwareRevisionLabel;

constexpr VariableRow kRows[] = {
    {.id = id::phys_software_rev_numeric, .label = kLabel, .cls = kContained,
     .type = {.code = VariableTypeUnsigned, .size = 2, .deflt = 0}, .handling = Handling::R},
    {.id = id::phys_software_rev_000, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_001, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_002, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_003, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_004, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_005, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_006, .label = kLabel, .cls = kContained, .type = Unsigned(1), .handling = Handling::R},
    {.id = id::phys_software_rev_rest, .label = kLabel, .cls = kContained, .type = String(10), .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kSoftwareRevisionRows = kRows;

}  // namespace variables
