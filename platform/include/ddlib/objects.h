// The host's description objects and their companions. Ownership: set... adopts (and
// deletes what it replaces), put.../Add/Insert copy, get... returns the receiver's own
// object. Every class has read-back accessors for the host and for tests.
#pragma once
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ddlib/definition.h"
#include "ddlib/enums.h"
#include "ddlib/text.h"
#include "ddlib/variant.h"

// ---------------------------------------------------------------- base

class CDDObject {
 public:
  explicit CDDObject(const CDDDefinition& definition) : m_definition(definition) {}
  CDDObject(const CDDObject&) = default;
  CDDObject& operator=(const CDDObject&) = default;
  virtual ~CDDObject();
  virtual CDDObject* clone() const = 0;

  CDDDefinition* getcDefinition() { return &m_definition; }
  const CDDDefinition* getcDefinition() const { return &m_definition; }
  void putAttributesAvailable(bool available);
  bool getAttributesAvailable() const { return m_available; }

 private:
  CDDDefinition m_definition;
  bool m_available = false;
};

// ---------------------------------------------------------------- lists

class CDDDefinitionList {
 public:
  CDDDefinitionList() = default;
  virtual ~CDDDefinitionList();
  void Add(const CDDDefinition& definition, long position, long count);
  const std::vector<CDDDefinition>& entries() const { return m_entries; }

 private:
  std::vector<CDDDefinition> m_entries;
};

// Unordered set of variable definitions, as a refresh relation holds them.
class CDDVariableDefinitionSet {
 public:
  CDDVariableDefinitionSet() = default;
  virtual ~CDDVariableDefinitionSet();
  void Insert(const CDDDefinition& definition);
  const std::vector<CDDDefinition>& entries() const { return m_entries; }

 private:
  std::vector<CDDDefinition> m_entries;
};

// Set of definitions the catalogue hands the host (request, reply and dependency sets).
class CDDDefinitionSet {
 public:
  CDDDefinitionSet() = default;
  virtual ~CDDDefinitionSet();
  void Insert(const CDDDefinition& definition);
  const std::vector<CDDDefinition>& entries() const { return m_entries; }

 private:
  std::vector<CDDDefinition> m_entries;
};

// Names one transaction of one command.
class CDDTransactionRef {
 public:
  CDDTransactionRef(const CDDDefinition& command, int transaction)
      : m_command(command), m_transaction(transaction) {}
  virtual ~CDDTransactionRef();
  const CDDDefinition& command() const { return m_command; }
  int transaction() const { return m_transaction; }

 private:
  CDDDefinition m_command;
  int m_transaction;
};

// ---------------------------------------------------------------- variables

class CDDVariableClass {
 public:
  CDDVariableClass() = default;
  virtual ~CDDVariableClass();
  void putClassInfo(enumDDVariableClassType code, bool on);
  bool isSet(int code) const;
  unsigned mask() const { return m_mask; }  // code i in bit i

 private:
  unsigned m_mask = 0;
};

// The list entries below (enumerators, bit enumerators, data items, menu items) move
// when their list grows, so their texts are not copied again.
class CDDEnumerator {
 public:
  CDDEnumerator() = default;
  CDDEnumerator(const CDDEnumerator&) = default;
  CDDEnumerator& operator=(const CDDEnumerator&) = default;
  CDDEnumerator(CDDEnumerator&&) noexcept = default;
  CDDEnumerator& operator=(CDDEnumerator&&) noexcept = default;
  virtual ~CDDEnumerator();
  void putValue(long value);
  void putDescription(const CStrPP& text);
  void putHelp(const CStrPP& text);
  long getValue() const { return m_value; }
  const std::string& getDescription() const { return m_description; }
  const std::string& getHelp() const { return m_help; }

 private:
  long m_value = 0;
  std::string m_description;
  std::string m_help;
};

class CDDEnumeratorSet {
 public:
  CDDEnumeratorSet() = default;
  virtual ~CDDEnumeratorSet();
  void Add(const CDDEnumerator& enumerator);
  const std::vector<CDDEnumerator>& entries() const { return m_entries; }

 private:
  std::vector<CDDEnumerator> m_entries;
};

