#include "module/registration.h"

#include "module/information.h"

namespace {
constexpr const char* kTechnicalDescription = "PROFIBUS PA chlorine and pH/redox analyser";
}  // namespace

std::string RegistrationKey() { return std::string(kRegistryBase) + kDeviceTypeText; }

long Register(ddlib::Registry& registry, const std::string& modulePath) {
  const std::string key = RegistrationKey();
  std::optional<ddlib::RegistryKeys> before = registry.snapshot();
  if (!before || !registry.createKey(key)) return kRegistrationFailed;
  bool ok = registry.setString(key, "DLLPATH", modulePath) && registry.setString(key, "Description", kDeviceTypeText) &&
            registry.setString(key, "TechnicalDescription", kTechnicalDescription) &&
            registry.setNumber(key, "BottomBarStyle", 1) &&
            registry.setNumber(key, "WriteNotAvailableVariablesToDevice", 1);
  if (ok) return 0;
  // Leave no half-written key behind; a key that was there before stays.
  if (!before->count(key)) registry.deleteKey(key);
  return kRegistrationFailed;
}

// Deletes the device's key only: parent keys may belong to the host or to other
// devices, and an empty vendor key left behind is harmless.
long Unregister(ddlib::Registry& registry) {
  const std::string key = RegistrationKey();
  if (registry.deleteKey(key)) return 0;
  // Refused: success only where the registry reads and the key is not there.
  std::optional<ddlib::RegistryKeys> keys = registry.snapshot();
  return keys && !keys->count(key) ? 0 : kRegistrationFailed;
}
