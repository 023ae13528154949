// libFuzzer entry for the registry file reader: any bytes either load or are refused,
// and what loads is written and read back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ddlib/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<ddlib::RegistryKeys> keys = ddlib::ParseRegistryFile(std::string(reinterpret_cast<const char*>(data), size));
  if (!keys) return 0;
  std::string written = ddlib::FormatRegistryFile(*keys);
  std::optional<ddlib::RegistryKeys> again = ddlib::ParseRegistryFile(written);
  const char* problem = !again                                          ? "a written hive does not load"
                        : *again != *keys                               ? "a written hive loads otherwise"
                        : ddlib::FormatRegistryFile(*again) != written ? "a hive is written in two ways"
                                                                        : nullptr;
  if (problem) {
    std::fprintf(stderr, "dtm_fuzz_registry: %s\n", problem);
    std::abort();
  }
  return 0;
}
