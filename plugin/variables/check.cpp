// The check function, row V7 of the operating matrix. What it watches (the chlorine
// measurement, or pH/redox) chooses the offered thresholds, the bounds and the formats;
// for pH/redox the operating mode chooses between the pH and the millivolt values.
#include <cstdint>

#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

bool checksChlorine(Reader& r) { return r.read(id::manu_check_select) == Int(code::kChlorine); }
bool modeIsRedox(Reader& r) { return r.read(id::manu_mode) == Int(code::kRedox); }
// Current-controlled monitoring is not offered while a pH device checks its redox
// measurement.
bool currentMonitoringOffered(Reader& r) {
  return !(r.read(id::manu_pH_enabled) == Int(1)) || r.read(id::manu_check_select) != Int(code::kSecondValue) ||
         r.read(id::manu_mode) != Int(code::kRedox);
}

// A value within one side of the check: fixed, or by the sensor's range (large, small),
// or by the operating mode (pH, any other mode).
struct Pick {
  enum class By : std::uint8_t { fixed, sensorRange, mode };
  By by = By::fixed;
  Const first{}, second{};
};
constexpr Pick Fixed(Const value) { return {Pick::By::fixed, value}; }
constexpr Pick ByRange(Const large, Const small) { return {Pick::By::sensorRange, large, small}; }
constexpr Pick ByMode(Const ph, Const other) { return {Pick::By::mode, ph, other}; }

struct CheckChoice {
  Pick chlorine, phRedox;
};

const Const& Picked(Reader& r, const Pick& pick) {
  switch (pick.by) {
    case Pick::By::fixed:
      break;
    case Pick::By::sensorRange:
      return rule::largeRangeSensor(r) ? pick.first : pick.second;
    case Pick::By::mode:
      return rule::modeIsPh(r) ? pick.first : pick.second;
  }
  return pick.first;
}
const Const& ByCheck(Reader& r, const CheckChoice& choice) {
  return Picked(r, checksChlorine(r) ? choice.chlorine : choice.phRedox);
}
template <const CheckChoice& C>
void checkBound(Reader& r, CDDCommonVariant& scratch) {
  scratch = ByCheck(r, C).variant();
}
template <const CheckChoice& C>
void checkFormat(Reader& r, CStrPP& work) {
  work = ByCheck(r, C).text;
}

constexpr CheckChoice kLowMin{Fixed(0.0), ByMode(4.0, 0)};
constexpr CheckChoice kHighMin{ByRange(0.1, 0.02), ByMode(4.1, 10)};
constexpr CheckChoice kSetpointMin{Fixed(0.0), Fixed(4.0)};
constexpr CheckChoice kThresholdFormat{ByRange("2.2f", "1.2f"), ByMode("1.1f", "4.1f")};
constexpr CheckChoice kSetpointFormat{ByRange("2.2f", "1.2f"), Fixed("1.1f")};

// In ppb the setpoint's default is an integer.
constexpr rule::UnitScale kSetpointDefault{.large = 0.5, .small = 0.1, .ppbLarge = 500, .ppbSmall = 100};

constexpr Gate kChecksChlorine{&checksChlorine};
constexpr Gate kModeIsPh{&rule::modeIsPh};
constexpr Gate kModeIsRedox{&modeIsRedox};
constexpr Gate kCurrentMonitoringOffered{&currentMonitoringOffered};

constexpr Enumerator kCheckSelections[] = {
    {0, "Chlorine/ Chlorine dioxide|de|Chlor/Chlordioxid"},
    {1, "pH/ORP|de|pH/Redox"},
};

constexpr Enumerator kCheckUnits[] = {
    {0, "mg/l"},
    {.value = 1, .description = "pH", .when = &kModeIsPh},
    {.value = 1, .description = "mV", .when = &kModeIsRedox},
};

constexpr const auto& kHighAndOff = "High and off  |de|Hoch und aus  |fr|Haut et arrêt  |it|Alto e spento"_latin1;
constexpr const auto& kLowHighAndOff =
    "Low + high + off  |de|Tief + hoch + aus  |fr|Bas + haut + arrêt  |it|Basso + alto + spento"_latin1;
// The same value means another setting in the two checks; chlorine has no "Low and off".
constexpr Enumerator kThresholds[] = {
    {0, text::kOff},
    {1, "Just low  |de|Nur tief  |fr|Seulement bas  |it|Solo basso"},
    {2, "Just high  |de|Nur hoch  |fr|Seulement haut  |it|Solo alto"},
    {3, "Low and high  |de|Tief und hoch  |fr|Bas et haut  |it|Basso e alto"},
    {.value = 4, .description = kHighAndOff, .when = &kChecksChlorine},
    {.value = 5, .description = kLowHighAndOff, .when = &kChecksChlorine},
    {.value = 4,
     .description = "Low and off  |de|Tief und aus  |fr|Bas et arrêt  |it|Basso e spento"_latin1,
     .unless = &kChecksChlorine},
    {.value = 5, .description = kHighAndOff, .unless = &kChecksChlorine},
    {.value = 6, .description = kLowHighAndOff, .unless = &kChecksChlorine},
};

