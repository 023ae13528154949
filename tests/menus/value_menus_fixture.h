// For the menus whose items follow the values in the host's store: set values, ask
// for a menu, look at its items and at what the store was asked.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/object_ids.h"
#include "ddlib/journal.h"
#include "dtmhost/host.h"
#include "module/calculator.h"
#include "support/plugin_host.h"

using Values = std::vector<std::pair<std::string, int>>;

struct MenuAnswer {
  std::vector<ObjId> items;
  std::vector<std::vector<int>> qualifications;  // per item
  std::vector<std::string> reads;
  std::unique_ptr<CDDMenu> menu;
};

// The journal's item appends and value reads, in order ("add 224", "read manu_mode").
inline std::vector<std::string> AppendsAndReads() {
  std::vector<std::string> lines;
  for (const std::string& line : ddlib::Journal::lines()) {
    if (line.rfind("read ", 0) == 0) lines.push_back(line);
    if (line.rfind("CDDMenuItemList::Add(#", 0) == 0)
      lines.push_back("add " + line.substr(22, line.find(' ', 22) - 22));
  }
  return lines;
}

// The host side: current values by variable name (int 0 unless set), "no value" on
// request; records every read, also in the call journal, and counts the copies alive.
class ValueStore : public CHostObjectStore {
 public:
  void addObject(const CDDObject&) override {}
  void putRequestSet(const CDDTransactionRef&, const CDDDefinitionSet&) override {}
  void putReplySet(const CDDTransactionRef&, const CDDDefinitionSet&) override {}
  void putDependentSet(const CDDDefinition&, const CDDDefinitionSet&) override {}
  CDDBlock* getBlockCopy(CHostContext*, const CDDDefinition&) override { return nullptr; }
  CDDCommonVariant* getValueCopy(CHostContext*, const CDDDefinition& variable) override {
    reads.push_back(variable.getName());
    // In the journal too, so a test can see reads between the appends.
    ddlib::note([&] { return std::string("read ") + variable.getName(); });
    auto found = values.find(variable.getName());
    if (found == values.end()) return new Copy(CDDCommonVariant(0));
    if (!found->second) return nullptr;
    return new Copy(*found->second);
  }

  std::map<std::string, std::optional<CDDCommonVariant>> values;
  std::vector<std::string> reads;
  static inline int live = 0;

 private:
  struct Copy : CDDCommonVariant {
    explicit Copy(const CDDCommonVariant& value) : CDDCommonVariant(value) { ++live; }
    Copy(const Copy&) = delete;
    ~Copy() override { --live; }
  };
};

// Where the requests go: through the loaded plug-in to the reference host, or, where a
// test must see the reads between the appends, to a calculator in this process whose
// store notes every read in the journal.
enum class Backend { referenceHost, inProcess };

class ValueMenuTest : public testing::Test {
 protected:
  explicit ValueMenuTest(Backend backend = Backend::referenceHost) : m_backend(backend) {}

  void SetUp() override {
    if (m_backend == Backend::inProcess) {
      m_local = std::make_unique<InProcess>();
      return;
    }
    m_host = testsupport::OpenPlugin();
  }

  void Set(const Values& values) {
    for (const auto& [name, value] : values) {
      if (m_host)
        m_host->store().setValue(name, CDDCommonVariant(value));
      else
        m_local->host.store.values[name] = CDDCommonVariant(value);
    }
  }
  void SetNoValue(const std::string& name) {
    if (m_host)
      m_host->store().setNoValue(name);
    else
      m_local->host.store.values[name] = std::nullopt;
  }

  // One request; every value copy it took must be gone when it returns.
  MenuAnswer Ask(const std::string& menuName) {
    MenuAnswer answer;
    if (m_host) {
      std::unique_ptr<CDDObject> object = m_host->Request(menuName);
      EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0) << menuName;
      answer.reads = m_host->store().readOrder();
      if (dynamic_cast<CDDMenu*>(object.get())) answer.menu.reset(static_cast<CDDMenu*>(object.release()));
    } else {
      answer.menu = m_local->Request(menuName);
      EXPECT_EQ(ValueStore::live, 0) << menuName;
      answer.reads = std::move(m_local->host.store.reads);
      m_local->host.store.reads.clear();
    }
    const CDDMenu* menu = answer.menu.get();
    if (!menu) {
      ADD_FAILURE() << menuName << " is not answered as a menu";
      return answer;
    }
    EXPECT_TRUE(menu->getAttributesAvailable()) << menuName;
    EXPECT_EQ(menu->getAccess(), AccessOnline) << menuName;
    if (const CDDMenuItemList* list = menu->menuItems()) {
      for (const CDDMenuItem& item : list->entries()) {
        answer.items.push_back(static_cast<ObjId>(item.getDefinition().getID()));
        answer.qualifications.push_back(item.qualifications());
      }
    } else {
      ADD_FAILURE() << menuName << " has no item list";
    }
    std::set<ObjId> distinct(answer.items.begin(), answer.items.end());
    EXPECT_EQ(distinct.size(), answer.items.size()) << menuName << " lists an item twice";
    return answer;
  }

  static std::vector<ObjId> Ids(const CDDDefinitionList* list) {
    std::vector<ObjId> ids;
    if (list)
      for (const CDDDefinition& d : list->entries()) ids.push_back(static_cast<ObjId>(d.getID()));
    return ids;
  }

  static bool Has(const MenuAnswer& answer, ObjId id) {
    return std::find(answer.items.begin(), answer.items.end(), id) != answer.items.end();
  }
  static long Count(const std::vector<std::string>& reads, const std::string& name) {
    return std::count(reads.begin(), reads.end(), name);
  }
  // The items strictly between two items of the list (the second may be absent: to the end).
  static std::vector<ObjId> Between(const MenuAnswer& answer, ObjId after, ObjId before) {
    auto from = std::find(answer.items.begin(), answer.items.end(), after);
    if (from == answer.items.end()) return {};
    auto to = std::find(from + 1, answer.items.end(), before);
    return {from + 1, to};
  }

  struct InProcess {
    InProcess() {
      calc.Init(&host);
      calc.BuildCatalogue();
    }
    std::unique_ptr<CDDMenu> Request(const std::string& name) {
      for (long n = 1; n <= kObjectCount; ++n) {
        const CDDDefinition* d = calc.FindDefinition(n);
        if (!d || name != d->getName()) continue;
        auto menu = std::make_unique<CDDMenu>(*d);
        EXPECT_EQ(calc.Calculate(&context, menu.get()), menu.get()) << name;
        return menu;
      }
      return nullptr;
    }
    struct : CHostServices {
      CMethodContext* createMethodContext(CHostContext*) override { return nullptr; }
      CHostObjectStore* getObjectStore() override { return &store; }
      CHostErrorHandler* getErrorHandler() override { return nullptr; }
      ValueStore store;
    } host;
    struct : CHostContext {
    } context;
    CDeviceAttributeCalculation calc;
  };

  Backend m_backend;
  std::unique_ptr<dtmhost::Host> m_host;
  std::unique_ptr<InProcess> m_local;
};

// n reads of one variable, for writing expected read orders.
inline std::vector<std::string> Times(int n, const std::string& name) { return std::vector<std::string>(n, name); }
inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
