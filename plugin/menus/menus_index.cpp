#include "menus/menu_frame.h"
#include "menus/value_menus.h"
#include "module/row_index.h"
#include "module/subsystems.h"

namespace menus {
namespace {

// The tables span files, so no static_assert can see them together: a test checks that
// the index has no fault.
const RowIndex<MenuRow>& Index() {
  static const RowIndex<MenuRow> index(ObjectKindMenu, {FixedMenus(), RelayFunctionDialog(), TransferLists()});
  return index;
}

}  // namespace

const MenuRow* FindRow(long number) { return Index().Find(number); }

int IndexFaults() { return Index().faults(); }

CalcFunction CalcFunctionFor(ObjId number) { return FindRow(number) ? &CalcMenu : nullptr; }

}  // namespace menus
