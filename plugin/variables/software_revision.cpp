// The software revision split into character codes, its ten-byte rest and the number
// formed from its digits. None of them makes a help call.
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr VariableRow Revision(ObjId id, TypeSpec type) {
  return {.id = id, .label = text::kSoftwareRevisionLabel, .cls = kContained, .type = type,
          .handling = Handling::R};
}

constexpr VariableRow kRows[] = {
    Revision(id::phys_software_rev_numeric,
             {.code = VariableTypeUnsigned, .size = 2, .deflt = 0}),
    Revision(id::phys_software_rev_000, Unsigned(1)),
    Revision(id::phys_software_rev_001, Unsigned(1)),
    Revision(id::phys_software_rev_002, Unsigned(1)),
    Revision(id::phys_software_rev_003, Unsigned(1)),
    Revision(id::phys_software_rev_004, Unsigned(1)),
    Revision(id::phys_software_rev_005, Unsigned(1)),
    Revision(id::phys_software_rev_006, Unsigned(1)),
    Revision(id::phys_software_rev_rest, String(10)),
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kSoftwareRevisionRows = kRows;

}  // namespace variables
