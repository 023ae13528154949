// The per-number index of every variable row. Each topic keeps its rows in its own
// file; adding a table is one declaration in tables.h and one entry in kTables.
#include "module/row_index.h"
#include "module/subsystems.h"
#include "variables/tables.h"
#include "variables/variable_frame.h"

namespace variables {
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
    &kIdentificationRows,
    &kCommErrorRows,
    &kSoftwareRevisionRows,
    &kBlockHeaderRows,
    &kBlockParameterRows,
    &kManufacturerRows,
    &kDiagnosisRows,
    &kErrorCodeRows,
    &kGsdChannelRows,
};

// The tables span files, so no static_assert can see them together: a test checks that
// the index has no fault.
RowIndex<VariableRow> BuildIndex() {
  RowIndex<VariableRow> index(ObjectKindVariable);
  for (const RowTable* table : kTables) index.Add(*table);
  return index;
}

const RowIndex<VariableRow>& Index() {
  static const RowIndex<VariableRow> index = BuildIndex();
  return index;
}

}  // namespace

std::span<const RowTable* const> RowTables() { return kTables; }

const VariableRow* RowFor(long number) { return Index().Find(number); }

int IndexFaults() { return Index().faults(); }

CalcFunction CalcFunctionFor(ObjId number) {
  if (number == id::physical_block) return &CalcPhysicalBlock;  // the block and relations have their own
  if (CalcFunction refresh = RefreshCalcFor(number)) return refresh;
  return RowFor(number) ? &CalcVariable : nullptr;
}

}  // namespace variables
