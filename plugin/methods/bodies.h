// Method bodies, one source per family. Twins (an offline method and its _ONLINE
// sister, or two methods with the same statements) share one body.
#pragma once
#include "methods/method_frame.h"
#include "module/device_codes.h"

namespace methods::body {

// message_bodies.cpp. Empty serves the menu commands, the separator, the transfer
// command and the first pre-read action.
void Empty(MethodRun& run);
void Delay1s(MethodRun& run);
void MessageNoRelays(MethodRun& run);
void MessageNoAccess(MethodRun& run);

// software_revision.cpp
void NumericSoftwareRevision(MethodRun& run);

// read_back_bodies.cpp
void ReadTemperatureEntry(MethodRun& run);
void ReadFunctionParams(MethodRun& run);
void ReadLimitPvParams(MethodRun& run);
void ReadLimitSvParams(MethodRun& run);
void ReadLimitTempParams(MethodRun& run);
void ReadPidParams(MethodRun& run);
void ReadTimerParams(MethodRun& run);
void ReadCleanParams(MethodRun& run);
void ReadThreePointStepParams(MethodRun& run);
void ReadAlarmStatusParams(MethodRun& run);

// pre_read_bodies.cpp
void PreReadLevel1(MethodRun& run);
void PreReadLevel2(MethodRun& run);
void PreReadLevel3(MethodRun& run);

// Whether the sensor measures the large range, the type asked afresh: a second time
// only when the first answer was not QN-701.
inline bool ReadLargeRange(MethodRun& run) {
  return run.GetInt(id::manu_sensor_type) == code::kQN701 ||
         run.GetInt(id::manu_sensor_type) == code::kQN711;
}

// comm_error_methods.cpp
void IgnoreAllErrors(MethodRun& run);
void CheckAllErrors(MethodRun& run);
void DefaultErrorHandling(MethodRun& run);

// factory_reset.cpp
void FactoryResetParams(MethodRun& run);
void FactoryResetWarm(MethodRun& run);
void FactoryResetAddress(MethodRun& run);
void FactoryResetDeviceSpecific(MethodRun& run);

// pre_edit.cpp
void PreEditSensorType(MethodRun& run);
void PreEditMode(MethodRun& run);
void PreEditCheckSelect(MethodRun& run);
void PreEditUnitDisplay(MethodRun& run);

// change_methods.cpp
void ChangedSensorType(MethodRun& run);
void ChangedMode(MethodRun& run);
void UpdateModeHelp(MethodRun& run);
void ChangedCheckSelect(MethodRun& run);
void ChangedUnitDisplay(MethodRun& run);

// upload_lock.cpp
void PreWriteLock(MethodRun& run);
void PostWriteLock(MethodRun& run);
void SensorTypeGuard(MethodRun& run);
void WriteSensorType(MethodRun& run);
void RememberSensorType(MethodRun& run);
void PreWriteUploadVariables(MethodRun& run);

// limits.cpp
void SetPvUpperLimit(MethodRun& run);
void SetSvLowerLimit(MethodRun& run);
void SetSvUpperLimit(MethodRun& run);

// relay_selection.cpp
void SelectRelay(MethodRun& run);
void SelectRelayFunction(MethodRun& run);

// resets.cpp
void ResetSensor(MethodRun& run);
void ResetGeneral(MethodRun& run);

}  // namespace methods::body
