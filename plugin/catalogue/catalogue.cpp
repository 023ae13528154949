#include "catalogue/catalogue.h"

#include <memory>

namespace catalogue {
namespace {

// The order in which the host receives the objects: by kind, then by number.
constexpr enumDDObjectKind kRegistrationOrder[] = {ObjectKindBlock,  ObjectKindVariable, ObjectKindCommand,
                                                   ObjectKindMenu,   ObjectKindMethod,   ObjectKindRefresh,
                                                   ObjectKindUnit};

void HandOverObjects(CHostObjectStore& store, std::span<CDDDefinition* const> definitions) {
  for (enumDDObjectKind kind : kRegistrationOrder) {
    for (const CDDDefinition* d : definitions) {
      if (!d || d->getKind() != kind) continue;
      std::unique_ptr<CDDObject> object(MakeDescriptionObject(*d));
      if (object) store.addObject(*object);
    }
  }
}

void HandOverCommandSets(CHostObjectStore& store, std::span<CDDDefinition* const> definitions) {
  for (const CatalogueEntry& e : kCatalogue) {
    if (e.kind != ObjectKindCommand || (e.request.empty() && e.reply.empty())) continue;
    CDDDefinitionSet request, reply;
    for (ObjId v : e.request) request.Insert(*definitions[v]);
    for (ObjId v : e.reply) reply.Insert(*definitions[v]);
    CDDTransactionRef transaction(*definitions[e.id], 0);
    store.putRequestSet(transaction, request);
    store.putReplySet(transaction, reply);
  }
}

}  // namespace

void HandOver(CHostObjectStore& store, std::span<CDDDefinition* const> definitions) {
  HandOverObjects(store, definitions);
  HandOverCommandSets(store, definitions);
}

}  // namespace catalogue
