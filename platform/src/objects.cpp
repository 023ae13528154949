#include "ddlib/objects.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>

#include "ddlib/journal.h"

using ddlib::note;
using ddlib::quote;

namespace ddlib {

std::string describe(const CDDCommonVariant& v) {
  char buf[64];
  switch (v.kind()) {
    case CDDCommonVariant::Kind::Empty:
      return "empty";
    case CDDCommonVariant::Kind::Bool:
      return v.getBool() ? "bool true" : "bool false";
    case CDDCommonVariant::Kind::Int:
      return "int " + std::to_string(v.getInt());
    case CDDCommonVariant::Kind::Long:
      return "long " + std::to_string(v.getLong());
    case CDDCommonVariant::Kind::Double:
      std::snprintf(buf, sizeof buf, "double %.17g", v.getDouble());
      return buf;
    case CDDCommonVariant::Kind::Text:
      return "text " + quote(v.getText());
  }
  return "?";
}

std::string describe(const CDDDefinition& d) {
  if (d.getID() < 0 && d.getName()[0] == '\0') return "#-1";
  return "#" + std::to_string(d.getID()) + " " + d.getName();
}

}  // namespace ddlib

using ddlib::describe;

namespace {

// One flag of a code set: code i is bit i. Codes outside 0..31 are ignored.
void PutFlag(const char* operation, unsigned& mask, int code, bool on) {
  note([&] { return std::string(operation) + "(" + std::to_string(code) + ", " + (on ? "true" : "false") + ")"; });
  if (code < 0 || code >= 32) return;
  if (on)
    mask |= 1u << code;
  else
    mask &= ~(1u << code);
}

// What a set... operation does: takes the object and deletes the one it replaces. Handing
// back the object already held changes nothing (a plain reset would delete it).
template <typename T>
void Adopt(std::unique_ptr<T>& slot, T* object) {
  if (object != slot.get()) slot.reset(object);
}

bool HasFlag(unsigned mask, int code) { return code >= 0 && code < 32 && (mask >> code) & 1u; }

}  // namespace

// A list that grows copies its entries unless they move without throwing.
static_assert(std::is_nothrow_move_constructible_v<CDDDefinition>);
static_assert(std::is_nothrow_move_constructible_v<CDDEnumerator>);
static_assert(std::is_nothrow_move_constructible_v<CDDBitEnumerator>);
static_assert(std::is_nothrow_move_constructible_v<CDDDataItem>);
static_assert(std::is_nothrow_move_constructible_v<CDDMenuItem>);

CStrPP::~CStrPP() = default;
CDDDefinition::~CDDDefinition() = default;

// ---------------------------------------------------------------- base

CDDObject::~CDDObject() = default;

void CDDObject::putAttributesAvailable(bool available) {
  note([&] { return std::string("CDDObject::putAttributesAvailable(") + (available ? "true" : "false") + ")"; });
  m_available = available;
}

// ---------------------------------------------------------------- lists

CDDDefinitionList::~CDDDefinitionList() = default;
void CDDDefinitionList::Add(const CDDDefinition& definition, long position, long count) {
  note([&] {
    return "CDDDefinitionList::Add(" + describe(definition) + ", " + std::to_string(position) + ", " +
           std::to_string(count) + ")";
  });
  m_entries.push_back(definition);  // always appended: no other position is used
}

CDDVariableDefinitionSet::~CDDVariableDefinitionSet() = default;
void CDDVariableDefinitionSet::Insert(const CDDDefinition& definition) {
  note([&] { return "CDDVariableDefinitionSet::Insert(" + describe(definition) + ")"; });
  m_entries.push_back(definition);
}

CDDDefinitionSet::~CDDDefinitionSet() = default;
void CDDDefinitionSet::Insert(const CDDDefinition& definition) { m_entries.push_back(definition); }

CDDTransactionRef::~CDDTransactionRef() = default;

// ---------------------------------------------------------------- variables

CDDVariableClass::~CDDVariableClass() = default;
void CDDVariableClass::putClassInfo(enumDDVariableClassType code, bool on) {
  PutFlag("CDDVariableClass::putClassInfo", m_mask, static_cast<int>(code), on);
}
bool CDDVariableClass::isSet(int code) const { return HasFlag(m_mask, code); }

