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

void Sweep::CheckReferences(const CDDObject& object, const std::string& set) {
  for (const dtmtool::Reference& r : dtmtool::References(object)) {
    ++m_references;
    if (std::optional<std::string> problem = ReferenceProblem(m_host, r)) Fail(*object.getcDefinition(), set, *problem);
  }
}

}  // namespace dtmtool::sweep

namespace dtmtool {

std::vector<Reference> References(const CDDObject& object) {
  std::vector<Reference> out;
  auto add = [&out](const auto* list, const char* role, std::optional<enumDDObjectKind> kind) {
    if (list)
      for (const CDDDefinition& d : list->entries()) out.push_back({d, role, kind});
  };
  auto items = [&out](const CDDDataItemList* list) {
    if (list)
      for (const CDDDataItem& item : list->entries())
        if (const auto& named = item.reference().getDefinition()) out.push_back({*named, "data item", ObjectKindVariable});
  };
  if (const auto* v = dynamic_cast<const CDDVariable*>(&object)) {
    add(v->getPreEditActions(), "pre-edit action", ObjectKindMethod);
    add(v->getPostEditActions(), "post-edit action", ObjectKindMethod);
  }
  if (const auto* m = dynamic_cast<const CDDMenu*>(&object)) {
    if (const CDDMenuItemList* list = m->menuItems())
      for (const CDDMenuItem& item : list->entries()) out.push_back({item.getDefinition(), "item", std::nullopt});
    add(m->getPreReadActions(), "pre-read action", ObjectKindMethod);
    add(m->getPreWriteActions(), "pre-write action", ObjectKindMethod);
    add(m->getPostWriteActions(), "post-write action", ObjectKindMethod);
  }
  if (const auto* c = dynamic_cast<const CDDCommand*>(&object); c && c->transactions()) {
    for (const auto& t : c->transactions()->entries()) {
      items(t->request());
      items(t->reply());
    }
  }
  if (const auto* r = dynamic_cast<const CDDRefresh*>(&object)) {
    add(r->reread(), "re-read variable", ObjectKindVariable);
    add(r->changed(), "changed variable", ObjectKindVariable);
  }
  return out;
}

std::optional<std::string> ReferenceProblem(const dtmhost::Host& host, const Reference& r) {
  const CDDDefinition* defined = host.Find(r.named.getID());
  std::string what = std::string(r.role) + " " + r.named.getName() + " (" + std::to_string(r.named.getID()) + ")";
  if (!defined || !(*defined == r.named)) return what + " names no defined object";
  if (r.kind && r.named.getKind() != *r.kind)
    return what + " is a " + KindName(r.named.getKind()) + ", not a " + KindName(*r.kind);
  return std::nullopt;
}

}  // namespace dtmtool