class CDDBitEnumerator {
 public:
  explicit CDDBitEnumerator(long mask) : m_mask(static_cast<int>(mask)) {}
  CDDBitEnumerator(const CDDBitEnumerator&) = default;
  CDDBitEnumerator& operator=(const CDDBitEnumerator&) = default;
  CDDBitEnumerator(CDDBitEnumerator&&) noexcept = default;
  CDDBitEnumerator& operator=(CDDBitEnumerator&&) noexcept = default;
  virtual ~CDDBitEnumerator();
  void putDescription(const CStrPP& text);
  void putHelp(const CStrPP& text);
  void putMethod(const CDDDefinition& method);
  int getMask() const { return m_mask; }  // signed 32-bit
  const std::string& getDescription() const { return m_description; }
  const std::string& getHelp() const { return m_help; }
  const std::optional<CDDDefinition>& getMethod() const { return m_method; }

 private:
  int m_mask;
  std::string m_description;
  std::string m_help;
  std::optional<CDDDefinition> m_method;
};

class CDDBitEnumeratorSet {
 public:
  CDDBitEnumeratorSet() = default;
  virtual ~CDDBitEnumeratorSet();
  void Add(const CDDBitEnumerator& enumerator);
  const std::vector<CDDBitEnumerator>& entries() const { return m_entries; }

 private:
  std::vector<CDDBitEnumerator> m_entries;
};

class CDDType {
 public:
  explicit CDDType(enumDDVariableType type) : m_type(type) {}
  CDDType(const CDDType&) = default;
  virtual ~CDDType();

  void putSize(int size);
  void putScalingFactor(double factor);
  void putDisplayFormat(const CStrPP& format);
  void putEditFormat(const CStrPP& format);
  void putMaxRangeNo(int number);
  void putDefaultValue(const CDDCommonVariant& value);
  void putMinValues(int range, const CDDCommonVariant& value);
  void putMaxValues(int range, const CDDCommonVariant& value);
  void putMaxEnumIndex(long index);
  CDDEnumeratorSet* getEnumeratorSet() { return &m_enumerators; }
  void putMaxBitEnumIndex(long mask);
  CDDBitEnumeratorSet* getBitEnumeratorSet() { return &m_bitEnumerators; }

  // Read-back.
  enumDDVariableType getType() const { return m_type; }
  const std::optional<int>& getSize() const { return m_size; }
  const std::optional<double>& getScalingFactor() const { return m_scaling; }
  const std::optional<std::string>& getDisplayFormat() const { return m_display; }
  const std::optional<std::string>& getEditFormat() const { return m_edit; }
  const std::optional<int>& getMaxRangeNo() const { return m_maxRangeNo; }
  const std::optional<CDDCommonVariant>& getDefaultValue() const { return m_default; }
  struct Range {
    std::optional<CDDCommonVariant> min;
    std::optional<CDDCommonVariant> max;
  };
  // Ranges by index, in index order.
  const std::vector<std::pair<int, Range>>& getRanges() const { return m_ranges; }
  const std::optional<long>& getMaxEnumIndex() const { return m_maxEnumIndex; }
  const std::optional<int>& getMaxBitEnumIndex() const { return m_maxBitEnumIndex; }
  const CDDEnumeratorSet& enumerators() const { return m_enumerators; }
  const CDDBitEnumeratorSet& bitEnumerators() const { return m_bitEnumerators; }

 private:
  Range& range(int index);

  enumDDVariableType m_type;
  std::optional<int> m_size;
  std::optional<double> m_scaling;
  std::optional<std::string> m_display;
  std::optional<std::string> m_edit;
  std::optional<int> m_maxRangeNo;
  std::optional<CDDCommonVariant> m_default;
  std::vector<std::pair<int, Range>> m_ranges;
  std::optional<long> m_maxEnumIndex;
  std::optional<int> m_maxBitEnumIndex;
  CDDEnumeratorSet m_enumerators;
  CDDBitEnumeratorSet m_bitEnumerators;
};

class CDDVariable : public CDDObject {
 public:
  explicit CDDVariable(const CDDDefinition& definition) : CDDObject(definition) {}
  CDDVariable(const CDDVariable& other);
  CDDVariable& operator=(const CDDVariable&) = delete;
  ~CDDVariable() override;
  CDDObject* clone() const override { return new CDDVariable(*this); }

  void putLabel(const CStrPP& text);
  void putHelp(const CStrPP& text);
  CDDVariableClass* getClass() { return &m_class; }
  void putConstantUnit(const CStrPP& unit);
  void setTypeInfo(CDDType* type);
  CDDType* getTypeInfo() { return m_type.get(); }
  void putHandling(enumDDVariableHandlingType handling, bool on);
  void setPreEditActions(CDDDefinitionList* list);
  void setPostEditActions(CDDDefinitionList* list);

