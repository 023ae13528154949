// Relay selection, relay function and relay switch: row V3 of the operating matrix.
// Which relays and functions are offered follows the device's equipment and settings.
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

// Relays 3 and 4 exist only on a four-relay device.
bool fourRelays(Reader& r) { return r.read(id::manu_relay_number) == Int(code::kFourRelays); }
// Relay 4 is not offered while the relay function is a PID, cleaning or step controller.
bool fourthRelayFree(Reader& r) {
  return r.read(id::manu_relay_function) != Int(code::kPidPv) &&
         r.read(id::manu_relay_function) != Int(code::kCleaning) &&
         r.read(id::manu_relay_function) != Int(code::kThreePointStep);
}
constexpr Gate kFourRelays{&fourRelays};
constexpr Gate kFourthRelayFree{&fourthRelayFree, &kFourRelays};

bool phLimitContact(Reader& r) {
  return r.read(id::manu_pH_enabled) == Int(1) && r.read(id::manu_mode) == Int(code::kPh);
}
bool redoxLimitContact(Reader& r) {
  return r.read(id::manu_pH_enabled) == Int(1) && r.read(id::manu_mode) == Int(code::kRedox);
}
// Both values are read whatever the mode: the library's && judges the device version's truth.
bool phController(Reader& r) {
  const CDDCommonVariant& phEnabled = r.read(id::manu_pH_enabled);
  const CDDCommonVariant& mode = r.read(id::manu_mode);
  return CDDCommonVariant(mode == Int(code::kPh)) && phEnabled;
}
// Cleaning and the step controller run only on relay 3.
bool thirdRelaySelected(Reader& r) { return r.read(id::manu_relay_select_relay) == Int(code::kThirdRelay); }
bool cleaningEnabled(Reader& r) { return r.read(id::manu_cleaning_function_enabled) == Int(1); }
constexpr Gate kPhLimitContact{&phLimitContact};
constexpr Gate kRedoxLimitContact{&redoxLimitContact};
constexpr Gate kPhController{&phController};
constexpr Gate kThirdRelay{&thirdRelaySelected};
constexpr Gate kCleaningOnThirdRelay{&cleaningEnabled, &kThirdRelay};

constexpr Enumerator kRelays[] = {
    {0, "Relay 1  |de|Relais 1  |fr|Relais 1  |it|Relè 1"_latin1},
    {1, "Relay 2  |de|Relais 2  |fr|Relais 2  |it|Relè 2"_latin1},
    {.value = 2, .description = "Relay 3  |de|Relais 3  |fr|Relais 3  |it|Relè 3"_latin1, .when = &kFourRelays},
    {.value = 3, .description = "Relay 4  |de|Relais 4  |fr|Relais 4  |it|Relè 4"_latin1, .when = &kFourthRelayFree},
};

// LC: limit contact; PV: main measured value.
constexpr Enumerator kRelayFunctions[] = {
    {1, "LC PV  |de|GW PV  |fr|CL VP  |it|LC PV"},
    {.value = 2, .description = "LC pH  |de|GW pH  |fr|LC pH  |it|LC pH", .when = &kPhLimitContact},
    {.value = 2, .description = "LC Redox  |de|GW Redox  |fr|LC ORP  |it|LC ORP", .when = &kRedoxLimitContact},
    {3, "LC deg. C  |de|GW Grd. C  |fr|CL deg. C  |it|LC Grd. C"},
    {4, "PID PV  |de|PID PW  |fr|PID VP  |it|PID VP"},
    {.value = 5, .description = "PID pH  |de|PID pH  |fr|PID pH  |it|PID pH", .when = &kPhController},
    {6, "Timer  |de|Timer  |fr|Timer  |it|Timer"},
    {.value = 7,
     .description = "Clean  |de|Reinigung  |fr|Nettoyage  |it|Funz. di puliz.",
     .when = &kCleaningOnThirdRelay},
    {.value = 8,
     .description = "3P stepcontrol  |de|3-P-Schritt  |fr|Regul. 3points  |it|3P stepcontrol",
     .when = &kThirdRelay},
};

constexpr Enumerator kOffOn[] = {
    {0, text::kOff},
    {1, "On  |de|Ein  |fr|Marche  |it|Acceso"},
};

constexpr VariableRow kRows[] = {
    {.id = id::manu_relay_select_relay,
     .label = "V3H0   Select relay  |de|V3H0   Relaisauswahl  |fr|V3H0   Sélection du relais  "
              "|it|V3H0   Selezione relè"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kRelays,
     .handling = Handling::locked},
    {.id = id::manu_relay_function,
     .label = "V3H1   Relay function  |de|V3H1   Relaisfunktion  |fr|V3H1   Fonction du relais  "
              "|it|V3H1   Funzione relè"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(1),
     .enums = kRelayFunctions,
     .handling = Handling::locked},
    {.id = id::manu_relay_enabled,
     .label = "V3H2   Relay switch on or off  |de|V3H2   Relais ein- oder ausschalten",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kOffOn,
     .handling = Handling::locked},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kRelayRows = kRows;

}  // namespace variables
