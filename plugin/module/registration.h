// Entering the plug-in under the host's registry key.
#pragma once
#include <cstdint>
#include <string>

#include "ddlib/registry.h"

inline constexpr const char* kRegistryBase = "SOFTWARE\\Morvantic\\PB\\DTMs\\E16\\";
// The answer when the registry cannot be read or refuses a change: a failure code,
// never 0.
inline constexpr long kRegistrationFailed = static_cast<std::int32_t>(0x80004005u);

std::string RegistrationKey();
long Register(ddlib::Registry& registry, const std::string& modulePath);
long Unregister(ddlib::Registry& registry);