  // Read-back.
  const std::optional<std::string>& getLabel() const { return m_label; }
  const std::optional<std::string>& getHelp() const { return m_help; }
  const CDDVariableClass& classInfo() const { return m_class; }
  const std::optional<std::string>& getConstantUnit() const { return m_unit; }
  const CDDType* typeInfo() const { return m_type.get(); }
  bool getHandling(enumDDVariableHandlingType handling) const;
  const CDDDefinitionList* getPreEditActions() const { return m_preEdit.get(); }
  const CDDDefinitionList* getPostEditActions() const { return m_postEdit.get(); }

 private:
  std::optional<std::string> m_label;
  std::optional<std::string> m_help;
  CDDVariableClass m_class;
  std::optional<std::string> m_unit;
  std::unique_ptr<CDDType> m_type;
  bool m_handling[2] = {false, false};
  std::unique_ptr<CDDDefinitionList> m_preEdit;
  std::unique_ptr<CDDDefinitionList> m_postEdit;
};

// ---------------------------------------------------------------- block, relations

class CDDBlock : public CDDObject {
 public:
  explicit CDDBlock(const CDDDefinition& definition) : CDDObject(definition) {}
  ~CDDBlock() override;
  CDDObject* clone() const override { return new CDDBlock(*this); }

  void putType(enumDDBlockType type);
  void putNumber(long number);
  void putBlockKind(enumDDBlockKind kind);
  const std::optional<enumDDBlockType>& getType() const { return m_type; }
  const std::optional<long>& getNumber() const { return m_number; }
  const std::optional<enumDDBlockKind>& getBlockKind() const { return m_kind; }

 private:
  std::optional<enumDDBlockType> m_type;
  std::optional<long> m_number;
  std::optional<enumDDBlockKind> m_kind;
};

class CDDRefresh : public CDDObject {
 public:
  explicit CDDRefresh(const CDDDefinition& definition) : CDDObject(definition) {}
  CDDRefresh(const CDDRefresh& other);
  CDDRefresh& operator=(const CDDRefresh&) = delete;
  ~CDDRefresh() override;
  CDDObject* clone() const override { return new CDDRefresh(*this); }

  void setReread(CDDVariableDefinitionSet* set);
  CDDVariableDefinitionSet* getReread() { return m_reread.get(); }
  void setChanged(CDDVariableDefinitionSet* set);
  CDDVariableDefinitionSet* getChanged() { return m_changed.get(); }
  const CDDVariableDefinitionSet* reread() const { return m_reread.get(); }
  const CDDVariableDefinitionSet* changed() const { return m_changed.get(); }

 private:
  std::unique_ptr<CDDVariableDefinitionSet> m_reread;
  std::unique_ptr<CDDVariableDefinitionSet> m_changed;
};

// Unit relation: the library gives it no operation of its own.
class CDDUnit : public CDDObject {
 public:
  explicit CDDUnit(const CDDDefinition& definition) : CDDObject(definition) {}
  ~CDDUnit() override;
  CDDObject* clone() const override { return new CDDUnit(*this); }
};

// ---------------------------------------------------------------- commands

class CDDSlot {
 public:
  explicit CDDSlot(long slot) : m_slot(slot) {}
  virtual ~CDDSlot();
  long getSlot() const { return m_slot; }

 private:
  long m_slot;
};

class CDDIndex {
 public:
  explicit CDDIndex(long index) : m_index(index) {}
  virtual ~CDDIndex();
  long getIndex() const { return m_index; }

 private:
  long m_index;
};

class CDDReference {
 public:
  CDDReference() = default;
  CDDReference(const CDDReference&) = default;
  CDDReference& operator=(const CDDReference&) = default;
  CDDReference(CDDReference&&) noexcept = default;
  CDDReference& operator=(CDDReference&&) noexcept = default;
  virtual ~CDDReference();
  void putDefinition(const CDDDefinition& definition);
  const std::optional<CDDDefinition>& getDefinition() const { return m_definition; }

 private:
  std::optional<CDDDefinition> m_definition;
};

