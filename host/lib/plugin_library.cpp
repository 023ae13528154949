// Loads the plug-in as a shared library, as a real host does.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "dtmhost/host.h"

namespace dtmhost {

namespace {

template <typename Fn>
bool Resolve(void* handle, const char* name, Fn* out) {
  void* symbol = dlsym(handle, name);
  if (!symbol) return false;
  *out = reinterpret_cast<Fn>(symbol);
  return true;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const std::string& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return nullptr;
  };
  // What the path names, links followed: nothing, or something that is no library file
  // (a folder, a FIFO), which is named so.
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (path.empty() || !std::filesystem::exists(status)) return fail("plug-in not found: " + Echo(path, "an empty path"));
  if (!std::filesystem::is_regular_file(status)) return fail("plug-in is not a regular file: " + Echo(path));
  // A path without a slash would make the loader search its own directories instead.
  std::string loadPath = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    return fail("cannot load plug-in " + Echo(path) + ": " + (why ? why : "unknown reason"));
  }
  std::unique_ptr<PluginLibrary> library(new PluginLibrary());
  library->m_handle = handle;
  library->m_path = path;
  const struct {
    const char* name;
    bool ok;
  } entries[] = {
      {"GetAttributeCalculation", Resolve(handle, "GetAttributeCalculation", &library->GetAttributeCalculation)},
      {"GetInformation", Resolve(handle, "GetInformation", &library->GetInformation)},
      {"GetAttributeCalcDataCategory",
       Resolve(handle, "GetAttributeCalcDataCategory", &library->GetAttributeCalcDataCategory)},
      {"DllRegisterServer", Resolve(handle, "DllRegisterServer", &library->DllRegisterServer)},
      {"DllUnregisterServer", Resolve(handle, "DllUnregisterServer", &library->DllUnregisterServer)},
  };
  for (const auto& entry : entries)
    if (!entry.ok) return fail("plug-in " + Echo(path) + " lacks the entry point " + entry.name);
  return library;
}

PluginLibrary::~PluginLibrary() {
  if (m_handle) dlclose(m_handle);
}

std::string DefaultPluginPath() {
  const char* env = std::getenv("DTM_PLUGIN");
  if (env && *env) return env;
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "libdtmplugin.so";
  return (self.parent_path() / "libdtmplugin.so").string();
}

}  // namespace dtmhost
