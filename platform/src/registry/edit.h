// An edit applied to the keys in memory: no I/O, so the whole of it can be tried before
// anything is locked or written.
#pragma once
#include <cstddef>
#include <string>

#include "ddlib/registry.h"

namespace ddlib::registry {

// The real registry's bounds, in characters: levels of a key, characters of one key
// name, characters of a value name.
inline constexpr std::size_t kKeyDepthLimit = 512, kKeyNameLimit = 255, kValueNameLimit = 16383;

// A key's path as the hive keeps it: no empty names, so no leading, doubled or trailing
// backslash.
std::string Normalise(const std::string& path);

// Applies the edit's steps in order to KEYS and answers whether they changed anything.
// A step past the bounds refuses the edit before any is applied; a step that the single
// operation would refuse refuses it after the steps before it, with KEYS then partly
// edited (a Refusal either way).
bool Edit(RegistryKeys& keys, const RegistryEdit& edit);

}  // namespace ddlib::registry
