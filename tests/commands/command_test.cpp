#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
  out << " block=" << (command.block() ? command.block()->getcDefinition()->getName() : "-");
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

// Each command is addressed as its row says (slot 1, or the block's copy from the
// host's store) and carries its variables in the list its operation uses, as the
// catalogue hands them to the host.
TEST(Commands, EveryRowAgreesWithTheCatalogue) {
  auto host = OpenPlugin();
  std::set<ObjId> seen;
  for (const commands::CommandRow& row : commands::Rows()) {
    SCOPED_TRACE(row.id);
    EXPECT_TRUE(seen.insert(row.id).second);
    const CDDDefinition* command = host->Find(row.id);
    ASSERT_TRUE(command);
    ASSERT_EQ(command->getKind(), ObjectKindCommand);
    const bool read = row.operation == OperationRead;
    if (!row.block) {
      const CDDDefinition* variable = host->Find(commands::Items(row)[0]);
      ASSERT_TRUE(variable);
      EXPECT_EQ(std::string(command->getName()), (read ? "read_" : "write_") + std::string(variable->getName()));
    }

    auto object = host->Request(*command);
    const auto& cmd = dynamic_cast<const CDDCommand&>(*object);
    ASSERT_TRUE(cmd.getAttributesAvailable());
    if (row.block) {
      EXPECT_FALSE(cmd.slot());
      ASSERT_TRUE(cmd.block());
      EXPECT_EQ(*cmd.block()->getcDefinition(), *host->Find(row.block));
      EXPECT_EQ(host->Find(row.block)->getKind(), ObjectKindBlock);
    } else {
      EXPECT_FALSE(cmd.block());
      EXPECT_EQ(cmd.slot()->getSlot(), 1);
    }
    EXPECT_EQ(cmd.index()->getIndex(), row.index);
    ASSERT_EQ(cmd.transactions()->entries().size(), 1u);
    const CDDTransaction& t = *cmd.transactions()->entries()[0];
    EXPECT_EQ(t.getNumber(), 0);
    ASSERT_TRUE(t.request() && t.reply());
    const CDDDataItemList& used = read ? *t.reply() : *t.request();
    const CDDDataItemList& unused = read ? *t.request() : *t.reply();
    EXPECT_TRUE(unused.entries().empty());
    ASSERT_EQ(used.entries().size(), commands::Items(row).size());

    const auto& sets = host->store().commandSets().at(command->getName());
    const auto& carried = read ? sets.reply : sets.request;
    EXPECT_TRUE((read ? sets.request : sets.reply).empty());
    std::set<long> named;
    for (std::size_t i = 0; i < used.entries().size(); ++i) {
      const CDDDataItem& item = used.entries()[i];
      EXPECT_EQ(item.getKind(), DataItemReference);
      EXPECT_EQ(item.getMask(), 0);
      ASSERT_TRUE(item.reference().getDefinition());
      const CDDDefinition& variable = *item.reference().getDefinition();
      EXPECT_EQ(variable, *host->Find(commands::Items(row)[i]));
      EXPECT_NE(std::find(carried.begin(), carried.end(), variable), carried.end());
      named.insert(variable.getID());
    }
    EXPECT_EQ(named.size(), carried.size());
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
  for (const char* name :
       {"read_manu_serial_num", "write_manu_hold_time", "read_manu_check_select_help", "read__MVX__profile_rev"}) {
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

// The bytes a reply's items take: each item is as wide as its variable, and where the
// block header holds fields of no interest the reply repeats a filler of that width.
// The profile revision is the two bytes at 12 of the 20-byte header; the numeric
// software revision splits the same 16 bytes that the revision text reads.
TEST(Commands, ReplyItemsKeepTheirOrderAndRepeatFillers) {
  auto host = OpenPlugin();
  struct Layout {
    long width = 0;
    std::map<std::string, long> offset;  // first offset of each variable
    std::size_t items = 0;
  };
  auto layout = [&](const char* name) {
    Layout out;
    auto object = host->Request(name);
    const CDDTransaction& transaction = *dynamic_cast<const CDDCommand&>(*object).transactions()->entries()[0];
    for (const CDDDataItem& item : transaction.reply()->entries()) {
      const CDDDefinition& d = *item.reference().getDefinition();
      auto variable = host->Request(d);
      out.offset.emplace(d.getName(), out.width);
      out.width += dynamic_cast<const CDDVariable&>(*variable).typeInfo()->getSize().value();
      ++out.items;
    }
    return out;
  };
  const Layout header = layout("read__MVX__profile_rev");
  EXPECT_EQ(header.width, 20);
  EXPECT_EQ(header.offset.at("__MVX__phys_profile_rev"), 12);
  EXPECT_EQ(header.items, 12u);
  EXPECT_EQ(header.offset.size(), 4u);

  const Layout numeric = layout("read_phys_software_rev_numeric");
  EXPECT_EQ(numeric.width, layout("read__MVX__software_rev").width);
  EXPECT_EQ(numeric.width, 16);
  EXPECT_EQ(numeric.offset.at("phys_software_rev_001"), 1);
  EXPECT_EQ(numeric.offset.at("phys_software_rev_rest"), 6);
  EXPECT_EQ(numeric.offset.count("phys_software_rev_006"), 0u);
}

// Without the block from the host's store a block command cannot be addressed: it comes
// back untouched.
TEST(Commands, ABlockCommandWithoutItsBlockIsLeftUntouched) {
  auto host = OpenPlugin();
  host->answerNull({.store = true});
  ddlib::JournalScope journal;
  auto object = host->Request("write_phys_factory_reset");
  EXPECT_FALSE(object->getAttributesAvailable());
  EXPECT_TRUE(ddlib::Journal::lines().empty());
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
