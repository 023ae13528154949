// The current input, row V5 of the operating matrix: the control stop it can trigger
// and its influence on the PID controller.
#include "module/latin1.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr Enumerator kControlStop[] = {
    {0, text::kOff},
    {1, "External input  |de|Externer Eingang  |fr|Entrée externe  |it|Ingresso esterno"_latin1},
};
constexpr Enumerator kStopDirections[] = {
    {0, "Just low  |de|Nur tief  |fr|Seulement bas  |it|Solo basso"},
    {1, "Just high  |de|Nur hoch  |fr|Seulement haut  |it|Solo alto"},
};
constexpr Enumerator kPidInfluence[] = {
    {0, text::kOff},
    {1, "Linear  |de|Linear  |fr|Linéaire  |it|Lineare"_latin1},
};

constexpr TypeSpec kPercent = UnsignedSetting({.size = 1, .deflt = 50, .min = 0, .max = 100, .format = "3u"});

constexpr VariableRow kRows[] = {
    {.id = id::manu_current_control_stop,
     .label = "V5H0   Control stop  |de|V5H0   Regelstopp  |fr|V5H0   Arrêt de régulation  "
              "|it|V5H0   Arresto regolazione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kControlStop,
     .handling = Handling::locked},
    {.id = id::manu_current_switch_off_delay,
     .label = "V5H1   Switch off delay  |de|V5H1   Ausschaltverzögerung  |fr|V5H1   Temporisation d'arrêt  "
              "|it|V5H1   Ritardo di disinserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_current_switch_on_delay,
     .label = "V5H2   Switch on delay  |de|V5H2   Einschaltverzögerung  |fr|V5H2   Temporisation de marche  "
              "|it|V5H2   Ritardo di inserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_current_switch_off_value,
     .label = "V5H3   Switch off value  |de|V5H3   Ausschaltwert  |fr|V5H3   Valeur d'arrêt  "
              "|it|V5H3   Valore di disinserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "%",
     .type = kPercent,
     .handling = Handling::locked},
    {.id = id::manu_current_switch_off_direction,
     .label = "V5H4   Stop direction  |de|V5H4   Stopprichtung  |fr|V5H4   Sens d'arrêt  |it|V5H4   Direzione d'arresto"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kStopDirections,
     .handling = Handling::locked},
    {.id = id::manu_current_PID_influence,
     .label = "V5H5   PID influence  |de|V5H5   PID-Einfluss  |fr|V5H5   Influence PID  |it|V5H5   Influenza PID",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kPidInfluence,
     .handling = Handling::locked},
    {.id = id::manu_current_k_influence,
     .label = "V5H6   K influence  |de|V5H6   K-Einfluss  |fr|V5H6   Influence K  |it|V5H6   Influenza K",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "%",
     .type = kPercent,
     .handling = Handling::locked},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kCurrentInputRows = kRows;

}  // namespace variables
