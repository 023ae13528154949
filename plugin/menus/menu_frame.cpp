#include "menus/menu_frame.h"

#include <memory>

#include "module/helpers.h"

namespace menus {
namespace {

// Every object the row names must have a definition; otherwise the menu would come
// out marked available with a missing entry, so it is left untouched instead.
bool AllDefined(const CDeviceAttributeCalculation& calc, const MenuRow& row) {
  for (const MenuItem& item : row.items)
    if (!calc.FindDefinition(item.id)) return false;
  for (std::span<const ObjId> actions : {row.preRead, row.preWrite, row.postWrite})
    for (ObjId method : actions)
      if (!calc.FindDefinition(method)) return false;
  return true;
}

void AppendItem(CDDMenu& menu, const CDDDefinition& definition, Qual qual) {
  auto item = std::make_unique<CDDMenuItem>(definition);
  switch (qual) {
    case Qual::none:
      break;
    case Qual::readOnly:
      item->putQualification(QualificationReadOnly, true);
      break;
    case Qual::code3:
      item->putQualification(QualificationCode3, true);
      break;
  }
  // The list copies the item; the temporary dies right after the append.
  menu.getMenuItems()->Add(*item, -1, -1);
}

void SetActions(const CDeviceAttributeCalculation& calc, CDDMenu& menu, std::span<const ObjId> methods,
                void (CDDMenu::*set)(CDDDefinitionList*)) {
  if (methods.empty()) return;
  auto list = std::make_unique<CDDDefinitionList>();
  for (ObjId method : methods) list->Add(calc.Definition(method), -1, -1);
  (menu.*set)(list.release());
}

}  // namespace

void MenuBuild::Append(const MenuItem& item) {
  const CDDDefinition* definition = m_calc.FindDefinition(item.id);
  if (!definition) {
    m_complete = false;
    return;
  }
  AppendItem(m_menu, *definition, item.qual);
}

void MenuBuild::Append(std::span<const MenuItem> items) {
  for (const MenuItem& item : items) Append(item);
}

const CDDCommonVariant& MenuBuild::Read(ObjId variable) {
  static const CDDCommonVariant kNoValue;
  if (!m_calc.FindDefinition(variable)) {
    m_complete = false;
    return kNoValue;
  }
  return ValueReader(m_calc, m_context, m_owned).Read(variable);
}

CDDObject* CalcMenu(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object) {
  auto* menu = dynamic_cast<CDDMenu*>(object);
  const MenuRow* row = menu ? FindRow(menu->getcDefinition()->getID()) : nullptr;
  if (!row || !AllDefined(calc, *row)) return object;

  CAutoDeleteList owned;  // value copies of this request; none for a fixed menu
  if (row->accessAt == AccessAt::beforeLabel) menu->putAccess(row->access);
  menu->putLabel(CStrPP(""));
  menu->putLabel(CStrPP(row->label));
  if (row->accessAt == AccessAt::afterLabel) menu->putAccess(row->access);
  if (row->help) {
    menu->putHelp(CStrPP(""));
    menu->putHelp(CStrPP(row->help));
  }
  SetActions(calc, *menu, row->preRead, &CDDMenu::setPreReadActions);
  SetActions(calc, *menu, row->preWrite, &CDDMenu::setPreWriteActions);

  // A new list on every request, so items never accumulate.
  menu->setMenuItems(new CDDMenuItemList());
  MenuBuild build(calc, context, *menu, owned);
  build.Append(row->items);
  if (row->moreItems) row->moreItems(build);

  if (row->accessAt == AccessAt::afterItems) menu->putAccess(row->access);
  SetActions(calc, *menu, row->postWrite, &CDDMenu::setPostWriteActions);
  if (build.complete()) menu->putAttributesAvailable(true);
  return menu;
}

}  // namespace menus
