// Measured values, sensor type, control stop, digital input, damping and operating
// mode: rows V0 and V1H0 of the operating matrix.
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr Enumerator kSensorTypes[] = {
    {1, "|en|QN-701"}, {2, "|en|QN-702"},  {3, "|en|QN-711"},  {4, "|en|QN-712"},  {5, "|en|QN-695"},
    {6, "|en|QN-690"}, {7, "|en|QN-520F"}, {8, "|en|QN-521F"}, {9, "|en|QN-520A"}, {10, "|en|QN-521A"},
};

// Each list names the offline method, its online twin and the shared remember method.
constexpr ObjId kSensorTypePreEdit[] = {id::meth_pre_edit_manu_sensor_type_TQR,
                                        id::meth_pre_edit_manu_sensor_type_TQR_ONLINE,
                                        id::method_manu_sensor_type_remember};
constexpr ObjId kSensorTypePostEdit[] = {id::meth_changed_manu_sensor_type_TQR,
                                         id::meth_changed_manu_sensor_type_TQR_ONLINE,
                                         id::method_manu_sensor_type_remember};

constexpr Enumerator kControlStop[] = {
    {0, text::kOff},
    {1, "Ind. flow switch  |de|Ind. Strömungswächter  |fr|Contrôleur de débit ind.  |it|Flussostato ind."_latin1},
};

constexpr Enumerator kDigitalInput[] = {
    {0, "External HOLD  |de|Externes HOLD  |fr|HOLD externe  |it|HOLD esterno"},
    {1,
     "External cleaning trigger  |de|Externer Reinigungsstart  |fr|Déclenchement externe du nettoyage  "
     "|it|Avvio esterno del lavaggio"_latin1},
};

constexpr Enumerator kOperatingModes[] = {
    {0, text::kOff},
    {1, "pH"},
    {.value = 2, .description = "ORP mV  |de|Redox  |fr|Redox  |it|Redox", .when = &rule::kSVersionWithPh},
};

constexpr TypeSpec kSettingEnum = Choice(0);

constexpr VariableRow kRows[] = {
    {.id = id::manu_meas_value_main,
     .label = "V0H0   Measured value  |de|V0H0   Messwert  |fr|V0H0   Mesure  |it|V0H0   Valore misurato",
     .help = kHelpAsLabel,
     .cls = kDynamic | kContained,
     .type = {.code = VariableTypeFloat, .deflt = 0.0, .display = ".2f"},
     .handling = Handling::R},
    {.id = id::manu_meas_value_temperature,
     .label = "V0H1   Temperature  |de|V0H1   Temperatur  |fr|V0H1   Température  |it|V0H1   Temperatura"_latin1,
     .help = kHelpAsLabel,
     .cls = kDynamic | kContained,
     .unit = "°C"_latin1,
     .type = {.code = VariableTypeFloat, .deflt = 0.0, .display = ".1f"},
     .handling = Handling::R},
    {.id = id::manu_meas_value_second,
     .label = "V0H2   Measured value  |de|V0H2   Messwert  |fr|V0H2   Valeur mesurée  |it|V0H2   Valore misurato"_latin1,
     .help = kHelpAsLabel,
     .cls = kDynamic | kContained,
     .type = {.code = VariableTypeFloat, .deflt = 0.0, .display = "4.2f"},
     .handling = Handling::R},
    {.id = id::manu_sensor_type,
     .label = "V0H3   Type of sensor  |de|V0H3   Sensortyp  |fr|V0H3   Type de capteur  |it|V0H3   Tipo di sensore",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(2),
     .enums = kSensorTypes,
     .handling = Handling::locked,
     .preEdit = kSensorTypePreEdit,
     .postEdit = kSensorTypePostEdit},
    {.id = id::manu_control_stop,
     .label = "V0H5   Control stop  |de|V0H5   Regelstopp  |fr|V0H5   Arrêt de régulation  "
              "|it|V0H5   Arresto regolazione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSettingEnum,
     .enums = kControlStop,
     .handling = Handling::locked},
    {.id = id::manu_control_stop_switch_off_delay,
     .label = "V0H5   Switch off delay  |de|V0H5   Ausschaltverzögerung  |fr|V0H5   Temporisation d'arrêt  "
              "|it|V0H5   Ritardo di disinserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_control_stop_switch_on_delay,
     .label = "V0H6   Switch on delay  |de|V0H6   Einschaltverzögerung  |fr|V0H6   Temporisation de marche  "
              "|it|V0H6   Ritardo di inserzione"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_digital_input,
     .label = "V0H8   Digital input  |de|V0H8   Digitaleingang  |fr|V0H8   Entrée numérique  "
              "|it|V0H8   Ingresso digitale"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSettingEnum,
     .enums = kDigitalInput,
     .handling = Handling::locked},
    // The help names the matrix position V0H8, the label V0H9.
    {.id = id::manu_damping_measure_value,
     .label = "V0H9   Signal damping  |de|V0H9   Signaldämpfung  |fr|V0H9   Amortissement du signal  "
              "|it|V0H9   Smorzamento del segnale"_latin1,
     .help = HelpText("V0H8   Signal damping  |de|V0H8   Signaldämpfung  |fr|V0H8   Amortissement du signal  "
                      "|it|V0H8   Smorzamento del segnale"_latin1),
     .cls = kContained,
     .type = {.code = VariableTypeUnsigned,
              .size = 1,
              .deflt = 1,
              .range = true,
              .min = 1,
              .max = 60,
              .display = "2u",
              .edit = "2u"},
     .handling = Handling::locked},
    {.id = id::manu_mode,
     .label = "V1H0   Operating mode  |de|V1H0   Betriebsart  |fr|V1H0   Mode de fonctionnement  "
              "|it|V1H0   Modalità operativa"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kSettingEnum,
     .enums = kOperatingModes,
     .handling = Handling::locked},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kMeasuringRows = kRows;

}  // namespace variables
