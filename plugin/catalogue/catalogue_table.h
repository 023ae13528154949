// The object table: every object number that names a described object.
#pragma once
#include <cstddef>

#include "catalogue/object_ids.h"
#include "ddlib/enums.h"

struct CatalogueEntry {
  ObjId id;
  const char* name;
  enumDDObjectKind kind;
};

extern const CatalogueEntry kCatalogue[];
extern const std::size_t kCatalogueSize;  // 540
