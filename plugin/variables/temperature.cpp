// pH compensation, temperature correction and the operating-mode companion: row V1 of
// the operating matrix after the operating mode.
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr const auto& kRealTemperature =
    "V1H8   Real temperature  |de|V1H8   Tatsächliche Temperatur  |fr|V1H8   Température réelle  "
    "|it|V1H8   Temperatura reale"_latin1;
constexpr const auto& kTemperatureCorrection =
    "V1H9   Temperature correction  |de|V1H9   Temperaturkorrektur  |fr|V1H9   Correction de température  "
    "|it|V1H9   Correzione della temperatura"_latin1;

// The real temperature may be entered within 5 of the measured temperature less the
// offset, never below 0 nor above 50. O is read before T at every use; the constants are
// integers and the arithmetic is the library's, on the values as read. A temperature
// without a usable value leaves the window at its start value (rule::failClosedBound).

void realTemperatureMin(Reader& r, CDDCommonVariant& scratch) {
  const CDDCommonVariant& offset = r.read(id::manu_temperature_offset);
  const CDDCommonVariant& measured = r.read(id::manu_meas_value_temperature);
  if (measured < offset + CDDCommonVariant(5)) {
    scratch = CDDCommonVariant(0);
    return;
  }
  const CDDCommonVariant& offsetAgain = r.read(id::manu_temperature_offset);
  const CDDCommonVariant& measuredAgain = r.read(id::manu_meas_value_temperature);
  scratch = (measuredAgain - offsetAgain) - CDDCommonVariant(5);
}

void realTemperatureMax(Reader& r, CDDCommonVariant& scratch) {
  const CDDCommonVariant& offset = r.read(id::manu_temperature_offset);
  const CDDCommonVariant& measured = r.read(id::manu_meas_value_temperature);
  if (measured > offset + CDDCommonVariant(45)) {
    scratch = CDDCommonVariant(50);
    return;
  }
  const CDDCommonVariant& offsetAgain = r.read(id::manu_temperature_offset);
  const CDDCommonVariant& measuredAgain = r.read(id::manu_meas_value_temperature);
  scratch = (measuredAgain - offsetAgain) + CDDCommonVariant(5);
}

constexpr Enumerator kModeHelp[] = {
    {0, "mg/l"},
    {1, "pH"},
    {.value = 2, .description = "mV", .when = &rule::kSVersionWithPh},
};

constexpr Enumerator kPhCompensation[] = {
    {0, text::kOff},
    {1, "Manual  |de|Manuell  |fr|Manuelle  |it|Manuale"},
    {.value = 2, .description = "Automatic  |de|Automatisch  |fr|Automatique  |it|Automatica",
     .when = &rule::kSVersionWithPh},
};

constexpr Enumerator kSeeTemperatureMenu[] = {
    {0, "see Menu Device -> Temperature correction  |de|siehe Menü Gerät -> Temperaturkorrektur"_latin1},
};


constexpr VariableRow kRows[] = {
    {.id = id::manu_mode_help,
     .label = "V1H0   Operating mode  |de|V1H0   Betriebsart  |fr|V1H0   Mode de fonctionnement  "
              "|it|V1H0   Modalità operativa"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kModeHelp,
     .handling = Handling::RW},
    {.id = id::manu_ph_compensation,
     .label = "V1H1   pH compensation  |de|V1H1   pH-Kompensation  |fr|V1H1   Compensation du pH  "
              "|it|V1H1   Compensazione del pH",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kPhCompensation,
     .handling = Handling::locked},
    {.id = id::manu_ph_compensation_manual,
     .label = "V1H2   Manual compensation  |de|V1H2   Manuelle Kompensation  |fr|V1H2   Compensation manuelle  "
              "|it|V1H2   Compensazione manuale",
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "pH",
     .type = {.code = VariableTypeFloat, .deflt = 4.0, .range = true, .min = 4.0, .max = 9.0, .display = "1.2f"},
     .handling = Handling::locked},
    {.id = id::manu_temperature_process_entry,
     .label = kRealTemperature,
     .help = kHelpAsLabel,
     .cls = kDynamic,
     .unit = "°C"_latin1,
     .type = {.code = VariableTypeFloat, .deflt = 0.0, .range = true, .display = "3.1f"},
     .handling = Handling::locked,
     .rules = {.min = realTemperatureMin, .max = realTemperatureMax}},
    {.id = id::manu_temperature_offset,
     .label = kTemperatureCorrection,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "°C"_latin1,
     .type = {.code = VariableTypeFloat, .deflt = 0.0, .range = true, .min = -5.0, .max = 5.0, .display = "1.1f"},
     .handling = Handling::locked},
    // The two references stand for the matrix positions and point to the device menu.
    {.id = id::manu_temperature_process_entry_ref,
     .label = kRealTemperature,
     .help = kHelpAsLabel,
     .cls = kLocal,
     .type = Choice(0),
     .enums = kSeeTemperatureMenu,
     .handling = Handling::R},
    {.id = id::manu_temperature_offset_ref,
     .label = kTemperatureCorrection,
     .help = kHelpAsLabel,
     .cls = kLocal,
     .type = Choice(0),
     .enums = kSeeTemperatureMenu,
     .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kTemperatureRows = kRows;

}  // namespace variables
