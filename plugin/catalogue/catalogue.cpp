#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "catalogue/catalogue_table.h"
#include "module/calculator.h"

namespace {

// The order in which the host receives the objects: by kind, then by number.
constexpr enumDDObjectKind kRegistrationOrder[] = {ObjectKindBlock,  ObjectKindVariable, ObjectKindCommand,
                                                   ObjectKindMenu,   ObjectKindMethod,   ObjectKindRefresh,
                                                   ObjectKindUnit};

void HandOverObjects(CHostObjectStore& store, const std::array<CDDDefinition*, kTableSize>& definitions) {
  for (enumDDObjectKind kind : kRegistrationOrder) {
    for (const CDDDefinition* d : definitions) {
      if (!d || d->getKind() != kind) continue;
      std::unique_ptr<CDDObject> object(MakeDescriptionObject(*d));
      if (object) store.addObject(*object);
    }
  }
}

// Read commands whose reply is not the variable their name gives: the identification
// reads fill the generator's device-side variables, and the numeric revision read and
// the profile-revision header read split one reply over several variables.
struct ExplicitReply {
  ObjId command;
  std::initializer_list<ObjId> reply;
};
const ExplicitReply kExplicitReplies[] = {
    {id::read_MVX_phys_device_man_id, {id::MVX_phys_device_man_id}},
    {id::read_MVX_phys_device_id, {id::MVX_phys_device_id}},
    {id::read_MVX_software_rev, {id::MVX_phys_software_rev}},
    {id::read_MVX_profile_rev,
     {id::MVX_dummy_8bit, id::MVX_dummy_32bit, id::MVX_dummy_16bit, id::MVX_phys_profile_rev}},
    {id::read_phys_software_rev_numeric,
     {id::phys_software_rev_000, id::phys_software_rev_001, id::phys_software_rev_002, id::phys_software_rev_003,
      id::phys_software_rev_004, id::phys_software_rev_005, id::phys_software_rev_rest}},
};

const ExplicitReply* FindExplicitReply(long command) {
  for (const ExplicitReply& e : kExplicitReplies)
    if (e.command == command) return &e;
  return nullptr;
}

// A command "read_X" or "write_X" carries variable X: in the reply set of a read, the
// request set of a write, the other set empty.
void HandOverCommandSets(CHostObjectStore& store, const std::array<CDDDefinition*, kTableSize>& definitions) {
  std::map<std::string, const CDDDefinition*> variables;
  for (const CDDDefinition* d : definitions)
    if (d && d->getKind() == ObjectKindVariable) variables.emplace(d->getName(), d);

  for (const CDDDefinition* d : definitions) {
    if (!d || d->getKind() != ObjectKindCommand) continue;
    if (const ExplicitReply* e = FindExplicitReply(d->getID())) {
      CDDDefinitionSet reply, empty;
      for (ObjId v : e->reply) reply.Insert(*definitions[v]);
      CDDTransactionRef transaction(*d, 0);
      store.putRequestSet(transaction, empty);
      store.putReplySet(transaction, reply);
      continue;
    }
    const char* name = d->getName();
    bool read = std::strncmp(name, "read_", 5) == 0;
    bool write = std::strncmp(name, "write_", 6) == 0;
    if (!read && !write) continue;
    auto variable = variables.find(name + (read ? 5 : 6));
    if (variable == variables.end()) continue;
    CDDTransactionRef transaction(*d, 0);
    CDDDefinitionSet carried, empty;
    carried.Insert(*variable->second);
    store.putRequestSet(transaction, write ? carried : empty);
    store.putReplySet(transaction, read ? carried : empty);
  }
}

}  // namespace

void CDeviceAttributeCalculation::BuildCatalogue() {
  DeleteDefinitions();
  for (std::size_t i = 0; i < kCatalogueSize; ++i) {
    const CatalogueEntry& e = kCatalogue[i];
    m_definitions[e.id] = new CDDDefinition(e.id, e.name, e.kind);
  }
  if (!m_host) return;
  CHostObjectStore* store = m_host->getObjectStore();
  if (!store) return;
  HandOverObjects(*store, m_definitions);
  HandOverCommandSets(*store, m_definitions);
}
