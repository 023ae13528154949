#include "ddlib/registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <new>
#include <random>
#include <sstream>
#include <thread>
#include <utility>

namespace ddlib {

Registry::~Registry() = default;

std::string Registry::lastMessage() const { return {}; }

RegistryEdit& RegistryEdit::createKey(const std::string& path) {
  m_steps.push_back({Kind::CreateKey, path, {}, {}});
  return *this;
}

RegistryEdit& RegistryEdit::setString(const std::string& key, const std::string& name, const std::string& value) {
  m_steps.push_back({Kind::SetValue, key, name, value});
  return *this;
}

RegistryEdit& RegistryEdit::setNumber(const std::string& key, const std::string& name, std::uint32_t value) {
  m_steps.push_back({Kind::SetValue, key, name, value});
  return *this;
}

RegistryEdit& RegistryEdit::deleteKey(const std::string& path) {
  m_steps.push_back({Kind::DeleteKey, path, {}, {}});
  return *this;
}

RegistryEdit& RegistryEdit::deleteKeyIfPresent(const std::string& path) {
  m_steps.push_back({Kind::DeleteKeyIfPresent, path, {}, {}});
  return *this;
}

namespace {

// Backslash, line feed, carriage return and '=' in names and texts are escaped (and a
// leading '[') so that any byte survives.
std::string escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '=') out += "\\e";
    else if (c == '[' && out.empty()) out += "\\[";
    else out += c;
  }
  return out;
}

