// Every variable row table, each kept in its topic's file, and the two objects of the
// variable range that have a calculation of their own. variables_index.cpp lists them.
#pragma once
#include "variables/variable_frame.h"

namespace variables {

extern const RowTable kMeasuringRows;         // measured values, sensor type, operating mode
extern const RowTable kRelayRows;             // relay selection, function and switch
extern const RowTable kLimitContactRows;      // switching points and alarm thresholds
extern const RowTable kTemperatureRows;       // pH compensation and temperature entry
extern const RowTable kControllerRows;        // PID and three-point-step controllers
extern const RowTable kTimerCleaningRows;     // timer and cleaning
extern const RowTable kCurrentInputRows;      // current input
extern const RowTable kCheckRows;             // check function
extern const RowTable kAlarmAccessRows;       // alarm, hold and access code
extern const RowTable kIdentificationRows;    // 1..16: identification pairs
extern const RowTable kCommErrorRows;         // 17..45: communication-error handling
extern const RowTable kSoftwareRevisionRows;  // 113..121: the software revision's parts
extern const RowTable kBlockHeaderRows;       // 126..138: the physical block's header
extern const RowTable kBlockParameterRows;    // 139..164, 201, 202 (but 152, 155, 156)
extern const RowTable kManufacturerRows;      // 152
extern const RowTable kDiagnosisRows;         // 155, 156
extern const RowTable kErrorCodeRows;         // 200
extern const RowTable kGsdChannelRows;        // 654, 656, 658: the GSD channel settings

// The physical block (object 125): its type, number and kind.
CDDObject* CalcPhysicalBlock(CDeviceAttributeCalculation& calc, CHostContext* context, CDDObject* object);
// The refresh relations' function, or null for a number that names none.
CalcFunction RefreshCalcFor(ObjId number);

}  // namespace variables
