// Bus commands: one row per command and the one frame that fills a host command
// object from its row.
#pragma once
#include <span>

#include "catalogue/catalogue.h"
#include "module/calculator.h"

namespace commands {

// Where a command reads or writes its variables: slot 1 and an absolute index, or a
// block and an index relative to it; and one transaction whose data items name the
// variables.
struct CommandRow {
  ObjId id;
  enumDDCommandOperationType operation;
  long index;
  // The block the index is relative to; none (0): slot 1, absolute index.
  ObjId block = 0;
  // The data items, where a reply repeats a variable; otherwise the variables the
  // catalogue gives the command, one item each.
  std::span<const ObjId> items = {};
};

// The variables a command's catalogue entry carries: in the reply of a read, the
// request of a write.
constexpr std::span<const ObjId> Carried(const CommandRow& row) {
  const CatalogueEntry& entry = kCatalogue[catalogue::IndexOf(row.id)];
  return row.operation == OperationRead ? entry.reply : entry.request;
}

// The variables a command's data items name, in order.
constexpr std::span<const ObjId> Items(const CommandRow& row) {
  return row.items.empty() ? Carried(row) : row.items;
}

// Every command this plug-in describes.
std::span<const CommandRow> Rows();
// The row of a command number; null when none (command_table.cpp).
const CommandRow* FindRow(long number);

// Fills the command's addressing, operation and transaction. Any other object, and a
// block-relative command whose block the host's store does not hand out, comes back
// untouched.
CDDObject* FillCommand(const CDeviceAttributeCalculation& calc, CHostContext* context, const CommandRow& row,
                       CDDObject* object);

// The calculation function of every command: finds the row by the object's number and
// fills the command from it; an object whose number has no row is returned untouched.
CDDObject* CalcCommand(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);

}  // namespace commands
