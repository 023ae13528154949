#include "ddlib/host.h"

CHostContext::~CHostContext() = default;
CHostServices::~CHostServices() = default;
CHostObjectStore::~CHostObjectStore() = default;
CHostErrorHandler::~CHostErrorHandler() = default;
CMethodContext::~CMethodContext() = default;

#include "ddlib/plugin_api.h"

IDeviceAttributeCalculation::~IDeviceAttributeCalculation() = default;
IDeviceInformation::~IDeviceInformation() = default;
