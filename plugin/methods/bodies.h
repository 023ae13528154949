// Method bodies, one source per family. Twins (an offline method and its _ONLINE
// sister, or two methods with the same statements) share one body.
#pragma once
#include "methods/method_frame.h"

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

}  // namespace methods::body
