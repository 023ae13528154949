// The host-side communication-error settings, set in one step: every error range
// ignored, every range checked, or the default set.
#include <iterator>

#include "methods/bodies.h"

namespace methods::body {
namespace {

struct ErrorRange {
  ObjId variable;
  int defaultValue;  // 0 ignore, 1 check
};

// By ascending number, the order every body sets them in. The default ignores the four
// access errors a device answers for a parameter it does not have or cannot take now.
constexpr ErrorRange kRanges[] = {
    {id::CommError_0000_009F, 1}, {id::CommError_00A0_00A0, 1}, {id::CommError_00A1_00A1, 1},
    {id::CommError_00A2_00A2, 1}, {id::CommError_00A3_00A7, 1}, {id::CommError_00A8_00A8, 1},
    {id::CommError_00A9_00A9, 1}, {id::CommError_00AA_00AF, 1}, {id::CommError_00B0_00B0, 0},
    {id::CommError_00B1_00B1, 1}, {id::CommError_00B2_00B2, 0}, {id::CommError_00B3_00B3, 1},
    {id::CommError_00B4_00B4, 1}, {id::CommError_00B5_00B5, 0}, {id::CommError_00B6_00B6, 1},
    {id::CommError_00B7_00B7, 1}, {id::CommError_00B8_00B8, 0}, {id::CommError_00B9_00B9, 1},
    {id::CommError_00BA_00BF, 1}, {id::CommError_00C0_00C0, 1}, {id::CommError_00C1_00C1, 1},
    {id::CommError_00C2_00C2, 1}, {id::CommError_00C3_00C3, 1}, {id::CommError_00C4_00C7, 1},
    {id::CommError_00C8_00CF, 1}, {id::CommError_00D0_00FF, 1},
};

constexpr bool Contiguous() {
  for (std::size_t i = 0; i < std::size(kRanges); ++i)
    if (kRanges[i].variable != id::CommError_0000_009F + static_cast<ObjId>(i)) return false;
  return true;
}
static_assert(std::size(kRanges) == 26 && Contiguous());

void PutAll(MethodRun& run, int value) {
  for (const ErrorRange& range : kRanges) run.PutInt(range.variable, value);
}

}  // namespace

void IgnoreAllErrors(MethodRun& run) { PutAll(run, 0); }

void CheckAllErrors(MethodRun& run) { PutAll(run, 1); }

void DefaultErrorHandling(MethodRun& run) {
  run.AssignInt(id::CommError_ShowIgnoredErrors, 1);
  run.AssignInt(id::CommError_Delay_Read, 0);
  run.AssignInt(id::CommError_Delay_Write, 0);
  for (const ErrorRange& range : kRanges) run.PutInt(range.variable, range.defaultValue);
}

}  // namespace methods::body
