// Around a transfer of the parameter set to the device: the device is unlocked with
// its access code before and gets its own code back after; a transfer whose sensor
// type changed writes the sensor type alone and stops, since the device then ends the
// connection.
#include "methods/bodies.h"
#include "methods/texts.h"
#include "module/latin1.h"

namespace methods::body {
namespace {

constexpr const char* kSensorTypeChanged =
    "A parameter value controlling the type of sensor was changed by the user.  Downloading this parameter "
    "value causes the device to abort the communication connection.   Please re-connect to the device and "
    "start the Download again.  "
    "|de|Ein Parameterwert der den Sensortyp des Gerätes beeinflusst wurde vom Benutzer geändert.   Das "
    "Schreiben (Download) dieses Parameterwertes führt zu einem Abbruch der Kommunikationsverbindung durch das "
    "Gerät.   Bitte stellen Sie erneut eine Verbindung zum Gerät her und starten Sie nochmals den "
    "Download-Vorgang."_latin1;

// The version setting is read again after the lock changed and put back unchanged, so
// that the host keeps the device's value.
int RefreshVersionEnabled(MethodRun& run) {
  run.Read(id::read_manu_s_version_enabled);
  const int enabled = run.GetInt(id::manu_s_version_enabled);
  run.PutInt(id::manu_s_version_enabled, enabled);
  return enabled;
}

}  // namespace

void PreWriteLock(MethodRun& run) {
  run.PutInt(id::manu_alarm_enable_code_BACKUP, run.GetInt(id::manu_alarm_enable_code_DIAGNOSTIC));
  run.PutInt(id::manu_alarm_enable_code, code::kAccessCode);
  run.Write(id::write_manu_alarm_enable_code);
  RefreshVersionEnabled(run);
  run.SaveValues();
}

void PostWriteLock(MethodRun& run) {
  run.PutInt(id::manu_alarm_enable_code, run.GetInt(id::manu_alarm_enable_code_BACKUP));
  run.Write(id::write_manu_alarm_enable_code);
  run.SaveValues();
}

// Whatever the sensor-type write came to, the transfer stops with the message.
void SensorTypeGuard(MethodRun& run) {
  const int local = run.GetInt(id::manu_sensor_type_local);
  if (run.GetInt(id::manu_sensor_type_diagnostic) == local) return;
  run.CallMethod(id::method_write_manu_sensor_type);
  run.AbortWithMessage(kSensorTypeChanged);
}

void WriteSensorType(MethodRun& run) {
  run.PutInt(id::manu_sensor_type, run.GetInt(id::manu_sensor_type_local));
  run.Write(id::write_manu_sensor_type);
}

// Whichever sensor-type variable is edited, the copy follows manu_sensor_type.
void RememberSensorType(MethodRun& run) {
  run.PutInt(id::manu_sensor_type_local, run.GetInt(id::manu_sensor_type));
  run.SaveValues();
}

// Tells the user when the set's code does not unlock the device, and writes it all the
// same.
void PreWriteUploadVariables(MethodRun& run) {
  run.Local("ret");
  run.Local("i");
  int& entered = run.Local("loc_manu_alarm_enable_code");
  int& versionEnabled = run.Local("i_manu_s_version_enabled");
  entered = run.GetInt(id::manu_alarm_enable_code);
  if (entered != code::kAccessCode) {
    run.Acknowledge(text::kNoAccess);
    run.SaveValues();
  }
  run.PutInt(id::manu_alarm_enable_code, entered);
  run.Write(id::write_manu_alarm_enable_code);
  versionEnabled = RefreshVersionEnabled(run);
  run.SaveValues();
}

}  // namespace methods::body
