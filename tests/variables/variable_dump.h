// Test helpers: every attribute of a filled variable as one comparable text, and the
// offered enumerators.
#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "ddlib/ddlib.h"

inline std::string DumpType(const CDDVariable& v) {
  std::ostringstream out;
  const CDDType* t = v.typeInfo();
  if (!t) return "no type";
  auto opt = [](const auto& o) {
    std::ostringstream s;
    if (o)
      s << *o;
    else
      s << "-";
    return s.str();
  };
  out << "type " << t->getType() << " size " << opt(t->getSize()) << " scale " << opt(t->getScalingFactor())
      << " display " << opt(t->getDisplayFormat()) << " edit " << opt(t->getEditFormat()) << " ranges "
      << opt(t->getMaxRangeNo()) << " default "
      << (t->getDefaultValue() ? ddlib::describe(*t->getDefaultValue()) : "-");
  for (const auto& [index, range] : t->getRanges())
    out << " [" << index << ": " << (range.min ? ddlib::describe(*range.min) : "-") << " .. "
        << (range.max ? ddlib::describe(*range.max) : "-") << "]";
  out << " maxEnum " << opt(t->getMaxEnumIndex());
  for (const auto& e : t->enumerators().entries()) out << " {" << e.getValue() << " " << e.getDescription() << "}";
  out << " maxBit " << opt(t->getMaxBitEnumIndex());
  for (const auto& b : t->bitEnumerators().entries()) out << " {" << b.getMask() << " " << b.getDescription() << "}";
  return out.str();
}

// Everything but label and help.
inline std::string DumpAttributes(const CDDVariable& v) {
  std::ostringstream out;
  out << "class " << v.classInfo().mask() << " unit " << v.getConstantUnit().value_or("-") << " " << DumpType(v)
      << " R " << v.getHandling(HandlingRead) << " W " << v.getHandling(HandlingWrite);
  for (const CDDDefinitionList* list : {v.getPreEditActions(), v.getPostEditActions()}) {
    out << " actions";
    if (list)
      for (const auto& d : list->entries()) out << " " << d.getName();
  }
  out << " available " << v.getAttributesAvailable();
  return out.str();
}

inline std::vector<long> EnumValues(const CDDVariable& v) {
  std::vector<long> values;
  for (const auto& e : v.typeInfo()->enumerators().entries()) values.push_back(e.getValue());
  return values;
}
