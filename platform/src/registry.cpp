#include "ddlib/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace ddlib {

Registry::~Registry() = default;

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

// Whether the kernel's protected-symlink rule would follow this link: not where its
// folder is sticky and world-writable (as /tmp is), unless the link belongs to the
// caller or to the folder's owner. Another user's link planted there is refused.
bool MayFollow(const std::string& link, const struct stat& linkStat) {
  std::string folder = std::filesystem::path(link).parent_path().string();
  struct stat dir {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &dir) != 0) return false;
  bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
  return !shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == dir.st_uid;
}

// The file a path names: symbolic links followed, so that a change replaces the
// link's target and keeps the link. Nothing for a loop of links or a link that may not
// be followed.
std::optional<std::string> Resolve(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
    if (!MayFollow(current.string(), st)) return std::nullopt;
    std::error_code ec;
    fs::path link = fs::read_symlink(current, ec);
    if (ec) return std::nullopt;
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  return std::nullopt;
}

// Whether a path names something other than a regular file; such a path is never
// opened (opening a device may act on it).
bool IsOtherThanRegular(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

// Opens a file that must be a regular one: a path naming anything else is not opened
// at all; never through a link (the path is resolved already; one put there since is
// refused) and never waiting, as opening a FIFO would; the type is checked again on
// what was opened, whose status lands in `status`. -1 with errno set otherwise.
int OpenRegular(const std::string& path, int flags, mode_t mode = 0, struct stat* status = nullptr) {
  if (IsOtherThanRegular(path)) {
    errno = EINVAL;
    return -1;
  }
  int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  if (status) *status = st;
  return fd;
}

// An exclusive lock on the file beside the hive, held for one load-change-save; never
// through a link, never on anything but a regular file.
class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : m_fd(OpenRegular(path, O_RDWR | O_CREAT, 0666)) {
    while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      ::close(m_fd);
      m_fd = -1;
    }
  }
  ~FileLock() {
    if (m_fd >= 0) ::close(m_fd);  // releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return m_fd >= 0; }

 private:
  int m_fd;
};

// The file as it is now. A missing file is an empty hive without a mode.
struct Loaded {
  RegistryKeys keys;
  std::optional<mode_t> mode;
};

std::optional<Loaded> Load(const std::string& file) {
  struct stat st {};
  int fd = OpenRegular(file, O_RDONLY, 0, &st);
  if (fd < 0) return errno == ENOENT ? std::optional<Loaded>(Loaded{}) : std::nullopt;
  std::string bytes;
  bool ok = true;
  char buffer[8192];
  while (ok) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    else bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  std::optional<RegistryKeys> keys = ParseRegistryFile(bytes);
  if (!keys) return std::nullopt;
  return Loaded{std::move(*keys), st.st_mode & 07777};
}

bool WriteAll(int fd, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Flushes the folder, so that a rename into it survives a power loss. A file system
// that cannot flush folders says EINVAL; there is nothing more to do on it.
bool FlushFolder(const std::string& file) {
  std::string folder = std::filesystem::path(file).parent_path().string();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0 || errno == EINVAL;
  ::close(fd);
  return ok;
}

// Writes the hive to FILE.tmp, flushes it and renames it over the file, then flushes
// the folder. Called under the lock, so the one fixed name suffices: a writer killed
// before its rename leaves one stale temporary file, which the next change removes
// (also when it is a link: it is never opened). A new file gets the usual mode of a
// created file, an existing one keeps its.
bool Save(const std::string& file, const RegistryKeys& keys, std::optional<mode_t> mode) {
  std::string bytes = FormatRegistryFile(keys);
  std::string temp = file + ".tmp";
  if (::unlink(temp.c_str()) != 0 && errno != ENOENT) return false;
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && (!mode || ::fchmod(fd, *mode) == 0) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  return FlushFolder(file);
}

// One step of an edit on the loaded hive; false where the step is refused.
bool ApplyStep(RegistryKeys& keys, const RegistryEdit::Step& step) {
  std::string p = normalise(step.key);
  switch (step.kind) {
    case RegistryEdit::Kind::CreateKey:
      if (p.empty()) return false;
      for (std::size_t pos = 0; pos != std::string::npos;) {
        pos = p.find('\\', pos + 1);
        keys[p.substr(0, pos)];
      }
      return true;
    case RegistryEdit::Kind::SetValue: {
      auto found = keys.find(p);
      if (found == keys.end()) return false;  // values go into existing keys only
      found->second[step.name] = step.value;
      return true;
    }
    case RegistryEdit::Kind::DeleteKey:
      if (p.empty() || keys.count(p) == 0) return false;
      for (auto it = keys.begin(); it != keys.end();) {
        if (it->first == p || it->first.rfind(p + "\\", 0) == 0)
          it = keys.erase(it);
        else
          ++it;
      }
      return true;
  }
  return false;
}

class FileRegistry : public Registry {
 public:
  explicit FileRegistry(std::string path) : m_path(std::move(path)) {}

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

  // Load, apply every step and save, all under the lock; the first refused step
  // leaves the file as it was.
  bool apply(const RegistryEdit& edit) override {
    std::optional<std::string> file = Resolve(m_path);
    if (!file || IsOtherThanRegular(*file)) return false;
    FileLock lock(*file + ".lock");
    if (!lock.held()) return false;
    std::optional<Loaded> loaded = Load(*file);
    if (!loaded) return false;
    for (const RegistryEdit::Step& step : edit.steps())
      if (!ApplyStep(loaded->keys, step)) return false;
    return Save(*file, loaded->keys, loaded->mode);
  }

  // Reads take no lock: a change replaces the file in one rename, so a reader sees
  // the hive before or after it, never half of it.
  std::optional<RegistryKeys> snapshot() const override {
    std::optional<std::string> file = Resolve(m_path);
    if (!file) return std::nullopt;
    std::optional<Loaded> loaded = Load(*file);
    if (!loaded) return std::nullopt;
    return std::move(loaded->keys);
  }

 private:
  std::string m_path;
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

std::unique_ptr<Registry> OpenFileRegistry(const std::string& path) {
  return std::make_unique<FileRegistry>(path);
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

}  // namespace ddlib
