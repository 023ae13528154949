// Repeated requests hold no more memory than the first round did: nothing that the
// plug-in or the host keeps grows with the number of requests.
#include <gtest/gtest.h>
#include <malloc.h>

#include "dtmhost/host.h"
#include "support/plugin_host.h"

namespace {

TEST(ConformanceMemory, HundredThousandRequestsDoNotGrowTheHeap) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps no heap statistics";
#endif
  std::unique_ptr<dtmhost::Host> host = testsupport::OpenPlugin();
  std::vector<CDDDefinition> all = host->Catalogue();
  for (const CDDDefinition& d : all) host->Request(d);

  // Whole rounds, so that the last request (whose read log the store keeps) is the same.
  std::size_t before = mallinfo2().uordblks;
  long requests = 0;
  while (requests < 100000) {
    for (const CDDDefinition& d : all) host->Request(d);
    requests += static_cast<long>(all.size());
  }
  // A byte kept per request would show as 100 kB; the allocator's own caches move a
  // kilobyte or two.
  EXPECT_LT(static_cast<long>(mallinfo2().uordblks) - static_cast<long>(before), 16384);
  EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0);
}

}  // namespace
