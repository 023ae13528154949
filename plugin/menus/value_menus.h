// The menus whose items follow the values the host holds at the request: the relay
// function dialog and the two transfer lists. Every test below reads its variable
// afresh; a value the host cannot give passes no test, not even an inequality.
#pragma once
#include <initializer_list>
#include <span>

#include "menus/menu_frame.h"

namespace menus {

inline bool Is(MenuBuild& build, ObjId variable, int constant) {
  return build.Read(variable) == CDDCommonVariant(constant);
}
inline bool IsNot(MenuBuild& build, ObjId variable, int constant) {
  const CDDCommonVariant& value = build.Read(variable);
  return !value.isEmpty() && value != CDDCommonVariant(constant);
}
inline bool AtMost(MenuBuild& build, ObjId variable, int constant) {
  return build.Read(variable) <= CDDCommonVariant(constant);
}
inline bool AtLeast(MenuBuild& build, ObjId variable, int constant) {
  return build.Read(variable) >= CDDCommonVariant(constant);
}
// A chain of equality tests, one read per constant, ending at the first match.
inline bool IsIn(MenuBuild& build, ObjId variable, std::span<const int> constants) {
  for (int constant : constants)
    if (Is(build, variable, constant)) return true;
  return false;
}
inline bool IsIn(MenuBuild& build, ObjId variable, std::initializer_list<int> constants) {
  return IsIn(build, variable, std::span<const int>(constants.begin(), constants.size()));
}

// The dialog shows a relay function's whole group; the list the host reads from the
// device (download_variables) leaves out the PID mode and shows only the PID items
// that mode uses, all without qualification.
enum class RelayGroupUse { dialog, readList };

// Reads the relay function once and appends the group of that function (1 to 8);
// any other value appends nothing.
void AppendRelayFunctionGroup(MenuBuild& build, RelayGroupUse use);

// The rows for the index.
std::span<const MenuRow> RelayFunctionDialog();
std::span<const MenuRow> TransferLists();

}  // namespace menus
