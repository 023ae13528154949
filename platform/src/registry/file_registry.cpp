// The file registry: a hive kept in one file, read without a lock and changed under one.
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <new>

#include "ddlib/registry.h"
#include "edit.h"
#include "entry.h"
#include "lock.h"
#include "path.h"
#include "refusal.h"
#include "replace.h"

namespace ddlib {

Registry::~Registry() = default;

std::string Registry::lastMessage() const { return {}; }

bool Registry::lastChanged() const { return false; }

namespace registry {
namespace {

// A change whose lock file is removed under it each time gives up after so many tries.
constexpr int kLockLostTries = 20;

// The file opened for reading, and for writing where a change needs it; nothing when it
// does not exist. A name that stands for anything but a regular file is never opened,
// never through a link put there since the walk.
std::optional<Opened> Open(const Place& place, bool write) {
  if (place.entry) CheckRegular(*place.entry, kFile);
  Fd fd = OpenAt(place.folder.get(), place.name, write ? O_RDWR : O_RDONLY);
  if (!fd && errno == ENOENT) return std::nullopt;
  if (!fd && errno == EACCES && write) Refuse("the registry file may not be written by this user");
  if (!fd && errno == ELOOP) RefuseIrregular(kFile);
  struct stat st {};
  if (!fd || ::fstat(fd.get(), &st) != 0) Refuse("cannot open the registry file", errno);
  CheckRegular(st, kFile);
  CheckSize(st.st_size, false);
  return Opened{std::move(fd), st};
}

RegistryKeys Read(const Opened& file) {
  std::string bytes;
  char buffer[8192];
  for (;;) {
    ssize_t n = ::pread(file.fd.get(), buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Refuse(kCannotRead, errno);
    bytes.append(buffer, static_cast<std::size_t>(n));
    CheckSize(static_cast<long long>(bytes.size()), false);  // grown since it was opened
  }
  std::optional<RegistryKeys> keys = ParseRegistryFile(bytes);
  if (!keys) Refuse("the registry file is not in the registry's form");
  return std::move(*keys);
}

// The hive at PLACE as a change finds it, with the edit applied.
struct Loaded {
  std::optional<Opened> file;
  RegistryKeys keys;
  bool changed;
};

// Read for a change: the file must be one the caller may change, and under LOCK (none
// before it is taken), one the lock answers for.
Loaded LoadAndEdit(const Place& place, const RegistryEdit& edit, Lock* lock) {
  Loaded loaded{Open(place, true), {}, false};
  if (loaded.file) {
    CheckChangeable(place, loaded.file->st);
    if (lock) lock->Follow(loaded.file->st);
    loaded.keys = Read(*loaded.file);
  }
  loaded.changed = Edit(loaded.keys, edit);
  return loaded;
}

// How an operation ended, for lastMessage and lastChanged.
struct Outcome {
  std::string message;
  bool changed = false;
};

class FileRegistry : public Registry {
 public:
  FileRegistry(std::string path, std::chrono::milliseconds lockWait) : m_path(std::move(path)), m_lockWait(lockWait) {}

  bool createKey(const std::string& path) override { return apply(RegistryEdit().createKey(path)); }

  bool setString(const std::string& key, const std::string& name, const std::string& value) override {
    return apply(RegistryEdit().setString(key, name, value));
  }

  bool setNumber(const std::string& key, const std::string& name, std::uint32_t value) override {
    return apply(RegistryEdit().setNumber(key, name, value));
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
      if (!LoadAndEdit(*place, edit, nullptr).changed) return Outcome{};
      for (int attempt = 1;; ++attempt) {
        try {
          Lock lock(*place, m_lockWait);
          Loaded loaded = LoadAndEdit(*place, edit, &lock);
          if (!loaded.changed) return Outcome{};
          return Outcome{Save(*place, loaded.file, loaded.keys, lock), true};
        } catch (const LockLost&) {
          if (attempt == kLockLostTries)
            Refuse("the registry's lock file was removed during each of " + std::to_string(kLockLostTries) +
                   " tries of the change");
        }
      }
    });
  }

  // The answers are made inside the guard too: copying a value can run out of memory.
  bool keyExists(const std::string& path) const override {
    bool exists = false;
    Guarded([&] {
      exists = Load().count(Normalise(path)) != 0;
      return Outcome{};
    });
    return exists;
  }

  std::optional<RegistryValue> getValue(const std::string& key, const std::string& name) const override {
    std::optional<RegistryValue> value;
    Guarded([&] {
      RegistryKeys keys = Load();
      if (auto k = keys.find(Normalise(key)); k != keys.end())
        if (auto v = k->second.find(name); v != k->second.end()) value = std::move(v->second);
      return Outcome{};
    });
    return value;
  }

  std::optional<RegistryKeys> snapshot() const override {
    std::optional<RegistryKeys> keys;
    Guarded([&] {
      keys = Load();
      return Outcome{};
    });
    return keys;
  }

  std::string lastMessage() const override {
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_message;
  }

  bool lastChanged() const override {
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_changed;
  }

 private:
  // Reads take no lock: a change replaces the file in one rename, so a reader sees the
  // hive before or after it, never half of it.
  RegistryKeys Load() const {
    std::optional<Place> place = Walk(m_path);
    std::optional<Opened> file = place ? Open(*place, false) : std::nullopt;
    return file ? Read(*file) : RegistryKeys{};
  }

  // Runs an operation; false when it is refused or fails otherwise, then in the
  // failure's own words: no exception leaves the registry. Either way its outcome is
  // kept. The handlers answer even with no memory left: the refusal's text is moved,
  // another failure's text falls back to "out of memory", and the fixed texts fit in a
  // string's own room.
  template <typename Operation>
  bool Guarded(Operation operation) const {
    Outcome outcome;
    bool ok = false;
    try {
      Keep(Outcome{});  // nothing of the last operation's outcome outlives this one
      outcome = operation();
      ok = true;
    } catch (Refusal& refusal) {
      outcome.message = std::move(refusal.why);
    } catch (const std::bad_alloc&) {
      outcome.message = "out of memory";
    } catch (const std::exception& error) {
      outcome.message = Said(error);
    } catch (...) {
      outcome.message = "unknown failure";
    }
    Keep(std::move(outcome));
    return ok;
  }

  void Keep(Outcome outcome) const {
    std::lock_guard<std::mutex> hold(m_mutex);
    m_message = std::move(outcome.message);
    m_changed = outcome.changed;
  }

  static std::string Said(const std::exception& error) noexcept {
    try {
      return error.what();
    } catch (...) {
      return "out of memory";
    }
  }

  std::string m_path;
  std::chrono::milliseconds m_lockWait;
  mutable std::mutex m_mutex;
  mutable std::string m_message;
  mutable bool m_changed = false;
};

Registry* g_override = nullptr;

}  // namespace
}  // namespace registry

std::unique_ptr<Registry> OpenFileRegistry(const std::string& path, std::chrono::milliseconds lockWait) {
  return std::make_unique<registry::FileRegistry>(path, lockWait);
}

Registry* LocalMachineRegistry() {
  if (registry::g_override) return registry::g_override;
  static std::unique_ptr<Registry> fallback = [] {
    const char* env = std::getenv("DTM_REGISTRY");
    return OpenFileRegistry(env && *env ? env : "dtm-registry.txt");
  }();
  return fallback.get();
}

void SetLocalMachineRegistry(Registry* registry) { registry::g_override = registry; }

}  // namespace ddlib
