// Types that the manufacturer parameters repeat.
#pragma once

#include "variables/variable_frame.h"

namespace variables::types {

// A one-byte enumerated setting with its default.
constexpr TypeSpec Choice(int deflt) { return {.code = VariableTypeEnumerated, .size = 1, .deflt = deflt}; }

// An unsigned setting with one range, its own format for display and for edit.
constexpr TypeSpec Unsigned(int size, int deflt, int min, int max, const char* format) {
  return {.code = VariableTypeUnsigned,
          .size = size,
          .deflt = deflt,
          .range = true,
          .min = min,
          .max = max,
          .display = format,
          .edit = format};
}

}  // namespace variables::types
