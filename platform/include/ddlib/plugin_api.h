// What the host calls on a loaded device plug-in: the exported entry points and the
// operations of the two objects they hand out.
#pragma once
#include <cstdint>

#include "ddlib/host.h"

// The attribute calculator, as the host sees it.
class IDeviceAttributeCalculation {
 public:
  virtual ~IDeviceAttributeCalculation();
  virtual void Init(CHostServices* host) = 0;
  virtual void Exit() = 0;
  virtual void BuildCatalogue() = 0;
  virtual CDDObject* Calculate(CHostContext* context, CDDObject* object) = 0;
  virtual bool IsVariableValid(CHostContext* context, CDDVariable* variable) = 0;
  virtual bool IsMethodValid(CHostContext* context, CDDMethod* method) = 0;
  virtual bool IsMenuValid(CHostContext* context, CDDMenu* menu) = 0;
  virtual int ExecuteMethod(CHostContext* context, CDDMethod* method, std::int32_t executeArgument,
                            bool suppressAbort) = 0;
};

// The device-type information object. Texts are Latin-1 and owned by the object.
class IDeviceInformation {
 public:
  virtual ~IDeviceInformation();
  // Root menus and transfer lists by role; "" for a role without a menu.
  virtual const char* GetMenuName(long role) = 0;
  virtual const char* GetDeviceTypeText() = 0;
  virtual long GetIdentNumber() = 0;
  virtual long GetManufacturerId() = 0;
  virtual const char* GetManufacturerName() = 0;
  virtual const char* GetSoftwareRevision() = 0;
  virtual const char* GetProfileRevision() = 0;
  virtual long GetIconResource() = 0;
  virtual long GetBitmapResource(int which) = 0;  // 0 and 1
};

extern "C" {
using GetAttributeCalculationFn = IDeviceAttributeCalculation* (*)();
using GetInformationFn = IDeviceInformation* (*)();
using GetAttributeCalcDataCategoryFn = void (*)(const std::uint16_t** table, long* count);
using DllRegisterServerFn = long (*)();
using DllUnregisterServerFn = long (*)();
}
