// The object table and its hand-over to the host: every object number that names a
// described object, with its name and kind. The table knows nothing of the calculator;
// the calculator builds its definitions from it.
#pragma once
#include <iterator>
#include <span>

#include "catalogue/object_table.h"
#include "ddlib/ddlib.h"

namespace catalogue {

// The position of an object number in kCatalogue, -1 when the number names nothing.
// Constant checks use it rather than Find: some compilers cannot compare a table
// address with null at compile time under the sanitizers.
constexpr int IndexOf(long number) {
  int low = 0, high = static_cast<int>(std::size(kCatalogue));
  while (low < high) {
    const int middle = (low + high) / 2;
    if (kCatalogue[middle].id < number)
      low = middle + 1;
    else
      high = middle;
  }
  return low < static_cast<int>(std::size(kCatalogue)) && kCatalogue[low].id == number ? low : -1;
}

// The entry of an object number, null when the number names nothing.
constexpr const CatalogueEntry* Find(long number) {
  const int at = IndexOf(number);
  return at < 0 ? nullptr : &kCatalogue[at];
}

// Hands every object to the host's store, by kind and then by number, and then each
// command's request and reply sets. `definitions` is indexed by object number and
// holds one definition for every entry of the table.
void HandOver(CHostObjectStore& store, std::span<CDDDefinition* const> definitions);

}  // namespace catalogue
