#include <cassert>

#include "menus/menu_frame.h"
#include "menus/value_menus.h"
#include "module/row_index.h"
#include "module/subsystems.h"

namespace menus {
namespace {

const RowIndex<MenuRow>& Index() {
  static const RowIndex<MenuRow> index = [] {
    RowIndex<MenuRow> built(ObjectKindMenu, {FixedMenus(), RelayFunctionDialog(), TransferLists()});
    assert(built.faults() == 0);
    return built;
  }();
  return index;
}

}  // namespace

const MenuRow* FindRow(long number) { return Index().Find(number); }

int IndexFaults() { return Index().faults(); }

CalcFunction CalcFunctionFor(ObjId number) { return FindRow(number) ? &CalcMenu : nullptr; }

}  // namespace menus
