#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "commands/command_frame.h"
#include "ddlib/journal.h"
#include "support/plugin_host.h"

namespace {

using testsupport::OpenPlugin;

// Everything the host can see of a command, as text.
std::string Describe(const CDDObject& object) {
  const auto& command = dynamic_cast<const CDDCommand&>(object);
  std::ostringstream out;
  out << "available=" << command.getAttributesAvailable();
  out << " slot=" << (command.slot() ? command.slot()->getSlot() : -1);
  out << " index=" << (command.index() ? command.index()->getIndex() : -1);
  out << " op=" << (command.getOperation() ? static_cast<int>(*command.getOperation()) : -1);
  if (!command.transactions()) return out.str() + " no transactions";
  for (const auto& t : command.transactions()->entries()) {
    out << " [t" << t->getNumber();
    for (const auto* list : {t->request(), t->reply()}) {
      out << (list == t->request() ? " req:" : " rep:");
      if (!list) {
        out << "none";
        continue;
      }
      for (const CDDDataItem& item : list->entries())
        out << "(" << (item.getKind() ? static_cast<int>(*item.getKind()) : -1) << ","
            << (item.getMask() ? *item.getMask() : -1) << ","
            << (item.reference().getDefinition() ? ddlib::describe(*item.reference().getDefinition()) : "-") << ")";
    }
    out << "]";
  }
  return out.str();
}

struct OtherContext : CHostContext {};

// Each command carries its one variable, in the list its operation uses, and the
// catalogue hands the host the same variable in the same set.
TEST(Commands, EveryRowAgreesWithTheCatalogue) {
  auto host = OpenPlugin();
  std::set<ObjId> seen;
  for (const commands::CommandRow& row : commands::Rows()) {
    SCOPED_TRACE(row.id);
    EXPECT_TRUE(seen.insert(row.id).second);
    const CDDDefinition* command = host->Find(row.id);
    const CDDDefinition* variable = host->Find(commands::Variable(row));
    ASSERT_TRUE(command && variable);
    ASSERT_EQ(command->getKind(), ObjectKindCommand);
    ASSERT_EQ(variable->getKind(), ObjectKindVariable);
    const bool read = row.operation == OperationRead;
    EXPECT_EQ(std::string(command->getName()), (read ? "read_" : "write_") + std::string(variable->getName()));

    auto object = host->Request(*command);
    const auto& cmd = dynamic_cast<const CDDCommand&>(*object);
    ASSERT_TRUE(cmd.getAttributesAvailable());
    EXPECT_EQ(cmd.slot()->getSlot(), 1);
    EXPECT_EQ(cmd.index()->getIndex(), row.index);
    ASSERT_EQ(cmd.transactions()->entries().size(), 1u);
    const CDDTransaction& t = *cmd.transactions()->entries()[0];
    EXPECT_EQ(t.getNumber(), 0);
    ASSERT_TRUE(t.request() && t.reply());
    const CDDDataItemList& used = read ? *t.reply() : *t.request();
    const CDDDataItemList& unused = read ? *t.request() : *t.reply();
    EXPECT_TRUE(unused.entries().empty());
    ASSERT_EQ(used.entries().size(), 1u);
    const CDDDataItem& item = used.entries()[0];
    EXPECT_EQ(item.getKind(), DataItemReference);
    EXPECT_EQ(item.getMask(), 0);
    ASSERT_TRUE(item.reference().getDefinition());
    EXPECT_EQ(*item.reference().getDefinition(), *variable);

    const auto& sets = host->store().commandSets().at(command->getName());
    const auto& carried = read ? sets.reply : sets.request;
    const auto& empty = read ? sets.request : sets.reply;
    EXPECT_TRUE(empty.empty());
    ASSERT_EQ(carried.size(), 1u);
    EXPECT_EQ(carried[0], *item.reference().getDefinition());
  }
  // The other commands of the catalogue are not described by this table.
  std::size_t available = 0;
  for (const CDDDefinition& d : host->Catalogue())
    if (d.getKind() == ObjectKindCommand && host->Request(d)->getAttributesAvailable()) ++available;
  EXPECT_EQ(available, seen.size());
}

// Attributes depend on the command alone: not on the context, the store's values or
// earlier requests; a second request leaves one transaction with one item.
TEST(Commands, RepeatedRequestsGiveTheSameAttributes) {
  auto host = OpenPlugin();
  OtherContext other;
  for (const char* name : {"read_manu_serial_num", "write_manu_hold_time", "read_manu_check_select_help"}) {
    SCOPED_TRACE(name);
    auto object = host->Request(name);
    const std::string first = Describe(*object);
    for (const CDDDefinition& d : host->Catalogue())
      if (d.getKind() == ObjectKindVariable) host->store().setValue(d.getName(), CDDCommonVariant(7));
    host->store().clearReads();
    host->calculator().Calculate(&other, object.get());
    host->calculator().Calculate(host->context(), object.get());
    EXPECT_EQ(Describe(*object), first);
    EXPECT_EQ(host->store().readCount(), 0);
  }
}

TEST(Commands, SharedIndicesDifferOnlyInTheirVariable) {
  auto host = OpenPlugin();
  auto index = [&](const char* name) {
    return dynamic_cast<const CDDCommand&>(*host->Request(name)).index()->getIndex();
  };
  EXPECT_EQ(index("read_manu_check_select"), index("read_manu_check_select_help"));
  EXPECT_EQ(index("write_manu_check_select"), index("write_manu_check_select_help"));
  EXPECT_EQ(index("read_manu_alarm_enable_code"), index("read_manu_alarm_enable_code_DIAGNOSTIC"));
  EXPECT_EQ(host->Find("write_manu_alarm_enable_code_DIAGNOSTIC"), nullptr);
  for (const commands::CommandRow& row : commands::Rows()) {
    EXPECT_NE(row.index, 186);
    EXPECT_NE(row.index, 187);
  }
}

// The read form makes its reply list before the item, the write form after the item
// has gone into the request list.
TEST(Commands, ReadAndWriteFormsCallTheLibraryInOrder) {
  auto host = OpenPlugin();
  const std::vector<std::string> head = {"CDDCommand::setSlot(1)", "CDDCommand::setIndex(168)"};
  const std::string item[] = {"CDDDataItem::putKind(1)", "CDDReference::putDefinition(#291 manu_hold_time)",
                              "CDDDataItem::putMask(0)", "CDDDataItemList::Add(-1, -1)"};
  const std::string tail[] = {"CDDTransactionSet::Insert(0)", "CDDObject::putAttributesAvailable(true)"};
  for (bool read : {true, false}) {
    std::vector<std::string> expected = head;
    expected.push_back(read ? "CDDCommand::putOperation(2)" : "CDDCommand::putOperation(3)");
    expected.push_back("CDDCommand::setTransactionSet()");
    expected.push_back("CDDTransaction::setRequest()");
    if (read) expected.push_back("CDDTransaction::setReply()");
    expected.insert(expected.end(), std::begin(item), std::end(item));
    if (!read) expected.push_back("CDDTransaction::setReply()");
    expected.insert(expected.end(), std::begin(tail), std::end(tail));

    const CDDDefinition* d = host->Find(read ? "read_manu_hold_time" : "write_manu_hold_time");
    std::unique_ptr<CDDObject> object(MakeDescriptionObject(*d));
    ddlib::JournalScope journal;
    host->calculator().Calculate(host->context(), object.get());
    EXPECT_EQ(ddlib::Journal::lines(), expected) << (read ? "read" : "write");
  }
}

// A command or method frame handed an object of another class leaves it untouched.
TEST(Commands, ObjectsOfAnotherClassAreLeftUntouched) {
  auto host = OpenPlugin();
  CDDMethod method(*host->Find("read_manu_hold_time"));
  CDDCommand command(*host->Find("std_Save"));
  for (CDDObject* wrong : {static_cast<CDDObject*>(&method), static_cast<CDDObject*>(&command)}) {
    ddlib::JournalScope journal;
    EXPECT_EQ(host->calculator().Calculate(host->context(), wrong), wrong);
    EXPECT_FALSE(wrong->getAttributesAvailable());
    EXPECT_TRUE(ddlib::Journal::lines().empty());
  }
}

}  // namespace
