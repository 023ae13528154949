// libFuzzer entry: any property that fails is a finding.
#include <cstdio>
#include <cstdlib>

#include "fuzz_one.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (std::optional<std::string> problem = FuzzOne(data, size)) {
    std::fprintf(stderr, "dtm_fuzz: %s\n", problem->c_str());
    std::abort();
  }
  return 0;
}
