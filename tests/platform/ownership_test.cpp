// Ownership of the library objects: set adopts and replaces, put/Add/Insert copy, and
// what is stored stays valid after the caller deletes its temporaries. Leaks and
// dangling reads show under the sanitizer build.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/object_ids.h"
#include "ddlib/ddlib.h"
#include "module/latin1.h"

namespace {

const CDDDefinition kVar(id::manu_relay_pv_switch_on, "manu_relay_pv_switch_on", ObjectKindVariable);
const CDDDefinition kMethod(600, "meth_x", ObjectKindMethod);
const CDDDefinition kCommand(id::read_manu_mode, "read_manu_mode", ObjectKindCommand);

TEST(Ownership, PutsCopyTheCallersTemporaries) {
  CDDVariable variable(kVar);
  {
    auto* label = new CStrPP("V1H0   Relais  ");
    variable.putLabel(*label);
    delete label;
  }
  variable.setTypeInfo(new CDDType(VariableTypeFloat));
  {
    auto* value = new CDDCommonVariant(20.0);
    variable.getTypeInfo()->putDefaultValue(*value);
    variable.getTypeInfo()->putMinValues(0, *value);
    delete value;
  }
  auto* enumerator = new CDDEnumerator();
  enumerator->putValue(3);
  enumerator->putDescription("Drei");
  variable.getTypeInfo()->getEnumeratorSet()->Add(*enumerator);
  enumerator->putDescription("changed after Add");
  delete enumerator;

  EXPECT_EQ(variable.getLabel(), "V1H0   Relais  ");  // trailing blanks kept
  const CDDType* type = variable.typeInfo();
  ASSERT_TRUE(type->getDefaultValue());
  EXPECT_EQ(type->getDefaultValue()->kind(), CDDCommonVariant::Kind::Double);
  EXPECT_EQ(type->getRanges().at(0).second.min->getDouble(), 20.0);
  ASSERT_EQ(type->enumerators().entries().size(), 1u);
  EXPECT_EQ(type->enumerators().entries()[0].getDescription(), "Drei");
}

TEST(Ownership, SetReplacesWhatWasSetBefore) {
  CDDVariable variable(kVar);
  for (int request = 0; request < 2; ++request) {
    auto* type = new CDDType(VariableTypeEnumerated);
    CDDEnumerator e;
    e.putValue(1);
    type->getEnumeratorSet()->Add(e);
    variable.setTypeInfo(type);
    auto* pre = new CDDDefinitionList();
    pre->Add(kMethod, -1, -1);
    variable.setPreEditActions(pre);
  }
  EXPECT_EQ(variable.typeInfo()->enumerators().entries().size(), 1u);  // not doubled
  EXPECT_EQ(variable.getPreEditActions()->entries().size(), 1u);

  CDDMenu menu(CDDDefinition(570, "Page_x", ObjectKindMenu));
  for (int request = 0; request < 3; ++request) {
    menu.setMenuItems(new CDDMenuItemList());
    auto* item = new CDDMenuItem(kVar);
    menu.getMenuItems()->Add(*item, -1, -1);
    delete item;
  }
  EXPECT_EQ(menu.menuItems()->entries().size(), 1u);

  variable.setTypeInfo(variable.getTypeInfo());  // the object it already holds: kept, not deleted
  EXPECT_EQ(variable.typeInfo()->enumerators().entries().size(), 1u);
}

TEST(Ownership, LabelsAndHelpKeepWhatNoLaterPutReplaces) {
  CDDVariable variable(kVar);
  variable.putHelp("old help");
  variable.putLabel("");
  variable.putLabel("Label");
  variable.putLabel(" ");
  EXPECT_EQ(variable.getLabel(), " ");  // one blank is not the empty label
  EXPECT_EQ(variable.getHelp(), "old help");
  EXPECT_FALSE(variable.getConstantUnit());  // never put
}

TEST(Ownership, MenuItemCopyCarriesItsQualification) {
  CDDMenuItemList list;
  auto* item = new CDDMenuItem(kVar);
  item->putQualification(QualificationReadOnly, true);
  list.Add(*item, -1, -1);
  item->putQualification(QualificationCode3, true);  // after the append: not in the copy
  delete item;
  ASSERT_EQ(list.entries().size(), 1u);
  EXPECT_EQ(list.entries()[0].qualifications(), std::vector<int>{QualificationReadOnly});
  EXPECT_EQ(list.entries()[0].getDefinition(), kVar);
}

// Builds one transaction the way a command function does and deletes its own objects.
void FillCommand(CDDCommand& command, long index) {
  command.setSlot(new CDDSlot(1));
  command.setIndex(new CDDIndex(index));
  command.putOperation(OperationRead);
  command.setTransactionSet(new CDDTransactionSet());
  auto* transaction = new CDDTransaction(0);
  transaction->setRequest(new CDDDataItemList());
  transaction->setReply(new CDDDataItemList());
  auto* item = new CDDDataItem();
  item->putKind(DataItemReference);
  item->getReference()->putDefinition(kVar);
  item->putMask(0x80000000L);
  transaction->getReply()->Add(*item, -1, -1);
  delete item;
  command.getTransactionSet()->Insert(*transaction);
  delete transaction;  // deletes its lists; the set's copy must not share them
  command.putAttributesAvailable(true);
}

TEST(Ownership, TransactionCopiesAreDeep) {
  CDDCommand command(kCommand);
  FillCommand(command, 30);
  FillCommand(command, 31);  // a second request leaves exactly one transaction

  std::unique_ptr<CDDObject> clone(command.clone());
  FillCommand(command, 32);  // the clone keeps its own state
  command.setTransactionSet(new CDDTransactionSet());

  const auto& c = dynamic_cast<const CDDCommand&>(*clone);
  EXPECT_EQ(c.index()->getIndex(), 31);
  ASSERT_EQ(c.transactions()->entries().size(), 1u);
  const CDDTransaction& t = *c.transactions()->entries()[0];
  EXPECT_EQ(t.getNumber(), 0);
  EXPECT_TRUE(t.request()->entries().empty());
  ASSERT_EQ(t.reply()->entries().size(), 1u);
  const CDDDataItem& item = t.reply()->entries()[0];
  EXPECT_EQ(item.reference().getDefinition(), kVar);  // same number, name and kind
  EXPECT_EQ(item.getMask(), -2147483647L - 1);
  EXPECT_TRUE(c.getAttributesAvailable());
}

TEST(Ownership, BitMasksAreSigned32Bit) {
  auto* type = new CDDType(VariableTypeBitEnumerated);
  type->putMaxBitEnumIndex(0x80000000L);
  for (long mask : {0L, 0x8000L, 0x80000000L, -2147483648L}) {
    auto* e = new CDDBitEnumerator(mask);
    e->putMethod(CDDDefinition());
    type->getBitEnumeratorSet()->Add(*e);
    delete e;
  }
  CDDVariable variable(kVar);
  variable.setTypeInfo(type);
  const auto& entries = variable.typeInfo()->bitEnumerators().entries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].getMask(), 0);
  EXPECT_EQ(entries[1].getMask(), 0x8000);
  EXPECT_EQ(entries[2].getMask(), -2147483647 - 1);
  EXPECT_EQ(entries[3].getMask(), -2147483647 - 1);
  EXPECT_EQ(variable.typeInfo()->getMaxBitEnumIndex(), -2147483647 - 1);
  EXPECT_EQ(entries[0].getMethod()->getID(), -1);  // the empty definition
}

