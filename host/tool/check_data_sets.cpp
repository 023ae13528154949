// The data sets the sweep requests every object under, and putting them into the store.
#include "check_sweep.h"

namespace dtmtool {

// The access code's range 0..9998 is represented by its ends and by 83, the one value
// the rules single out, with its neighbours.
const std::vector<Steering>& SteeringParameters() {
  static const std::vector<Steering> steering = {
      {"manu_sensor_type", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 11},
      {"manu_mode", {0, 1, 2}, 3},
      {"manu_unit_display", {0, 1, 2}, 3},
      {"manu_pH_enabled", {0, 1}, 2},
      {"manu_relay_number", {0, 1, 2, 3, 4}, 5},
      {"manu_relay_select_relay", {0, 1, 2, 3}, 4},
      {"manu_relay_function", {1, 2, 3, 4, 5, 6, 7, 8}, 9},
      {"manu_check_select", {0, 1}, 2},
      {"manu_alarm_enable_code", {0, 82, 83, 84, 9998}, 9999},
      {"manu_s_version_enabled", {0, 1}, 2},
      {"manu_cleaning_function_enabled", {0, 1}, 2},
      {"manu_current_input_enabled", {0, 1}, 2},
  };
  return steering;
}

namespace sweep {

namespace {

// A fully equipped device: four relays, pH measurement, S version, cleaning and
// current input, relay 3 selected. Each parameter is also varied alone from here, so
// that the rules that need several of these values together are reached too.
const std::map<std::string, int>& EquippedDevice() {
  static const std::map<std::string, int> values = {
      {"manu_relay_number", 4},       {"manu_pH_enabled", 1},
      {"manu_s_version_enabled", 1},  {"manu_mode", 1},
      {"manu_cleaning_function_enabled", 1}, {"manu_current_input_enabled", 1},
      {"manu_relay_select_relay", 2},
  };
  return values;
}

}  // namespace

bool Sweep::Registered(const std::string& name) const {
  const CDDDefinition* d = m_host.Find(name);
  return d && d->getKind() == ObjectKindVariable;
}

CDDCommonVariant Sweep::Number(const std::string& name, int value) const {
  CDDCommonVariant typed = m_host.store().coerce(name, CDDCommonVariant(value));
  return typed.isEmpty() ? CDDCommonVariant(value) : typed;
}

// Text for a number and a number for a text.
CDDCommonVariant Sweep::WrongKind(const std::string& name) const {
  if (m_host.store().variableType(name) == VariableTypeString) return CDDCommonVariant(1);
  return CDDCommonVariant::text("1");
}

void Sweep::MakeDataSets() {
  std::map<std::string, Value> equipped;
  for (const auto& [name, value] : EquippedDevice())
    if (Registered(name)) equipped[name] = Number(name, value);
  for (const DataSet& base : {DataSet{"defaults", {}}, DataSet{"equipped device", equipped}}) {
    auto add = [&](const std::string& name, const std::string& variable, const Value& value) {
      DataSet set{base.name + ", " + name, base.values};
      set.values[variable] = value;
      m_dataSets.push_back(std::move(set));
    };
    m_dataSets.push_back(base);
    for (const Steering& s : SteeringParameters()) {
      if (!Registered(s.name)) continue;
      for (int v : s.domain) add(std::string(s.name) + "=" + std::to_string(v), s.name, Number(s.name, v));
      add(std::string(s.name) + "=" + std::to_string(s.outside) + " (outside)", s.name, Number(s.name, s.outside));
      add(std::string(s.name) + " missing", s.name, std::nullopt);
      add(std::string(s.name) + " of the wrong kind", s.name, WrongKind(s.name));
    }
  }
  DataSet missing{"every value missing", {}};
  DataSet wrong{"every value of the wrong kind", {}};
  for (const auto& [name, value] : m_defaults) {
    missing.values[name] = std::nullopt;
    wrong.values[name] = WrongKind(name);
  }
  m_dataSets.push_back(std::move(missing));
  m_dataSets.push_back(std::move(wrong));
}

void Sweep::Put(const std::string& name, const Value& value) {
  if (value)
    m_host.store().setValue(name, *value);
  else
    m_host.store().setNoValue(name);
}

void Sweep::Apply(const DataSet& set) {
  for (const auto& [name, value] : m_defaults) Put(name, value);
  for (const std::string& name : m_strays) m_host.store().clearValue(name);
  m_strays.clear();
  for (const auto& [name, value] : set.values) Put(name, value);
}

// Puts back what a method run changed.
void Sweep::Restore(const DataSet& set, const std::map<std::string, CDDCommonVariant>& changed) {
  for (const auto& [name, value] : changed) {
    if (auto given = set.values.find(name); given != set.values.end()) {
      Put(name, given->second);
    } else if (auto fallback = m_defaults.find(name); fallback != m_defaults.end()) {
      Put(name, fallback->second);
    } else {
      m_host.store().clearValue(name);
    }
  }
}

}  // namespace sweep
}  // namespace dtmtool
