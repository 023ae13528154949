// Identification pairs: device-side values that the host reads through the physical
// block's commands, and the description-side values it compares them with. None has
// a label text or help; only the empty label is put.
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

// The description-side texts are padded to the 16 bytes the device reports.
constexpr Enumerator kModelCode[] = {{0, "TQR2X3P         "}};
constexpr Enumerator kSoftwareRevision[] = {{0, "2.4             "}};
constexpr Enumerator kProfileRevision[] = {{512, "2.0"}};
constexpr Enumerator kIdentNumber[] = {{5401, "Tessivar M CL / TQR2*3 / PA / 2.40"}};

constexpr TypeSpec Integer2 = Integer(2);
constexpr TypeSpec String16 = String(16);

constexpr VariableRow kRows[] = {
    {.id = id::MVX_phys_device_man_id, .cls = kContained,
     .type = Integer2, .handling = Handling::R},
    {.id = id::MVX_device_man_id, .cls = kLocal,
     .type = {.code = VariableTypeInteger, .size = 2, .deflt = 17}},
    {.id = id::MVX_phys_device_id, .cls = kContained, .type = String16,
     .handling = Handling::R},
    {.id = id::MVX_DD_device_id, .cls = kLocal, .type = Enumerated(1),
     .enums = kModelCode},
    {.id = id::MVX_phys_software_rev, .cls = kContained,
     .type = String16, .handling = Handling::R},
    {.id = id::MVX_software_rev, .cls = kLocal, .type = Enumerated(1),
     .enums = kSoftwareRevision},
    // Fillers for the header fields around the profile revision in the block's record.
    {.id = id::MVX_dummy_8bit, .cls = kContained, .type = Unsigned(1)},
    {.id = id::MVX_dummy_16bit, .cls = kContained, .type = Unsigned(2)},
    {.id = id::MVX_dummy_32bit, .cls = kContained, .type = Unsigned(4)},
    {.id = id::MVX_phys_profile_rev, .cls = kContained, .type = Integer2,
     .handling = Handling::R},
    {.id = id::MVX_profile_rev, .cls = kLocal, .type = Enumerated(2),
     .enums = kProfileRevision},
    {.id = id::MVX_ident_number, .cls = kLocal, .type = Enumerated(2),
     .enums = kIdentNumber},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kIdentificationRows = kRows;

}  // namespace variables
