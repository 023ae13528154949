// Bus commands: one row per command and the one frame that fills a host command
// object from its row.
#pragma once
#include <span>

#include "catalogue/catalogue.h"
#include "module/calculator.h"

namespace commands {

// Where a command reads or writes its variable: slot 1, an absolute index, and one
// transaction whose single data item names the variable.
struct CommandRow {
  ObjId id;
  enumDDCommandOperationType operation;
  long index;
};

// The variable a command reads or writes: the one its catalogue entry carries in the
// reply of a read or the request of a write (the table checks there is exactly one).
constexpr ObjId Variable(const CommandRow& row) {
  const CatalogueEntry* entry = catalogue::Find(row.id);
  return (row.operation == OperationRead ? entry->reply : entry->request).front();
}

// Every command this plug-in describes, in index order.
std::span<const CommandRow> Rows();
// The row of a command number; null when none (command_table.cpp).
const CommandRow* FindRow(long number);

// Fills the command's addressing, operation and transaction; any other object comes
// back untouched.
CDDObject* FillCommand(const CDeviceAttributeCalculation& calc, const CommandRow& row, CDDObject* object);

// The calculation function of every command: finds the row by the object's number and
// fills the command from it; an object whose number has no row is returned untouched.
CDDObject* CalcCommand(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);

}  // namespace commands
