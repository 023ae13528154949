// The scope's owner list deletes what it holds newest first, whatever the types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/auto_delete_list.h"

namespace {

std::vector<std::string> g_deleted;

struct Tracked {
  explicit Tracked(std::string name) : name(std::move(name)) {}
  virtual ~Tracked() { g_deleted.push_back(name); }
  std::string name;
};
struct OtherTracked {
  virtual ~OtherTracked() { g_deleted.push_back("other"); }
};

TEST(AutoDeleteList, DeletesNewestFirstAndHandsThePointerBack) {
  g_deleted.clear();
  {
    CAutoDeleteList owned;
    Tracked* first = new Tracked("first");
    EXPECT_EQ(owned.Add(first), first);
    EXPECT_EQ(owned.Add(static_cast<Tracked*>(nullptr)), nullptr);  // ignored
    owned.Add(new OtherTracked());
    owned.Add(new Tracked("third"));
    EXPECT_TRUE(g_deleted.empty());  // nothing dies before the scope ends
  }
  EXPECT_EQ(g_deleted, (std::vector<std::string>{"third", "other", "first"}));
}

}  // namespace
