// Data that several variable tables share: enumerator texts, whole with all their
// segments, and recurring types.
#pragma once

#include "module/latin1.h"
#include "variables/variable_frame.h"

namespace variables {

namespace text {
inline constexpr const auto& kOff = "Off  |de|Aus  |fr|Arrêt  |it|Spento  |es|Apagado"_latin1;
}  // namespace text

namespace types {
// A delay of 0 to 2000 (seconds or minutes), default 0, four digits.
inline constexpr TypeSpec kDelay2000{.code = VariableTypeUnsigned,
                                     .size = 2,
                                     .deflt = 0,
                                     .range = true,
                                     .min = 0,
                                     .max = 2000,
                                     .display = "4u",
                                     .edit = "4u"};
}  // namespace types

}  // namespace variables
