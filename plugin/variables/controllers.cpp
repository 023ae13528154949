// The controllers a relay can run, row V4 of the operating matrix: the PID controller
// (relay functions 4 and 5) and the three-point-step controller (relay function 8).
// Both setpoints follow the measuring unit and the sensor's range alike.
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr const char kSetpoint[] = "V4H0   Setpoint  |de|V4H0   Sollwert  |fr|V4H0   Consigne";
constexpr const char kKp[] = "V4H1   Kp  |de|V4H1   Kp  |fr|V4H1   Kp  |it|V4H1   Kp";
constexpr const char kTimeTn[] = "V4H2   Time Tn  |de|V4H2   Zeit Tn  |fr|V4H2   Temps Tn  |it|V4H2   Tempo Tn";

constexpr rule::UnitScale kSetpointDefault{.large = 0.5, .small = 0.1, .ppbLarge = 500.0, .ppbSmall = 100.0};
constexpr VarRules kSetpointRules{.deflt = rule::unitDefault<kSetpointDefault>,
                                  .max = rule::unitMax<rule::kRangeMax>,
                                  .format = rule::largeRangeFormat};

// "PID PV" acts inversely by default, every other function directly.
std::optional<CDDCommonVariant> directionDefault(Reader& r) {
  return CDDCommonVariant(r.read(id::manu_relay_function) == CDDCommonVariant(code::kPidPv) ? 0 : 1);
}

constexpr Enumerator kDirections[] = {
    {0, "Inverse  |de|Invers  |fr|Inverse  |it|Inversa"},
    {1, "Direct  |de|Direkt  |fr|Directe  |it|Diretta"},
};
constexpr Enumerator kPulseModes[] = {
    {0, "Pulse length  |de|Impulslänge  |fr|Long. Impulsion  |it|Longh."_latin1},
    {1, "Pulse frequency  |de|Impulsfrequenz  |fr|Freq. Impulsion  |it|Frequen."},
};

constexpr TypeSpec kSetpointType{.code = VariableTypeFloat, .range = true, .min = 0.0};
constexpr TypeSpec kTimeType{
    .code = VariableTypeFloat, .deflt = 0.0, .range = true, .min = 0.0, .max = 999.9, .display = "3.1f"};
constexpr TypeSpec kStartPulseType{
    .code = VariableTypeFloat, .deflt = 0.3, .range = true, .min = 0.1, .max = 5.0, .display = "1.1f"};

constexpr VariableRow kRows[] = {
    // The main setpoint's unit comes from the unit relation, not from a constant.
    {.id = id::manu_relay_PID_nominal_value,
     .label = kSetpoint,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSetpointType,
     .handling = Handling::locked,
     .rules = kSetpointRules},
    {.id = id::manu_relay_PID_sv_nominal_value,
     .label = kSetpoint,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "pH",
     .type = {.code = VariableTypeFloat, .deflt = 7.2, .range = true, .min = 4.0, .max = 9.0, .display = "1.1f"},
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_Kp,
     .label = kKp,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = {.code = VariableTypeFloat, .deflt = 1.0, .range = true, .min = 0.01, .max = 100.0, .display = ".2f"},
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_Tn,
     .label = kTimeTn,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kTimeType,
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_Tv,
     .label = "V4H3   Time Tv  |de|V4H3   Zeit Tv  |fr|V4H3   Temps Tv  |it|V4H3   Tempo Tv",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kTimeType,
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_charac,
     .label = "V4H4   Direction  |de|V4H4   Wirkungsrichtung  |fr|V4H4   Sens d'action  |it|V4H4   Direzione d'azione",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = {.code = VariableTypeEnumerated, .size = 1},
     .enums = kDirections,
     .handling = Handling::locked,
     .rules = {.deflt = directionDefault}},
    {.id = id::manu_relay_PID_mode,
     .label = "V4H5   Operating mode  |de|V4H5   Betriebsart  |fr|V4H5   Mode de fonctionnement  "
              "|it|V4H5   Modalità operativa"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kPulseModes,
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_pulse_period,
     .label = "V4H6   Pulse period  |de|V4H6   Pulsperiode  |fr|V4H6   Période d'impulsion  "
              "|it|V4H6   Periodo d'impulso"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = {.code = VariableTypeFloat, .deflt = 10.0, .range = true, .min = 0.5, .max = 999.9, .display = ".1f"},
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_pulse_freq,
     .label = "V4H7   Max. pulse frequency  |de|V4H7   Max. Pulsfrequenz  |fr|V4H7   Fréquence d'impulsion max.  "
              "|it|V4H7   Frequenza d'impulso max."_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "1/min",
     .type = UnsignedSetting({.size = 2, .deflt = 120, .min = 60, .max = 180, .format = "3u"}),
     .handling = Handling::locked},
    {.id = id::manu_relay_PID_switch_on_min,
     .label = "V4H8   Start pulse width  |de|V4H8   Startpulsbreite  |fr|V4H8   Largeur d'impulsion initiale  "
              "|it|V4H8   Larghezza dell'impulso iniziale",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kStartPulseType,
     .handling = Handling::locked},

    // Three-point-step controller: no pH setpoint; position V4H3 has no setting.
    {.id = id::manu_relay_3Pstep_nominal_value,
     .label = kSetpoint,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSetpointType,
     .handling = Handling::locked,
     .rules = kSetpointRules},
    {.id = id::manu_relay_3Pstep_Kp,
     .label = kKp,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = {.code = VariableTypeFloat, .deflt = 1.0, .range = true, .min = 0.01, .max = 99.99, .display = "3.2f"},
     .handling = Handling::locked},
    {.id = id::manu_relay_3Pstep_Tn,
     .label = kTimeTn,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = kTimeType,
     .handling = Handling::locked},
    {.id = id::manu_relay_3Pstep_switch_on_min,
     .label = "V4H4   Start pulse width  |de|V4H4   Startpulsbreite  |fr|V4H4   Largeur d'impulsion initiale  "
              "|it|V4H4   Larghezza dell'impulso iniziale",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kStartPulseType,
     .handling = Handling::locked},
    {.id = id::manu_relay_3Pstep_motor_time,
     .label = "V4H5   Motor run time  |de|V4H5   Motorlaufzeit  |fr|V4H5   Temps de course du moteur  "
              "|it|V4H5   Tempo di corsa del motore",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = UnsignedSetting({.size = 2, .deflt = 60, .min = 10, .max = 999, .format = "3u"}),
     .handling = Handling::locked},
    {.id = id::manu_relay_3Pstep_neutral_zone,
     .label = "V4H6   Neutral zone  |de|V4H6   Neutrale Zone  |fr|V4H6   Zone neutre  |it|V4H6   Zona neutra",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "%",
     .type = UnsignedSetting({.size = 2, .deflt = 10, .min = 0, .max = 40, .format = "2u"}),
     .handling = Handling::locked},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kControllerRows = kRows;

}  // namespace variables
