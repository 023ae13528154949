// What stands at a name: the checks of a file's type, size and links, said alike for
// the registry file and its lock file, and whether a name still names a file.
#pragma once
#include <sys/stat.h>

#include <string>

#include "handle.h"

namespace ddlib::registry {

inline constexpr const char* kFile = "the registry file";

// A file opened, with its status as opened.
struct Opened {
  Fd fd;
  struct stat st;
};

// "WHAT is not a regular file".
[[noreturn]] void RefuseIrregular(const std::string& what);
void CheckRegular(const struct stat& st, const std::string& what);
// Refused where the file has a second name.
void CheckOneLink(const struct stat& st, const std::string& what);
// Refused where SIZE bytes exceed kRegistryFileLimit: the file's, or with CHANGE, what a
// change would make of it.
void CheckSize(long long size, bool change);

bool SameFile(const struct stat& a, const struct stat& b);
// Whether NAME in FOLDER still names the file that ST describes: not removed or
// replaced since.
bool StillNames(int folder, const std::string& name, const struct stat& st);
bool Missing(int folder, const std::string& name);

}  // namespace ddlib::registry
