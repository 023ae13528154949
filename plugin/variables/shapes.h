// Shapes that several variable tables share: the type helpers, enumerator texts and
// labels used in more than one table, and recurring types.
#pragma once
#include "module/latin1.h"
#include "variables/variable_frame.h"

namespace variables {

// A type of that code and size, with no default, range or own format.
constexpr TypeSpec Integer(int size) { return {.code = VariableTypeInteger, .size = size}; }
constexpr TypeSpec Unsigned(int size) { return {.code = VariableTypeUnsigned, .size = size}; }
constexpr TypeSpec Enumerated(int size) { return {.code = VariableTypeEnumerated, .size = size}; }
constexpr TypeSpec BitEnumerated(int size) { return {.code = VariableTypeBitEnumerated, .size = size}; }
constexpr TypeSpec String(int size) { return {.code = VariableTypeString, .size = size}; }

// A one-byte enumerated setting with its default.
constexpr TypeSpec Choice(int deflt) { return {.code = VariableTypeEnumerated, .size = 1, .deflt = deflt}; }

// An unsigned setting with one range, shown and edited in one own format ("3u").
struct UnsignedRange {
  int size;
  int deflt;
  int min;
  int max;
  const char* format;
};
constexpr TypeSpec UnsignedSetting(UnsignedRange setting) {
  return {.code = VariableTypeUnsigned,
          .size = setting.size,
          .deflt = setting.deflt,
          .range = true,
          .min = setting.min,
          .max = setting.max,
          .display = setting.format,
          .edit = setting.format};
}

// A delay of 0 to 2000 (seconds or minutes), default 0, four digits.
inline constexpr TypeSpec kDelay2000 = UnsignedSetting({.size = 2, .deflt = 0, .min = 0, .max = 2000, .format = "4u"});

namespace text {
inline constexpr const auto& kOff = "Off  |de|Aus  |fr|Désactiver  |it|Disattivato  |es|Off"_latin1;

// The block class's only value and a special manufacturer code.
inline constexpr const auto& kNotUsed =
    "Not used  |de|Nicht benutzt  |fr|Non utilisé  |it|Non utilizzato  |es|No utilizado"_latin1;

// Shared by the revision text and its numeric form.
inline constexpr const auto& kSoftwareRevisionLabel =
    "Software Revision  |de|Software-Revision  |fr|Révision du logiciel  |it|Revisione software  "
    "|es|Revisión del software"_latin1;
}  // namespace text

}  // namespace variables
