// A small registry: keys are backslash-separated paths below a root; values are
// strings or 32-bit numbers. The file-backed hive keeps every change in one text file
// so that a registration is visible to a later run.
#pragma once
#include <chrono>
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
  enum class Kind { CreateKey, SetValue, DeleteKey, DeleteKeyIfPresent };
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
  // As deleteKey, but a missing key is no refusal: the edit then leaves the hive as it is.
  RegistryEdit& deleteKeyIfPresent(const std::string& path);
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
  // With its values; like the real registry's, it refuses a key that has subkeys.
  virtual bool deleteKey(const std::string& path) = 0;
  // One change of all the edit's steps; a step that the single operation above would
  // refuse (a value for a missing key, deleting a missing key or one with subkeys)
  // refuses the whole edit.
  virtual bool apply(const RegistryEdit& edit) = 0;
  // The whole hive; nothing when it cannot be read.
  virtual std::optional<RegistryKeys> snapshot() const = 0;
  // One line on the calling object's last operation: why it failed, or what is amiss
  // with a change that was made (it may not survive a power loss); empty otherwise.
  virtual std::string lastMessage() const;
  // Whether the calling object's last operation changed the hive: false after a read,
  // a refused change and one that left the hive as it was (false where unknown).
  virtual bool lastChanged() const;
};

// How long a change waits for another process's change to the same file.
inline constexpr std::chrono::milliseconds kRegistryLockWait{5000};
// A registry file larger than this is refused unread; real hives are a few KiB.
inline constexpr long long kRegistryFileLimit = 16ll << 20;

// A hive kept in a file; docs/registry.md says how. Reads take no lock and
// see the hive before or after a change, never half of one; a missing file or folder
// reads as an empty hive. Each change (a single operation or a whole edit) is atomic
// towards other processes: it waits lockWait at the most for another's change, then
// fails; it answers true once it is in place (lastMessage then says where it may not
// survive a power loss); a change that leaves the hive as it is writes nothing. A read
// answers false or nothing, and a change false and leaves nothing behind, where the
// file cannot be read or parsed, is no regular file, exceeds kRegistryFileLimit, is
// reached through a link that the kernel's protected-symlink rule would not follow, or
// memory runs out ("out of memory"); a change also where the caller may not write the
// file or keep its owner and group, the file has another hard link or is another
// user's in a shared sticky folder, or a key exceeds the real registry's bounds
// (512 levels, 255 characters for a key's name, 16,383 for a value's).
std::unique_ptr<Registry> OpenFileRegistry(const std::string& path,
                                           std::chrono::milliseconds lockWait = kRegistryLockWait);

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
