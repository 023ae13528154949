// Menus as the reference host asks for them: either through the loaded plug-in, or
// through a calculator linked into the test when a test must reach inside it.
#pragma once
#include <memory>
#include <stdexcept>
#include <string>

#include "dtmhost/host.h"
#include "module/calculator.h"
#include "support/plugin_host.h"

// The tests' one way into the calculator's private tables.
struct CalculatorTestAccess {
  // Simulates a catalogue that lacks one object.
  static void Forget(CDeviceAttributeCalculation& calc, ObjId number) {
    delete calc.m_definitions[number];
    calc.m_definitions[number] = nullptr;
  }
};

namespace menutest {

// Casts a host answer to the menu it must be.
inline std::unique_ptr<CDDMenu> AsMenu(std::unique_ptr<CDDObject> object) {
  auto* menu = dynamic_cast<CDDMenu*>(object.get());
  if (!menu) throw std::logic_error("not a menu");
  object.release();
  return std::unique_ptr<CDDMenu>(menu);
}

using testsupport::OpenPlugin;

// The host on a calculator the test owns, so it may change the calculator's tables.
struct AttachedHost {
  std::unique_ptr<CDDMenu> Request(ObjId number) { return AsMenu(host->Request(calc.Definition(number))); }
  // Simulates a catalogue that lacks one object.
  void Forget(ObjId number) { CalculatorTestAccess::Forget(calc, number); }

  CDeviceAttributeCalculation calc;
  std::unique_ptr<dtmhost::Host> host = dtmhost::Host::Attach(&calc);
};

}  // namespace menutest
