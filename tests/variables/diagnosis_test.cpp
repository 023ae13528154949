// The diagnosis bit enumerations: the sign bit travels as -2147483648, the mask variable
// lacks "Status OK", and bits the profile leaves unused are not described.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "identity_fill.h"

namespace {

const std::vector<CDDBitEnumerator>& Bits(const CDDVariable& v) { return v.typeInfo()->bitEnumerators().entries(); }

TEST(Diagnosis, SignBitMaskIsPassedAsNegative) {
  for (ObjId id : {id::phys_diagnosis, id::phys_diagnosis_mask}) {
    std::vector<std::string> lines;
    std::unique_ptr<CDDVariable> v;
    {
      ddlib::JournalScope journal;
      v = FillRow(id);
      lines = ddlib::Journal::lines();
    }
    EXPECT_EQ(v->typeInfo()->getMaxBitEnumIndex(), INT_MIN) << id;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "CDDType::putMaxBitEnumIndex(-2147483648)"), 1) << id;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "CDDBitEnumeratorSet::Add(-2147483648)"), 1) << id;
    const auto& bits = Bits(*v);
    EXPECT_EQ(std::count_if(bits.begin(), bits.end(), [](const auto& b) { return b.getMask() == INT_MIN; }), 1);
  }
}

TEST(Diagnosis, MaskVariableIsTheDiagnosisWithoutStatusOk) {
  auto diagnosis = FillRow(id::phys_diagnosis);
  auto mask = FillRow(id::phys_diagnosis_mask);
  const auto& all = Bits(*diagnosis);
  const auto& supported = Bits(*mask);
  ASSERT_EQ(all.size(), 17u);
  ASSERT_EQ(supported.size(), 16u);
  EXPECT_EQ(all.front().getMask(), 0);
  EXPECT_EQ(all.front().getDescription().substr(0, 11), "Status OK  ");
  EXPECT_EQ(supported.front().getMask(), 0x01000000);
  for (std::size_t i = 0; i < supported.size(); ++i) {
    EXPECT_EQ(supported[i].getMask(), all[i + 1].getMask());
    EXPECT_EQ(supported[i].getDescription(), all[i + 1].getDescription());
    EXPECT_EQ(supported[i].getHelp(), all[i + 1].getHelp());
  }
  EXPECT_EQ(diagnosis->classInfo().mask(), (1u << ClassDynamic) | (1u << ClassContained));
  EXPECT_EQ(mask->classInfo().mask(), 1u << ClassContained);
}

TEST(Diagnosis, EachDescribedBitIsOneProfileBitAndUnusedBitsStayUndescribed) {
  auto v = FillRow(id::phys_diagnosis_mask);
  std::uint32_t described = 0;
  for (const CDDBitEnumerator& b : Bits(*v)) {
    const auto mask = static_cast<std::uint32_t>(b.getMask());
    EXPECT_EQ(mask & (mask - 1), 0u) << mask;  // a single bit
    EXPECT_EQ(described & mask, 0u) << mask;   // once
    described |= mask;
    // Every bit gets an empty method definition.
    ASSERT_TRUE(b.getMethod());
    EXPECT_EQ(b.getMethod()->getID(), -1);
  }
  // Octet 3, octet 2 bit 7 and octet 4 bits 0..6 carry nothing.
  EXPECT_EQ(described & 0x0080FF7Fu, 0u);
  EXPECT_EQ(described, 0xFF7F0080u);
}

TEST(Diagnosis, ReadOnlyWithoutDefaultAndRepeatable) {
  for (ObjId id : {id::phys_diagnosis, id::phys_diagnosis_mask}) {
    auto first = FillRow(id, UsedVariable(id));
    auto second = FillRow(id, std::move(first));
    EXPECT_TRUE(second->getHandling(HandlingRead));
    EXPECT_FALSE(second->getHandling(HandlingWrite));
    EXPECT_FALSE(second->typeInfo()->getDefaultValue());
    EXPECT_EQ(second->typeInfo()->getSize(), 4);
    EXPECT_EQ(Bits(*second).size(), id == id::phys_diagnosis ? 17u : 16u);
  }
}

}  // namespace
