#include "lock.h"

#include <sys/file.h>

#include <cerrno>
#include <thread>

#include "entry.h"
#include "refusal.h"

namespace ddlib::registry {
namespace {

constexpr std::chrono::milliseconds kPause{10};

std::string Duration(std::chrono::milliseconds wait) {
  return wait.count() % 1000 ? std::to_string(wait.count()) + " ms" : std::to_string(wait.count() / 1000) + " s";
}

}  // namespace

Lock::Lock(const Place& place, std::chrono::milliseconds wait)
    : m_folder(place.folder.get()),
      m_file(place.name),
      m_name("." + place.name + ".lock"),
      m_what("the registry's lock file " + m_name) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (Try last = Take(); last != Try::Taken; last = Take()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      if (last == Try::Foreign) Refuse(m_what + " belongs to another user (waited " + Duration(wait) + ")");
      Refuse("the registry file is locked by another process (waited " + Duration(wait) + ")");
    }
    std::this_thread::sleep_for(kPause);
  }
}

Lock::~Lock() {
  if (Missing(m_folder, m_file) && Held()) ::unlinkat(m_folder, m_name.c_str(), 0);
}

bool Lock::Held() const { return StillNames(m_folder, m_name, m_st); }

// The lock's owner follows the file's, so that its owner can take it after root gave
// the file away; only root can hand it over.
void Lock::Follow(const struct stat& file) {
  if (::geteuid() == 0 && m_st.st_uid != file.st_uid && ::fchown(m_fd.get(), file.st_uid, file.st_gid) == 0)
    m_st.st_uid = file.st_uid;
  CheckTrusted(file);
}

// One try, without waiting: Foreign where the lock file is not the caller's to take
// yet (being handed to the file's owner, or made by another user who is creating the
// file), Busy where another process holds it or it went meanwhile.
Lock::Try Lock::Take() {
  Fd fd = Open();
  if (!fd) return Try::Foreign;
  CheckRegular(m_st, m_what);
  if (m_st.st_nlink == 0) return Try::Busy;  // removed meanwhile
  CheckOneLink(m_st, m_what);
  struct stat file {};
  if (::fstatat(m_folder, m_file.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0)
    CheckTrusted(file);
  else if (m_st.st_uid != ::geteuid())
    return Try::Foreign;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) Refuse("cannot lock the registry's lock file", errno);
    return Try::Busy;
  }
  // A lock file removed while it was being taken guards nothing.
  if (!Held()) return Try::Busy;
  m_fd = std::move(fd);
  return Try::Taken;
}

// The lock file, made where missing, with its status in m_st; nothing where the caller
// may not open it. What is not a regular file is never opened (opening a device may act
// on it).
Fd Lock::Open() {
  for (;;) {
    struct stat st {};
    if (::fstatat(m_folder, m_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) CheckRegular(st, m_what);
    Fd fd = OpenAt(m_folder, m_name, O_RDWR);
    if (!fd && (errno == EACCES || errno == EPERM)) return fd;
    if (!fd && errno == ELOOP) RefuseIrregular(m_what);
    if (!fd && errno == ENOENT) {
      fd = Create();
      if (!fd) continue;  // another process made one first
    }
    if (!fd || ::fstat(fd.get(), &m_st) != 0) Refuse("cannot open the registry's lock file", errno);
    return fd;
  }
}

// A new lock file for its owner alone, whatever the umask, and as root already the
// file's owner's; nothing where another process made one first.
Fd Lock::Create() {
  Fd fd = CreateAt(m_folder, m_name, O_RDWR, 0600);
  if (!fd && errno == EEXIST) return fd;
  struct stat file {};
  int error = !fd ? errno : ::fchmod(fd.get(), 0600) != 0 ? errno : 0;
  if (!error && ::geteuid() == 0 && ::fstatat(m_folder, m_file.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0 &&
      ::fchown(fd.get(), file.st_uid, file.st_gid) != 0)
    error = errno;
  if (!error) return fd;
  if (fd) ::unlinkat(m_folder, m_name.c_str(), 0);
  Refuse("cannot create the registry's lock file", error);
}

// Trusted only where it belongs to the caller or to the file's owner.
void Lock::CheckTrusted(const struct stat& file) const {
  if (m_st.st_uid != ::geteuid() && m_st.st_uid != file.st_uid)
    Refuse(m_what + " belongs to another user, so it is not trusted");
}

}  // namespace ddlib::registry