CDDEnumerator::~CDDEnumerator() = default;
void CDDEnumerator::putValue(long value) {
  note([&] { return "CDDEnumerator::putValue(" + std::to_string(value) + ")"; });
  m_value = value;
}
void CDDEnumerator::putDescription(const CStrPP& text) {
  note([&] { return "CDDEnumerator::putDescription(" + quote(text.str()) + ")"; });
  m_description = text.str();
}
void CDDEnumerator::putHelp(const CStrPP& text) {
  note([&] { return "CDDEnumerator::putHelp(" + quote(text.str()) + ")"; });
  m_help = text.str();
}

CDDEnumeratorSet::~CDDEnumeratorSet() = default;
void CDDEnumeratorSet::Add(const CDDEnumerator& e) {
  note([&] { return "CDDEnumeratorSet::Add(" + std::to_string(e.getValue()) + ")"; });
  m_entries.push_back(e);
}

CDDBitEnumerator::~CDDBitEnumerator() = default;
void CDDBitEnumerator::putDescription(const CStrPP& text) {
  note([&] { return "CDDBitEnumerator::putDescription(" + quote(text.str()) + ")"; });
  m_description = text.str();
}
void CDDBitEnumerator::putHelp(const CStrPP& text) {
  note([&] { return "CDDBitEnumerator::putHelp(" + quote(text.str()) + ")"; });
  m_help = text.str();
}
void CDDBitEnumerator::putMethod(const CDDDefinition& method) {
  note([&] { return "CDDBitEnumerator::putMethod(" + describe(method) + ")"; });
  m_method = method;
}

CDDBitEnumeratorSet::~CDDBitEnumeratorSet() = default;
void CDDBitEnumeratorSet::Add(const CDDBitEnumerator& e) {
  note([&] { return "CDDBitEnumeratorSet::Add(" + std::to_string(e.getMask()) + ")"; });
  m_entries.push_back(e);
}

CDDType::~CDDType() = default;
void CDDType::putSize(int size) {
  note([&] { return "CDDType::putSize(" + std::to_string(size) + ")"; });
  m_size = size;
}
void CDDType::putScalingFactor(double factor) {
  note([&] { return "CDDType::putScalingFactor(" + describe(CDDCommonVariant(factor)).substr(7) + ")"; });
  m_scaling = factor;
}
void CDDType::putDisplayFormat(const CStrPP& format) {
  note([&] { return "CDDType::putDisplayFormat(" + quote(format.str()) + ")"; });
  m_display = format.str();
}
void CDDType::putEditFormat(const CStrPP& format) {
  note([&] { return "CDDType::putEditFormat(" + quote(format.str()) + ")"; });
  m_edit = format.str();
}
void CDDType::putMaxRangeNo(int number) {
  note([&] { return "CDDType::putMaxRangeNo(" + std::to_string(number) + ")"; });
  m_maxRangeNo = number;
}
void CDDType::putDefaultValue(const CDDCommonVariant& value) {
  note([&] { return "CDDType::putDefaultValue(" + describe(value) + ")"; });
  m_default = value;
}
CDDType::Range& CDDType::range(int index) {
  auto it = std::find_if(m_ranges.begin(), m_ranges.end(), [&](const auto& r) { return r.first >= index; });
  if (it != m_ranges.end() && it->first == index) return it->second;
  return m_ranges.emplace(it, std::piecewise_construct, std::forward_as_tuple(index), std::forward_as_tuple())->second;
}
void CDDType::putMinValues(int index, const CDDCommonVariant& value) {
  note([&] { return "CDDType::putMinValues(" + std::to_string(index) + ", " + describe(value) + ")"; });
  range(index).min = value;
}
void CDDType::putMaxValues(int index, const CDDCommonVariant& value) {
  note([&] { return "CDDType::putMaxValues(" + std::to_string(index) + ", " + describe(value) + ")"; });
  range(index).max = value;
}
void CDDType::putMaxEnumIndex(long index) {
  note([&] { return "CDDType::putMaxEnumIndex(" + std::to_string(index) + ")"; });
  m_maxEnumIndex = index;
}
void CDDType::putMaxBitEnumIndex(long mask) {
  note([&] { return "CDDType::putMaxBitEnumIndex(" + std::to_string(mask) + ")"; });
  m_maxBitEnumIndex = static_cast<int>(mask);
}

