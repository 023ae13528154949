// The plug-in's exported entry points.
#include <new>

#include "module/calculator.h"

extern "C" {

IDeviceAttributeCalculation* GetAttributeCalculation() {
  return new (std::nothrow) CDeviceAttributeCalculation();
}

IDeviceInformation* GetInformation() { return nullptr; }

void GetAttributeCalcDataCategory(const std::uint16_t** table, long* count) {
  if (table) *table = nullptr;
  if (count) *count = 0;
}

long DllRegisterServer() { return 0; }
long DllUnregisterServer() { return 0; }
}
