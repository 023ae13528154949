#include <array>

#include "menus/menu_frame.h"
#include "menus/value_menus.h"
#include "module/subsystems.h"

namespace menus {
namespace {

using Index = std::array<const MenuRow*, kTableSize>;

Index BuildIndex() {
  Index index{};
  for (std::span<const MenuRow> table : {FixedMenus(), RelayFunctionDialog(), TransferLists()})
    for (const MenuRow& row : table) index[row.id] = &row;
  return index;
}

}  // namespace

const MenuRow* FindRow(long number) {
  static const Index index = BuildIndex();
  if (number < 1 || number > kObjectCount) return nullptr;
  return index[number];
}

CalcFunction CalcFunctionFor(ObjId number) { return FindRow(number) ? &CalcMenu : nullptr; }

}  // namespace menus
