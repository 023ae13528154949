// A variable row's name, which only the catalogue writes.
#pragma once
#include "catalogue/catalogue.h"
#include "variables/variable_frame.h"

inline const char* RowName(const variables::VariableRow& row) {
  const CatalogueEntry* entry = catalogue::Find(row.id);
  return entry ? entry->name : "(not catalogued)";
}
