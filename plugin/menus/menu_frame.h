// Menus: one constant row per menu and the one walk that fills the host's CDDMenu
// from it. Fixed menus are pure data; a menu whose items depend on current values
// adds an item rule, and a transfer list adds its action methods.
#pragma once
#include <span>

#include "module/auto_delete_list.h"
#include "module/calculator.h"

namespace menus {

enum class Qual { none, readOnly, code3 };

struct MenuItem {
  ObjId id;
  Qual qual = Qual::none;
};

// Where the access is put. The finished menu is the same; only the call order, which
// the host may observe, differs.
enum class AccessAt {
  beforeLabel,  // the usual place, first of all
  afterLabel,
  afterItems,  // after the last item, before the attributes are marked available
};

class MenuBuild;
// Appends the items chosen from current values, after the row's fixed items.
using ItemRule = void (*)(MenuBuild& build);

struct MenuRow {
  ObjId id;
  enumDDAccessType access;
  const char* label;
  const char* help = nullptr;  // null: the menu has no help and no help call is made
  std::span<const MenuItem> items = {};
  AccessAt accessAt = AccessAt::beforeLabel;
  ItemRule moreItems = nullptr;
  // Action methods of the transfer lists; an empty span sets no list. The read and
  // write lists are set right after the label (and help), the post-write list after
  // the last item.
  std::span<const ObjId> preRead = {};
  std::span<const ObjId> preWrite = {};
  std::span<const ObjId> postWrite = {};
};

// What an item rule may do while its menu is being filled: read current values and
// append items. Every read goes to the host's store anew and its copy lives until the
// request ends. An object without a definition is neither read nor appended, and the
// menu is then not marked available.
class MenuBuild {
 public:
  MenuBuild(CDeviceAttributeCalculation& calc, CHostContext* context, CDDMenu& menu, CAutoDeleteList& owned)
      : m_calc(calc), m_context(context), m_menu(menu), m_owned(owned) {}
  MenuBuild(const MenuBuild&) = delete;
  MenuBuild& operator=(const MenuBuild&) = delete;

  void Append(const MenuItem& item);
  void Append(std::span<const MenuItem> items);
  // A missing value (or a missing definition) reads as the empty value, which
  // compares equal to nothing and orders nothing.
  const CDDCommonVariant& Read(ObjId variable);

  bool complete() const { return m_complete; }

 private:
  CDeviceAttributeCalculation& m_calc;
  CHostContext* m_context;
  CDDMenu& m_menu;
  CAutoDeleteList& m_owned;
  bool m_complete = true;
};

// The calculation function of every menu that has a row: finds the row by the
// object's number and runs the frame. Any other object is returned untouched.
CDDObject* CalcMenu(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);

// The row of a menu number; null when none. Constant time.
const MenuRow* FindRow(long number);
// Rows the index had to leave out (see RowIndex); none in a sound build.
int IndexFaults();

// The row tables the index is built from.
std::span<const MenuRow> FixedMenus();

}  // namespace menus
