// Requests for manufacturer parameters through a host that loads the plug-in: set the
// store's values, ask for a variable, and look at its attributes and at what it read.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dtmhost/host.h"
#include "support/plugin_host.h"

class ParameterRequests : public testsupport::PluginHostTest {
 protected:
  using Names = std::vector<std::string>;

  void Set(const char* name, const CDDCommonVariant& value) { host->store().setValue(name, value); }

  // A filled variable; every value copy of the request must be gone when it returns.
  std::unique_ptr<CDDVariable> Request(const std::string& name) {
    std::unique_ptr<CDDObject> object = host->Request(name);
    EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0) << name;
    auto* variable = dynamic_cast<CDDVariable*>(object.get());
    if (!variable) {
      ADD_FAILURE() << name << " is not a variable";
      return nullptr;
    }
    EXPECT_TRUE(variable->getAttributesAvailable()) << name;
    object.release();
    return std::unique_ptr<CDDVariable>(variable);
  }

  const Names& Reads() const { return host->store().readOrder(); }

  // Kind and value, doubles shortened: "int 0", "double 0.1", "none".
  static std::string Show(const std::optional<CDDCommonVariant>& value) {
    if (!value) return "none";
    if (value->kind() != CDDCommonVariant::Kind::Double) return ddlib::describe(*value);
    char text[32];
    std::snprintf(text, sizeof text, "double %g", value->getDouble());
    return text;
  }
  static std::string Default(const CDDVariable& v) { return Show(v.typeInfo()->getDefaultValue()); }
  static std::string Min(const CDDVariable& v) { return Show(Range0(v).min); }
  static std::string Max(const CDDVariable& v) { return Show(Range0(v).max); }
  static std::string Display(const CDDVariable& v) { return v.typeInfo()->getDisplayFormat().value_or("none"); }
  static std::string Edit(const CDDVariable& v) { return v.typeInfo()->getEditFormat().value_or("none"); }
  static bool Writable(const CDDVariable& v) { return v.getHandling(HandlingWrite); }

  // Offered enumerators as "value description", in set order.
  static Names Enumerators(const CDDVariable& v) {
    Names offered;
    for (const CDDEnumerator& e : v.typeInfo()->enumerators().entries())
      offered.push_back(std::to_string(e.getValue()) + " " + e.getDescription().substr(0, e.getDescription().find("  |")));
    return offered;
  }

  // Every attribute but label and help, for comparing two variables.
  static std::string Attributes(const CDDVariable& v) {
    const CDDType& t = *v.typeInfo();
    std::string all = "class " + std::to_string(v.classInfo().mask()) + " unit " + v.getConstantUnit().value_or("-") +
                      " type " + std::to_string(t.getType()) + " size " + std::to_string(t.getSize().value_or(-1)) +
                      " display " + Display(v) + " edit " + Edit(v) + " ranges " +
                      std::to_string(t.getMaxRangeNo().value_or(-2)) + " default " + Default(v) + " min " + Min(v) +
                      " max " + Max(v) + " R " + std::to_string(v.getHandling(HandlingRead)) + " W " +
                      std::to_string(Writable(v));
    for (const std::string& e : Enumerators(v)) all += " {" + e + "}";
    return all;
  }

 private:
  static CDDType::Range Range0(const CDDVariable& v) {
    for (const auto& [index, range] : v.typeInfo()->getRanges())
      if (index == 0) return range;
    return {};
  }
};
