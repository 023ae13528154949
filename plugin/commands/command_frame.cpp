#include "commands/command_frame.h"

#include <memory>

namespace commands {

namespace {

// The copy of the command's block that the host's store hands out, for the command to
// keep; null for a slot command, and null when the store has none.
std::unique_ptr<CDDBlock> BlockCopy(const CDeviceAttributeCalculation& calc, CHostContext* context,
                                    const CommandRow& row) {
  CHostObjectStore* store = row.block ? calc.Host()->getObjectStore() : nullptr;
  return std::unique_ptr<CDDBlock>(store ? store->getBlockCopy(context, calc.Definition(row.block)) : nullptr);
}

}  // namespace

// A read command creates its reply list before the data items, a write command after
// the items have gone into the request list; the host sees both lists either way.
CDDObject* FillCommand(const CDeviceAttributeCalculation& calc, CHostContext* context, const CommandRow& row,
                       CDDObject* object) {
  auto* command = dynamic_cast<CDDCommand*>(object);
  if (!command) return object;
  std::unique_ptr<CDDBlock> block = BlockCopy(calc, context, row);
  if (row.block && !block) return object;
  const bool read = row.operation == OperationRead;

  if (block)
    command->setBlock(block.release());
  else
    command->setSlot(new CDDSlot(1));
  command->setIndex(new CDDIndex(row.index));
  command->putOperation(row.operation);
  command->setTransactionSet(new CDDTransactionSet());

  auto transaction = std::make_unique<CDDTransaction>(0);
  transaction->setRequest(new CDDDataItemList());
  if (read) transaction->setReply(new CDDDataItemList());

  CDDDataItemList* items = read ? transaction->getReply() : transaction->getRequest();
  for (ObjId variable : Items(row)) {
    auto item = std::make_unique<CDDDataItem>();
    item->putKind(DataItemReference);
    item->getReference()->putDefinition(calc.Definition(variable));
    item->putMask(0);
    items->Add(*item, -1, -1);
  }

  if (!read) transaction->setReply(new CDDDataItemList());
  command->getTransactionSet()->Insert(*transaction);
  transaction.reset();

  command->putAttributesAvailable(true);
  return object;
}

CDDObject* CalcCommand(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object) {
  const CDDDefinition* definition = object ? object->getcDefinition() : nullptr;
  const CommandRow* row = definition ? FindRow(definition->getID()) : nullptr;
  return row ? FillCommand(calc, context, *row, object) : object;
}

}  // namespace commands
