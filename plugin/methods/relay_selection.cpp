// Which relay the relay parameters refer to, and which function that relay has. The
// user picks from lists that offer only what the device allows; the position picked
// becomes the value written to the device.
#include <array>
#include <span>

#include "methods/bodies.h"
#include "methods/texts.h"

namespace methods::body {
namespace {

constexpr const char* kSelectRelay = "Select relay  |de|Relais Auswahl  |fr|Choix du relais  |it|Seleziona rele";
constexpr const char* kTwoRelays =
    "Relay 1 \n  Relay 2 \n  |de|Relais 1 \n  Relais 2 \n  |fr|Relais 1 \n  Relais 2 \n  |it|Rele' 1 \n  Rele' 2 \n";
constexpr const char* kThreeRelays =
    "Relay 1 \n  Relay 2 \n  Relay 3  |de|Relais 1 \n  Relais 2 \n  Relais 3  "
    "|fr|Relais 1 \n  Relais 2 \n  Relais 3  |it|Rele' 1 \n  Rele' 2 \n  Rele' 3";
constexpr const char* kFourRelays =
    "Relay 1 \n  Relay 2 \n  Relay 3 \n  Relay 4  |de|Relais 1 \n  Relais 2 \n  Relais 3 \n  Relais 4  "
    "|fr|Relais 1 \n  Relais 2 \n  Relais 3 \n  Relais 4  |it|Rele' 1 \n  Rele' 2 \n  Rele' 3 \n  Rele' 4";

constexpr const char* kSelectFunction =
    "Select relay function  |de|Kontaktfunktion Auswahl  |fr|Choix du fonction du relais  |it|Seleziona tipo";

// One list of relay functions: its options and the positions past which a left-out
// function is skipped, so that the raised position plus one is the function code.
struct FunctionList {
  const char* options;
  int count;
  std::span<const int> thresholds;
};

constexpr int kNoPH[] = {1, 4};
constexpr int kRedox[] = {4};
constexpr int kStepOnlyNoPH[] = {1, 4, 6};
constexpr int kStepOnlyPH[] = {6};
constexpr int kStepOnlyRedox[] = {4, 6};

// Lists 1 to 3 for relays 1, 2 and 4; 4 to 6 for relay 3 with the cleaning function;
// 7 to 9 for relay 3 without it. Within each three: without pH, pH, redox.
constexpr std::array<FunctionList, 9> kFunctionLists = {{
    {"LC PV \n  LC deg. C \n  PID PV \n  Timer  |de|GW PV \n  GW Grd. C \n  PID PW \n  Timer  "
     "|fr|CL VP \n  CL deg. C \n  PID VP \n  Timer \n  |it|LC PV \n  LC Grd. C \n  PID VP \n  Timer",
     4, kNoPH},
    {"LC PV \n  LC pH \n  LC deg. C \n  PID PV \n  PID pH \n  Timer  "
     "|de|GW PV \n  GW pH \n  GW Grd. C \n  PID PW \n  PID pH \n  Timer  "
     "|fr|CL VP \n  LC pH \n  CL deg. C \n  PID VP \n  PID pH \n  Timer \n  "
     "|it|LC PV \n  LC pH \n  LC Grd. C \n  PID VP \n  PID pH \n  Timer",
     6, {}},
    {"LC PV \n  LC Redox \n  LC deg. C \n  PID PV \n  Timer  |de|GW PV \n  GW Redox \n  GW Grd. C \n  PID PW \n  "
     "Timer  |fr|CL VP \n  LC ORP \n  CL deg. C \n  PID VP \n  Timer \n  "
     "|it|LC PV \n  LC ORP \n  LC Grd. C \n  PID VP \n  Timer",
     5, kRedox},
    {"LC PV \n  LC deg. C \n  PID PV \n  Timer \n  Clean \n  3P stepcontrol  "
     "|de|GW PV \n  GW Grd. C \n  PID PW \n  Timer \n  Reinigung \n  3-P-Schritt  "
     "|fr|CL VP \n  CL deg. C \n  PID VP \n  Timer \n  Nettoyage \n  Regul. 3points  "
     "|it|LC PV \n  LC Grd. C \n  PID VP \n  Timer \n  Funz. di puliz. \n  3P stepcontrol",
     6, kNoPH},
    {"LC PV \n  LC pH \n  LC deg. C \n  PID PV \n  PID pH \n  Timer \n  Clean \n  3P stepcontrol  "
     "|de|GW PV \n  GW pH \n  GW Grd. C \n  PID PW \n  PID pH \n  Timer \n  Reinigung \n  3-P-Schritt  "
     "|fr|CL VP \n  LC pH \n  CL deg. C \n  PID VP \n  PID pH \n  Timer \n  Nettoyage \n  Regul. 3points  "
     "|it|LC PV \n  LC pH \n  LC Grd. C \n  PID VP \n  PID pH \n  Timer \n  Funz. di puliz. \n  3P stepcontrol",
     8, {}},
    {"LC PV \n  LC Redox \n  LC deg. C \n  PID PV \n  Timer \n  Clean \n  3P stepcontrol  "
     "|de|GW PV \n  GW Redox \n  GW Grd. C \n  PID PW \n  Timer \n  Reinigung \n  3-P-Schritt  "
     "|fr|CL VP \n  LC ORP \n  CL deg. C \n  PID VP \n  Timer \n  Nettoyage \n  Regul. 3points  "
     "|it|LC PV \n  LC ORP \n  LC Grd. C \n  PID VP \n  Timer \n  Funz. di puliz. \n  3P stepcontrol",
     7, kRedox},
    {"LC PV \n  LC deg. C \n  PID PV \n  Timer \n  3P stepcontrol  "
     "|de|GW PV \n  GW Grd. C \n  PID PW \n  Timer \n  3-P-Schritt  "
     "|fr|CL VP \n  CL deg. C \n  PID VP \n  Timer \n  Regul. 3points  "
     "|it|LC PV \n  LC Grd. C \n  PID VP \n  Timer \n  3P stepcontrol",
     5, kStepOnlyNoPH},
    {"LC PV \n  LC pH \n  LC deg. C \n  PID PV \n  PID pH \n  Timer \n  3P stepcontrol  "
     "|de|GW PV \n  GW pH \n  GW Grd. C \n  PID PW \n  PID pH \n  Timer \n  3-P-Schritt  "
     "|fr|CL VP \n  LC pH \n  CL deg. C \n  PID VP \n  PID pH \n  Timer \n  Regul. 3points  "
     "|it|LC PV \n  LC pH \n  LC Grd. C \n  PID VP \n  PID pH \n  Timer \n  3P stepcontrol",
     7, kStepOnlyPH},
    {"LC PV \n  LC Redox \n  LC deg. C \n  PID PV \n  Timer \n  3P stepcontrol  "
     "|de|GW PV \n  GW Redox \n  GW Grd. C \n  PID PW \n  Timer \n  3-P-Schritt  "
     "|fr|CL VP \n  LC ORP \n  CL deg. C \n  PID VP \n  Timer \n  Regul. 3points  "
     "|it|LC PV \n  LC ORP \n  LC Grd. C \n  PID VP \n  Timer \n  3P stepcontrol",
     6, kStepOnlyRedox},
}};

// Within one group of three lists: without the pH and redox functions the first;
// otherwise the mode picks pH or redox. An unknown mode offers no list (null).
const FunctionList* ByMode(MethodRun& run, std::size_t first) {
  if (run.GetInt(id::manu_pH_enabled) != 1) return &kFunctionLists[first];
  switch (run.GetInt(id::manu_mode)) {
    case code::kOff: return &kFunctionLists[first];
    case code::kPh: return &kFunctionLists[first + 1];
    case code::kRedox: return &kFunctionLists[first + 2];
    default: return nullptr;
  }
}

// Only relay 3 (selector 2) may clean or drive a three-point step controller.
const FunctionList* FunctionListFor(MethodRun& run) {
  if (run.GetInt(id::manu_relay_select_relay) != code::kThirdRelay) return ByMode(run, 0);
  return ByMode(run, run.GetInt(id::manu_cleaning_function_enabled) == 1 ? 3 : 6);
}

}  // namespace

// A stop at a list leaves the relay picked before it selected.
void SelectRelay(MethodRun& run) {
  run.Local("status");
  int& result = run.Local("result");
  run.Read(id::read_manu_relay_number);
  // Three separate tests, each asking the count afresh; only 0, 2 and 4 lead anywhere.
  if (run.GetInt(id::manu_relay_number) == code::kNoRelays) run.Delay(2, text::kNoRelays);
  if (run.GetInt(id::manu_relay_number) == code::kTwoRelays) {
    result = run.Select(kSelectRelay, kTwoRelays, 2);
    run.PutInt(id::manu_relay_select_relay, result);
    run.Write(id::write_manu_relay_select_relay);
  }
  if (run.GetInt(id::manu_relay_number) == code::kFourRelays) {
    // Relay 4 is offered only while relay 3 neither cleans nor drives a three-point step.
    run.PutInt(id::manu_relay_select_relay, code::kThirdRelay);
    run.Write(id::write_manu_relay_select_relay);
    run.Read(id::read_manu_relay_function);
    if (run.GetInt(id::manu_relay_function) == code::kCleaning ||
        run.GetInt(id::manu_relay_function) == code::kThreePointStep)
      result = run.Select(kSelectRelay, kThreeRelays, 3);
    else
      result = run.Select(kSelectRelay, kFourRelays, 4);
    run.PutInt(id::manu_relay_select_relay, result);
    run.Write(id::write_manu_relay_select_relay);
  }
}

void SelectRelayFunction(MethodRun& run) {
  run.Local("status");
  int& result = run.Local("result");
  run.Read(id::read_manu_relay_number);
  if (run.GetInt(id::manu_relay_number) == code::kNoRelays) {
    run.CallMethod(id::method_message_no_relays);
    run.Abort();
  }
  run.Read(id::read_manu_alarm_enable_code);
  if (run.GetInt(id::manu_alarm_enable_code) != code::kAccessCode) {
    run.CallMethod(id::method_message_no_access);
    run.Abort();
  }
  const FunctionList* list = FunctionListFor(run);
  // Without a list there is no choice to write. An answer the list did not offer
  // stops the run as well, so nothing is written.
  if (list == nullptr) MethodRun::Stop();
  result = run.Select(kSelectFunction, list->options, list->count);
  for (int threshold : list->thresholds)
    if (result >= threshold) ++result;
  run.PutInt(id::manu_relay_function, result + 1);
  run.Write(id::write_manu_relay_function);
}

}  // namespace methods::body
