// A reader over a fixed set of values that records every read, so a rule's reads,
// their order and their count can be checked without a host.
#pragma once
#include <deque>
#include <map>
#include <vector>

#include "variables/variable_frame.h"

class FakeReader final : public variables::Reader {
 public:
  FakeReader() = default;
  FakeReader(std::initializer_list<std::pair<const ObjId, CDDCommonVariant>> values) : values(values) {}

  const CDDCommonVariant& read(ObjId number) override {
    reads.push_back(number);
    auto it = values.find(number);
    copies.push_back(it == values.end() ? CDDCommonVariant() : it->second);
    return copies.back();
  }

  std::map<ObjId, CDDCommonVariant> values;  // a missing number reads as no value
  std::vector<ObjId> reads;

 private:
  std::deque<CDDCommonVariant> copies;
};
