// The per-number index of every variable row. Each topic keeps its rows in its own
// file; adding a table is one declaration and one entry in kTables.
#include <array>

#include "module/subsystems.h"
#include "variables/identity_rows.h"
#include "variables/variable_frame.h"

namespace variables {

extern const RowTable kMeasuringRows;     // measured values, sensor type, operating mode
extern const RowTable kRelayRows;         // relay selection, function and switch
extern const RowTable kLimitContactRows;  // switching points and alarm thresholds
extern const RowTable kTemperatureRows;   // pH compensation and temperature entry
extern const RowTable kControllerRows;    // PID and three-point-step controllers
extern const RowTable kTimerCleaningRows;  // timer and cleaning
extern const RowTable kCurrentInputRows;  // current input
extern const RowTable kCheckRows;         // check function
extern const RowTable kAlarmAccessRows;   // alarm, hold and access code
CDDObject* CalcRefreshTemperature(CDeviceAttributeCalculation&, CHostContext*, CDDObject*);

namespace {

constexpr const RowTable* kTables[] = {
    &kMeasuringRows,
    &kRelayRows,
    &kLimitContactRows,
    &kTemperatureRows,
    &kControllerRows,
    &kTimerCleaningRows,
    &kCurrentInputRows,
    &kCheckRows,
    &kAlarmAccessRows,
    &kIdentificationRows, &kCommErrorRows, &kSoftwareRevisionRows, &kBlockHeaderRows, &kBlockParameterRows,
    &kManufacturerRows, &kDiagnosisRows, &kErrorCodeRows,
};

using RowIndex = std::array<const VariableRow*, kTableSize>;

RowIndex BuildIndex() {
  RowIndex index{};
  for (const RowTable* table : kTables)
    for (const VariableRow& row : *table)
      if (row.id > 0 && row.id <= kObjectCount && !index[row.id]) index[row.id] = &row;
  return index;
}

const RowIndex& Index() {
  static const RowIndex index = BuildIndex();
  return index;
}

}  // namespace

std::span<const RowTable* const> RowTables() { return kTables; }

const VariableRow* RowFor(long number) {
  if (number < 1 || number > kObjectCount) return nullptr;
  return Index()[static_cast<std::size_t>(number)];
}

CalcFunction CalcFunctionFor(ObjId number) {
  if (number == id::physical_block) return &CalcPhysicalBlock;  // the block and relations have their own
  if (number == id::refresh_temperature) return &CalcRefreshTemperature;
  return RowFor(number) ? &CalcVariable : nullptr;
}

}  // namespace variables
