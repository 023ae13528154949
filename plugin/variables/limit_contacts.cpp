// Limit contacts: switching points, delays and alarm thresholds, row V4 of the
// operating matrix, once per watched quantity (pv main value, sv pH or redox, temp).
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr const char kSwitchOn[] =
    "V4H0   Switch on value  |de|V4H0   Einschaltpunkt  |fr|V4H0   Seuil d'enclenchement  "
    "|it|V4H0   Valore di inserzione";
constexpr const auto& kSwitchOff =
    "V4H1   Switch off value  |de|V4H1   Ausschaltpunkt  |fr|V4H1   Seuil de déclenchement  "
    "|it|V4H1   Valore di disinserzione"_latin1;
constexpr const char kAlarmThreshold[] =
    "V4H4   Alarm threshold  |de|V4H4   Alarmschwelle  |fr|V4H4   Seuil d'alarme  |it|V4H4   Soglia di allarme";

// pv: default and maximum by measuring unit and sensor range, format by sensor range.
constexpr TypeSpec kPvType{.code = VariableTypeFloat, .range = true, .min = 0.0};
constexpr VarRules kPvRules{.deflt = rule::unitDefault<rule::kRangeMax>,
                            .max = rule::unitMax<rule::kRangeMax>,
                            .format = rule::largeRangeFormat};

// sv: the pH range in mode 1, the millivolt range (integers) in every other mode.
constexpr rule::ModeChoice kSvDefault{.ph = 9.0, .other = 1500};
constexpr rule::ModeChoice kSvMin{.ph = 4.0, .other = 0};
constexpr rule::ModeChoice kSvMax{.ph = 9.0, .other = 1500};
constexpr rule::ModeChoice kSvFormat{.ph = "1.1f", .other = "4.1f"};
constexpr TypeSpec kSvType{.code = VariableTypeFloat, .range = true};
constexpr VarRules kSvRules{.deflt = rule::modeDefault<kSvDefault>,
                            .min = rule::modeBound<kSvMin>,
                            .max = rule::modeBound<kSvMax>,
                            .format = rule::modeFormat<kSvFormat>};

constexpr TypeSpec kTempType{
    .code = VariableTypeFloat, .deflt = 50.0, .range = true, .min = 0.0, .max = 50.0, .display = "2.1f"};

constexpr VariableRow kRows[] = {
    {.id = id::manu_relay_pv_switch_on,
     .label = kSwitchOn,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kPvType,
     .handling = Handling::locked,
     .rules = kPvRules},
    {.id = id::manu_relay_sv_switch_on,
     .label = kSwitchOn,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSvType,
     .handling = Handling::locked,
     .rules = kSvRules},
    {.id = id::manu_relay_temp_switch_on,
     .label = kSwitchOn,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "°C"_latin1,
     .type = kTempType,
     .handling = Handling::locked},
    {.id = id::manu_relay_pv_switch_off,
     .label = kSwitchOff,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kPvType,
     .handling = Handling::locked,
     .rules = kPvRules},
    {.id = id::manu_relay_sv_switch_off,
     .label = kSwitchOff,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSvType,
     .handling = Handling::locked,
     .rules = kSvRules},
    {.id = id::manu_relay_temp_switch_off,
     .label = kSwitchOff,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "°C"_latin1,
     .type = kTempType,
     .handling = Handling::locked},
    {.id = id::manu_relay_switch_on_delay,
     .label = "V4H2   Switch on delay  |de|V4H2   Einschaltverzögerung  |fr|V4H2   Temporisation d'enclenchement  "
              "|it|V4H2   Ritardo di inserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_relay_switch_off_delay,
     .label = "V4H3   Switch off delay  |de|V4H3   Ausschaltverzögerung  |fr|V4H3   Temporisation de déclenchement  "
              "|it|V4H3   Ritardo di disinserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_relay_pv_alarm_threshold,
     .label = kAlarmThreshold,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kPvType,
     .handling = Handling::locked,
     .rules = kPvRules},
    {.id = id::manu_relay_sv_alarm_threshold,
     .label = kAlarmThreshold,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSvType,
     .handling = Handling::locked,
     .rules = kSvRules},
    {.id = id::manu_relay_temp_alarm_threshold,
     .label = kAlarmThreshold,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "°C"_latin1,
     .type = kTempType,
     .handling = Handling::locked},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kLimitContactRows = kRows;

}  // namespace variables
