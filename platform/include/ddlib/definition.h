// CDDDefinition: number, name and kind of one described object.
#pragma once
#include <string>

#include "ddlib/enums.h"

class CDDDefinition {
 public:
  CDDDefinition() = default;  // an empty definition: id -1
  CDDDefinition(long id, const char* name, enumDDObjectKind kind)
      : m_id(id), m_name(name ? name : ""), m_kind(kind) {}
  CDDDefinition(const CDDDefinition&) = default;
  CDDDefinition& operator=(const CDDDefinition&) = default;
  // Lists grow by moving their entries, not by copying every name.
  CDDDefinition(CDDDefinition&&) noexcept = default;
  CDDDefinition& operator=(CDDDefinition&&) noexcept = default;
  virtual ~CDDDefinition();

  long getID() const { return m_id; }
  const char* getName() const { return m_name.c_str(); }
  enumDDObjectKind getKind() const { return m_kind; }

  friend bool operator==(const CDDDefinition& a, const CDDDefinition& b) {
    return a.m_id == b.m_id && a.m_name == b.m_name && a.m_kind == b.m_kind;
  }

 private:
  long m_id = -1;
  std::string m_name;
  enumDDObjectKind m_kind = ObjectKindVariable;
};
