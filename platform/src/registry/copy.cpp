#include "copy.h"

#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <vector>

#include "entry.h"
#include "refusal.h"

namespace ddlib::registry {
namespace {

constexpr std::size_t kRandomLetters = 6;

std::string Prefix(const std::string& file) { return "." + file + ".tmp-"; }

bool IsCopyName(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + kRandomLetters || entry.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

}  // namespace

Copy::Copy(const Place& place, mode_t mode) : m_place(place) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  const int folder = place.folder.get();
  int error = EEXIST;  // every name tried was taken
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = Prefix(place.name);
    for (std::size_t i = 0; i < kRandomLetters; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    Fd fd = CreateAt(folder, name, O_WRONLY, mode);
    if (!fd && errno == EEXIST) continue;
    if (!fd) {
      error = errno;
      break;
    }
    // One that another process holds or removed first is left (removed, where it is
    // still ours) for a new name.
    struct stat st {};
    const bool ours = ::fstat(fd.get(), &st) == 0 && StillNames(folder, name, st);
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      const int locking = errno;
      if (ours) ::unlinkat(folder, name.c_str(), 0);
      if (locking == EWOULDBLOCK) continue;
      Refuse("cannot lock a temporary file beside the registry file", locking);
    }
    if (ours && StillNames(folder, name, st)) {
      m_name = std::move(name);
      m_fd = std::move(fd);
      return;
    }
  }
  Refuse("cannot create a temporary file beside the registry file", error);
}

Copy::~Copy() {
  if (!m_placed) ::unlinkat(m_place.folder.get(), m_name.c_str(), 0);
}

void Copy::Rename() {
  const int folder = m_place.folder.get();
  if (::renameat(folder, m_name.c_str(), folder, m_place.name.c_str()) != 0)
    Refuse("cannot replace the registry file", errno);
  m_placed = true;
}

// A writer holds a lock on its copy while it lives, so a copy is stale only when its
// lock can be taken (a change let in beside another, its lock file removed, keeps its
// copy).
void RemoveStaleCopies(const Place& place, uid_t owner) {
  const int folder = place.folder.get();
  Fd fd = OpenFolder(folder);
  Dir dir(fd ? ::fdopendir(fd.get()) : nullptr);
  if (!dir) return;
  fd.release();  // the stream closes it
  const std::string prefix = Prefix(place.name);
  std::vector<std::string> stale;
  while (dirent* entry = ::readdir(dir.get())) {
    struct stat st {};
    if (IsCopyName(entry->d_name, prefix) && ::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode) && st.st_nlink == 1 && (st.st_uid == owner || st.st_uid == ::geteuid()))
      stale.push_back(entry->d_name);
  }
  for (const std::string& name : stale) {
    Fd copy = OpenAt(folder, name, O_RDONLY);
    struct stat st {};
    if (copy && ::flock(copy.get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(copy.get(), &st) == 0 &&
        StillNames(folder, name, st))
      ::unlinkat(folder, name.c_str(), 0);
  }
}

}  // namespace ddlib::registry