CDDVariable::CDDVariable(const CDDVariable& o)
    : CDDObject(o),
      m_label(o.m_label),
      m_help(o.m_help),
      m_class(o.m_class),
      m_unit(o.m_unit),
      m_type(o.m_type ? new CDDType(*o.m_type) : nullptr),
      m_preEdit(o.m_preEdit ? new CDDDefinitionList(*o.m_preEdit) : nullptr),
      m_postEdit(o.m_postEdit ? new CDDDefinitionList(*o.m_postEdit) : nullptr) {
  m_handling[0] = o.m_handling[0];
  m_handling[1] = o.m_handling[1];
}
CDDVariable::~CDDVariable() = default;
void CDDVariable::putLabel(const CStrPP& text) {
  note([&] { return "CDDVariable::putLabel(" + quote(text.str()) + ")"; });
  m_label = text.str();
}
void CDDVariable::putHelp(const CStrPP& text) {
  note([&] { return "CDDVariable::putHelp(" + quote(text.str()) + ")"; });
  m_help = text.str();
}
void CDDVariable::putConstantUnit(const CStrPP& unit) {
  note([&] { return "CDDVariable::putConstantUnit(" + quote(unit.str()) + ")"; });
  m_unit = unit.str();
}
void CDDVariable::setTypeInfo(CDDType* type) {
  note([&] { return "CDDVariable::setTypeInfo(" + std::to_string(type ? static_cast<int>(type->getType()) : -1) + ")"; });
  Adopt(m_type, type);
}
void CDDVariable::putHandling(enumDDVariableHandlingType handling, bool on) {
  note([&] {
    return "CDDVariable::putHandling(" + std::to_string(static_cast<int>(handling)) + ", " +
           (on ? "true" : "false") + ")";
  });
  int h = static_cast<int>(handling);
  if (h == 0 || h == 1) m_handling[h] = on;
}
bool CDDVariable::getHandling(enumDDVariableHandlingType handling) const {
  int h = static_cast<int>(handling);
  return (h == 0 || h == 1) && m_handling[h];
}
void CDDVariable::setPreEditActions(CDDDefinitionList* list) {
  note([] { return std::string("CDDVariable::setPreEditActions()"); });
  Adopt(m_preEdit, list);
}
void CDDVariable::setPostEditActions(CDDDefinitionList* list) {
  note([] { return std::string("CDDVariable::setPostEditActions()"); });
  Adopt(m_postEdit, list);
}

// ---------------------------------------------------------------- block, relations

CDDBlock::~CDDBlock() = default;
void CDDBlock::putType(enumDDBlockType type) {
  note([&] { return "CDDBlock::putType(" + std::to_string(static_cast<int>(type)) + ")"; });
  m_type = type;
}
void CDDBlock::putNumber(long number) {
  note([&] { return "CDDBlock::putNumber(" + std::to_string(number) + ")"; });
  m_number = number;
}
void CDDBlock::putBlockKind(enumDDBlockKind kind) {
  note([&] { return "CDDBlock::putBlockKind(" + std::to_string(static_cast<int>(kind)) + ")"; });
  m_kind = kind;
}

CDDRefresh::CDDRefresh(const CDDRefresh& o)
    : CDDObject(o),
      m_reread(o.m_reread ? new CDDVariableDefinitionSet(*o.m_reread) : nullptr),
      m_changed(o.m_changed ? new CDDVariableDefinitionSet(*o.m_changed) : nullptr) {}
CDDRefresh::~CDDRefresh() = default;
void CDDRefresh::setReread(CDDVariableDefinitionSet* set) {
  note([] { return std::string("CDDRefresh::setReread()"); });
  Adopt(m_reread, set);
}
void CDDRefresh::setChanged(CDDVariableDefinitionSet* set) {
  note([] { return std::string("CDDRefresh::setChanged()"); });
  Adopt(m_changed, set);
}

CDDUnit::~CDDUnit() = default;

// ---------------------------------------------------------------- commands

CDDSlot::~CDDSlot() = default;
CDDIndex::~CDDIndex() = default;
CDDReference::~CDDReference() = default;
void CDDReference::putDefinition(const CDDDefinition& definition) {
  note([&] { return "CDDReference::putDefinition(" + describe(definition) + ")"; });
  m_definition = definition;
}