TEST(Ownership, DeletingThroughBasesFreesEverything) {
  // What CAutoDeleteList and the host do: delete through the base's virtual destructor.
  std::unique_ptr<CDDObject> objects[] = {
      std::unique_ptr<CDDObject>(MakeDescriptionObject(kVar)),
      std::unique_ptr<CDDObject>(MakeDescriptionObject(kCommand)),
      std::unique_ptr<CDDObject>(MakeDescriptionObject(CDDDefinition(1, "b", ObjectKindBlock))),
      std::unique_ptr<CDDObject>(MakeDescriptionObject(CDDDefinition(2, "r", ObjectKindRefresh))),
  };
  static_cast<CDDVariable&>(*objects[0]).setTypeInfo(new CDDType(VariableTypeString));
  FillCommand(static_cast<CDDCommand&>(*objects[1]), 1);
  auto& refresh = static_cast<CDDRefresh&>(*objects[3]);
  refresh.setReread(new CDDVariableDefinitionSet());
  refresh.getReread()->Insert(kVar);
  refresh.setReread(new CDDVariableDefinitionSet());  // one member on every request
  refresh.getReread()->Insert(kVar);
  EXPECT_EQ(refresh.reread()->entries().size(), 1u);
  std::unique_ptr<CDDCommonVariant> value(new CDDCommonVariant("x"));
  std::unique_ptr<CDDDefinition> empty(new CDDDefinition());
  EXPECT_EQ(empty->getID(), -1);
  EXPECT_EQ(MakeDescriptionObject(CDDDefinition(3, "a", ObjectKindArray)), nullptr);
}

TEST(Journal, RecordsMutatingCallsInOrderOnlyWhileEnabled) {
  CDDVariable variable(kVar);
  variable.putLabel("before");
  {
    ddlib::JournalScope journal;
    variable.putLabel("Menü\t\"x\"\n"_latin1);
    variable.getClass()->putClassInfo(ClassDynamic, true);
    variable.setTypeInfo(new CDDType(VariableTypeInteger));
    variable.getTypeInfo()->putDefaultValue(CDDCommonVariant(1));
    variable.getTypeInfo()->putMinValues(0, CDDCommonVariant(-5.0));
    variable.putHandling(HandlingRead, true);
    variable.putAttributesAvailable(true);
    EXPECT_EQ(ddlib::Journal::lines(), (std::vector<std::string>{
                                           "CDDVariable::putLabel(\"Men\\xFC\\t\\\"x\\\"\\n\")",
                                           "CDDVariableClass::putClassInfo(9, true)",
                                           "CDDVariable::setTypeInfo(2)",
                                           "CDDType::putDefaultValue(int 1)",
                                           "CDDType::putMinValues(0, double -5)",
                                           "CDDVariable::putHandling(1, true)",
                                           "CDDObject::putAttributesAvailable(true)",
                                       }));
  }
  variable.putLabel("after");
  EXPECT_EQ(ddlib::Journal::lines().size(), 7u);
}

}  // namespace
