// The host's data set and registrations.
#include <atomic>
#include <cmath>

#include "dtmhost/host.h"

namespace dtmhost {

namespace {

std::atomic<int> g_liveCopies{0};

// A value copy handed to the plug-in: counted alive until the plug-in deletes it
// through the variant's virtual destructor.
class CountedValue final : public CDDCommonVariant {
 public:
  explicit CountedValue(const CDDCommonVariant& value) : CDDCommonVariant(value) { ++g_liveCopies; }
  CountedValue(const CountedValue&) = delete;
  CountedValue& operator=(const CountedValue&) = delete;
  ~CountedValue() override { --g_liveCopies; }
};

bool IsIntegerType(enumDDVariableType type) {
  return type == VariableTypeInteger || type == VariableTypeUnsigned || type == VariableTypeEnumerated ||
         type == VariableTypeBitEnumerated;
}

CDDCommonVariant ZeroOf(std::optional<enumDDVariableType> type) {
  if (type == VariableTypeFloat) return CDDCommonVariant(0.0);
  if (type == VariableTypeString) return CDDCommonVariant::text("");
  return CDDCommonVariant(0);
}

}  // namespace

ObjectStore::ObjectStore() = default;
ObjectStore::~ObjectStore() = default;

int ObjectStore::liveCopies() { return g_liveCopies.load(); }

// ------------------------------------------------------------------ registrations

void ObjectStore::addObject(const CDDObject& object) { m_objects.emplace_back(object.clone()); }

void ObjectStore::putRequestSet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) {
  m_sets[transaction.command().getName()].request = set.entries();
}

void ObjectStore::putReplySet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) {
  m_sets[transaction.command().getName()].reply = set.entries();
}

void ObjectStore::putDependentSet(const CDDDefinition& variable, const CDDDefinitionSet& set) {
  m_dependents[variable.getName()] = set.entries();
}

CDDBlock* ObjectStore::getBlockCopy(CHostContext* /*context*/, const CDDDefinition& block) {
  if (const auto* known = dynamic_cast<const CDDBlock*>(object(block.getName()))) return new CDDBlock(*known);
  return new CDDBlock(block);
}

const CDDObject* ObjectStore::object(const std::string& name) const {
  for (const auto& o : m_objects)
    if (name == o->getcDefinition()->getName()) return o.get();
  return nullptr;
}

void ObjectStore::clearRegistrations() {
  m_objects.clear();
  m_sets.clear();
  m_dependents.clear();
}

// ------------------------------------------------------------------ values

CDDCommonVariant* ObjectStore::getValueCopy(CHostContext* /*context*/, const CDDDefinition& variable) {
  std::string name = variable.getName();
  // Twice the kept number at most: dropping the older half at once keeps a read cheap.
  if (m_reads.size() == 2 * kReadLogKept) m_reads.erase(m_reads.begin(), m_reads.begin() + kReadLogKept);
  m_reads.push_back(name);
  ++m_readCount;
  std::optional<CDDCommonVariant> current = value(name);
  if (!current) return nullptr;
  return new CountedValue(*current);
}

void ObjectStore::setValue(const std::string& name, const CDDCommonVariant& value) {
  m_values[name] = Slot{value, false};
}

void ObjectStore::setNoValue(const std::string& name) { m_values[name] = Slot{std::nullopt, true}; }

void ObjectStore::clearValue(const std::string& name) { m_values.erase(name); }

std::optional<CDDCommonVariant> ObjectStore::value(const std::string& name) const {
  auto slot = m_values.find(name);
  if (slot == m_values.end()) return ZeroOf(variableType(name));
  if (slot->second.noValue) return std::nullopt;
  return slot->second.value;
}

void ObjectStore::setVariableType(const std::string& name, enumDDVariableType type) { m_types[name] = type; }

std::optional<enumDDVariableType> ObjectStore::variableType(const std::string& name) const {
  auto type = m_types.find(name);
  if (type == m_types.end()) return std::nullopt;
  return type->second;
}

CDDCommonVariant ObjectStore::coerce(const std::string& name, const CDDCommonVariant& value) const {
  std::optional<enumDDVariableType> type = variableType(name);
  if (!type || value.isEmpty()) return value;
  if (*type == VariableTypeString) return value.kind() == CDDCommonVariant::Kind::Text ? value : CDDCommonVariant();
  if (!value.isNumeric()) return CDDCommonVariant();  // text for a number
  if (*type == VariableTypeFloat) return CDDCommonVariant(value.getDouble());
  if (IsIntegerType(*type)) {
    if (value.kind() == CDDCommonVariant::Kind::Double && !std::isfinite(value.getDouble())) return CDDCommonVariant();
    return CDDCommonVariant(value.getInt());
  }
  return value;
}

}  // namespace dtmhost