class CDDDataItem {
 public:
  CDDDataItem() = default;
  CDDDataItem(const CDDDataItem&) = default;
  CDDDataItem& operator=(const CDDDataItem&) = default;
  CDDDataItem(CDDDataItem&&) noexcept = default;
  CDDDataItem& operator=(CDDDataItem&&) noexcept = default;
  virtual ~CDDDataItem();
  void putKind(enumDDDataItemType kind);
  CDDReference* getReference() { return &m_reference; }
  void putMask(long mask);
  const std::optional<enumDDDataItemType>& getKind() const { return m_kind; }
  const CDDReference& reference() const { return m_reference; }
  const std::optional<long>& getMask() const { return m_mask; }  // signed 32-bit

 private:
  std::optional<enumDDDataItemType> m_kind;
  CDDReference m_reference;
  std::optional<long> m_mask;
};

class CDDDataItemList {
 public:
  CDDDataItemList() = default;
  CDDDataItemList(const CDDDataItemList&) = default;
  virtual ~CDDDataItemList();
  void Add(const CDDDataItem& item, long position, long count);
  const std::vector<CDDDataItem>& entries() const { return m_entries; }

 private:
  std::vector<CDDDataItem> m_entries;
};

class CDDTransaction {
 public:
  explicit CDDTransaction(int number) : m_number(number) {}
  CDDTransaction(const CDDTransaction& other);  // deep: lists and items
  CDDTransaction& operator=(const CDDTransaction&) = delete;
  virtual ~CDDTransaction();
  void setRequest(CDDDataItemList* list);
  void setReply(CDDDataItemList* list);
  CDDDataItemList* getRequest() { return m_request.get(); }
  CDDDataItemList* getReply() { return m_reply.get(); }
  int getNumber() const { return m_number; }
  const CDDDataItemList* request() const { return m_request.get(); }
  const CDDDataItemList* reply() const { return m_reply.get(); }

 private:
  int m_number;
  std::unique_ptr<CDDDataItemList> m_request;
  std::unique_ptr<CDDDataItemList> m_reply;
};

class CDDTransactionSet {
 public:
  CDDTransactionSet() = default;
  CDDTransactionSet(const CDDTransactionSet& other);
  CDDTransactionSet& operator=(const CDDTransactionSet&) = delete;
  virtual ~CDDTransactionSet();
  void Insert(const CDDTransaction& transaction);
  const std::vector<std::unique_ptr<CDDTransaction>>& entries() const { return m_entries; }

 private:
  std::vector<std::unique_ptr<CDDTransaction>> m_entries;
};

class CDDCommand : public CDDObject {
 public:
  explicit CDDCommand(const CDDDefinition& definition) : CDDObject(definition) {}
  CDDCommand(const CDDCommand& other);
  CDDCommand& operator=(const CDDCommand&) = delete;
  ~CDDCommand() override;
  CDDObject* clone() const override { return new CDDCommand(*this); }

  void setSlot(CDDSlot* slot);
  // The block a block-relative command addresses (a copy from the host's store); the
  // index is then relative to it.
  void setBlock(CDDBlock* block);
  void setIndex(CDDIndex* index);
  void putOperation(enumDDCommandOperationType operation);
  void setTransactionSet(CDDTransactionSet* set);
  CDDTransactionSet* getTransactionSet() { return m_transactions.get(); }

  const CDDSlot* slot() const { return m_slot.get(); }
  const CDDBlock* block() const { return m_block.get(); }
  const CDDIndex* index() const { return m_index.get(); }
  const std::optional<enumDDCommandOperationType>& getOperation() const { return m_operation; }
  const CDDTransactionSet* transactions() const { return m_transactions.get(); }

 private:
  std::unique_ptr<CDDSlot> m_slot;
  std::unique_ptr<CDDBlock> m_block;
  std::unique_ptr<CDDIndex> m_index;
  std::optional<enumDDCommandOperationType> m_operation;
  std::unique_ptr<CDDTransactionSet> m_transactions;
};

// ---------------------------------------------------------------- methods

class CDDMethodClass {
 public:
  CDDMethodClass() = default;
  virtual ~CDDMethodClass();
  void putClassInfo(enumDDMethodClass code, bool on);
  bool isSet(int code) const;
  unsigned mask() const { return m_mask; }

 private:
  unsigned m_mask = 0;
};

class CDDMethod : public CDDObject {
 public:
  explicit CDDMethod(const CDDDefinition& definition) : CDDObject(definition) {}
  ~CDDMethod() override;
  CDDObject* clone() const override { return new CDDMethod(*this); }

