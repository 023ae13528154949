// Requests of every object under every data set, and the references the answers hold.
#include "check_sweep.h"

#include "describe.h"

namespace dtmtool::sweep {

using dtmhost::ObjectStore;

const std::string& Sweep::FreshCanonical(const CDDDefinition& d) {
  auto& dump = m_fresh[d.getID()];
  if (dump.empty()) {
    std::unique_ptr<CDDObject> fresh(MakeDescriptionObject(d));
    dump = fresh ? Canonical(*fresh) : "-";
  }
  return dump;
}

// One request: no copy outlives it, no report, no exception.
std::unique_ptr<CDDObject> Sweep::Request(const CDDDefinition& d, const std::string& set) {
  int copies = ObjectStore::liveCopies();
  m_host.errors().clear();
  std::unique_ptr<CDDObject> object;
  try {
    object = m_host.Request(d);
  } catch (...) {
    Fail(d, set, "the request threw");
  }
  ++m_kinds[d.getKind()].requests;
  if (ObjectStore::liveCopies() != copies)
    Fail(d, set, std::to_string(ObjectStore::liveCopies() - copies) + " value copies outlive the request");
  for (const std::string& report : m_host.errors().reports()) Fail(d, set, "reported \"" + report + "\"");
  return object;
}

void Sweep::RequestObject(const CDDDefinition& d, const DataSet& set) {
  KindCount& count = m_kinds[d.getKind()];
  bool first = &set == &m_dataSets.front();
  if (first) ++count.objects;
  std::unique_ptr<CDDObject> once = Request(d, set.name);
  std::unique_ptr<CDDObject> twice = Request(d, set.name);
  if (!once || !twice) {
    if (first) Fail(d, set.name, "the host makes no description object for this kind");
    return;
  }
  std::string dump = Canonical(*once);
  if (dump != Canonical(*twice)) Fail(d, set.name, "a second identical request gives other attributes");

  bool untouched = dump == FreshCanonical(d);
  if (first) {
    if (untouched)
      m_untouchedEverywhere.insert(d.getName());
    else
      ++count.built;
  } else if (untouched != (m_untouchedEverywhere.count(d.getName()) != 0)) {
    m_untouchedEverywhere.erase(d.getName());
    Fail(d, set.name, untouched ? "left untouched, although built under the defaults" : "built here only");
  }
  if (!untouched && !once->getAttributesAvailable()) Fail(d, set.name, "attributes not marked available");
  CheckReferences(*once, set.name);
  CheckValidity(d, set.name);
}

void Sweep::Reference(const CDDObject& object, const std::string& set, const CDDDefinition& named, const char* role,
                      std::optional<enumDDObjectKind> kind) {
  ++m_references;
  const CDDDefinition& self = *object.getcDefinition();
  const CDDDefinition* defined = m_host.Find(named.getID());
  std::string what = std::string(role) + " " + named.getName() + " (" + std::to_string(named.getID()) + ")";
  if (!defined || !(*defined == named))
    Fail(self, set, what + " names no defined object");
  else if (kind && named.getKind() != *kind)
    Fail(self, set, what + " is a " + KindName(named.getKind()) + ", not a " + KindName(*kind));
}

template <typename List>
void Sweep::References(const CDDObject& object, const std::string& set, const List* list, const char* role,
                       std::optional<enumDDObjectKind> kind) {
  if (!list) return;
  for (const CDDDefinition& d : list->entries()) Reference(object, set, d, role, kind);
}

void Sweep::DataItems(const CDDObject& object, const std::string& set, const CDDDataItemList* list) {
  if (!list) return;
  for (const CDDDataItem& item : list->entries())
    if (const auto& named = item.reference().getDefinition()) Reference(object, set, *named, "data item", ObjectKindVariable);
}

void Sweep::CheckReferences(const CDDObject& object, const std::string& set) {
  if (const auto* v = dynamic_cast<const CDDVariable*>(&object)) {
    References(object, set, v->getPreEditActions(), "pre-edit action", ObjectKindMethod);
    References(object, set, v->getPostEditActions(), "post-edit action", ObjectKindMethod);
  }
  if (const auto* m = dynamic_cast<const CDDMenu*>(&object)) {
    if (const CDDMenuItemList* items = m->menuItems())
      for (const CDDMenuItem& item : items->entries()) Reference(object, set, item.getDefinition(), "item", std::nullopt);
    References(object, set, m->getPreReadActions(), "pre-read action", ObjectKindMethod);
    References(object, set, m->getPreWriteActions(), "pre-write action", ObjectKindMethod);
    References(object, set, m->getPostWriteActions(), "post-write action", ObjectKindMethod);
  }
  if (const auto* c = dynamic_cast<const CDDCommand*>(&object); c && c->transactions()) {
    for (const auto& t : c->transactions()->entries()) {
      DataItems(object, set, t->request());
      DataItems(object, set, t->reply());
    }
  }
  if (const auto* r = dynamic_cast<const CDDRefresh*>(&object)) {
    References(object, set, r->reread(), "re-read variable", ObjectKindVariable);
    References(object, set, r->changed(), "changed variable", ObjectKindVariable);
  }
}

}  // namespace dtmtool::sweep
