#include "commands/command_frame.h"

#include <memory>

namespace commands {

// A read command creates its reply list before the data item, a write command after
// the item has gone into the request list; the host sees both lists either way.
CDDObject* FillCommand(const CDeviceAttributeCalculation& calc, const CommandRow& row, CDDObject* object) {
  auto* command = dynamic_cast<CDDCommand*>(object);
  if (!command) return object;
  const bool read = row.operation == OperationRead;

  command->setSlot(new CDDSlot(1));
  command->setIndex(new CDDIndex(row.index));
  command->putOperation(row.operation);
  command->setTransactionSet(new CDDTransactionSet());

  auto transaction = std::make_unique<CDDTransaction>(0);
  transaction->setRequest(new CDDDataItemList());
  if (read) transaction->setReply(new CDDDataItemList());

  auto item = std::make_unique<CDDDataItem>();
  item->putKind(DataItemReference);
  item->getReference()->putDefinition(calc.Definition(Variable(row)));
  item->putMask(0);
  (read ? transaction->getReply() : transaction->getRequest())->Add(*item, -1, -1);
  item.reset();

  if (!read) transaction->setReply(new CDDDataItemList());
  command->getTransactionSet()->Insert(*transaction);
  transaction.reset();

  command->putAttributesAvailable(true);
  return object;
}

CDDObject* CalcCommand(CDeviceAttributeCalculation& calc, CHostContext*, CDDObject* object) {
  const CDDDefinition* definition = object ? object->getcDefinition() : nullptr;
  const CommandRow* row = definition ? FindRow(definition->getID()) : nullptr;
  return row ? FillCommand(calc, *row, object) : object;
}

}  // namespace commands
