// Before an edit of a parameter that others depend on, its value is saved in the
// host's last_ variable, so that the change method can tell whether it really changed.
#include "methods/bodies.h"

namespace methods::body {
namespace {

// Overwrites the saved copy on every run, even with the value it already holds.
void Save(MethodRun& run, ObjId parameter, ObjId saved) { run.PutInt(saved, run.GetInt(parameter)); }

}  // namespace

void PreEditSensorType(MethodRun& run) { Save(run, id::manu_sensor_type, id::last_manu_sensor_type); }

void PreEditMode(MethodRun& run) { Save(run, id::manu_mode, id::last_manu_mode); }

void PreEditCheckSelect(MethodRun& run) { Save(run, id::manu_check_select, id::last_manu_check_select); }

void PreEditUnitDisplay(MethodRun& run) { Save(run, id::manu_unit_display, id::last_manu_unit_display); }

}  // namespace methods::body
