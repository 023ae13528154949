// Resets of the physical block through its reset parameter: the code is put, then
// written to the device, after the user has confirmed (or entered it).
#include <string>

#include "methods/bodies.h"
#include "module/latin1.h"

namespace methods::body {
namespace {

// Warm start and address reset show the name of their message, which the host may
// resolve; the plug-in passes it as it is.
void ResetWithNamedMessage(MethodRun& run, const char* message, int code) {
  run.Local("status");
  std::string& sz = run.TextLocal("sz");
  int& iLen = run.Local("iLen");
  iLen = 512;
  sz = message;
  run.Acknowledge(sz.c_str());
  run.PutInt(id::phys_factory_reset, code);
  run.Write(id::write_phys_factory_reset);
}

}  // namespace

void FactoryResetParams(MethodRun& run) {
  run.Local("status");
  run.Acknowledge(
      "Factory Reset  |de|Rücksetzen in Auslieferzustand  |fr|Remise à l'état de livraison  "
      "|it|Reset allo stato d fornitura  |es|Reposición al estado original de suministro"_latin1);
  run.PutInt(id::phys_factory_reset, 1);
  run.Write(id::write_phys_factory_reset);
}

void FactoryResetWarm(MethodRun& run) { ResetWithNamedMessage(run, "[phys_device_reset_cmd]", 2506); }

void FactoryResetAddress(MethodRun& run) { ResetWithNamedMessage(run, "[factory_reset_ADDRESS]", 2712); }

// The user enters the code; the write sends whatever the context then holds.
void FactoryResetDeviceSpecific(MethodRun& run) {
  run.Local("status");
  run.TextLocal("sz");
  run.Local("iLen");
  run.Ask("Reset  |de|Rücksetzen  |fr|Remise à zéro  |it|Reset  |es|Reset"_latin1, id::phys_factory_reset);
  run.Write(id::write_phys_factory_reset);
}

}  // namespace methods::body
