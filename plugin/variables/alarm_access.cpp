// Alarm contact, alarm settings per diagnosis code, the access code, the hold function
// and the S-version flag: rows V8 and V9 of the operating matrix.
#include "module/latin1.h"
#include "variables/rules.h"
#include "variables/shapes.h"
#include "variables/tables.h"

namespace variables {
namespace {

constexpr Enumerator kNoYes[] = {
    {0, "No  |de|Nein  |fr|Non  |it|No  |es|No"},
    {1, "Yes  |de|Ja  |fr|Oui  |it|Sì  |es|Sí"_latin1},
};
constexpr Enumerator kContactTypes[] = {
    {0, "Steady  |de|Dauerkontakt  |fr|Contact permanent  |it|Contatto permanente"},
    {1, "Fleeting  |de|Wischkontakt  |fr|Contact fugitif  |it|Contatto impulsivo"},
};
// The descriptions are the unit texts of the alarm delay.
constexpr Enumerator kDelayUnits[] = {
    {0, "s", "Seconds  |de|Sekunden  |fr|Secondes  |it|Secondi"},
    {1, "min", "Minutes  |de|Minuten  |fr|Minutes  |it|Minuti"},
};
constexpr Enumerator kHoldFunctions[] = {
    {0, text::kOff},
    {1, "Setup  |de|Setup  |fr|Configuration  |it|Configurazione"},
    {2, "Calibration  |de|Kalibrierung  |fr|Étalonnage  |it|Calibrazione"_latin1},
    {3, "Setup + Calib.  |de|Setup + Kalib.  |fr|Config. + étal.  |it|Config. + calib."_latin1},
};

constexpr VariableRow kRows[] = {
    {.id = id::manu_alarm_contact_type,
     .label = "V8H1   Contact type  |de|V8H1   Kontaktart  |fr|V8H1   Type de contact  |it|V8H1   Tipo di contatto",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kContactTypes,
     .handling = Handling::locked},
    {.id = id::manu_alarm_delay_unit,
     .label = "V8H2   Time unit  |de|V8H2   Zeiteinheit  |fr|V8H2   Unité de temps  |it|V8H2   Unità di tempo"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(1),
     .enums = kDelayUnits,
     .handling = Handling::locked},
    // The unit relation supplies the unit; the range is the same in seconds and minutes.
    {.id = id::manu_alarm_delay,
     .label = "V8H3   Alarm delay  |de|V8H3   Alarmverzögerung  |fr|V8H3   Temporisation d'alarme  "
              "|it|V8H3   Ritardo d'allarme"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = kDelay2000,
     .handling = Handling::locked},
    {.id = id::manu_alarm_error_code_select,
     .label = "V8H4   Diagnose code select  |de|V8H4   Auswahl Diagnosecode  |fr|V8H4   Sélection code de diagnostic  "
              "|it|V8H4   Selezione codice diagnostico"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = {.code = VariableTypeUnsigned, .size = 1, .deflt = 1, .display = "3u", .edit = "3u"},
     .handling = Handling::locked},
    {.id = id::manu_alarm_error_state,
     .label = "V8H5   Alarm status  |de|V8H5   Alarmstatus  |fr|V8H5   État d'alarme  |it|V8H5   Stato d'allarme"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kNoYes,
     .handling = Handling::R},
    {.id = id::manu_alarm_contact_enabled,
     .label = "V8H6   Relay assignment  |de|V8H6   Relaiszuordnung  |fr|V8H6   Affectation du relais  "
              "|it|V8H6   Assegnazione del relè"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(1),
     .enums = kNoYes,
     .handling = Handling::locked},
    {.id = id::manu_alarm_cleaning_trigger,
     .label = "V8H8   Cleaning trigger  |de|V8H8   Reinigungsauslöser  |fr|V8H8   Déclenchement du nettoyage  "
              "|it|V8H8   Avvio del lavaggio"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(0),
     .enums = kNoYes,
     .handling = Handling::locked},
    // Never locked, so the code can always be entered; its default opens the lock.
    {.id = id::manu_alarm_enable_code,
     .label = "V8H9   Security locking  |de|V8H9   Verriegelung  |fr|V8H9   Verrouillage  |it|V8H9   Blocco di sicurezza",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = {.code = VariableTypeUnsigned, .size = 2, .deflt = rule::kAccessCode, .range = true, .min = 0, .max = 9998},
     .handling = Handling::RW},
    {.id = id::manu_hold_configuration,
     .label = "V9H0   Hold function  |de|V9H0   Hold-Funktion  |fr|V9H0   Fonction hold  |it|V9H0   Funzione hold",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(3),
     .enums = kHoldFunctions,
     .handling = Handling::locked},
    {.id = id::manu_hold_time,
     .label = "V9H1   Hold cont. time  |de|V9H1   Hold-Nachwirkzeit  |fr|V9H1   Durée prolong. hold  "
              "|it|V9H1   Tempo prolung. hold"_latin1,
     .help = kHelpAsLabel,
     .cls = kContained,
     .unit = "s",
     .type = UnsignedSetting({.size = 2, .deflt = 10, .min = 0, .max = 999, .format = "3u"}),
     .handling = Handling::locked},
    {.id = id::manu_s_version_enabled,
     .label = "V9H2   With S-Version  |de|V9H2   Mit S-Version  |fr|V9H2   Avec version S  |it|V9H2   Con versione S",
     .help = kHelpAsLabel,
     .cls = kContained,
     .type = Choice(1),
     .enums = kNoYes,
     .handling = Handling::R},
};

static_assert(Ascending(kRows));

}  // namespace

extern const RowTable kAlarmAccessRows = kRows;

}  // namespace variables
