// Repeated requests hold no more memory than the first round did: nothing that the
// plug-in or the host keeps grows with the number of requests, also when the host
// calls Calculate directly and never clears its read log.
#include <gtest/gtest.h>
#include <malloc.h>

#include "dtmhost/host.h"
#include "support/plugin_host.h"
#include "support/sanitizer.h"

namespace {

TEST(ConformanceMemory, HundredThousandRequestsDoNotGrowTheHeap) {
#ifdef DTM_ADDRESS_SANITIZER
  GTEST_SKIP() << "the sanitizer's allocator keeps no heap statistics";
#endif
  std::unique_ptr<dtmhost::Host> host = testsupport::OpenPlugin();
  std::vector<CDDDefinition> all = host->Catalogue();
  auto request = [&](const CDDDefinition& d) {
    std::unique_ptr<CDDObject> object(MakeDescriptionObject(d));
    host->calculator().Calculate(host->context(), object.get());
  };
  // Enough rounds for the read log to reach its bound.
  for (int round = 0; round < 4; ++round)
    for (const CDDDefinition& d : all) request(d);

  std::size_t before = mallinfo2().uordblks;
  ASSERT_GT(before, 0u) << "the allocator reports no heap in use: nothing to measure";
  long requests = 0;
  while (requests < 100000) {
    for (const CDDDefinition& d : all) request(d);
    requests += static_cast<long>(all.size());
  }
  // A byte kept per request would show as 100 kB; the allocator's own caches move a
  // kilobyte or two.
  EXPECT_LT(static_cast<long>(mallinfo2().uordblks) - static_cast<long>(before), 16384);
  EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0);
}

}  // namespace
