// The descriptors and folder streams that the registry holds, and the one way each kind
// of name is opened.
#pragma once
#include <dirent.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace ddlib::registry {

// A descriptor or folder stream that closes itself.
template <typename Handle, int (*Close)(Handle), Handle kNone>
class Held {
 public:
  Held() = default;
  explicit Held(Handle handle) : m_handle(handle) {}
  Held(Held&& other) noexcept : m_handle(std::exchange(other.m_handle, kNone)) {}
  // The handle held before is closed at once, not left to the source's end.
  Held& operator=(Held&& other) noexcept {
    if (this != &other) {
      Reset();
      m_handle = std::exchange(other.m_handle, kNone);
    }
    return *this;
  }
  ~Held() { Reset(); }
  Handle get() const { return m_handle; }
  // Hands the handle over, as to a folder stream made from a descriptor.
  Handle release() { return std::exchange(m_handle, kNone); }
  explicit operator bool() const { return m_handle != kNone; }

 private:
  void Reset() {
    if (m_handle != kNone) Close(std::exchange(m_handle, kNone));
  }

  Handle m_handle = kNone;
};

using Fd = Held<int, ::close, -1>;
using Dir = Held<DIR*, ::closedir, nullptr>;

// What stands at NAME in FOLDER, opened for ACCESS (O_RDONLY, O_RDWR): never through a
// link (ELOOP), never waiting for a writer as a FIFO would, never as a terminal.
inline Fd OpenAt(int folder, const std::string& name, int access) {
  return Fd(::openat(folder, name.c_str(), access | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
}

// A new regular file NAME in FOLDER with MODE, only where nothing stands at the name
// (EEXIST), not even a link.
inline Fd CreateAt(int folder, const std::string& name, int access, mode_t mode) {
  return Fd(::openat(folder, name.c_str(), access | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
}

// NAME in FOLDER as it stands, a link as the link, to look at or to walk through; no
// access to its content.
inline Fd PathAt(int folder, const std::string& name) {
  return Fd(::openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
}

// Where a path is walked from: the root, or the working folder.
inline Fd WalkFrom(bool absolute) { return Fd(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC)); }

// The folder that FOLDER holds as a path, opened to read its names or to flush it.
inline Fd OpenFolder(int folder) { return Fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)); }

}  // namespace ddlib::registry