std::string unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 'e' ? '=' : n;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Decimal digits only, up to 4294967295.
std::optional<std::uint32_t> ParseNumber(const std::string& s) {
  if (s.empty() || s.size() > 10) return std::nullopt;
  std::uint64_t n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (n > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(n);
}

std::string normalise(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

// Why an operation fails: thrown inside the file registry, answered as false with the
// reason kept for lastMessage.
struct Refusal {
  std::string why;
};

// The lock was lost before the change was in place: it starts again, so many times.
struct LockLost {};
constexpr int kLockLostTries = 20;

[[noreturn]] void Refuse(std::string why) { throw Refusal{std::move(why)}; }
[[noreturn]] void Refuse(const std::string& what, int error) { Refuse(what + " (" + std::strerror(error) + ")"); }

// A file descriptor that closes itself.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : m_fd(fd) {}
  Fd(Fd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    std::swap(m_fd, other.m_fd);
    return *this;
  }
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }
  explicit operator bool() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

// Where the hive lives: its folder, opened, and its name there, with the status of what
// stands at that name (nothing when the name is free).
struct Place {
  Fd folder;
  std::string name;
  std::optional<struct stat> entry;
};

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

// Whether the kernel's protected-symlink rule would follow this link: not where its
// folder is sticky and world-writable (as /tmp is), unless the link belongs to the
// caller or to the folder's owner. Another user's link planted there is refused.
bool MayFollow(int folder, const struct stat& link) {
  struct stat dir {};
  if (::fstat(folder, &dir) != 0) return false;
  bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
  return !shared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
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

// Walks the path one name at a time as the kernel would, holding each folder open, so
// that every link on the way (not only the last) meets the protected-symlink rule and
// the file is later opened, replaced and flushed in the folder that was checked. A
// missing folder on the way answers nothing.
std::optional<Place> Walk(const std::string& path) {
  std::deque<std::string> names = Names(path);
  // A name followed by a slash names a folder, as the kernel takes it.
  const bool folderOnly = !path.empty() && path.back() == '/';
  Fd folder(::open(!path.empty() && path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!folder) Refuse("cannot open the registry file's folder", errno);
  int links = 0;
  while (!names.empty()) {
    std::string name = std::move(names.front());
    names.pop_front();
    Fd entry(::openat(folder.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!entry) {
      if (errno != ENOENT) Refuse("cannot follow the registry file's path", errno);
      if (!names.empty()) return std::nullopt;
      if (folderOnly) Refuse("the registry file's path ends in a slash", ENOTDIR);
      return Place{std::move(folder), name, std::nullopt};
    }
    if (::fstat(entry.get(), &st) != 0) Refuse("cannot follow the registry file's path", errno);
    if (S_ISLNK(st.st_mode)) {
      if (++links > 40) Refuse("the registry file's path has too many links");
      if (!MayFollow(folder.get(), st))
        Refuse("the link " + name + " on the registry file's path belongs to another user in a shared sticky folder");
      std::string target = LinkTarget(entry.get());
      std::deque<std::string> more = Names(target);
      names.insert(names.begin(), more.begin(), more.end());
      if (!target.empty() && target[0] == '/') folder = Fd(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
      if (names.empty()) Refuse("the registry file is not a regular file");  // a link to "/"
      continue;
    }
    if (names.empty() && name != "." && name != "..") {
      if (folderOnly && !S_ISDIR(st.st_mode)) Refuse("the registry file's path ends in a slash", ENOTDIR);
      return Place{std::move(folder), name, st};
    }
    if (!S_ISDIR(st.st_mode)) Refuse(names.empty() ? "the registry file is not a regular file" : "a name on the registry file's path is not a folder");
    folder = std::move(entry);
  }
  Refuse("the registry file is not a regular file");  // "/" or ""
}

// The file opened for reading, and for writing where a change needs it; the type and
// size are checked on what was opened. A name that stands for anything but a regular
// file is never opened (opening a device may act on it), never through a link put there
// since the walk, and never in a way that blocks, as opening a FIFO would. Nothing when
// the file does not exist.
struct Opened {
  Fd fd;
  struct stat st;
};

std::optional<Opened> Open(const Place& place, bool write) {
  if (place.entry && !S_ISREG(place.entry->st_mode)) Refuse("the registry file is not a regular file");
  Fd fd(::openat(place.folder.get(), place.name.c_str(), (write ? O_RDWR : O_RDONLY) | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd && errno == ENOENT) return std::nullopt;
  if (!fd && errno == EACCES && write) Refuse("the registry file may not be written by this user");
  if (!fd && errno == ELOOP) Refuse("the registry file is not a regular file");
  if (!fd) Refuse("cannot open the registry file", errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) Refuse("cannot open the registry file", errno);
  if (!S_ISREG(st.st_mode)) Refuse("the registry file is not a regular file");
  if (st.st_size > kRegistryFileLimit) Refuse("the registry file is larger than the limit of 16 MiB");
  return Opened{std::move(fd), st};
}

RegistryKeys Read(const Opened& file) {
  std::string bytes;
  char buffer[8192];
  for (;;) {
    ssize_t n = ::pread(file.fd.get(), buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Refuse("cannot read the registry file", errno);
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (static_cast<long long>(bytes.size()) > kRegistryFileLimit) Refuse("the registry file is larger than the limit of 16 MiB");
  }
  std::optional<RegistryKeys> keys = ParseRegistryFile(bytes);
  if (!keys) Refuse("the registry file is not in the registry's form");
  return std::move(*keys);
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
    Refuse("the registry file's owner and group could not be kept: only its owner, in its group, or root may change it");
}

// What an existing file must be for a change to replace it. In a shared sticky folder
// (world-writable, as /tmp is) another user may have planted it where the caller
// expects its own: refused as the kernel's protected-regular rule at its strictest
// would. A second name would keep the old content after the rename, so the two would
// split.
void CheckChangeable(const Place& place, const struct stat& st) {
  struct stat folder {};
  if (::fstat(place.folder.get(), &folder) != 0) Refuse("cannot open the registry file's folder", errno);
  if ((folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH) && st.st_uid != ::geteuid() && st.st_uid != folder.st_uid)
    Refuse("the registry file belongs to another user in a shared sticky folder, so it is not changed");
  if (st.st_nlink > 1) Refuse("the registry file has another hard link, so it is not changed (the two would split)");
  CheckOwnerKept(st, folder);
}

// The real registry's bounds, checked before anything is built.
constexpr std::size_t kKeyDepthLimit = 512, kKeyNameLimit = 255, kValueNameLimit = 16383;

void CheckLimits(const RegistryEdit::Step& step) {
  std::size_t depth = 1, name = 0;
  for (char c : step.key) {
    if (c != '\\') {
      if (++name > kKeyNameLimit) Refuse("a key name is longer than 255 characters");
    } else if (name > 0) {
      name = 0;
      if (++depth > kKeyDepthLimit) Refuse("a key is deeper than 512 levels");
    }
  }
  if (step.name.size() > kValueNameLimit) Refuse("a value name is longer than 16383 characters");
}

// One step of an edit on the loaded hive; refused with the reason.
void ApplyStep(RegistryKeys& keys, const RegistryEdit::Step& step) {
  std::string p = normalise(step.key);
  if (p.empty()) Refuse("a key needs a name");
  auto found = keys.find(p);
  switch (step.kind) {
    case RegistryEdit::Kind::CreateKey:
      for (std::size_t pos = 0; pos != std::string::npos;) {
        pos = p.find('\\', pos + 1);
        keys[p.substr(0, pos)];
      }
      return;
    case RegistryEdit::Kind::SetValue:
      if (found == keys.end()) Refuse("there is no key " + p);  // values go into existing keys only
      found->second[step.name] = step.value;
      return;
    case RegistryEdit::Kind::DeleteKey:
    case RegistryEdit::Kind::DeleteKeyIfPresent:
      if (found == keys.end() && step.kind == RegistryEdit::Kind::DeleteKeyIfPresent) return;
      if (found == keys.end()) Refuse("there is no key " + p);
      if (auto sub = keys.lower_bound(p + "\\"); sub != keys.end() && sub->first.rfind(p + "\\", 0) == 0)
        Refuse("the key " + p + " has subkeys, so it is not deleted");
      keys.erase(found);
      return;
  }
}

// Applies the edit; whether it changed anything.
bool Edit(RegistryKeys& keys, const RegistryEdit& edit) {
  for (const RegistryEdit::Step& step : edit.steps()) CheckLimits(step);
  RegistryKeys before = keys;
  for (const RegistryEdit::Step& step : edit.steps()) ApplyStep(keys, step);
  return keys != before;
}

std::string Duration(std::chrono::milliseconds wait) {
  return wait.count() % 1000 ? std::to_string(wait.count()) + " ms" : std::to_string(wait.count() / 1000) + " s";
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Whether NAME in FOLDER still names the file that ST describes: not removed or
// replaced since.
bool StillNames(int folder, const std::string& name, const struct stat& st) {
  struct stat now {};
  return ::fstatat(folder, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(now, st);
}

bool Missing(int folder, const std::string& name) {
  struct stat st {};
  return ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

// The lock that changes wait for: ".NAME.lock" beside the file, readable and writable by
// its owner alone and owned by the file's owner, so only those who may change the file
// (its owner and root) can open it and so lock it; a reader of the file cannot. It stays
// while the file exists; a change that leaves no file removes it, so it never locks out
// the next user to create the file.
class Lock {
 public:
  Lock(const Place& place, std::chrono::milliseconds wait)
      : m_folder(place.folder.get()), m_file(place.name), m_name("." + place.name + ".lock") {
    auto deadline = std::chrono::steady_clock::now() + wait;
    bool foreign = false;  // the last try met another user's lock file
    auto waited = [&] {
      if (std::chrono::steady_clock::now() < deadline) return;
      if (foreign) Refuse("the registry's lock file " + m_name + " belongs to another user (waited " + Duration(wait) + ")");
      Refuse("the registry file is locked by another process (waited " + Duration(wait) + ")");
    };
    for (;; waited(), std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
      foreign = false;
      Fd fd = Open();
      if (!fd) {  // not ours to open: being handed to the file's owner, or another user's
        foreign = true;
        continue;
      }
      if (::fstat(fd.get(), &m_st) != 0) Refuse("cannot open the registry's lock file", errno);
      if (!S_ISREG(m_st.st_mode)) Refuse("the registry's lock file " + m_name + " is not a regular file");
      if (m_st.st_nlink != 1) {
        if (m_st.st_nlink == 0) continue;  // removed meanwhile
        Refuse("the registry's lock file " + m_name + " has another hard link");
      }
      struct stat file {};
      bool exists = ::fstatat(m_folder, m_file.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0;
      if (!Trusted(exists ? &file : nullptr)) {
        // While the file is missing, its maker may be another user who will own it.
        if (exists) Refuse("the registry's lock file " + m_name + " belongs to another user, so it is not trusted");
        foreign = true;
        continue;
      }
      while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) Refuse("cannot lock the registry's lock file", errno);
        waited();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      // A lock removed while waiting for it guards nothing: start again on the name.
      if (Held()) {
        m_fd = std::move(fd);
        return;
      }
    }
  }

  // Whether the name still names the lock file taken: once it is removed, the next
  // writer makes a new one and no longer waits for this change.
  bool Held() const { return StillNames(m_folder, m_name, m_st); }

  // The lock's owner follows the file's, so that its owner can take it after root gave
  // the file away; only root can hand it over.
  void Follow(const struct stat& file) {
    if (::geteuid() == 0 && m_st.st_uid != file.st_uid && ::fchown(m_fd.get(), file.st_uid, file.st_gid) == 0)
      m_st.st_uid = file.st_uid;
    if (!Trusted(&file)) Refuse("the registry's lock file " + m_name + " belongs to another user, so it is not trusted");
  }

  ~Lock() {
    if (Missing(m_folder, m_file) && Held()) ::unlinkat(m_folder, m_name.c_str(), 0);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  // The lock file, made where missing; nothing where the caller may not open it.
  Fd Open() {
    for (;;) {
      struct stat st {};
      if (::fstatat(m_folder, m_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode))
        Refuse("the registry's lock file " + m_name + (S_ISLNK(st.st_mode) ? " is a link" : " is not a regular file"));
      Fd fd(::openat(m_folder, m_name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
      if (fd) return fd;
      if (errno == EACCES || errno == EPERM) return Fd();
      if (errno == ELOOP) Refuse("the registry's lock file " + m_name + " is a link");
      if (errno != ENOENT) Refuse("cannot open the registry's lock file", errno);
      fd = Fd(::openat(m_folder, m_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
      if (!fd && errno == EEXIST) continue;
      if (!fd) Refuse("cannot create the registry's lock file", errno);
      struct stat file {};
      int error = ::fchmod(fd.get(), 0600) == 0 ? 0 : errno;  // whatever the umask
      if (!error && ::geteuid() == 0 && ::fstatat(m_folder, m_file.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0 &&
          ::fchown(fd.get(), file.st_uid, file.st_gid) != 0)
        error = errno;
      if (!error) return fd;
      ::unlinkat(m_folder, m_name.c_str(), 0);
      Refuse("cannot create the registry's lock file", error);
    }
  }

  // Belongs to the file's owner, or while there is no file, to the caller who makes it.
  bool Trusted(const struct stat* file) const {
    return m_st.st_uid == ::geteuid() || (file && m_st.st_uid == file->st_uid);
  }

  int m_folder;
  std::string m_file, m_name;
  struct stat m_st {};
  Fd m_fd;
};

// The temporary files are ".NAME.tmp-" and six letters or digits.
std::string TempPrefix(const std::string& name) { return "." + name + ".tmp-"; }

bool IsTempName(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

// Removes what killed writers left. Only a regular file of the temporary files' name,
// owner and single link counts as one; anything else is left alone. A writer holds a
// lock on its copy while it lives, so a copy is stale only when its lock can be taken
// (a change let in beside another, its lock file removed, keeps its copy). A folder
// that the caller may not read is not searched.
void RemoveStaleTemps(const Place& place, uid_t owner) {
  int fd = ::openat(place.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return;
  }
  std::string prefix = TempPrefix(place.name);
  std::vector<std::string> stale;
  while (dirent* entry = ::readdir(dir)) {
    struct stat st {};
    if (IsTempName(entry->d_name, prefix) && ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode) && st.st_nlink == 1 && (st.st_uid == owner || st.st_uid == ::geteuid()))
      stale.push_back(entry->d_name);
  }
  for (const std::string& name : stale) {
    Fd copy(::openat(fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (copy && ::flock(copy.get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(copy.get(), &st) == 0 &&
        StillNames(fd, name, st))
      ::unlinkat(fd, name.c_str(), 0);
  }
  ::closedir(dir);
}

std::function<void(RegistryCopyStage, int)>& CopyHook() {
  static std::function<void(RegistryCopyStage, int)> hook;
  return hook;
}

// A new temporary file: for the caller alone where it replaces a file (it gets that
// file's attributes next), else with what the kernel gives a new file.
std::pair<Fd, std::string> CreateTemp(const Place& place, mode_t mode) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = TempPrefix(place.name);
    for (int i = 0; i < 6; ++i) name += kLetters[random() % 36];
    Fd fd(::openat(place.folder.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd && errno != EEXIST) Refuse("cannot create a temporary file beside the registry file", errno);
    if (!fd) continue;
    // Held while it lives, so that no other change takes it for a stale one. One that
    // another process holds or removed first is left (removed, where it is still ours)
    // for a new name.
    struct stat st {};
    bool ours = ::fstat(fd.get(), &st) == 0 && StillNames(place.folder.get(), name, st);
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      int error = errno;
      if (ours) ::unlinkat(place.folder.get(), name.c_str(), 0);
      if (error == EWOULDBLOCK) continue;
      Refuse("cannot lock a temporary file beside the registry file", error);
    }
    if (ours && StillNames(place.folder.get(), name, st)) return {std::move(fd), name};
  }
  Refuse("cannot create a temporary file beside the registry file", EEXIST);
}

// Removes the temporary file unless it was renamed into place.
struct TempGuard {
  int folder;
  std::string name;
  bool placed = false;
  ~TempGuard() {
    if (!placed) ::unlinkat(folder, name.c_str(), 0);
  }
};

bool WriteAll(int fd, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The names of a file's extended attributes (its ACL among them); none where the file
// system keeps none.
std::vector<std::string> AttributeNames(int fd) {
  for (;;) {
    ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0 && (errno == ENOTSUP || errno == EOPNOTSUPP)) return {};
    if (size < 0) Refuse("the registry file's ACL and extended attributes could not be kept", errno);
    std::string list(static_cast<std::size_t>(size), '\0');
    size = ::flistxattr(fd, list.data(), list.size());
    if (size < 0 && errno == ERANGE) continue;  // grown meanwhile
    if (size < 0) Refuse("the registry file's ACL and extended attributes could not be kept", errno);
    std::vector<std::string> names;
    for (std::size_t from = 0; from < static_cast<std::size_t>(size);) {
      std::size_t end = list.find('\0', from);
      if (end == std::string::npos) end = static_cast<std::size_t>(size);
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
    if (size < 0) Refuse("the registry file's ACL and extended attributes could not be kept", errno);
    std::string value(static_cast<std::size_t>(size), '\0');
    size = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
    if (size < 0 && errno == ERANGE) continue;
    if (size < 0 && errno == ENODATA) return std::nullopt;
    if (size < 0) Refuse("the registry file's ACL and extended attributes could not be kept", errno);
    value.resize(static_cast<std::size_t>(size));
    return value;
  }
}

// Gives the copy the file's owner, group, ACL, extended attributes and permission bits
// (never set-id bits), and drops what the copy has that the file lacks (the folder's
// default ACL). The mode goes last: on a file with an ACL it sets the ACL's mask,
// which then equals the file's.
void KeepAttributes(int file, const struct stat& st, int copy) {
  if (::fchown(copy, st.st_uid, st.st_gid) != 0)
    Refuse("the registry file's owner and group could not be kept", errno);
  std::vector<std::string> wanted = AttributeNames(file);
  for (const std::string& name : AttributeNames(copy))
    if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(copy, name.c_str()) != 0 &&
        errno != ENODATA)
      Refuse("the registry file's ACL and extended attributes could not be kept", errno);
  for (const std::string& name : wanted) {
    std::optional<std::string> value = AttributeValue(file, name);
    if (!value || AttributeValue(copy, name) == value) continue;
    if (::fsetxattr(copy, name.c_str(), value->data(), value->size(), 0) != 0)
      Refuse("the registry file's ACL and extended attributes could not be kept", errno);
  }
  if (::fchmod(copy, st.st_mode & 0777) != 0) Refuse("cannot write the registry file", errno);
}

bool SameAttributes(const struct stat& a, const struct stat& b) {
  return a.st_uid == b.st_uid && a.st_gid == b.st_gid && a.st_mode == b.st_mode && a.st_nlink == b.st_nlink &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Writes the hive into a temporary file that has the file's attributes before it holds
// a byte, flushes it and renames it over the file. An owner's chmod, chown or ACL
// change made meanwhile is taken again after the flush, so what the file has just
// before the rename is kept; only a change between that last look and the rename is
// undone. What can flush the folder is settled before the rename: the folder itself,
// or where the caller may not read it, the whole file system. Answers an empty text,
// or after the change is made, why it may not survive a power loss. Without a file,
// the copy becomes a new one.
std::string Save(const Place& place, const std::optional<Opened>& file, const RegistryKeys& keys, const Lock& lock) {
  // A file above the limit could be read by nobody, this change's own answer included.
  const std::string bytes = FormatRegistryFile(keys);
  if (static_cast<long long>(bytes.size()) > kRegistryFileLimit)
    Refuse("the change would make the registry file larger than the limit of 16 MiB");
  RemoveStaleTemps(place, file ? file->st.st_uid : ::geteuid());
  auto [temp, name] = CreateTemp(place, file ? 0600 : 0666);
  TempGuard guard{place.folder.get(), name};
  if (CopyHook()) CopyHook()(RegistryCopyStage::Created, temp.get());
  struct stat kept {};
  if (file) {
    if (::fstat(file->fd.get(), &kept) != 0) Refuse("cannot read the registry file", errno);
    KeepAttributes(file->fd.get(), kept, temp.get());
  }
  if (!WriteAll(temp.get(), bytes) || ::fsync(temp.get()) != 0) Refuse("cannot write the registry file", errno);
  if (CopyHook()) CopyHook()(RegistryCopyStage::Flushed, temp.get());
  for (int again = 0; file && again < 10; ++again) {
    struct stat now {};
    if (::fstat(file->fd.get(), &now) != 0) Refuse("cannot read the registry file", errno);
    if (SameAttributes(now, kept)) break;
    if (now.st_nlink > 1) Refuse("the registry file has another hard link, so it is not changed (the two would split)");
    kept = now;
    KeepAttributes(file->fd.get(), kept, temp.get());
    if (::fsync(temp.get()) != 0) Refuse("cannot write the registry file", errno);
  }
  Fd flush(::openat(place.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // A lock file removed under this change may have let another writer in: start again
  // rather than replace what it may have written since the file was read. Only a
  // removal and another writer's whole change within the next few calls can still cross.
  bool same = file ? StillNames(place.folder.get(), place.name, file->st) : Missing(place.folder.get(), place.name);
  if (!lock.Held() || !same) throw LockLost{};
  if (::renameat(place.folder.get(), name.c_str(), place.folder.get(), place.name.c_str()) != 0)
    Refuse("cannot replace the registry file", errno);
  guard.placed = true;
  // A file system that cannot flush folders says EINVAL; there is nothing more to do.
  if (flush ? ::fsync(flush.get()) == 0 || errno == EINVAL : ::syncfs(temp.get()) == 0) return {};
  return std::string("the change is in place but may not survive a power loss (") + std::strerror(errno) + ")";
}

class FileRegistry : public Registry {
 public:
  FileRegistry(std::string path, std::chrono::milliseconds lockWait) : m_path(std::move(path)), m_lockWait(lockWait) {}

  bool createKey(const std::string& path) override { return apply(RegistryEdit().createKey(path)); }

  bool keyExists(const std::string& path) const override {
    std::optional<RegistryKeys> keys = snapshot();
    return keys && keys->count(normalise(path)) != 0;
  }

  bool setString(const std::string& key, const std::string& name, const std::string& value) override {
    return apply(RegistryEdit().setString(key, name, value));
  }

  bool setNumber(const std::string& key, const std::string& name, std::uint32_t value) override {
    return apply(RegistryEdit().setNumber(key, name, value));
  }

  std::optional<RegistryValue> getValue(const std::string& key, const std::string& name) const override {
    std::optional<RegistryKeys> keys = snapshot();
    if (!keys) return std::nullopt;
    auto k = keys->find(normalise(key));
    if (k == keys->end()) return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }

  bool deleteKey(const std::string& path) override { return apply(RegistryEdit().deleteKey(path)); }

  // The edit is first tried on the file as it is, unlocked: one that is refused there,
  // or that changes nothing, is answered from that read (a change replaces the file
  // whole, so the read is the hive at one moment), and creates nothing. Otherwise the
  // same under the lock, and the result saved; a refused step leaves the file as it was.
  bool apply(const RegistryEdit& edit) override {
    return Guarded([&] {
      std::optional<Place> place = Walk(m_path);
      if (!place) Refuse("the registry file's folder does not exist");
      std::optional<Opened> file = Open(*place, true);
      if (file) CheckChangeable(*place, file->st);
      RegistryKeys keys = file ? Read(*file) : RegistryKeys{};
      if (!Edit(keys, edit)) return std::string();
      file.reset();
      for (int attempt = 1;; ++attempt) {
        try {
          Lock lock(*place, m_lockWait);
          file = Open(*place, true);
          if (file) {
            CheckChangeable(*place, file->st);
            lock.Follow(file->st);
          }
          keys = file ? Read(*file) : RegistryKeys{};
          if (!Edit(keys, edit)) return std::string();
          return Save(*place, file, keys, lock);
        } catch (const LockLost&) {
          if (attempt == kLockLostTries)
            Refuse("the registry's lock file was removed during each of " + std::to_string(kLockLostTries) +
                   " tries of the change");
        }
      }
    });
  }

  // Reads take no lock: a change replaces the file in one rename, so a reader sees
  // the hive before or after it, never half of it.
  std::optional<RegistryKeys> snapshot() const override {
    std::optional<RegistryKeys> keys;
    bool ok = Guarded([&] {
      std::optional<Place> place = Walk(m_path);
      std::optional<Opened> file = place ? Open(*place, false) : std::nullopt;
      keys = file ? Read(*file) : RegistryKeys{};
      return std::string();
    });
    return ok ? keys : std::nullopt;
  }

  std::string lastMessage() const override {
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_message;
  }

 private:
  // Runs an operation; false when it is refused. Either way its message is kept.
  template <typename Operation>
  bool Guarded(Operation operation) const {
    std::string message;
    bool ok = true;
    try {
      message = operation();
    } catch (const Refusal& refusal) {
      message = refusal.why;
      ok = false;
    } catch (const std::bad_alloc&) {
      message = "out of memory";  // short enough to need no memory
      ok = false;
    }
    std::lock_guard<std::mutex> hold(m_mutex);
    m_message = std::move(message);
    return ok;
  }

  std::string m_path;
  std::chrono::milliseconds m_lockWait;
  mutable std::mutex m_mutex;
  mutable std::string m_message;
};

Registry* g_override = nullptr;

}  // namespace

std::optional<RegistryKeys> ParseRegistryFile(const std::string& bytes) {
  RegistryKeys keys;
  std::istringstream in(bytes);
  std::string line;
  std::map<std::string, RegistryValue>* current = nullptr;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &keys[unescape(line.substr(1, line.size() - 2))];
      continue;
    }
    auto eq = line.find('=');
    if (!current || eq == std::string::npos || line.size() < eq + 3 || line[eq + 2] != ':') return std::nullopt;
    std::string name = unescape(line.substr(0, eq));
    char type = line[eq + 1];
    std::string body = line.substr(eq + 3);
    if (type == 's') {
      (*current)[name] = unescape(body);
    } else if (type == 'n') {
      std::optional<std::uint32_t> n = ParseNumber(body);
      if (!n) return std::nullopt;
      (*current)[name] = *n;
    } else {
      return std::nullopt;
    }
  }
  return keys;
}

std::string FormatRegistryFile(const RegistryKeys& keys) {
  std::string out;
  for (const auto& [key, values] : keys) {
    out += '[' + escape(key) + "]\n";
    for (const auto& [name, value] : values) {
      out += escape(name) + '=';
      if (const auto* s = std::get_if<std::string>(&value))
        out += "s:" + escape(*s) + '\n';
      else
        out += "n:" + std::to_string(std::get<std::uint32_t>(value)) + '\n';
    }
  }
  return out;
}

std::unique_ptr<Registry> OpenFileRegistry(const std::string& path, std::chrono::milliseconds lockWait) {
  return std::make_unique<FileRegistry>(path, lockWait);
}

Registry* LocalMachineRegistry() {
  if (g_override) return g_override;
  static std::unique_ptr<Registry> fallback = [] {
    const char* env = std::getenv("DTM_REGISTRY");
    return OpenFileRegistry(env && *env ? env : "dtm-registry.txt");
  }();
  return fallback.get();
}

void SetLocalMachineRegistry(Registry* registry) { g_override = registry; }

void SetRegistryCopyHook(std::function<void(RegistryCopyStage, int)> hook) { CopyHook() = std::move(hook); }

}  // namespace ddlib
