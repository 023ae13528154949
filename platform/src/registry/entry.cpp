#include "entry.h"

#include <cerrno>

#include "ddlib/registry.h"
#include "refusal.h"

namespace ddlib::registry {

void RefuseIrregular(const std::string& what) { Refuse(what + " is not a regular file"); }

void CheckRegular(const struct stat& st, const std::string& what) {
  if (!S_ISREG(st.st_mode)) RefuseIrregular(what);
}

// A second name makes the file something else too: the rename of a change would leave
// the registry file's other name with the old content (the two would split), and root's
// hand-over of the lock file would give that other file away.
void CheckOneLink(const struct stat& st, const std::string& what) {
  if (st.st_nlink > 1) Refuse(what + " has another hard link, so no change is made");
}

static_assert(kRegistryFileLimit % (1 << 20) == 0, "the limit is named in MiB");

void CheckSize(long long size, bool change) {
  if (size <= kRegistryFileLimit) return;
  Refuse(std::string(change ? "the change would make the registry file" : "the registry file is") +
         " larger than the limit of " + std::to_string(kRegistryFileLimit >> 20) + " MiB");
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool StillNames(int folder, const std::string& name, const struct stat& st) {
  struct stat now {};
  return ::fstatat(folder, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(now, st);
}

bool Missing(int folder, const std::string& name) {
  struct stat st {};
  return ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

}  // namespace ddlib::registry
