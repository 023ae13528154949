// The temporary copy that a change writes beside the file: ".NAME.tmp-" and six
// letters or digits.
#pragma once
#include <sys/types.h>

#include <string>

#include "handle.h"
#include "path.h"

namespace ddlib::registry {

// Made exclusively, and held (a lock on it) while it lives, so that no other change
// takes it for a stale one; removed when it goes unless it was renamed into place.
class Copy {
 public:
  // With MODE: the caller's alone where it replaces a file (it gets that file's
  // attributes next), else what the kernel gives a new file.
  Copy(const Place& place, mode_t mode);
  ~Copy();
  Copy(const Copy&) = delete;
  Copy& operator=(const Copy&) = delete;

  int fd() const { return m_fd.get(); }
  // Renamed over the file: the change is in place.
  void Rename();

 private:
  const Place& m_place;
  std::string m_name;
  Fd m_fd;
  bool m_placed = false;
};

// Removes what killed writers left: only a regular file of the copies' name, with a
// single link, owned by OWNER (the file's) or the caller, that no writer holds. A
// folder that the caller may not read is not searched.
void RemoveStaleCopies(const Place& place, uid_t owner);

}  // namespace ddlib::registry
