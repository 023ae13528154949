#include "module/registration.h"

#include "module/information.h"

namespace {
constexpr const char* kTechnicalDescription = "PROFIBUS PA chlorine and pH/redox analyser";
}  // namespace

std::string RegistrationKey() { return std::string(kRegistryBase) + kDeviceTypeText; }

// The key and all its values in one registry change: a reader or a crash sees the
// registry before or after it, so nothing is ever rolled back.
long Register(ddlib::Registry& registry, const std::string& modulePath) {
  const std::string key = RegistrationKey();
  ddlib::RegistryEdit edit;
  edit.createKey(key)
      .setString(key, "DLLPATH", modulePath)
      .setString(key, "Description", kDeviceTypeText)
      .setString(key, "TechnicalDescription", kTechnicalDescription)
      .setNumber(key, "BottomBarStyle", 1)
      .setNumber(key, "WriteNotAvailableVariablesToDevice", 1);
  return registry.apply(edit) ? 0 : kRegistrationFailed;
}

// Deletes the device's key only: parent keys may belong to the host or to other
// devices, and an empty vendor key left behind is harmless. Whether there was a key is
// settled inside the one change, so a registration beside it cannot change the answer.
long Unregister(ddlib::Registry& registry) {
  return registry.apply(ddlib::RegistryEdit().deleteKeyIfPresent(RegistrationKey())) ? 0 : kRegistrationFailed;
}
