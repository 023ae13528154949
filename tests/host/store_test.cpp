// The reference host's data set: defaults taken once in ascending order, values in
// the kind of their type, reads counted in order, value copies counted until deleted.
#include <gtest/gtest.h>

#include "catalogue/object_ids.h"
#include "dtmhost/host.h"
#include "fake_calculator.h"

namespace {

using dtmhost::Host;
using dtmhost::ObjectStore;
using Kind = CDDCommonVariant::Kind;

const CDDDefinition& Def(Host& host, const char* name) { return *host.Find(name); }

TEST(HostDataSet, StartsFromDefaultsAskedOnceInAscendingOrder) {
  FakeCalculator calc;
  auto host = Host::Attach(&calc);
  EXPECT_EQ(calc.requested, (std::vector<std::string>{"a", "n", "u", "f", "s"}));
  EXPECT_TRUE(host->store().readOrder().empty());  // the start's reads are not a request's
  EXPECT_EQ(ObjectStore::liveCopies(), 0);

  struct Case {
    const char* name;
    Kind kind;
    double number;
  };
  const Case cases[] = {
      {"a", Kind::Int, 7},        // its default
      {"f", Kind::Double, 1500},  // an int default in the kind of a Float
      {"n", Kind::Int, 0},        // no default: zero of its kind
      {"u", Kind::Int, 0},        // no type at all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<CDDCommonVariant> value(host->store().getValueCopy(host->context(), Def(*host, c.name)));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->kind(), c.kind);
    EXPECT_EQ(value->getDouble(), c.number);
  }
  std::unique_ptr<CDDCommonVariant> text(host->store().getValueCopy(host->context(), Def(*host, "s")));
  EXPECT_EQ(text->getText(), "TQR2X3P  ");
}

TEST(HostDataSet, RequestsRecordTheirReadsAndFreeEveryCopy) {
  FakeCalculator calc;
  auto host = Host::Attach(&calc);
  auto object = host->Request("n");
  ASSERT_TRUE(object);
  EXPECT_TRUE(object->getAttributesAvailable());
  EXPECT_EQ(host->store().readOrder(), (std::vector<std::string>{"a", "s", "a"}));
  EXPECT_EQ(host->store().readCount(), 3);
  EXPECT_EQ(ObjectStore::liveCopies(), 0);
  host->Request("a");
  EXPECT_EQ(host->store().readOrder(), std::vector<std::string>{"f"});  // cleared per request
  EXPECT_FALSE(host->Request("no_such_object"));
  EXPECT_EQ(host->Find(3), host->Find("3"));
  EXPECT_EQ(host->Find(3)->getName(), std::string("n"));
}

TEST(ObjectStoreValues, CopiesAreCountedAliveUntilDeleted) {
  ObjectStore store;
  CDDDefinition a(1, "a", ObjectKindVariable);
  store.setValue("a", CDDCommonVariant(5L));
  CDDCommonVariant* first = store.getValueCopy(nullptr, a);
  CDDCommonVariant* second = store.getValueCopy(nullptr, a);
  EXPECT_EQ(ObjectStore::liveCopies(), 2);
  *first = CDDCommonVariant(9);  // the caller's copy, not the store's value
  delete first;                  // through the variant's virtual destructor
  EXPECT_EQ(ObjectStore::liveCopies(), 1);
  delete second;
  EXPECT_EQ(ObjectStore::liveCopies(), 0);
  std::unique_ptr<CDDCommonVariant> third(store.getValueCopy(nullptr, a));
  EXPECT_EQ(third->kind(), Kind::Long);  // a value set keeps its kind
  EXPECT_EQ(third->getLong(), 5);
  EXPECT_EQ(store.readCount(), 3);
}

TEST(ObjectStoreValues, NoValueAndNeverSet) {
  ObjectStore store;
  store.setVariableType("f", VariableTypeFloat);
  store.setVariableType("s", VariableTypeString);
  store.setVariableType("b", VariableTypeBitEnumerated);
  store.setValue("f", CDDCommonVariant(2.5));
  store.setNoValue("f");
  EXPECT_EQ(store.getValueCopy(nullptr, CDDDefinition(1, "f", ObjectKindVariable)), nullptr);
  EXPECT_FALSE(store.value("f"));
  store.clearValue("f");  // back to never set
  EXPECT_EQ(store.value("f")->kind(), Kind::Double);
  EXPECT_EQ(store.value("s")->kind(), Kind::Text);
  EXPECT_EQ(store.value("b")->kind(), Kind::Int);
  EXPECT_EQ(store.readOrder(), std::vector<std::string>{"f"});  // a read with no value still counts

  // A host that never clears the log keeps its last reads only, and counts them all.
  const int many = 10 * ObjectStore::kReadLogKept;
  // Appended, not "v" + text: g++ 12 at -O3 misreads that as an overlapping copy.
  auto name = [](int n) { return std::string("v").append(std::to_string(n)); };
  for (int n = 0; n < many; ++n)
    delete store.getValueCopy(nullptr, CDDDefinition(n, name(n).c_str(), ObjectKindVariable));
  EXPECT_EQ(store.readCount(), many + 1);
  const auto& kept = store.readOrder();
  ASSERT_GE(kept.size(), ObjectStore::kReadLogKept);
  EXPECT_LE(kept.size(), 2 * ObjectStore::kReadLogKept);
  EXPECT_EQ(kept.front(), name(many - static_cast<int>(kept.size())));
  EXPECT_EQ(kept.back(), name(many - 1));
}

TEST(ObjectStoreValues, CoerceConvertsToTheKindOfTheType) {
  ObjectStore store;
  store.setVariableType("i", VariableTypeUnsigned);
  store.setVariableType("f", VariableTypeFloat);
  store.setVariableType("s", VariableTypeString);
  struct Case {
    const char* name;
    CDDCommonVariant given;
    Kind kind;  // Empty: cannot be converted
  };
  const Case cases[] = {
      {"i", CDDCommonVariant(3L), Kind::Int},    {"i", CDDCommonVariant(2.0), Kind::Int},
      {"i", CDDCommonVariant("3"), Kind::Empty}, {"f", CDDCommonVariant(3), Kind::Double},
      {"f", CDDCommonVariant(""), Kind::Empty},  {"s", CDDCommonVariant("x"), Kind::Text},
      {"s", CDDCommonVariant(1), Kind::Empty},   {"unknown", CDDCommonVariant(1L), Kind::Long},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + ddlib::describe(c.given));
    EXPECT_EQ(store.coerce(c.name, c.given).kind(), c.kind);
  }
  EXPECT_EQ(store.coerce("i", CDDCommonVariant(0x80000000L)).getInt(), -2147483647 - 1);
}

TEST(ObjectStoreRegistrations, KeepsCopiesOfWhatTheCatalogueHandsOver) {
  ObjectStore store;
  CDDDefinition command(id::read_manu_mode, "read_manu_mode", ObjectKindCommand);
  CDDDefinition variable(id::manu_mode, "manu_mode", ObjectKindVariable);
  {
    auto block = std::make_unique<CDDBlock>(CDDDefinition(id::physical_block, "physical_block", ObjectKindBlock));
    block->putNumber(1);
    store.addObject(*block);
    CDDDefinitionSet carried, empty;
    carried.Insert(variable);
    store.putRequestSet(CDDTransactionRef(command, 0), empty);
    store.putReplySet(CDDTransactionRef(command, 0), carried);
  }
  ASSERT_EQ(store.objects().size(), 1u);
  std::unique_ptr<CDDBlock> copy(store.getBlockCopy(nullptr, *store.objects()[0]->getcDefinition()));
  EXPECT_EQ(copy->getNumber(), 1);
  const auto& sets = store.commandSets().at("read_manu_mode");
  EXPECT_TRUE(sets.request.empty());
  EXPECT_EQ(sets.reply, std::vector<CDDDefinition>{variable});
}

}  // namespace
