// Where the plug-in was loaded from, as the loader reports it.
#pragma once
#include <string>

struct ModulePath {
  std::string full;           // long form, symbolic links resolved
  std::string withoutExtension;
};

// Determined once, at the first call after load.
const ModulePath& GetModulePath();
