// The device's software revision text as a number: the decimal digits among its
// second to sixth characters.
#include <cstdint>

#include "methods/bodies.h"

namespace methods::body {
namespace {
constexpr ObjId kRevisionCharacters[] = {id::phys_software_rev_001, id::phys_software_rev_002,
                                         id::phys_software_rev_003, id::phys_software_rev_004,
                                         id::phys_software_rev_005};
}  // namespace

void NumericSoftwareRevision(MethodRun& run) {
  int number = 0;
  run.Read(id::read_phys_software_rev_numeric);
  // Each test asks the context afresh; a character that is no digit is skipped.
  for (ObjId character : kRevisionCharacters) {
    if (run.GetInt(character) < '0') continue;
    if (run.GetInt(character) > '9') continue;
    // Five digits stay far below the 32-bit range; a context answering differently on
    // the third ask must still not overflow, so the sum wraps as a 32-bit value.
    number = static_cast<int>(static_cast<std::int64_t>(number) * 10 + run.GetInt(character) - '0');
  }
  run.PutInt(id::phys_software_rev_numeric, number);
}

}  // namespace methods::body