constexpr Enumerator kMonitoring[] = {
    {0, text::kOff},
    {1, "AC"},
    {2, "AC + off"},
    {.value = 3, .description = "CC", .when = &kCurrentMonitoringOffered},
    {.value = 4, .description = "CC + off", .when = &kCurrentMonitoringOffered},
    {.value = 5, .description = "AC + CC", .when = &kCurrentMonitoringOffered},
    {.value = 6, .description = "AC + CC + off", .when = &kCurrentMonitoringOffered},
};

// The thresholds' and the setpoint's unit comes from the unit relation.
constexpr TypeSpec kCheckValue{.code = VariableTypeFloat, .range = true};

constexpr const auto& kSelection = "V7H0   Selection  |de|V7H0   Auswahl  |fr|V7H0   Sélection  |it|V7H0   Selezione"_latin1;

constexpr VariableRow kRows[] = {
    {.id = id::manu_check_select,
     .label = kSelection,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kCheckSelections,
     .handling = Handling::locked,
     .rules = {.writable = rule::checkSelectWritable}},
    // Follows manu_check_select; the unit relation reads it, so it is always writable.
    {.id = id::manu_check_select_help,
     .label = kSelection,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kCheckUnits,
     .handling = Handling::RW},
    {.id = id::manu_check_threshold_enabled,
     .label = "V7H1   Alarm threshold  |de|V7H1   Alarmschwelle  |fr|V7H1   Seuil d'alarme  |it|V7H1   Soglia di allarme",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kThresholds,
     .handling = Handling::locked},
    {.id = id::manu_check_error_delay,
     .label = "V7H2   Error delay  |de|V7H2   Fehlerverzögerung  |fr|V7H2   Temporisation d'erreur  "
              "|it|V7H2   Ritardo d'errore"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_check_threshold_low,
     .label = "V7H3   Low alarm threshold  |de|V7H3   Untere Alarmschwelle  |fr|V7H3   Seuil d'alarme bas  "
              "|it|V7H3   Soglia di allarme inferiore",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kCheckValue,
     .handling = Handling::locked,
     .rules = {.deflt = rule::unitDefault<rule::kRangeMax>,
               .min = checkBound<kLowMin>,
               .max = rule::unitMax<rule::kRangeMax>,
               .format = checkFormat<kThresholdFormat>}},
    {.id = id::manu_check_threshold_high,
     .label = "V7H4   High alarm threshold  |de|V7H4   Obere Alarmschwelle  |fr|V7H4   Seuil d'alarme haut  "
              "|it|V7H4   Soglia di allarme superiore",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kCheckValue,
     .handling = Handling::locked,
     .rules = {.deflt = rule::unitDefault<rule::kRangeMax>,
               .min = checkBound<kHighMin>,
               .max = rule::unitMax<rule::kRangeMax>,
               .format = checkFormat<kThresholdFormat>}},
    {.id = id::manu_check_monitoring_enabled,
     .label = "V7H5   Process monitoring  |de|V7H5   Prozessüberwachung  |fr|V7H5   Surveillance du process  "
              "|it|V7H5   Monitoraggio del processo"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kMonitoring,
     .handling = Handling::locked},
    {.id = id::manu_check_low_alarm_time_max,
     .label = "V7H6   Max. time low alarm  |de|V7H6   Max. Zeit unterer Alarm  |fr|V7H6   Durée max. alarme basse  "
              "|it|V7H6   Tempo max. allarme basso"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = UnsignedSetting({.size = 2, .deflt = 60, .min = 0, .max = 2000, .format = "4u"}),
     .handling = Handling::locked},
    {.id = id::manu_check_high_alarm_time_max,
     .label = "V7H7   Max. time high alarm  |de|V7H7   Max. Zeit oberer Alarm  |fr|V7H7   Durée max. alarme haute  "
              "|it|V7H7   Tempo max. allarme alto"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "min",
     .type = UnsignedSetting({.size = 2, .deflt = 120, .min = 0, .max = 2000, .format = "4u"}),
     .handling = Handling::locked},
    {.id = id::manu_check_limit_value,
     .label = "V7H8   Setpoint  |de|V7H8   Sollwert  |fr|V7H8   Consigne",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kCheckValue,
     .handling = Handling::locked,
     .rules = {.deflt = rule::unitDefault<kSetpointDefault>,
               .min = checkBound<kSetpointMin>,
               .max = rule::unitMax<rule::kRangeMax>,
               .format = checkFormat<kSetpointFormat>}},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kCheckRows = kRows;

}  // namespace variables
