// A calculator with its catalogue built, behind a minimal host whose store answers
// every value read with int 0 and counts the reads and the live copies.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue_table.h"
#include "ddlib/ddlib.h"
#include "module/calculator.h"

namespace menutest {

class CountedValue : public CDDCommonVariant {
 public:
  explicit CountedValue(int value) : CDDCommonVariant(value) { ++live; }
  ~CountedValue() override { --live; }
  static inline int live = 0;
};

class FakeStore : public CHostObjectStore {
 public:
  void addObject(const CDDObject&) override {}
  void putRequestSet(const CDDTransactionRef&, const CDDDefinitionSet&) override {}
  void putReplySet(const CDDTransactionRef&, const CDDDefinitionSet&) override {}
  void putDependentSet(const CDDDefinition&, const CDDDefinitionSet&) override {}
  CDDBlock* getBlockCopy(CHostContext*, const CDDDefinition&) override { return nullptr; }
  CDDCommonVariant* getValueCopy(CHostContext*, const CDDDefinition& variable) override {
    reads.push_back(variable.getName());
    return new CountedValue(0);
  }
  std::vector<std::string> reads;
};

class FakeHost : public CHostServices {
 public:
  CMethodContext* createMethodContext(CHostContext*) override { return nullptr; }
  CHostObjectStore* getObjectStore() override { return &store; }
  CHostErrorHandler* getErrorHandler() override { return nullptr; }
  FakeStore store;
};

struct Context : CHostContext {};

class MenuFixture {
 public:
  MenuFixture() {
    calc.Init(&host);
    calc.BuildCatalogue();
  }

  static const CatalogueEntry* Entry(ObjId number) {
    for (std::size_t i = 0; i < kCatalogueSize; ++i)
      if (kCatalogue[i].id == number) return &kCatalogue[i];
    return nullptr;
  }
  static const CatalogueEntry* Entry(const std::string& name) {
    for (std::size_t i = 0; i < kCatalogueSize; ++i)
      if (name == kCatalogue[i].name) return &kCatalogue[i];
    return nullptr;
  }

  // A fresh menu object for the number, filled by Calculate.
  std::unique_ptr<CDDMenu> Request(ObjId number) {
    auto menu = std::make_unique<CDDMenu>(calc.Definition(number));
    Fill(*menu);
    return menu;
  }
  void Fill(CDDObject& object) {
    CDDObject* result = calc.Calculate(&context, &object);
    if (result != &object) throw std::logic_error("a menu calculation must return the object it was given");
  }

  FakeHost host;
  Context context;
  CDeviceAttributeCalculation calc;
};

}  // namespace menutest
