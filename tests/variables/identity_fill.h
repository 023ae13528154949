// Fills one variable through the calculator's dispatch, the way a host asks for it,
// on a reference host attached to a calculator linked into the tests. The rows of the
// identification and physical-block groups read nothing but the access code, and
// leave no value copy alive.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "dtmhost/host.h"
#include "module/calculator.h"
#include "variables/variable_frame.h"
#include "row_name.h"

// The shared host is attached before the first test, not on first use: attaching fills
// every object, and inside a test that would land in its journal and read counts.
class IdentityHostEnvironment : public testing::Environment {
 public:
  struct Attached {
    CDeviceAttributeCalculation calc;
    std::unique_ptr<dtmhost::Host> host = dtmhost::Host::Attach(&calc);
  };
  void SetUp() override { attached = std::make_unique<Attached>(); }
  void TearDown() override { attached.reset(); }
  static inline std::unique_ptr<Attached> attached;
};
inline testing::Environment* const identityHostEnvironment =
    testing::AddGlobalTestEnvironment(new IdentityHostEnvironment);

inline dtmhost::Host& IdentityHost() { return *IdentityHostEnvironment::attached->host; }

// A host object that already carries attributes from an earlier request.
inline std::unique_ptr<CDDVariable> UsedVariable(ObjId id) {
  auto v = std::make_unique<CDDVariable>(*IdentityHost().Find(id));
  v->putLabel(CStrPP("earlier label"));
  v->putHelp(CStrPP("earlier help"));
  v->putHandling(HandlingRead, true);
  v->putHandling(HandlingWrite, true);
  return v;
}

inline std::unique_ptr<CDDVariable> FillRow(ObjId id, std::unique_ptr<CDDVariable> v = nullptr) {
  dtmhost::Host& host = IdentityHost();
  const variables::VariableRow* row = variables::RowFor(id);
  if (!row) return nullptr;
  if (!v) v = std::make_unique<CDDVariable>(*host.Find(id));
  host.store().clearReads();
  EXPECT_EQ(host.calculator().Calculate(host.context(), v.get()), v.get());
  const std::vector<std::string> none, accessCode = {"manu_alarm_enable_code"};
  EXPECT_EQ(host.store().readOrder(), row->handling == variables::Handling::locked ? accessCode : none) << RowName(*row);
  EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0) << RowName(*row);
  return v;
}