CDDDataItem::~CDDDataItem() = default;
void CDDDataItem::putKind(enumDDDataItemType kind) {
  note([&] { return "CDDDataItem::putKind(" + std::to_string(static_cast<int>(kind)) + ")"; });
  m_kind = kind;
}
void CDDDataItem::putMask(long mask) {
  note([&] { return "CDDDataItem::putMask(" + std::to_string(mask) + ")"; });
  m_mask = static_cast<int>(mask);  // masks are 32-bit values, 0x80000000 included
}

CDDDataItemList::~CDDDataItemList() = default;
void CDDDataItemList::Add(const CDDDataItem& item, long position, long count) {
  note([&] { return "CDDDataItemList::Add(" + std::to_string(position) + ", " + std::to_string(count) + ")"; });
  m_entries.push_back(item);
}

CDDTransaction::CDDTransaction(const CDDTransaction& o)
    : m_number(o.m_number),
      m_request(o.m_request ? new CDDDataItemList(*o.m_request) : nullptr),
      m_reply(o.m_reply ? new CDDDataItemList(*o.m_reply) : nullptr) {}
CDDTransaction::~CDDTransaction() = default;
void CDDTransaction::setRequest(CDDDataItemList* list) {
  note([] { return std::string("CDDTransaction::setRequest()"); });
  Adopt(m_request, list);
}
void CDDTransaction::setReply(CDDDataItemList* list) {
  note([] { return std::string("CDDTransaction::setReply()"); });
  Adopt(m_reply, list);
}

CDDTransactionSet::CDDTransactionSet(const CDDTransactionSet& o) {
  for (const auto& t : o.m_entries) m_entries.emplace_back(new CDDTransaction(*t));
}
CDDTransactionSet::~CDDTransactionSet() = default;
void CDDTransactionSet::Insert(const CDDTransaction& t) {
  note([&] { return "CDDTransactionSet::Insert(" + std::to_string(t.getNumber()) + ")"; });
  m_entries.emplace_back(new CDDTransaction(t));
}

CDDCommand::CDDCommand(const CDDCommand& o)
    : CDDObject(o),
      m_slot(o.m_slot ? new CDDSlot(*o.m_slot) : nullptr),
      m_block(o.m_block ? new CDDBlock(*o.m_block) : nullptr),
      m_index(o.m_index ? new CDDIndex(*o.m_index) : nullptr),
      m_operation(o.m_operation),
      m_transactions(o.m_transactions ? new CDDTransactionSet(*o.m_transactions) : nullptr) {}
CDDCommand::~CDDCommand() = default;
void CDDCommand::setSlot(CDDSlot* slot) {
  note([&] { return "CDDCommand::setSlot(" + std::to_string(slot ? slot->getSlot() : -1) + ")"; });
  Adopt(m_slot, slot);
}
void CDDCommand::setBlock(CDDBlock* block) {
  note([&] { return "CDDCommand::setBlock(" + (block ? describe(*block->getcDefinition()) : "-") + ")"; });
  Adopt(m_block, block);
}
void CDDCommand::setIndex(CDDIndex* index) {
  note([&] { return "CDDCommand::setIndex(" + std::to_string(index ? index->getIndex() : -1) + ")"; });
  Adopt(m_index, index);
}
void CDDCommand::putOperation(enumDDCommandOperationType operation) {
  note([&] { return "CDDCommand::putOperation(" + std::to_string(static_cast<int>(operation)) + ")"; });
  m_operation = operation;
}
void CDDCommand::setTransactionSet(CDDTransactionSet* set) {
  note([] { return std::string("CDDCommand::setTransactionSet()"); });
  Adopt(m_transactions, set);
}

// ---------------------------------------------------------------- methods

CDDMethodClass::~CDDMethodClass() = default;
void CDDMethodClass::putClassInfo(enumDDMethodClass code, bool on) {
  PutFlag("CDDMethodClass::putClassInfo", m_mask, static_cast<int>(code), on);
}
bool CDDMethodClass::isSet(int code) const { return HasFlag(m_mask, code); }

