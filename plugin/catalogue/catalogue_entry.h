// One row of the object table (catalogue/object_table.h, written by the build from
// objects.tsv).
#pragma once
#include <span>

#include "catalogue/object_ids.h"
#include "ddlib/enums.h"

struct CatalogueEntry {
  ObjId id;
  const char* name;
  enumDDObjectKind kind;
  // A command's variables: the request of a write, the reply of a read. A command
  // without them gets no sets from the host.
  std::span<const ObjId> request = {};
  std::span<const ObjId> reply = {};
};
