// Enumerator texts that several variable tables share, whole with all their segments.
#pragma once

namespace variables::text {

inline constexpr const char kOff[] = "Off  |de|Aus  |fr|Arrêt  |it|Spento  |es|Apagado";

}  // namespace variables::text
