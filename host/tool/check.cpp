// The order of the sweep's checks, and the object helpers it shares with the tool.
#include "check.h"

#include "check_sweep.h"
#include "describe.h"

namespace dtmtool {

namespace sweep {

Sweep::Sweep(dtmhost::Host& host) : m_host(host) {
  for (const CDDDefinition& d : host.Catalogue()) {
    m_catalogue.push_back(d);
    if (d.getKind() != ObjectKindVariable) continue;
    m_defaults[d.getName()] = host.store().value(d.getName());
  }
  MakeDataSets();
}

void Sweep::Run() {
  for (const DataSet& set : m_dataSets) {
    Apply(set);
    for (const CDDDefinition& d : m_catalogue) RequestObject(d, set);
  }
  Apply(m_dataSets.front());
  for (const CDDDefinition& d : m_catalogue) {
    WrongClasses(d);
    if (m_untouchedEverywhere.count(d.getName())) ++m_kinds[d.getKind()].notBuilt;
  }
  UnknownNumbers();
  Methods();
  Apply(m_dataSets.front());
  m_host.errors().clear();
}

}  // namespace sweep

std::unique_ptr<CDDObject> ObjectOfClass(enumDDObjectKind cls, const CDDDefinition& definition) {
  std::unique_ptr<CDDObject> object(MakeDescriptionObject(CDDDefinition(definition.getID(), definition.getName(), cls)));
  *object->getcDefinition() = definition;
  return object;
}

namespace {
// Type tags and length-prefixed scalars: cheaper than JSON text, and as unambiguous.
void Flatten(const Json& json, std::string& out) {
  out += static_cast<char>('0' + static_cast<int>(json.type()));
  if (json.isScalar()) {
    out += std::to_string(json.scalar().size()) + ':' + json.scalar();
    return;
  }
  for (const Json& item : json.items()) Flatten(item, out);
  for (const auto& [key, value] : json.members()) {
    out += key + '=';
    Flatten(value, out);
  }
  out += ';';
}
}  // namespace

std::string Canonical(const CDDObject& object) {
  std::string out;
  Flatten(ObjectJson(object, ""), out);
  return out;
}

int Check(dtmhost::Host& host, std::ostream& out, std::set<std::string>* commandsSent) {
  sweep::Sweep sweep(host);
  sweep.Run();
  sweep.Print(out);
  if (commandsSent) *commandsSent = sweep.commandsSent();
  return sweep.failures();
}

}  // namespace dtmtool
