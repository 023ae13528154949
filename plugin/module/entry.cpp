// The plug-in's exported entry points.
#include <array>
#include <new>

#include "module/calculator.h"
#include "module/information.h"
#include "module/module_path.h"
#include "module/registration.h"

namespace {
// Category 3 marks the GSD variables (641..659); every other object has 0.
constexpr std::array<std::uint16_t, kTableSize> MakeDataCategories() {
  std::array<std::uint16_t, kTableSize> table{};
  for (int n = 641; n <= 659; ++n) table[n] = 3;
  return table;
}
constexpr std::array<std::uint16_t, kTableSize> kDataCategories = MakeDataCategories();
}  // namespace

extern "C" {

IDeviceAttributeCalculation* GetAttributeCalculation() {
  return new (std::nothrow) CDeviceAttributeCalculation();
}

IDeviceInformation* GetInformation() { return new (std::nothrow) CDeviceInformation(); }

void GetAttributeCalcDataCategory(const std::uint16_t** table, long* count) {
  if (table) *table = kDataCategories.data();
  if (count) *count = static_cast<long>(kDataCategories.size());
}

// C entry points: no exception may reach the host through them.
long DllRegisterServer() {
  try {
    ddlib::Registry* registry = ddlib::LocalMachineRegistry();
    return registry ? Register(*registry, GetModulePath().full) : kRegistrationFailed;
  } catch (...) {
    return kRegistrationFailed;
  }
}

long DllUnregisterServer() {
  try {
    ddlib::Registry* registry = ddlib::LocalMachineRegistry();
    return registry ? Unregister(*registry) : kRegistrationFailed;
  } catch (...) {
    return kRegistrationFailed;
  }
}
}
