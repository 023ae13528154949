#include "module/registration.h"

#include "module/information.h"

namespace {
constexpr const char* kTechnicalDescription = "PROFIBUS PA chlorine and pH/redox analyser";
// Registry keys live under the local machine's hive; the part below it is ours.
constexpr const char* kHiveRoot = "SOFTWARE";

bool IsEmptyKey(const ddlib::Registry& registry, const std::string& path) {
  auto all = registry.snapshot();
  auto key = all.find(path);
  if (key == all.end() || !key->second.empty()) return false;
  for (const auto& [other, values] : all)
    if (other.size() > path.size() && other.compare(0, path.size() + 1, path + "\\") == 0) return false;
  return true;
}
}  // namespace

std::string RegistrationKey() { return std::string(kRegistryBase) + kDeviceTypeText; }

long Register(ddlib::Registry& registry, const std::string& modulePath) {
  const std::string key = RegistrationKey();
  bool ok = registry.createKey(key) && registry.setString(key, "DLLPATH", modulePath) &&
            registry.setString(key, "Description", kDeviceTypeText) &&
            registry.setString(key, "TechnicalDescription", kTechnicalDescription) &&
            registry.setNumber(key, "BottomBarStyle", 1) &&
            registry.setNumber(key, "WriteNotAvailableVariablesToDevice", 1);
  return ok ? 0 : kRegistrationFailed;
}

long Unregister(ddlib::Registry& registry) {
  const std::string key = RegistrationKey();
  if (registry.keyExists(key) && !registry.deleteKey(key)) return kRegistrationFailed;
  // Remove the vendor path too where registration left it empty, so that register
  // followed by unregister leaves the registry as it was.
  std::string parent = key;
  for (;;) {
    std::string::size_type cut = parent.find_last_of('\\', parent.size() - 2);
    if (cut == std::string::npos) break;
    parent = parent.substr(0, cut);
    if (parent == kHiveRoot || !IsEmptyKey(registry, parent)) break;
    if (!registry.deleteKey(parent)) return kRegistrationFailed;
  }
  return 0;
}
