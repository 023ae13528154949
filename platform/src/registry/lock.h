// The lock that changes wait for: ".NAME.lock" beside the file.
#pragma once
#include <sys/stat.h>

#include <chrono>
#include <string>

#include "handle.h"
#include "path.h"

namespace ddlib::registry {

// The lock was lost before the change was in place: the change starts again.
struct LockLost {};

// Readable and writable by its owner alone and owned by the file's owner, so only those
// who may change the file (its owner and root) can open it and so lock it; a reader of
// the file cannot. It stays while the file exists; a change that leaves no file removes
// it, so it never locks out the next user to create the file.
class Lock {
 public:
  // Taken within WAIT, or refused: locked by another process, or another user's lock.
  Lock(const Place& place, std::chrono::milliseconds wait);
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  // Whether the name still names the lock file taken: once it is removed, the next
  // writer makes a new one and no longer waits for this change.
  bool Held() const;
  // Checks the lock against the file now read under it; as root, hands the lock file
  // to the file's owner first.
  void Follow(const struct stat& file);

 private:
  enum class Try { Taken, Busy, Foreign };
  Try Take();
  Fd Open();
  Fd Create();
  void CheckTrusted(const struct stat& file) const;

  int m_folder;
  std::string m_file, m_name, m_what;
  struct stat m_st {};
  Fd m_fd;
};

}  // namespace ddlib::registry