CDDMethod::~CDDMethod() = default;
void CDDMethod::putLabel(const CStrPP& text) {
  note([&] { return "CDDMethod::putLabel(" + quote(text.str()) + ")"; });
  m_label = text.str();
}
void CDDMethod::putHelp(const CStrPP& text) {
  note([&] { return "CDDMethod::putHelp(" + quote(text.str()) + ")"; });
  m_help = text.str();
}
void CDDMethod::putAccess(enumDDAccessType access) {
  note([&] { return "CDDMethod::putAccess(" + std::to_string(static_cast<int>(access)) + ")"; });
  m_access = access;
}
void CDDMethod::putValidity(bool valid) {
  note([&] { return std::string("CDDMethod::putValidity(") + (valid ? "true" : "false") + ")"; });
  m_valid = valid;
}

CVBCollection::~CVBCollection() = default;
void CVBCollection::Add(const char* name, const CDDCommonVariant* value) {
  note([&] { return std::string("CVBCollection::Add(") + quote(name ? name : "") + ", " +
                    (value ? describe(*value) : std::string("null")) + ")"; });
  m_entries.emplace_back(name ? name : "", value ? *value : CDDCommonVariant());
}

// ---------------------------------------------------------------- menus

CDDMenuItem::~CDDMenuItem() = default;
void CDDMenuItem::putQualification(enumDDMenuItemQualificationType q, bool on) {
  PutFlag("CDDMenuItem::putQualification", m_qualifications, static_cast<int>(q), on);
}
std::vector<int> CDDMenuItem::qualifications() const {
  std::vector<int> out;
  for (int c = 0; c < 32; ++c)
    if (HasFlag(m_qualifications, c)) out.push_back(c);
  return out;
}

CDDMenuItemList::~CDDMenuItemList() = default;
void CDDMenuItemList::Add(const CDDMenuItem& item, long position, long count) {
  note([&] {
    return "CDDMenuItemList::Add(" + describe(item.getDefinition()) + ", " + std::to_string(position) + ", " +
           std::to_string(count) + ")";
  });
  m_entries.push_back(item);
}

CDDMenu::CDDMenu(const CDDMenu& o)
    : CDDObject(o),
      m_access(o.m_access),
      m_label(o.m_label),
      m_help(o.m_help),
      m_items(o.m_items ? new CDDMenuItemList(*o.m_items) : nullptr),
      m_preRead(o.m_preRead ? new CDDDefinitionList(*o.m_preRead) : nullptr),
      m_preWrite(o.m_preWrite ? new CDDDefinitionList(*o.m_preWrite) : nullptr),
      m_postWrite(o.m_postWrite ? new CDDDefinitionList(*o.m_postWrite) : nullptr) {}
CDDMenu::~CDDMenu() = default;
void CDDMenu::putAccess(enumDDAccessType access) {
  note([&] { return "CDDMenu::putAccess(" + std::to_string(static_cast<int>(access)) + ")"; });
  m_access = access;
}
void CDDMenu::putLabel(const CStrPP& text) {
  note([&] { return "CDDMenu::putLabel(" + quote(text.str()) + ")"; });
  m_label = text.str();
}
void CDDMenu::putHelp(const CStrPP& text) {
  note([&] { return "CDDMenu::putHelp(" + quote(text.str()) + ")"; });
  m_help = text.str();
}
void CDDMenu::setMenuItems(CDDMenuItemList* items) {
  note([] { return std::string("CDDMenu::setMenuItems()"); });
  Adopt(m_items, items);
}
void CDDMenu::setPreReadActions(CDDDefinitionList* list) {
  note([] { return std::string("CDDMenu::setPreReadActions()"); });
  Adopt(m_preRead, list);
}
void CDDMenu::setPreWriteActions(CDDDefinitionList* list) {
  note([] { return std::string("CDDMenu::setPreWriteActions()"); });
  Adopt(m_preWrite, list);
}
void CDDMenu::setPostWriteActions(CDDDefinitionList* list) {
  note([] { return std::string("CDDMenu::setPostWriteActions()"); });
  Adopt(m_postWrite, list);
}

CDDObject* MakeDescriptionObject(const CDDDefinition& d) {
  switch (d.getKind()) {
    case ObjectKindVariable:
      return new CDDVariable(d);
    case ObjectKindCommand:
      return new CDDCommand(d);
    case ObjectKindMenu:
      return new CDDMenu(d);
    case ObjectKindMethod:
      return new CDDMethod(d);
    case ObjectKindRefresh:
      return new CDDRefresh(d);
    case ObjectKindUnit:
      return new CDDUnit(d);
    case ObjectKindBlock:
      return new CDDBlock(d);
    default:
      return nullptr;
  }
}
