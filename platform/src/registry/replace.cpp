#include "replace.h"

#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "copy.h"
#include "refusal.h"
#include "testing.h"

namespace ddlib {
namespace {

std::function<void(RegistryCopyStage, int)>& CopyHook() {
  static std::function<void(RegistryCopyStage, int)> hook;
  return hook;
}

}  // namespace

void SetRegistryCopyHook(std::function<void(RegistryCopyStage, int)> hook) { CopyHook() = std::move(hook); }

namespace registry {
namespace {

[[noreturn]] void NotWritten(int error) { Refuse("cannot write the registry file", error); }

[[noreturn]] void AttributesNotKept(int error) {
  Refuse("the registry file's ACL and extended attributes could not be kept", error);
}

void Stage(RegistryCopyStage stage, const Copy& copy) {
  if (CopyHook()) CopyHook()(stage, copy.fd());
}

struct stat Status(int file) {
  struct stat st {};
  if (::fstat(file, &st) != 0) Refuse(kCannotRead, errno);
  return st;
}

// The names of a file's extended attributes (its ACL among them); none where the file
// system keeps none.
std::vector<std::string> AttributeNames(int fd) {
  for (;;) {
    ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0 && (errno == ENOTSUP || errno == EOPNOTSUPP)) return {};
    if (size < 0) AttributesNotKept(errno);
    std::string list(static_cast<std::size_t>(size), '\0');
    size = ::flistxattr(fd, list.data(), list.size());
    if (size < 0 && errno == ERANGE) continue;  // grown meanwhile
    if (size < 0) AttributesNotKept(errno);
    std::vector<std::string> names;
    for (std::size_t from = 0; from < static_cast<std::size_t>(size);) {
      std::size_t end = std::min(list.find('\0', from), static_cast<std::size_t>(size));
      if (end > from) names.push_back(list.substr(from, end - from));
      from = end + 1;
    }
    return names;
  }
}

// Nothing when the attribute is gone.
std::optional<std::string> AttributeValue(int fd, const std::string& name) {
  for (;;) {
    ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
    if (size < 0 && errno == ENODATA) return std::nullopt;
    if (size < 0) AttributesNotKept(errno);
    std::string value(static_cast<std::size_t>(size), '\0');
    size = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
    if (size < 0 && errno == ERANGE) continue;  // grown meanwhile
    if (size < 0 && errno == ENODATA) return std::nullopt;
    if (size < 0) AttributesNotKept(errno);
    value.resize(static_cast<std::size_t>(size));
    return value;
  }
}

void KeepOwner(const struct stat& st, int copy) {
  if (::fchown(copy, st.st_uid, st.st_gid) != 0) Refuse(kOwnerNotKept, errno);
}

// The file's ACL and extended attributes, and none that the copy has and the file lacks
// (the folder's default ACL).
void KeepAttributes(int file, int copy) {
  std::vector<std::string> wanted = AttributeNames(file);
  for (const std::string& name : AttributeNames(copy))
    if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(copy, name.c_str()) != 0 &&
        errno != ENODATA)
      AttributesNotKept(errno);
  for (const std::string& name : wanted) {
    std::optional<std::string> value = AttributeValue(file, name);
    if (!value || AttributeValue(copy, name) == value) continue;
    if (::fsetxattr(copy, name.c_str(), value->data(), value->size(), 0) != 0) AttributesNotKept(errno);
  }
}

// Never set-id bits. Last: on a file with an ACL the mode sets the ACL's mask, which
// then equals the file's.
void KeepMode(const struct stat& st, int copy) {
  if (::fchmod(copy, st.st_mode & 0777) != 0) NotWritten(errno);
}

void Keep(int file, const struct stat& st, int copy) {
  KeepOwner(st, copy);
  KeepAttributes(file, copy);
  KeepMode(st, copy);
}

void WriteAndFlush(int fd, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) NotWritten(n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) NotWritten(errno);
}

bool SameAttributes(const struct stat& a, const struct stat& b) {
  return a.st_uid == b.st_uid && a.st_gid == b.st_gid && a.st_mode == b.st_mode && a.st_nlink == b.st_nlink &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// An owner's chmod, chown or ACL change made while the copy was written is taken again,
// so what the file has just before the rename is kept; only a change between this last
// look and the rename is undone.
void LastLook(int file, struct stat kept, int copy) {
  for (int again = 0; again < 10; ++again) {
    const struct stat now = Status(file);
    if (SameAttributes(now, kept)) return;
    CheckOneLink(now, kFile);
    kept = now;
    Keep(file, kept, copy);
    if (::fsync(copy) != 0) NotWritten(errno);
  }
}

// A lock file removed under this change may have let another writer in: start again
// rather than replace what it may have written since the file was read. Only a removal
// and another writer's whole change within the next few calls can still cross.
void CheckStillLocked(const Place& place, const std::optional<Opened>& file, const Lock& lock) {
  const int folder = place.folder.get();
  const bool same = file ? StillNames(folder, place.name, file->st) : Missing(folder, place.name);
  if (!lock.Held() || !same) throw LockLost{};
}

// Room for the warning below, taken before the rename: after it, a memory failure
// would report as failed a change that was made.
constexpr std::size_t kWarningRoom = 160;

// FOLDER flushed, where it could be opened; else the whole file system, which the copy
// is on. A file system that cannot flush folders says EINVAL: there is nothing more to do.
std::string FlushFolder(const Fd& folder, int copy, std::string warning) {
  if (folder ? ::fsync(folder.get()) == 0 || errno == EINVAL : ::syncfs(copy) == 0) return warning;
  const int error = errno;
  warning += "the change is in place but may not survive a power loss (";
  warning += std::strerror(error);
  warning += ')';
  return warning;
}

}  // namespace

std::string Save(const Place& place, const std::optional<Opened>& file, const RegistryKeys& keys, const Lock& lock) {
  const std::string bytes = FormatRegistryFile(keys);
  CheckSize(static_cast<long long>(bytes.size()), true);  // a larger file could be read by nobody
  RemoveStaleCopies(place, file ? file->st.st_uid : ::geteuid());
  Copy copy(place, file ? 0600 : 0666);
  Stage(RegistryCopyStage::Created, copy);
  struct stat kept {};
  if (file) {
    kept = Status(file->fd.get());
    Keep(file->fd.get(), kept, copy.fd());
  }
  WriteAndFlush(copy.fd(), bytes);
  Stage(RegistryCopyStage::Flushed, copy);
  if (file) LastLook(file->fd.get(), kept, copy.fd());
  // What can flush the folder is settled before the rename: the folder itself, or
  // where the caller may not read it, the whole file system.
  const Fd folder = OpenFolder(place.folder.get());
  CheckStillLocked(place, file, lock);
  std::string warning;
  warning.reserve(kWarningRoom);
  copy.Rename();
  return FlushFolder(folder, copy.fd(), std::move(warning));
}

}  // namespace registry
}  // namespace ddlib
