// The way to the registry file and who may change it: the walk under the kernel's
// protected-symlink rule, the protected-regular rule and the owner checks.
#pragma once
#include <sys/stat.h>

#include <optional>
#include <string>

#include "handle.h"

namespace ddlib::registry {

// Where the hive lives: its folder, opened, and its name there, with the status of what
// stands at that name (nothing when the name is free).
struct Place {
  Fd folder;
  std::string name;
  std::optional<struct stat> entry;
};

// Walks the path one name at a time as the kernel would, holding each folder open, so
// that every link on the way (not only the last) meets the protected-symlink rule and
// the file is later opened, replaced and flushed in the folder that was checked. A
// missing folder on the way answers nothing; a path that names no file, or a link that
// the rule would not follow, is refused.
std::optional<Place> Walk(const std::string& path);

// Refused unless the caller may replace the file ST at PLACE by a rename: not another
// user's file in a shared sticky folder, not one with a second name, and only where
// its owner and group can be kept.
void CheckChangeable(const Place& place, const struct stat& st);

}  // namespace ddlib::registry
