#include "module/module_path.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

namespace {

ModulePath Determine() {
  ModulePath path;
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&GetModulePath), &info) == 0 || !info.dli_fname) return path;
  char resolved[PATH_MAX];
  path.full = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
  std::string::size_type slash = path.full.rfind('/');
  std::string::size_type dot = path.full.rfind('.');
  path.withoutExtension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.full.substr(0, dot) : path.full;
  return path;
}

}  // namespace

const ModulePath& GetModulePath() {
  static const ModulePath path = Determine();
  return path;
}

namespace {
// Determined at load, as the module's start-up does.
[[maybe_unused]] const ModulePath& g_atLoad = GetModulePath();
}  // namespace