  void putLabel(const CStrPP& text);
  void putHelp(const CStrPP& text);
  void putAccess(enumDDAccessType access);
  CDDMethodClass* getClass() { return &m_class; }
  void putValidity(bool valid);

  const std::optional<std::string>& getLabel() const { return m_label; }
  const std::optional<std::string>& getHelp() const { return m_help; }
  const std::optional<enumDDAccessType>& getAccess() const { return m_access; }
  const CDDMethodClass& classInfo() const { return m_class; }
  const std::optional<bool>& getValidity() const { return m_valid; }

 private:
  std::optional<std::string> m_label;
  std::optional<std::string> m_help;
  std::optional<enumDDAccessType> m_access;
  CDDMethodClass m_class;
  std::optional<bool> m_valid;
};

// Method-local variables published to the context: name and a copy of the value.
class CVBCollection {
 public:
  CVBCollection() = default;
  virtual ~CVBCollection();
  void Add(const char* name, const CDDCommonVariant* value);
  const std::vector<std::pair<std::string, CDDCommonVariant>>& entries() const { return m_entries; }

 private:
  std::vector<std::pair<std::string, CDDCommonVariant>> m_entries;
};

// ---------------------------------------------------------------- menus

class CDDMenuItem {
 public:
  explicit CDDMenuItem(const CDDDefinition& definition) : m_definition(definition) {}
  CDDMenuItem(const CDDMenuItem&) = default;
  CDDMenuItem& operator=(const CDDMenuItem&) = default;
  CDDMenuItem(CDDMenuItem&&) noexcept = default;
  CDDMenuItem& operator=(CDDMenuItem&&) noexcept = default;
  virtual ~CDDMenuItem();
  void putQualification(enumDDMenuItemQualificationType qualification, bool on);
  const CDDDefinition& getDefinition() const { return m_definition; }
  // Qualification codes set true, ascending.
  std::vector<int> qualifications() const;

 private:
  CDDDefinition m_definition;
  unsigned m_qualifications = 0;
};

class CDDMenuItemList {
 public:
  CDDMenuItemList() = default;
  CDDMenuItemList(const CDDMenuItemList&) = default;
  virtual ~CDDMenuItemList();
  void Add(const CDDMenuItem& item, long position, long count);
  const std::vector<CDDMenuItem>& entries() const { return m_entries; }

 private:
  std::vector<CDDMenuItem> m_entries;
};

class CDDMenu : public CDDObject {
 public:
  explicit CDDMenu(const CDDDefinition& definition) : CDDObject(definition) {}
  CDDMenu(const CDDMenu& other);
  CDDMenu& operator=(const CDDMenu&) = delete;
  ~CDDMenu() override;
  CDDObject* clone() const override { return new CDDMenu(*this); }

  void putAccess(enumDDAccessType access);
  void putLabel(const CStrPP& text);
  void putHelp(const CStrPP& text);
  void setMenuItems(CDDMenuItemList* items);
  CDDMenuItemList* getMenuItems() { return m_items.get(); }
  void setPreReadActions(CDDDefinitionList* list);
  void setPreWriteActions(CDDDefinitionList* list);
  void setPostWriteActions(CDDDefinitionList* list);

  const std::optional<enumDDAccessType>& getAccess() const { return m_access; }
  const std::optional<std::string>& getLabel() const { return m_label; }
  const std::optional<std::string>& getHelp() const { return m_help; }
  const CDDMenuItemList* menuItems() const { return m_items.get(); }
  const CDDDefinitionList* getPreReadActions() const { return m_preRead.get(); }
  const CDDDefinitionList* getPreWriteActions() const { return m_preWrite.get(); }
  const CDDDefinitionList* getPostWriteActions() const { return m_postWrite.get(); }

 private:
  std::optional<enumDDAccessType> m_access;
  std::optional<std::string> m_label;
  std::optional<std::string> m_help;
  std::unique_ptr<CDDMenuItemList> m_items;
  std::unique_ptr<CDDDefinitionList> m_preRead;
  std::unique_ptr<CDDDefinitionList> m_preWrite;
  std::unique_ptr<CDDDefinitionList> m_postWrite;
};

// Makes the host's description object for a definition, by its kind (null for kinds
// the library has no object for).
CDDObject* MakeDescriptionObject(const CDDDefinition& definition);
