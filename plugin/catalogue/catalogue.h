// The object table and its hand-over to the host: every object number that names a
// described object, with its name and kind. The table knows nothing of the calculator;
// the calculator builds its definitions from it.
#pragma once
#include <algorithm>
#include <iterator>
#include <span>

#include "catalogue/object_table.h"
#include "ddlib/ddlib.h"

namespace catalogue {

// The entry of an object number, null when the number names nothing.
constexpr const CatalogueEntry* Find(long number) {
  const CatalogueEntry* entry = std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), number,
                                                 [](const CatalogueEntry& e, long n) { return e.id < n; });
  return entry != std::end(kCatalogue) && entry->id == number ? entry : nullptr;
}

// Hands every object to the host's store, by kind and then by number, and then each
// command's request and reply sets. `definitions` is indexed by object number and
// holds one definition for every entry of the table.
void HandOver(CHostObjectStore& store, std::span<CDDDefinition* const> definitions);

}  // namespace catalogue
