// The device-type information object: constants the host asks about the device type.
#pragma once
#include "ddlib/plugin_api.h"

// The device type text: the ident number's description.
inline constexpr const char* kDeviceTypeText = "Tessivar M CL / TQR2*3 / PA / 2.40";

class CDeviceInformation : public IDeviceInformation {
 public:
  const char* GetMenuName(long role) override;
  const char* GetDeviceTypeText() override { return kDeviceTypeText; }
  long GetIdentNumber() override { return 5401; }
  long GetManufacturerId() override { return 17; }
  const char* GetManufacturerName() override { return "Vornholt + Tesk"; }
  const char* GetSoftwareRevision() override { return "2.4"; }
  const char* GetProfileRevision() override { return "2.0"; }
  long GetIconResource() override { return 102; }
  long GetBitmapResource(int which) override { return which == 0 ? 103 : which == 1 ? 104 : 0; }
};
