// A small registry: keys are backslash-separated paths below a root; values are
// strings or 32-bit numbers. The file-backed hive keeps every change in one text file
// so that a registration is visible to a later run.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ddlib {

using RegistryValue = std::variant<std::string, std::uint32_t>;
// Every key (also empty ones) with its values, in path order.
using RegistryKeys = std::map<std::string, std::map<std::string, RegistryValue>>;

// Several key and value changes made as one: applied in order to the hive as it is,
// and either all of them take effect or none does.
class RegistryEdit {
 public:
  enum class Kind { CreateKey, SetValue, DeleteKey };
  struct Step {
    Kind kind;
    std::string key;
    std::string name;     // SetValue only
    RegistryValue value;  // SetValue only
  };
  RegistryEdit& createKey(const std::string& path);
  RegistryEdit& setString(const std::string& key, const std::string& name, const std::string& value);
  RegistryEdit& setNumber(const std::string& key, const std::string& name, std::uint32_t value);
  RegistryEdit& deleteKey(const std::string& path);
  const std::vector<Step>& steps() const { return m_steps; }

 private:
  std::vector<Step> m_steps;
};

class Registry {
 public:
  virtual ~Registry();
  // Every operation answers true on success; a hive that cannot be read fails every
  // change (it is never taken as an empty one).
  virtual bool createKey(const std::string& path) = 0;  // with missing parents
  virtual bool keyExists(const std::string& path) const = 0;  // false also when unreadable
  virtual bool setString(const std::string& key, const std::string& name, const std::string& value) = 0;
  virtual bool setNumber(const std::string& key, const std::string& name, std::uint32_t value) = 0;
  virtual std::optional<RegistryValue> getValue(const std::string& key, const std::string& name) const = 0;
  virtual bool deleteKey(const std::string& path) = 0;  // with its values and subkeys
  // One change of all the edit's steps; a step that the single operation above would
  // refuse (a value for a missing key, deleting a missing key) refuses the whole edit.
  virtual bool apply(const RegistryEdit& edit) = 0;
  // The whole hive; nothing when it cannot be read.
  virtual std::optional<RegistryKeys> snapshot() const = 0;
};

// A hive kept in a file; each change (a single operation or a whole edit) is written
// through at once, atomically towards other processes: under an exclusive lock on
// PATH.lock, into the temporary file PATH.tmp (a stale one is removed first) that takes
// the file's mode, is flushed and then renamed over the file, after which the folder is
// flushed. Where PATH is a symbolic link, its target is replaced; a link is followed
// only where the kernel's protected-symlink rule would follow it. A missing file is an
// empty hive; one that cannot be read or parsed, a path that is no regular file (never
// opened in a way that blocks), a link that may not be followed, or a path that cannot
// be written makes the operations answer false at once.
std::unique_ptr<Registry> OpenFileRegistry(const std::string& path);

// The file's form: "[key]" lines, each followed by its "name=s:text" or "name=n:number"
// lines. Parse answers nothing for bytes that are not such a file.
std::optional<RegistryKeys> ParseRegistryFile(const std::string& bytes);
std::string FormatRegistryFile(const RegistryKeys& keys);

// The local machine's registry as the process sees it: the file named by the
// environment variable DTM_REGISTRY, else "dtm-registry.txt" in the working directory.
Registry* LocalMachineRegistry();
// Replaces the local machine's registry (the host sets it before registration); the
// caller keeps ownership; null restores the default.
void SetLocalMachineRegistry(Registry* registry);

}  // namespace ddlib
