// The atomic replace: the new content in a copy that has the file's attributes, renamed
// over the file.
#pragma once
#include <optional>
#include <string>

#include "ddlib/registry.h"
#include "entry.h"
#include "lock.h"
#include "path.h"

namespace ddlib::registry {

// Writes KEYS in place of FILE (none: a new file) under LOCK. Answers an empty text, or
// once the change is in place, why it may not survive a power loss; throws LockLost
// where the lock or the file changed hands before the rename.
std::string Save(const Place& place, const std::optional<Opened>& file, const RegistryKeys& keys, const Lock& lock);

}  // namespace ddlib::registry
