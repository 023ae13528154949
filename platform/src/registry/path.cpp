#include "path.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <vector>

#include "entry.h"
#include "refusal.h"

namespace ddlib::registry {
namespace {

// As the kernel's own bound on links in one path.
constexpr int kLinkLimit = 40;

std::deque<std::string> Names(const std::string& path) {
  std::deque<std::string> names;
  std::size_t from = 0;
  while (from <= path.size()) {
    std::size_t to = std::min(path.find('/', from), path.size());
    if (to > from) names.push_back(path.substr(from, to - from));
    from = to + 1;
  }
  return names;
}

[[noreturn]] void Lost(int error) { Refuse("cannot follow the registry file's path", error); }

[[noreturn]] void Slashed() { Refuse("the registry file's path ends in a slash", ENOTDIR); }

Fd Start(bool absolute) {
  Fd folder = WalkFrom(absolute);
  if (!folder) Lost(errno);
  return folder;
}

std::string LinkTarget(int link) {
  std::string target(256, '\0');
  for (;;) {
    ssize_t n = ::readlinkat(link, "", target.data(), target.size());
    if (n < 0) Refuse("cannot read a link on the registry file's path", errno);
    if (static_cast<std::size_t>(n) < target.size()) return target.substr(0, static_cast<std::size_t>(n));
    target.resize(target.size() * 2);
  }
}

struct stat FolderStatus(int folder) {
  struct stat st {};
  if (::fstat(folder, &st) != 0) Refuse("cannot open the registry file's folder", errno);
  return st;
}

// Who may have planted a name in a sticky folder: the kernel's protected-symlink rule
// counts only a world-writable one (as /tmp is), its protected-regular rule at its
// strictest a group-writable one too.
enum class Shared : mode_t { ForLinks = S_IWOTH, ForFiles = S_IWOTH | S_IWGRP };

// In such a folder only what belongs to the caller or to the folder's owner is trusted.
bool Planted(const struct stat& folder, uid_t owner, Shared writable) {
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & static_cast<mode_t>(writable));
  return shared && owner != ::geteuid() && owner != folder.st_uid;
}

void CheckNotPlanted(const struct stat& folder, uid_t owner, Shared writable, const std::string& what) {
  if (Planted(folder, owner, writable)) Refuse(what + " belongs to another user in a shared sticky folder");
}

// The changed file gets the old one's owner and group, which only root may give away;
// anyone else must own the file, and belong to its group or find it the group that the
// folder gives every new file (set-group-id), as it gave the file.
void CheckOwnerKept(const struct stat& st, const struct stat& folder) {
  if (::geteuid() == 0) return;
  bool member = st.st_gid == ::getegid() || ((folder.st_mode & S_ISGID) && folder.st_gid == st.st_gid);
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
  int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
  for (int i = 0; i < count && !member; ++i) member = groups[static_cast<std::size_t>(i)] == st.st_gid;
  if (st.st_uid != ::geteuid() || !member)
    Refuse(std::string(kOwnerNotKept) + ": only its owner, in its group, or root may change it");
}

}  // namespace

std::optional<Place> Walk(const std::string& path) {
  // A name followed by a slash names a folder, as the kernel takes it.
  const bool folderOnly = !path.empty() && path.back() == '/';
  std::deque<std::string> names = Names(path);
  Fd folder = Start(!path.empty() && path[0] == '/');
  int links = 0;
  while (!names.empty()) {
    std::string name = std::move(names.front());
    names.pop_front();
    Fd entry = PathAt(folder.get(), name);
    if (!entry && errno == ENOENT) {
      if (!names.empty()) return std::nullopt;
      if (folderOnly) Slashed();
      return Place{std::move(folder), name, std::nullopt};
    }
    struct stat st {};
    if (!entry || ::fstat(entry.get(), &st) != 0) Lost(errno);
    if (S_ISLNK(st.st_mode)) {
      if (++links > kLinkLimit) Refuse("the registry file's path has more than " + std::to_string(kLinkLimit) + " links");
      CheckNotPlanted(FolderStatus(folder.get()), st.st_uid, Shared::ForLinks,
                      "the link " + name + " on the registry file's path");
      std::string target = LinkTarget(entry.get());
      std::deque<std::string> more = Names(target);
      names.insert(names.begin(), more.begin(), more.end());
      if (!target.empty() && target[0] == '/') folder = Start(true);
      if (names.empty()) break;  // a link to "/"
      continue;
    }
    if (names.empty() && name != "." && name != "..") {
      if (folderOnly && !S_ISDIR(st.st_mode)) Slashed();
      return Place{std::move(folder), name, st};
    }
    if (!S_ISDIR(st.st_mode)) Refuse("a name on the registry file's path is not a folder");
    folder = std::move(entry);
  }
  RefuseIrregular(kFile);  // "/", "", or a folder named by "." or ".."
}

void CheckChangeable(const Place& place, const struct stat& st) {
  const struct stat folder = FolderStatus(place.folder.get());
  CheckNotPlanted(folder, st.st_uid, Shared::ForFiles, kFile);
  CheckOneLink(st, kFile);
  CheckOwnerKept(st, folder);
}

}  // namespace ddlib::registry
