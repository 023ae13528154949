// The fuzz harness's seed corpus, and a deterministic batch of random inputs, run as
// regression tests in the normal build: every property the harness checks holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "fuzz_one.h"

namespace {

std::vector<std::filesystem::path> Seeds() {
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(DTM_FUZZ_CORPUS))
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  std::sort(seeds.begin(), seeds.end());
  return seeds;
}

TEST(ConformanceFuzzCorpus, EverySeedHoldsEveryProperty) {
  std::vector<std::filesystem::path> seeds = Seeds();
  ASSERT_GE(seeds.size(), 20u);
  for (const auto& seed : seeds) {
    std::ifstream file(seed, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::optional<std::string> problem = FuzzOne(bytes.data(), bytes.size());
    EXPECT_FALSE(problem) << seed.filename() << ": " << *problem;
  }
}

TEST(ConformanceFuzzCorpus, RandomInputsHoldEveryProperty) {
  std::mt19937 random(20240611);
  EXPECT_FALSE(FuzzOne(nullptr, 0));
  for (int n = 0; n < 300; ++n) {
    std::vector<std::uint8_t> bytes(random() % 256);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    std::optional<std::string> problem = FuzzOne(bytes.data(), bytes.size());
    ASSERT_FALSE(problem) << "input " << n << ": " << *problem;
  }
}

}  // namespace
